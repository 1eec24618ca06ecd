// The window's side of main(), in the module that the program loads only to
// open the window (see ProgramModule.h).

#include "DataLocation.h"
#include "Program.h"
#include "ProgramInfo.h"
#include "ProgramModule.h"

#include <QApplication>

#include <string_view>
#include <type_traits>

extern "C" {

Q_DECL_EXPORT const char *pillora_module_version()
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

// What the program asks for is what is exported here.
static_assert(std::string_view(ProgramModule::VersionSymbol) == "pillora_module_version");
static_assert(std::string_view(ProgramModule::Window.entrySymbol) == "pillora_window_main");
static_assert(std::is_same_v<decltype(pillora_module_version), ProgramModule::Version>);
static_assert(std::is_same_v<decltype(pillora_window_main), ProgramModule::WindowMain>);
