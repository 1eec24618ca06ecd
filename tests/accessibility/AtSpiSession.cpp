#include "AtSpiSession.h"

#include <QByteArray>
#include <QFileInfo>
#include <QStandardPaths>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString g_problem = QStringLiteral("The AT-SPI session was not started");

constexpr int StartTimeoutMs = 20000;

// Reads one line from fd, waiting at most StartTimeoutMs.
std::string readLine(int fd)
{
    std::string line;
    char c = 0;
    pollfd wait{fd, POLLIN, 0};
    while (poll(&wait, 1, StartTimeoutMs) > 0 && read(fd, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

QString busLauncher()
{
    for (const char *path :
         {"/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"}) {
        if (QFileInfo(QString::fromLatin1(path)).isExecutable())
            return QString::fromLatin1(path);
    }
    return {};
}

} // namespace

QString AtSpiSession::problem()
{
    return g_problem;
}

AtSpiSession::AtSpiSession()
{
    if (start())
        g_problem.clear();
}

AtSpiSession::~AtSpiSession()
{
    // The bus launcher ends its accessibility bus, and the registry ends with
    // that bus.
    for (auto pid = m_started.rbegin(); pid != m_started.rend(); ++pid) {
        kill(*pid, SIGTERM);
        waitpid(*pid, nullptr, 0);
    }
}

// Starts command with the environment as it is now. The child ends with this
// process, also when a test crashes.
pid_t AtSpiSession::spawn(const std::vector<std::string> &command, int keepOpen)
{
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        if (!qEnvironmentVariableIsSet("PILLORA_ATSPI_VERBOSE"))
            dup2(null, STDERR_FILENO);
        for (int fd = 3; fd < 256; ++fd) {
            if (fd != keepOpen)
                close(fd);
        }
        std::vector<char *> argv;
        for (const std::string &word : command)
            argv.push_back(const_cast<char *>(word.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (pid > 0)
        m_started.push_back(pid);
    return pid;
}

bool AtSpiSession::start()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString dbusDaemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    const QString dbusSend = QStandardPaths::findExecutable(QStringLiteral("dbus-send"));
    const QString launcher = busLauncher();
    if (xvfb.isEmpty() || dbusDaemon.isEmpty() || dbusSend.isEmpty() || launcher.isEmpty()) {
        g_problem = QStringLiteral("Needs Xvfb (xvfb), dbus-daemon and dbus-send (dbus) and "
                                   "at-spi-bus-launcher (at-spi2-core)");
        return false;
    }

    // An X server on a free display, which it reports once it listens. The
    // bus launcher's short visit must not leave it resetting itself just as
    // the program connects.
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return false;
    spawn({xvfb.toStdString(), "-displayfd", std::to_string(pipeFds[1]), "-screen", "0",
           "1280x1024x24", "-nolisten", "tcp", "-noreset"},
          pipeFds[1]);
    close(pipeFds[1]);
    const std::string display = readLine(pipeFds[0]);
    close(pipeFds[0]);
    if (display.empty()) {
        g_problem = QStringLiteral("Xvfb did not start");
        return false;
    }
    qputenv("DISPLAY", QByteArray(":") + QByteArray::fromStdString(display));
    qputenv("QT_QPA_PLATFORM", "xcb");

    if (pipe(pipeFds) != 0)
        return false;
    spawn({dbusDaemon.toStdString(), "--session", "--nofork",
           "--print-address=" + std::to_string(pipeFds[1])},
          pipeFds[1]);
    close(pipeFds[1]);
    const std::string address = readLine(pipeFds[0]);
    close(pipeFds[0]);
    if (address.empty()) {
        g_problem = QStringLiteral("dbus-daemon --session did not start");
        return false;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray::fromStdString(address));

    spawn({launcher.toStdString(), "--launch-immediately", "--a11y=1"});
    // Ready once it answers where the accessibility bus is.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(StartTimeoutMs);
    const std::string ask = "'" + dbusSend.toStdString() +
                            "' --session --print-reply --dest=org.a11y.Bus /org/a11y/bus "
                            "org.a11y.Bus.GetAddress >/dev/null 2>&1";
    while (std::system(ask.c_str()) != 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            g_problem = QStringLiteral("The AT-SPI bus did not start");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    // Qt exports its windows only while it believes a screen reader listens.
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    return true;
}
