#include "DataLocation.h"

#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Where a portable or an installed copy keeps its lists is shown where they
// are started (tst_programmodule, tst_install); here what they cannot show.
class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    // A portable copy that cannot write beside itself keeps its lists in the
    // user's data folder.
    void readOnlyPortableCopy()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QTemporaryDir root;
        const QString program = root.path();
        // Root writes anywhere: for root a read-only tmpfs is mounted over it.
        const auto restore = qScopeGuard([&] {
            QProcess::execute("umount", {"-q", program});
            QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner) &&
            QFileInfo(program).isWritable() &&
            QProcess::execute("mount", {"-t", "tmpfs", "-o", "ro", "tmpfs", program}) != 0)
            QSKIP("Running as root, and no read-only tmpfs can be mounted here");
        QCOMPARE(DataLocation::folderHoldingMedFiles(program, program + "/share"),
                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }

    // The XDG rule: a relative XDG_DATA_HOME counts as none, so the lists
    // never land under whatever folder the program was started from.
    void relativeDataHomeIsIgnored()
    {
        QStandardPaths::setTestModeEnabled(false);
        const QByteArray old = qgetenv("XDG_DATA_HOME");
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", old); });
        for (const QString &home :
             {QStringLiteral("./.local/share"), QDir::tempPath() + "/share"}) {
            qputenv("XDG_DATA_HOME", QFile::encodeName(home));
            DataLocation::ignoreRelativeDataHome();
            const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            QVERIFY2(QDir::isAbsolutePath(data), qPrintable(data));
            QCOMPARE(data.startsWith(home + "/"), QDir::isAbsolutePath(home));
        }
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
