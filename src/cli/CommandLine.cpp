#include "CommandLine.h"

#include "ProgramInfo.h"

namespace {

QCommandLineOption hidden(QCommandLineOption option)
{
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

} // namespace

CommandLine::CommandLine()
    : m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help.")),
      m_version({QStringLiteral("v"), QStringLiteral("version")},
                QStringLiteral("Shows the version.")),
      m_due(QStringLiteral("due"),
            QStringLiteral("Prints the refills that fall due within a week, overdue ones "
                           "included, from every list: one line each with the date as "
                           "YYYY-MM-DD, the list, the medicine and the date as written, "
                           "separated by tabs, sorted by date.")),
      m_within(QStringLiteral("within"),
               QStringLiteral("With --due: the refills due within DAYS days instead of %1.")
                   .arg(DefaultWithinDays),
               QStringLiteral("DAYS")),
      m_notifyDue(QStringLiteral("notify-due"),
                  QStringLiteral("Shows a desktop notification of the refills due this week, "
                                 "and nothing when none is due. The desktop runs this at "
                                 "login.")),
      // Qt's own choice of window system, which a window start passes on.
      m_platform(hidden(
          QCommandLineOption(QStringLiteral("platform"), QString(), QStringLiteral("name")))),
      m_display(
          hidden(QCommandLineOption(QStringLiteral("display"), QString(), QStringLiteral("name"))))
{
    m_parser.setApplicationDescription(
        QStringLiteral("%1 keeps medication lists, one for each member of a household.\n"
                       "Without an option it opens its window.")
            .arg(ProgramInfo::title()));
    // Qt's window-system options are single words after one dash.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({m_help, m_version, m_due, m_within, m_notifyDue, m_platform, m_display});
}

CommandLine::Mode CommandLine::parse(const QStringList &arguments)
{
    if (!m_parser.parse(arguments))
        return refuse(m_parser.errorText());
    if (!m_parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("Unexpected argument: %1")
                          .arg(m_parser.positionalArguments().constFirst()));
    if (m_parser.isSet(m_help))
        return Mode::Help;
    if (m_parser.isSet(m_version))
        return Mode::Version;
    const bool due = m_parser.isSet(m_due);
    const bool notifyDue = m_parser.isSet(m_notifyDue);
    if (due && notifyDue)
        return refuse(QStringLiteral("--due and --notify-due cannot be used together."));
    if (m_parser.isSet(m_within)) {
        if (!due)
            return refuse(QStringLiteral("--within goes with --due."));
        bool number = false;
        const QString days = m_parser.value(m_within);
        m_withinDays = days.toInt(&number);
        if (!number || m_withinDays < 0)
            return refuse(
                QStringLiteral("--within needs a whole number of days, 0 or more, not \"%1\".")
                    .arg(days));
    }
    if (due)
        return Mode::Due;
    if (notifyDue)
        return Mode::NotifyDue;
    return Mode::Window;
}

CommandLine::Mode CommandLine::refuse(const QString &why)
{
    m_refusal = why;
    return Mode::Refused;
}

bool CommandLine::hasDisplay(const QProcessEnvironment &environment) const
{
    if (m_parser.isSet(m_platform) || m_parser.isSet(m_display))
        return true;
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!environment.value(QString::fromLatin1(name)).isEmpty())
            return true;
    }
    return false;
}

QString CommandLine::noDisplayMessage()
{
    return QStringLiteral("%1 needs a graphical desktop: no display was found.")
        .arg(ProgramInfo::title());
}

QStringList CommandLine::argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
