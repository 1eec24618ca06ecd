// The window's side of main(), in the module that the program loads only to
// open the window (see WindowModule.h).

#include "DataLocation.h"
#include "Program.h"
#include "ProgramInfo.h"
#include "WindowModule.h"

#include <QApplication>

#include <string_view>
#include <type_traits>

extern "C" {

Q_DECL_EXPORT const char *pillora_window_version()
{
    return PILLORA_VERSION;
}

Q_DECL_EXPORT int pillora_window_main(int *argc, char **argv)
{
    QApplication app(*argc, argv);
    Program::setUpApplication();
    Program program(DataLocation::folderHoldingMedFiles(ProgramInfo::programFolder(),
                                                        ProgramInfo::installedDataFolder()));
    if (!program.start())
        return 1;
    return app.exec();
}
}

// What the loader asks for is what is exported here.
static_assert(std::string_view(WindowModule::VersionSymbol) == "pillora_window_version");
static_assert(std::string_view(WindowModule::MainSymbol) == "pillora_window_main");
static_assert(std::is_same_v<decltype(pillora_window_version), WindowModule::VersionFunction>);
static_assert(std::is_same_v<decltype(pillora_window_main), WindowModule::MainFunction>);
