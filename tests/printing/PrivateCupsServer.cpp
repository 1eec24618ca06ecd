#include "PrivateCupsServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// The CUPS programs live in sbin, which a user's PATH may lack.
QString findProgram(const QString &name)
{
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin"}) : onPath;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

PrivateCupsServer::PrivateCupsServer()
{
    // Should the test die, the scheduler goes with it.
    m_scheduler.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_scheduler.setProcessChannelMode(QProcess::MergedChannels);
}

PrivateCupsServer::~PrivateCupsServer()
{
    m_scheduler.terminate();
    if (!m_scheduler.waitForFinished(10000))
        m_scheduler.kill();
    m_scheduler.waitForFinished();
}

QString PrivateCupsServer::writeConfiguration()
{
    const QDir root(m_folder.path());
    if (!root.mkpath("spool/tmp") || !root.mkpath("log") || !root.mkpath("cache"))
        return "Cannot make folders in " + root.path();
    // As root the scheduler runs its filters as lp, else all as the user.
    // The administrators' group must be another one; no request needs it.
    const passwd *user = ::geteuid() == 0 ? ::getpwnam("lp") : nullptr;
    user = user ? user : ::getpwuid(::geteuid());
    const group *group = user ? ::getgrgid(user->pw_gid) : nullptr;
    if (!group)
        return QStringLiteral("Cannot name the user and group to run as");
    const QByteArray base = QFile::encodeName(root.path());
    const QByteArray groupName = group->gr_name;
    const QByteArray files =
        "ServerRoot " + base + "\nStateDir " + base + "\nCacheDir " + base + "/cache\n" +
        "RequestRoot " + base + "/spool\nTempDir " + base + "/spool/tmp\nAccessLog " + base +
        "/log/access_log\nErrorLog " + base + "/log/error_log\nPageLog " + base +
        "/log/page_log\nPrintcap " + base + "/printcap\nFileDevice Yes\nUser " + user->pw_name +
        "\nGroup " + groupName + "\nSystemGroup " + (groupName == "root" ? "sys" : "root") + "\n";
    const QByteArray scheduler = "Listen " + QFile::encodeName(socketPath()) +
                                 "\nBrowsing No\nWebInterface No\nErrorPolicy abort-job\n"
                                 "PreserveJobFiles Yes\nPreserveJobHistory Yes\n"
                                 "<Location />\n Order allow,deny\n Allow all\n</Location>\n"
                                 "<Policy default>\n <Limit All>\n  Order deny,allow\n"
                                 " </Limit>\n</Policy>\n";
    if (!writeFile(root.filePath("cups-files.conf"), files) ||
        !writeFile(root.filePath("cupsd.conf"), scheduler))
        return "Cannot write the configuration in " + root.path();
    return {};
}

QString PrivateCupsServer::start()
{
    const QString cupsd = findProgram(QStringLiteral("cupsd"));
    if (cupsd.isEmpty())
        return QStringLiteral("cupsd is not installed (Debian package cups-daemon)");
    if (const QString problem = writeConfiguration(); !problem.isEmpty())
        return problem;
    m_scheduler.start(cupsd, {"-f", "-c", m_folder.filePath("cupsd.conf"), "-s",
                              m_folder.filePath("cups-files.conf")});
    QElapsedTimer waited;
    waited.start();
    while (m_scheduler.state() != QProcess::NotRunning && waited.elapsed() < 15000) {
        // The socket appears once the scheduler listens on it.
        if (QFile::exists(socketPath()))
            return {};
        QThread::msleep(50);
    }
    return "cupsd did not start: " + m_scheduler.errorString() + "\n" +
           QString::fromLocal8Bit(m_scheduler.readAll()) + errorLog();
}

QString PrivateCupsServer::run(const QString &program, const QStringList &arguments)
{
    const QString path = findProgram(program);
    if (path.isEmpty())
        return program + " is not installed (Debian package cups-client)";
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0)
        return {};
    return program + " failed: " + QString::fromLocal8Bit(process.readAll());
}

QStringList PrivateCupsServer::receivedDocuments() const
{
    const QDir spool(m_folder.filePath(QStringLiteral("spool")));
    QStringList documents;
    for (const QString &name : spool.entryList({"d*-001"}, QDir::Files, QDir::Name))
        documents << spool.filePath(name);
    return documents;
}

QString PrivateCupsServer::errorLog() const
{
    QFile log(m_folder.filePath(QStringLiteral("log/error_log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll().right(2000))
                                         : QString();
}
