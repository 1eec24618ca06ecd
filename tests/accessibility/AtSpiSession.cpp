#include "AtSpiSession.h"

#include <QStandardPaths>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString g_problem = QStringLiteral("The AT-SPI session was not started");

constexpr int StartTimeoutMs = 20000;

} // namespace

QString AtSpiSession::problem()
{
    return g_problem;
}

AtSpiSession::AtSpiSession()
{
    g_problem = start();
}

AtSpiSession::~AtSpiSession()
{
    // The bus launcher ends its bus, and the registry ends with that bus.
    for (auto pid = m_started.rbegin(); pid != m_started.rend(); ++pid) {
        kill(*pid, SIGTERM);
        waitpid(*pid, nullptr, 0);
    }
}

// Runs the command, which ends with this process, also when a test crashes.
// "{fd}" in an argument becomes the number of a pipe, and the first line the
// command writes there is returned: where it listens.
std::string AtSpiSession::launch(std::vector<std::string> command)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    bool replies = false;
    for (std::string &word : command) {
        if (const auto at = word.find("{fd}"); at != std::string::npos) {
            word.replace(at, 4, std::to_string(fds[1]));
            replies = true;
        }
    }
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        if (!qEnvironmentVariableIsSet("PILLORA_ATSPI_VERBOSE"))
            dup2(null, STDERR_FILENO);
        for (int fd = 3; fd < 256; ++fd) {
            if (fd != fds[1] || !replies)
                close(fd);
        }
        std::vector<char *> argv;
        for (std::string &word : command)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (pid > 0)
        m_started.push_back(pid);
    close(fds[1]);
    std::string line;
    char c = 0;
    pollfd wait{fds[0], POLLIN, 0};
    while (poll(&wait, 1, StartTimeoutMs) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(fds[0]);
    return line;
}

QString AtSpiSession::start()
{
    const QString launcher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
    for (const QString &needed : {QStringLiteral("Xvfb"), QStringLiteral("dbus-daemon"),
                                  QStringLiteral("dbus-send"), launcher}) {
        if (QStandardPaths::findExecutable(needed).isEmpty())
            return "Needs " + needed + " (xvfb, dbus, at-spi2-core)";
    }
    // The bus launcher's short visit must not leave the X server resetting
    // itself just as the program connects.
    const std::string display = launch({"Xvfb", "-displayfd", "{fd}", "-screen", "0",
                                        "1280x1024x24", "-nolisten", "tcp", "-noreset"});
    if (display.empty())
        return QStringLiteral("Xvfb did not start");
    qputenv("DISPLAY", ":" + QByteArray::fromStdString(display));
    qputenv("QT_QPA_PLATFORM", "xcb");
    const std::string bus =
        launch({"dbus-daemon", "--session", "--nofork", "--print-address={fd}"});
    if (bus.empty())
        return QStringLiteral("dbus-daemon --session did not start");
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray::fromStdString(bus));

    launch({launcher.toStdString(), "--launch-immediately", "--a11y=1"});
    // Ready once it answers where the accessibility bus is.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(StartTimeoutMs);
    while (std::system("dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus "
                       "org.a11y.Bus.GetAddress >/dev/null 2>&1") != 0) {
        if (std::chrono::steady_clock::now() > deadline)
            return QStringLiteral("The AT-SPI bus did not start");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    // Qt exports its windows only while it believes a screen reader listens.
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    return {};
}
