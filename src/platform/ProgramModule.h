#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

// Parts of the program built as modules of their own, which the program
// loads only for the mode that needs them: the window, with Qt Widgets,
// printing and their libraries, and the refill reminder, with Qt D-Bus and
// its. Loading those libraries costs more than the rest of pillora --due's
// work, and --due, --help and --version need none of them. A module is
// beside the program in the build and in a portable copy, and in the private
// library folder of an installed copy, found from the program folder so that
// the installation can move as a whole.
namespace ProgramModule {

struct Module
{
    const char *fileName;
    // The module's main(), which QLibrary resolves by this name.
    const char *entrySymbol;
};

inline constexpr Module Window{"pillora-window.so", "pillora_window_main"};
using WindowMain = int(int *argc, char **argv);

inline constexpr Module Reminder{"pillora-notify.so", "pillora_notify_due"};
// Runs on the application object the program made.
using NotifyDue = int();

// Every module also says which version of the program it belongs to.
inline constexpr char VersionSymbol[] = "pillora_module_version";
using Version = const char *();

// Where a module may be, in the order they are tried.
QStringList candidates(const QString &programFolder, const QString &fileName);

// The entry of the module, loaded from the first candidate that exists,
// with the program's own folder found before any application object
// exists. Null when there is none, it does not load or it is another
// version's; problem then says why.
QFunctionPointer entry(const Module &module, QString *problem);

// Loads the window's module and runs the window, as main() would with the
// window linked in; the window's exit code. When the module cannot be had,
// says why on stderr and returns 1.
int runWindow(int &argc, char **argv);

} // namespace ProgramModule
