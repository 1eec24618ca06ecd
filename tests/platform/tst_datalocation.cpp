#include "DataLocation.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void folderHoldingMedFiles_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("besideProgram");
        QTest::newRow("portable copy") << false << false << true;
        QTest::newRow("portable copy in a read-only folder") << false << true << false;
        QTest::newRow("installed in a folder its user can write") << true << false << false;
    }
    void folderHoldingMedFiles()
    {
        QFETCH(bool, installed);
        QFETCH(bool, readOnly);
        QFETCH(bool, besideProgram);
        QStandardPaths::setTestModeEnabled(true);
        const QTemporaryDir root;
        const QString program = root.filePath("bin");
        const QString data = root.filePath("share/pillora");
        QVERIFY(QDir().mkpath(program) && (!installed || QDir().mkpath(data)));
        // Root writes anywhere: for root a read-only tmpfs is mounted over it.
        const auto restore = qScopeGuard([&] {
            QProcess::execute("umount", {"-q", program});
            QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (readOnly && QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner) &&
            QFileInfo(program).isWritable() &&
            QProcess::execute("mount", {"-t", "tmpfs", "-o", "ro", "tmpfs", program}) != 0)
            QSKIP("Running as root, and no read-only tmpfs can be mounted here");
        QCOMPARE(DataLocation::folderHoldingMedFiles(program, data),
                 besideProgram ? program
                               : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }

    // The XDG rule: a relative XDG_DATA_HOME counts as none, so the lists
    // never land in whatever folder the program was started from.
    void relativeDataHomeIsIgnored_data()
    {
        QTest::addColumn<QByteArray>("dataHome");
        QTest::addColumn<bool>("kept");
        QTest::newRow("relative") << QByteArray("share") << false;
        QTest::newRow("relative with a dot") << QByteArray("./.local/share") << false;
        QTest::newRow("absolute") << QFile::encodeName(QDir::tempPath() + "/share") << true;
    }
    void relativeDataHomeIsIgnored()
    {
        QFETCH(QByteArray, dataHome);
        QFETCH(bool, kept);
        QStandardPaths::setTestModeEnabled(false);
        const QByteArray old = qgetenv("XDG_DATA_HOME");
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", old); });
        qputenv("XDG_DATA_HOME", dataHome);
        DataLocation::ignoreRelativeDataHome();
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY2(QDir::isAbsolutePath(data), qPrintable(data));
        QCOMPARE(data.startsWith(QFile::decodeName(dataHome) + "/"), kept);
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
