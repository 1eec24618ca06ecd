#pragma once

#include <QString>

#include <sys/types.h>

#include <vector>

// What a screen reader talks to, brought up for one test process and ended
// with it: an X server of its own (Qt's offscreen platform has no AT-SPI
// bridge, xcb has), a private D-Bus session bus, and the AT-SPI bus with its
// registry. Made before the QApplication, which then shows its windows on
// that X server and exports them on that bus. Where a part is missing
// (no Xvfb, no dbus-daemon, no at-spi2-core), problem() says which, and the
// tests skip with it.
class AtSpiSession
{
public:
    AtSpiSession();
    ~AtSpiSession();
    AtSpiSession(const AtSpiSession &) = delete;
    AtSpiSession &operator=(const AtSpiSession &) = delete;

    // Empty once everything runs.
    static QString problem();

private:
    bool start();
    pid_t spawn(const std::vector<std::string> &command, int keepOpen = -1);

    std::vector<pid_t> m_started;
};

// Skips the test where the session could not be brought up.
#define PILLORA_SKIP_WITHOUT_ATSPI()                                                               \
    do {                                                                                           \
        if (!AtSpiSession::problem().isEmpty())                                                    \
            QSKIP(qPrintable(AtSpiSession::problem()));                                            \
    } while (false)

// A test's main(): the session first, then the application and the tests.
#define PILLORA_ATSPI_TEST_MAIN(TestObject)                                                        \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        AtSpiSession session;                                                                      \
        QApplication app(argc, argv);                                                              \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
