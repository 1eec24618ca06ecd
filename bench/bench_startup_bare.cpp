// The yardstick for bench_startup: the least a Qt program does to show a
// window. Built as startup_bare_window, so that the benchmark runner, which
// starts every bench_* program, leaves it to bench_startup.

#include "bench_startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool idle = argc > 1 && qstrcmp(argv[1], "idle") == 0;
    StartupProbe::Probe probe(idle, argc > 2 ? std::atof(argv[2]) : 3.0);
    // "text" puts one line of text in it, which makes Qt load its fonts as
    // any window with a caption or a button must.
    const bool text = argc > 1 && qstrcmp(argv[argc - 1], "text") == 0;
    QWidget window;
    window.resize(770, 532);
    if (text)
        (new QLabel(QStringLiteral("Pillora"), &window))->move(20, 20);
    window.show();
    return app.exec();
}
