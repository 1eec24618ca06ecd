// The program's side of bench_startup: opens the window as src/main.cpp
// does, loading the window's module from beside it, with the probe watching
// from the moment the application object exists. Built as startup_program,
// so that the benchmark runner, which starts every bench_* program, leaves it
// to bench_startup.

#include "bench_startup_probe.h"

#include "ProgramModule.h"

#include <cstdlib>

namespace {

bool idle = false;
double idleSeconds = 3.0;

void watchTheWindow()
{
    auto *probe = new StartupProbe::Probe(idle, idleSeconds);
    probe->setParent(QCoreApplication::instance());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchTheWindow)

int main(int argc, char *argv[])
{
    idle = argc > 1 && qstrcmp(argv[1], "idle") == 0;
    if (argc > 2)
        idleSeconds = std::atof(argv[2]);
    return ProgramModule::runWindow(argc, argv);
}
