#pragma once

#include <QString>
#include <QStringList>

// The window is a module of its own, pillora-window.so, that the program
// loads only to open the window: the command line then starts without the
// window's libraries (Qt Widgets, Gui, PrintSupport, CUPS and theirs), which
// cost more to load than the rest of its work. The module is beside the
// program in the build and in a portable copy, and in the private library
// folder of an installed copy, found from the program folder so that the
// installation can move as a whole.
namespace WindowModule {

// What the module exports: its version, and the window's main().
inline constexpr char VersionSymbol[] = "pillora_window_version";
inline constexpr char MainSymbol[] = "pillora_window_main";
using VersionFunction = const char *();
using MainFunction = int(int *argc, char **argv);

QString fileName();

// Where the module may be, in the order they are tried.
QStringList candidates(const QString &programFolder);

// Loads the module and runs the window, as main() would with the module's
// parts linked in; the window's exit code. When the module is missing, does
// not load or is not this version's, says so on stderr and returns 1.
int run(int &argc, char **argv);

} // namespace WindowModule
