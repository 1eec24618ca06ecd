// Times the program's start, from the process's start to its first window
// shown and painted, beside a bare Qt window started the same way in the same
// run, and the CPU the idle window uses with its 50 ms timer. Every start is a
// fresh process: startup_program, which opens the window as the program does,
// loading the window's module, or startup_bare_window. startup_program and
// the module are copied into a temporary folder of their own, where the copy
// keeps its lists. It only prints; it never fails on time.

#include "bench_startup_probe.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int Starts = 10;
constexpr double IdleSeconds = 3.0;
constexpr double StartGoal = 1.2;
constexpr double IdleGoalPercent = 0.5;

// Starts a child and returns the number it prints after key=.
std::optional<double> runChild(const QString &program, const QStringList &arguments,
                               const QByteArray &key)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")) &&
        !environment.contains(QStringLiteral("DISPLAY")) &&
        !environment.contains(QStringLiteral("WAYLAND_DISPLAY")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    environment.insert(QStringLiteral("PILLORA_BENCH_SPAWNED_NS"),
                       QString::number(StartupProbe::monotonicNs()));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
    }
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1).toDouble();
    }
    std::fprintf(stderr, "bench_startup: %s %s printed no %s: %s\n", qPrintable(program),
                 qPrintable(arguments.join(u' ')), key.constData(),
                 process.readAllStandardError().constData());
    return std::nullopt;
}

// startup_program and the window's module in a folder of their own.
bool copyProgram(const QString &folder)
{
    const QString module = QStringLiteral(PILLORA_WINDOW_MODULE);
    return QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/startup_program"),
                       folder + QStringLiteral("/startup_program")) &&
           QFile::copy(module, folder + u'/' + QFileInfo(module).fileName());
}

double median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir programFolder;
    if (!copyProgram(programFolder.path())) {
        std::fprintf(stderr, "bench_startup: could not set up %s\n",
                     qPrintable(programFolder.path()));
        return 1;
    }
    const QString self = programFolder.filePath(QStringLiteral("startup_program"));
    const QString bare =
        QCoreApplication::applicationDirPath() + QStringLiteral("/startup_bare_window");
    const QStringList programShown{QStringLiteral("shown")};

    // The first start of each reads its libraries from disk; later ones do not.
    runChild(self, programShown, "shown_us");
    runChild(bare, {QStringLiteral("shown")}, "shown_us");
    runChild(bare, {QStringLiteral("shown"), QStringLiteral("text")}, "shown_us");
    const std::pair<QString, QStringList> children[] = {
        {self, programShown},
        {bare, {QStringLiteral("shown")}},
        {bare, {QStringLiteral("shown"), QStringLiteral("text")}},
    };
    std::vector<double> times[std::size(children)];
    for (int i = 0; i < Starts; ++i) {
        // Rotating which goes first spreads any drift of the machine over all.
        for (size_t turn = 0; turn < std::size(children); ++turn) {
            const size_t child = (i + turn) % std::size(children);
            if (const auto shown =
                    runChild(children[child].first, children[child].second, "shown_us"))
                times[child].push_back(*shown / 1000.0);
        }
    }
    const std::vector<double> &programTimes = times[0];
    const std::vector<double> &bareTimes = times[1];
    const auto programIdle =
        runChild(self, {QStringLiteral("idle"), QString::number(IdleSeconds)}, "cpu_percent");
    const auto bareIdle =
        runChild(bare, {QStringLiteral("idle"), QString::number(IdleSeconds)}, "cpu_percent");

    const double programMs = median(programTimes);
    const double bareMs = median(bareTimes);
    const double ratio = bareMs > 0 ? programMs / bareMs : 0;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    std::printf("bench_startup: process start to first window shown, platform %s, median of %zu "
                "and %zu starts\n",
                platform.isEmpty() ? "default" : platform.constData(), programTimes.size(),
                bareTimes.size());
    std::printf("  Pillora         %7.1f ms\n", programMs);
    std::printf("  bare Qt window  %7.1f ms\n", bareMs);
    std::printf("  ratio           %7.2f     (goal: within %.1f, %s)\n", ratio, StartGoal,
                ratio > 0 && ratio <= StartGoal ? "met" : "not met");
    const double textMs = median(times[2]);
    std::printf("  for comparison: bare window with one line of text %.1f ms, ratio %.2f\n", textMs,
                textMs > 0 ? programMs / textMs : 0);
    if (programIdle && bareIdle) {
        std::printf("  idle CPU over %.0f s: Pillora %.3f %% of one core, bare window %.3f %% "
                    "(goal: under %.1f %%, %s)\n",
                    IdleSeconds, *programIdle, *bareIdle, IdleGoalPercent,
                    *programIdle < IdleGoalPercent ? "met" : "not met");
    }
    return 0;
}
