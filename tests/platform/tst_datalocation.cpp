#include "DataLocation.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A program folder its user cannot write. For a user the folder loses its
// write permission; root writes anywhere, so for root a read-only tmpfs is
// mounted over it, with a writable folder bound onto its MedFiles if asked.
class ReadOnlyFolder
{
public:
    ReadOnlyFolder(const QString &path, bool writableMedFiles) : m_path(path)
    {
        const QString medFiles = QDir(path).filePath("MedFiles");
        if (geteuid() != 0) {
            if (writableMedFiles)
                QDir().mkpath(medFiles);
            m_ready = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
            m_whyNot = "the folder's permissions cannot be changed";
            return;
        }
        m_whyNot = "running as root, and a read-only tmpfs cannot be mounted here";
        if (!run("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", path}))
            return;
        m_mounts.prepend(path);
        if (writableMedFiles && !QDir().mkpath(medFiles))
            return;
        if (!run("mount", {"-o", "remount,ro", path}))
            return;
        if (writableMedFiles) {
            if (!run("mount", {"--bind", m_writable.path(), medFiles}))
                return;
            m_mounts.prepend(medFiles);
        }
        m_ready = true;
    }
    ~ReadOnlyFolder()
    {
        for (const QString &mount : std::as_const(m_mounts))
            run("umount", {mount});
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool ready() const { return m_ready; }
    QString whyNot() const { return m_whyNot; }

private:
    QString m_path;
    QTemporaryDir m_writable;
    QStringList m_mounts;
    bool m_ready = false;
    QString m_whyNot;
};

} // namespace

class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName("Pillora");
        QStandardPaths::setTestModeEnabled(true);
    }

    void folderHoldingMedFiles_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("writableMedFiles");
        QTest::addColumn<bool>("besideProgram");
        QTest::newRow("portable copy") << false << false << false << true;
        QTest::newRow("read-only folder") << false << true << false << false;
        QTest::newRow("read-only folder, writable MedFiles") << false << true << true << true;
        QTest::newRow("installed in a folder its user can write")
            << true << false << false << false;
    }
    void folderHoldingMedFiles()
    {
        QFETCH(bool, installed);
        QFETCH(bool, readOnly);
        QFETCH(bool, writableMedFiles);
        QFETCH(bool, besideProgram);
        QTemporaryDir root;
        const QString program = root.filePath("bin");
        QVERIFY(QDir().mkpath(program));
        const QString data = root.filePath("share/pillora");
        if (installed)
            QVERIFY(QDir().mkpath(data));
        std::unique_ptr<ReadOnlyFolder> locked;
        if (readOnly) {
            locked = std::make_unique<ReadOnlyFolder>(program, writableMedFiles);
            if (!locked->ready())
                QSKIP(qPrintable("No read-only folder for this test: " + locked->whyNot()));
        }
        const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(userData.endsWith("/Pillora"));
        QCOMPARE(DataLocation::folderHoldingMedFiles(program, data),
                 besideProgram ? program : userData);
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
