// The yardstick for bench_due: the least a Qt program without a window does,
// start its application object and end. Built as due_bare_core, so that the
// benchmark runner, which starts every bench_* program, leaves it to
// bench_due.

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    return 0;
}
