// Times `pillora --due` over 20 full lists as a whole process, from its start
// to its end, beside a bare QCoreApplication program started the same way in
// the same run, and beside pillora --version, the program's start alone. Both
// programs are copied into one temporary folder, where the copy of the
// program keeps its lists; the program's modules stay behind, as --due needs
// neither. It only prints; it never fails on time.

#include "FullList.h"

#include "DataFolder.h"
#include "ListStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int Lists = 20;
constexpr int Runs = 40;
constexpr double Goal = 1.5;

bool makeLists(const QString &folderHoldingMedFiles)
{
    const DataFolder folder(folderHoldingMedFiles);
    const ListStore store(folder);
    if (!folder.EnsureDataFolder())
        return false;
    for (int i = 1; i <= Lists; ++i) {
        MedicationList list;
        list.setCurrentListName(QStringLiteral("Household member %1").arg(i));
        list.writeHeaderTexts();
        fillFullList(list, QDate::currentDate());
        if (!store.create(list.CurrentListName()) || !store.save(list))
            return false;
    }
    return true;
}

// The time from starting the process to its end, and what it printed.
std::optional<qint64> run(const QString &program, const QStringList &arguments,
                          QByteArray *printed = nullptr)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        std::fprintf(stderr, "bench_due: %s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    const qint64 elapsed = timer.nsecsElapsed();
    if (printed)
        *printed = process.readAllStandardOutput();
    return elapsed;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString pillora = folder.filePath(QStringLiteral("pillora"));
    const QString bare = folder.filePath(QStringLiteral("due_bare_core"));
    if (!QFile::copy(QStringLiteral(PILLORA_PROGRAM), pillora) ||
        !QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/due_bare_core"),
                     bare) ||
        !makeLists(folder.path())) {
        std::fprintf(stderr, "bench_due: could not set up %s\n", qPrintable(folder.path()));
        return 1;
    }

    const QStringList due{QStringLiteral("--due")};
    QByteArray printed;
    // The first start of each reads its libraries from disk; later ones do not.
    run(pillora, due, &printed);
    run(bare, {});
    // pillora --version does no work beyond starting: what the program's own
    // start costs beside the bare one, and what is left to --due's work.
    const std::pair<QString, QStringList> runs[] = {
        {pillora, due}, {bare, {}}, {pillora, {QStringLiteral("--version")}}};
    std::vector<qint64> times[std::size(runs)];
    for (int i = 0; i < Runs; ++i) {
        // Rotating which goes first spreads any drift of the machine over all.
        for (size_t turn = 0; turn < std::size(runs); ++turn) {
            const size_t which = (i + turn) % std::size(runs);
            if (const auto ns = run(runs[which].first, runs[which].second))
                times[which].push_back(*ns);
        }
    }
    const std::vector<qint64> &dueTimes = times[0];
    const std::vector<qint64> &bareTimes = times[1];

    const double dueMs = medianNs(dueTimes) / 1e6;
    const double bareMs = medianNs(bareTimes) / 1e6;
    const double ratio = bareMs > 0 ? dueMs / bareMs : 0;
    std::printf("bench_due: pillora --due over %d lists of 49 medicines (%lld lines printed), "
                "process start to end, median of %zu and %zu runs\n",
                Lists, qlonglong(printed.count('\n')), dueTimes.size(), bareTimes.size());
    std::printf("  pillora --due         %7.1f ms\n", dueMs);
    std::printf("  bare QCoreApplication %7.1f ms\n", bareMs);
    std::printf("  ratio                 %7.2f     (goal: within %.1f, %s)\n", ratio, Goal,
                ratio > 0 && ratio <= Goal ? "met" : "not met");
    const double versionMs = medianNs(times[2]) / 1e6;
    std::printf("  for comparison: pillora --version %.1f ms, the start alone (ratio %.2f); "
                "--due's own work %.1f ms\n",
                versionMs, bareMs > 0 ? versionMs / bareMs : 0, dueMs - versionMs);
    return 0;
}
