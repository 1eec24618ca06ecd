#include "PrivateCupsServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QStringList SystemFolders{QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                QStringLiteral("/usr/bin"), QStringLiteral("/bin")};

QString findProgram(const QString &name)
{
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? QStandardPaths::findExecutable(name, SystemFolders) : onPath;
}

bool accepts(const QString &socketPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(socketPath);
    if (name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::copy(name.begin(), name.end(), address.sun_path);
    const int probe = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool connected =
        ::connect(probe, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(probe);
    return connected;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A PostScript printer that takes PDF as it comes; its paper is Letter with
// a quarter inch the printer cannot print on, as most office printers.
const QByteArray LetterPrinterPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PILLORA.PPD"
*Manufacturer: "Pillora"
*Product: "(Test Printer)"
*ModelName: "Pillora Test Printer"
*ShortNickName: "Pillora Test Printer"
*NickName: "Pillora Test Printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: Letter
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: Letter
*PageRegion Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: Letter
*ImageableArea Letter/US Letter: "18 18 594 774"
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: Letter
*PaperDimension Letter/US Letter: "612 792"
*PaperDimension A4/A4: "595 842"
)ppd";

} // namespace

PrivateCupsServer::PrivateCupsServer()
{
    // Should the test die, the scheduler goes with it.
    m_scheduler.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_scheduler.setProcessChannelMode(QProcess::MergedChannels);
}

PrivateCupsServer::~PrivateCupsServer()
{
    stop();
}

QString PrivateCupsServer::writeConfiguration()
{
    const QDir root(m_folder.path());
    for (const char *folder : {"spool/tmp", "log", "cache", "state"}) {
        if (!root.mkpath(QString::fromLatin1(folder)))
            return QStringLiteral("Cannot make %1 in %2").arg(folder, root.path());
    }
    // As root, the scheduler runs its filters as lp; otherwise all of it
    // runs as the user. The administrators' group must be another one; no
    // request here needs it.
    QByteArray user = "lp";
    QByteArray groupName = "lp";
    if (::geteuid() != 0 || !::getpwnam("lp") || !::getgrnam("lp")) {
        const passwd *me = ::getpwuid(::geteuid());
        const group *mine = ::getgrgid(::getegid());
        if (!me || !mine)
            return QStringLiteral("Cannot name the user and group this test runs as");
        user = me->pw_name;
        groupName = mine->gr_name;
    }
    const QByteArray base = QFile::encodeName(root.path());
    const QByteArray files = "ServerRoot " + base + "\nStateDir " + base + "/state\nCacheDir " +
                             base + "/cache\nRequestRoot " + base + "/spool\nTempDir " + base +
                             "/spool/tmp\nAccessLog " + base + "/log/access_log\nErrorLog " + base +
                             "/log/error_log\nPageLog " + base + "/log/page_log\nPrintcap " + base +
                             "/printcap\nFileDevice Yes\nUser " + user + "\nGroup " + groupName +
                             "\nSystemGroup " + (groupName == "root" ? "sys" : "root") + "\n";
    const QByteArray scheduler = "Listen " + QFile::encodeName(socketPath()) +
                                 "\nBrowsing No\nWebInterface No\nLogLevel info\n"
                                 "ErrorPolicy abort-job\nPreserveJobFiles Yes\n"
                                 "PreserveJobHistory Yes\nDefaultAuthType None\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                 "  </Limit>\n</Policy>\n";
    if (!writeFile(root.filePath("cups-files.conf"), files) ||
        !writeFile(root.filePath("cupsd.conf"), scheduler) ||
        !writeFile(root.filePath("letter.ppd"), LetterPrinterPpd))
        return QStringLiteral("Cannot write the configuration in %1").arg(root.path());
    return {};
}

QString PrivateCupsServer::start()
{
    const QString cupsd = findProgram(QStringLiteral("cupsd"));
    if (cupsd.isEmpty())
        return QStringLiteral("cupsd is not installed (Debian package cups-daemon)");
    if (!m_folder.isValid())
        return QStringLiteral("Cannot make a temporary folder");
    if (const QString problem = writeConfiguration(); !problem.isEmpty())
        return problem;

    m_scheduler.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"),
                              m_folder.filePath(QStringLiteral("cupsd.conf")), QStringLiteral("-s"),
                              m_folder.filePath(QStringLiteral("cups-files.conf"))});
    if (!m_scheduler.waitForStarted(5000))
        return QStringLiteral("cupsd did not start: %1").arg(m_scheduler.errorString());
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 15000) {
        if (m_scheduler.state() != QProcess::Running)
            return QStringLiteral("cupsd stopped at once: %1 %2")
                .arg(QString::fromLocal8Bit(m_scheduler.readAll()), errorLog());
        if (accepts(socketPath()))
            return {};
        QThread::msleep(50);
    }
    return QStringLiteral("cupsd did not open its socket: %1").arg(errorLog());
}

void PrivateCupsServer::stop()
{
    if (m_scheduler.state() == QProcess::NotRunning)
        return;
    m_scheduler.terminate();
    if (!m_scheduler.waitForFinished(10000)) {
        m_scheduler.kill();
        m_scheduler.waitForFinished(5000);
    }
}

QString PrivateCupsServer::run(const QString &program, const QStringList &arguments)
{
    const QString path = findProgram(program);
    if (path.isEmpty())
        return QStringLiteral("%1 is not installed (Debian package cups-client)").arg(program);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QStringLiteral("%1 %2 failed: %3")
            .arg(program, arguments.join(u' '), QString::fromLocal8Bit(process.readAll()));
    return {};
}

QString PrivateCupsServer::addQueue(const QString &name)
{
    return run(QStringLiteral("lpadmin"),
               {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                QStringLiteral("file:/dev/null"), QStringLiteral("-P"),
                m_folder.filePath(QStringLiteral("letter.ppd"))});
}

QString PrivateCupsServer::rejectJobs(const QString &name)
{
    return run(QStringLiteral("cupsreject"), {name});
}

QStringList PrivateCupsServer::receivedDocuments() const
{
    const QDir spool(m_folder.filePath(QStringLiteral("spool")));
    QStringList documents;
    for (const QString &name : spool.entryList({QStringLiteral("d*-001")}, QDir::Files, QDir::Name))
        documents << spool.filePath(name);
    return documents;
}

QString PrivateCupsServer::errorLog() const
{
    QFile log(m_folder.filePath(QStringLiteral("log/error_log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll().right(2000))
                                         : QStringLiteral("(no error log)");
}
