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

// A folder its user cannot write: for a user the folder loses its write
// permission; root writes anywhere, so for root a read-only tmpfs is
// mounted over it.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path) : m_path(path)
    {
        if (geteuid() != 0)
            m_ready = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        else
            m_mounted = m_ready = run("mount", {"-t", "tmpfs", "-o", "ro,size=1m", "tmpfs", path});
    }
    ~ReadOnlyFolder()
    {
        if (m_mounted)
            run("umount", {m_path});
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool ready() const { return m_ready; }

private:
    QString m_path;
    bool m_mounted = false;
    bool m_ready = false;
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
        QTemporaryDir root;
        const QString program = root.filePath("bin");
        const QString data = root.filePath("share/pillora");
        QVERIFY(QDir().mkpath(program));
        QVERIFY(!installed || QDir().mkpath(data));
        std::optional<ReadOnlyFolder> locked;
        if (readOnly && !locked.emplace(program).ready())
            QSKIP(geteuid() == 0 ? "Running as root, and no read-only tmpfs can be mounted here"
                                 : "The folder's permissions cannot be changed");
        const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(userData.endsWith("/Pillora"));
        QCOMPARE(DataLocation::folderHoldingMedFiles(program, data),
                 besideProgram ? program : userData);
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
