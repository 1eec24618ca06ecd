#include "CommandLine.h"
#include "CommandLineProgram.h"
#include "DataLocation.h"
#include "ProgramModule.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    DataLocation::ignoreRelativeDataHome();
    CommandLine commandLine;
    const CommandLine::Mode mode = commandLine.parse(CommandLine::argumentsOf(argc, argv));
    if (mode != CommandLine::Mode::Window) {
        QCoreApplication app(argc, argv);
        return CommandLineProgram::run(commandLine, mode);
    }
    // Without a display QApplication would abort with Qt's own words.
    if (!commandLine.hasDisplay(QProcessEnvironment::systemEnvironment())) {
        std::fprintf(stderr, "%s\n", qPrintable(CommandLine::noDisplayMessage()));
        return 1;
    }
    return ProgramModule::runWindow(argc, argv);
}
