#pragma once

#include "CommandLine.h"
#include "DueRefills.h"

// The modes that answer on the terminal or the desktop's notifications and
// open no window. They run on a QCoreApplication, read the data folder the
// window would use, and leave it as it was: no folder is made and the
// window's lock is not taken, so they run beside an open window.
namespace CommandLineProgram {

// Any mode but the window's; needs the application object. Returns the
// exit code.
int run(const CommandLine &commandLine, CommandLine::Mode mode);

// The refills due within so many days in every list of the data folder the
// window would use.
DueRefills::Result dueRefills(const QDate &today, int withinDays);

} // namespace CommandLineProgram
