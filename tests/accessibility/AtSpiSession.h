#pragma once

#include <QString>

#include <sys/types.h>

#include <string>
#include <vector>

// What a screen reader talks to, for one test process and ended with it: an
// X server of its own (Qt's offscreen platform has no AT-SPI bridge), a
// private session bus and the AT-SPI bus. Made before the QApplication.
// Where a part is missing, problem() says which, and the tests skip.
class AtSpiSession
{
public:
    AtSpiSession() { s_problem = start(); }
    ~AtSpiSession();
    Q_DISABLE_COPY(AtSpiSession)

    // Empty once everything runs.
    static QString problem() { return s_problem; }

private:
    static inline QString s_problem = QStringLiteral("The AT-SPI session was not started");

    QString start();
    std::string launch(std::vector<std::string> command);

    std::vector<pid_t> m_started;
};

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
