#pragma once

#include <QCommandLineParser>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The program's options. Parsed before any application object exists, since
// whether the program may open a window at all depends on them.
class CommandLine
{
public:
    enum class Mode
    {
        Window,
        Help,
        Version,
        Due,
        NotifyDue,
        // Not understood: refusal() says why, and the usage goes with it.
        Refused,
    };

    // A refill falls due when it is at most this many days away, as the
    // window's dark red cells show.
    static constexpr int DefaultWithinDays = 7;
    static constexpr int UsageExitCode = 2;

    CommandLine();

    // arguments starts with the program's own name, as argv does.
    Mode parse(const QStringList &arguments);

    int withinDays() const { return m_withinDays; }
    QString refusal() const { return m_refusal; }
    // Names the program as it was started, so it needs the application
    // object.
    QString helpText() const { return m_parser.helpText(); }

    // Whether a window can be shown at all: a display server to reach, or a
    // window system chosen on purpose (Qt's -platform and -display, or
    // QT_QPA_PLATFORM, which the tests' offscreen windows use).
    bool hasDisplay(const QProcessEnvironment &environment) const;
    static QString noDisplayMessage();

    static QStringList argumentsOf(int argc, char *argv[]);

private:
    Mode refuse(const QString &why);

    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_due;
    QCommandLineOption m_within;
    QCommandLineOption m_notifyDue;
    QCommandLineOption m_platform;
    QCommandLineOption m_display;
    int m_withinDays = DefaultWithinDays;
    QString m_refusal;
};
