// pillora --notify-due, in the module that the program loads for it alone
// (see ProgramModule.h).

#include "Clock.h"
#include "CommandLine.h"
#include "CommandLineProgram.h"
#include "NotifyDueCommand.h"
#include "ProgramLauncher.h"
#include "ProgramModule.h"

#include <QDBusConnectionInterface>
#include <QTextStream>

#include <string_view>
#include <type_traits>

extern "C" {

Q_DECL_EXPORT const char *pillora_module_version()
{
    return PILLORA_VERSION;
}

Q_DECL_EXPORT int pillora_notify_due()
{
    QTextStream err(stderr);
    err.setEncoding(QStringConverter::System);
    const QDate today = SystemClock().today();
    DetachedProgramLauncher launcher;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const int exitCode =
        NotifyDueCommand::run(CommandLineProgram::dueRefills(today, CommandLine::DefaultWithinDays),
                              today, QLocale(), bus, launcher, err);
    // Qt's D-Bus thread may still be handing over the last reply when the
    // answer has arrived; were the process to end meanwhile, that thread
    // would work on what the ending process frees. A blocking call returns
    // only once the thread is done with everything before.
    if (bus.isConnected())
        bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus"));
    return exitCode;
}
}

// What the program asks for is what is exported here.
static_assert(std::string_view(ProgramModule::VersionSymbol) == "pillora_module_version");
static_assert(std::string_view(ProgramModule::Reminder.entrySymbol) == "pillora_notify_due");
static_assert(std::is_same_v<decltype(pillora_module_version), ProgramModule::Version>);
static_assert(std::is_same_v<decltype(pillora_notify_due), ProgramModule::NotifyDue>);
