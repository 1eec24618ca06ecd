#include "AtSpiSession.h"

#include <QStandardPaths>

#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

AtSpiSession::~AtSpiSession()
{
    // The AT-SPI bus and its registry end with the session bus.
    for (auto pid = m_started.rbegin(); pid != m_started.rend(); ++pid) {
        kill(*pid, SIGTERM);
        waitpid(*pid, nullptr, 0);
    }
}

// Runs the command, which ends with this process, also when a test crashes,
// and returns the first line it writes to file descriptor 3: where it
// listens.
std::string AtSpiSession::launch(std::vector<std::string> command)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        if (!qEnvironmentVariableIsSet("PILLORA_ATSPI_VERBOSE"))
            dup2(null, STDERR_FILENO);
        dup2(fds[1], 3);
        for (int fd = 4; fd < 256; ++fd)
            close(fd);
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
    while (poll(&wait, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(fds[0]);
    return line;
}

QString AtSpiSession::start()
{
    for (const QString &needed : {QStringLiteral("Xvfb"), QStringLiteral("dbus-daemon"),
                                  QStringLiteral("/usr/libexec/at-spi-bus-launcher")}) {
        if (QStandardPaths::findExecutable(needed).isEmpty())
            return "Needs " + needed + " (xvfb, dbus, at-spi2-core)";
    }
    // The AT-SPI bus launcher's short visit must not leave the X server
    // resetting itself just as the program connects.
    const std::string display = launch({"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24",
                                        "-nolisten", "tcp", "-noreset"});
    if (display.empty())
        return QStringLiteral("Xvfb did not start");
    qputenv("DISPLAY", ":" + QByteArray::fromStdString(display));
    qputenv("QT_QPA_PLATFORM", "xcb");
    // The session bus starts the AT-SPI bus when the program first asks
    // where it is.
    const std::string bus = launch({"dbus-daemon", "--session", "--nofork", "--print-address=3"});
    if (bus.empty())
        return QStringLiteral("dbus-daemon --session did not start");
    qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray::fromStdString(bus));
    // Qt exports its windows only while it believes a screen reader listens.
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    return {};
}
