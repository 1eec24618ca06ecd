#include "CommandLineProgram.h"

#include "Clock.h"
#include "DataFolder.h"
#include "DataLocation.h"
#include "DueCommand.h"
#include "ProgramInfo.h"
#include "ProgramModule.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace CommandLineProgram {

DueRefills::Result dueRefills(const QDate &today, int withinDays)
{
    // The window's folder, found as the window finds it: the application's
    // name names the user's data folder.
    const DataFolder folder(DataLocation::folderHoldingMedFiles(
        ProgramInfo::programFolder(), ProgramInfo::installedDataFolder()));
    return DueRefills::collect(folder, today, QLocale(), withinDays);
}

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
        // Qt D-Bus and its libraries come with the reminder's module.
        QString problem;
        const auto notifyDue = reinterpret_cast<ProgramModule::NotifyDue *>(
            ProgramModule::entry(ProgramModule::Reminder, &problem));
        if (!notifyDue) {
            err << "pillora: the reminder cannot be sent: " << problem << '\n';
            return 1;
        }
        return notifyDue();
    }
    case CommandLine::Mode::Refused:
    case CommandLine::Mode::Window:
        break;
    }
    err << "pillora: " << commandLine.refusal() << "\n\n" << commandLine.helpText();
    return CommandLine::UsageExitCode;
}

} // namespace CommandLineProgram
