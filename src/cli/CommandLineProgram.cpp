#include "CommandLineProgram.h"

#include "Clock.h"
#include "DataFolder.h"
#include "DataLocation.h"
#include "DueCommand.h"
#include "NotifyDueCommand.h"
#include "ProgramInfo.h"
#include "ProgramLauncher.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QTextStream>

#include <cstdio>

namespace CommandLineProgram {

namespace {

DueRefills::Result dueRefills(const QDate &today, int withinDays)
{
    // The window's folder, found as the window finds it: the application's
    // name names the user's data folder.
    const DataFolder folder(DataLocation::folderHoldingMedFiles(
        ProgramInfo::programFolder(), ProgramInfo::installedDataFolder()));
    return DueRefills::collect(folder, today, QLocale(), withinDays);
}

} // namespace

int run(const CommandLine &commandLine, CommandLine::Mode mode)
{
    QCoreApplication::setApplicationName(ProgramInfo::title());
    QCoreApplication::setApplicationVersion(ProgramInfo::version());
    QTextStream out(stdout);
    QTextStream err(stderr);
    // Lists' and medicines' names in the terminal's character set.
    out.setEncoding(QStringConverter::System);
    err.setEncoding(QStringConverter::System);
    const QDate today = SystemClock().today();

    switch (mode) {
    case CommandLine::Mode::Help:
        out << commandLine.helpText();
        return 0;
    case CommandLine::Mode::Version:
        out << ProgramInfo::title() << ' ' << ProgramInfo::version() << '\n';
        return 0;
    case CommandLine::Mode::Due:
        return DueCommand::run(dueRefills(today, commandLine.withinDays()), out, err);
    case CommandLine::Mode::NotifyDue: {
        DetachedProgramLauncher launcher;
        const QDBusConnection bus = QDBusConnection::sessionBus();
        const int exitCode =
            NotifyDueCommand::run(dueRefills(today, CommandLine::DefaultWithinDays), today,
                                  QLocale(), bus, launcher, err);
        // Qt's D-Bus thread may still be handing over the last reply when
        // the answer has arrived; were the process to end meanwhile, that
        // thread would work on what the ending process frees. A blocking
        // call returns only once the thread is done with everything before.
        if (bus.isConnected())
            bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.DBus"));
        return exitCode;
    }
    case CommandLine::Mode::Refused:
    case CommandLine::Mode::Window:
        break;
    }
    err << "pillora: " << commandLine.refusal() << "\n\n" << commandLine.helpText();
    return CommandLine::UsageExitCode;
}

} // namespace CommandLineProgram
