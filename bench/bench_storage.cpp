// Times writing and reading a full list file next to a plain write and read
// of the same bytes, so the figures say what the format costs on top of the
// disk on whatever machine runs them. It only prints; it never fails on time.

#include "FullList.h"
#include "ListFileReader.h"
#include "ListFileWriter.h"
#include "MedicationList.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Warmup = 20;
constexpr int Repetitions = 400;

// Runs both steps in turns, so that both see the same state of the machine.
std::pair<double, double> timePair(const std::function<void()> &measured,
                                   const std::function<void()> &raw)
{
    std::vector<qint64> measuredTimes, rawTimes;
    QElapsedTimer timer;
    for (int i = 0; i < Warmup + Repetitions; ++i) {
        timer.start();
        measured();
        const qint64 measuredTime = timer.nsecsElapsed();
        timer.start();
        raw();
        const qint64 rawTime = timer.nsecsElapsed();
        if (i >= Warmup) {
            measuredTimes.push_back(measuredTime);
            rawTimes.push_back(rawTime);
        }
    }
    return {medianNs(measuredTimes) / 1000, medianNs(rawTimes) / 1000};
}

bool openOrComplain(QFile &file, QIODevice::OpenMode mode)
{
    if (file.open(mode))
        return true;
    std::fprintf(stderr, "bench_storage: %s: %s\n", qPrintable(file.fileName()),
                 qPrintable(file.errorString()));
    return false;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString listPath = dir.filePath(QStringLiteral("list.dat"));
    const QString rawPath = dir.filePath(QStringLiteral("raw.dat"));

    MedicationList list;
    fillFullList(list, QDate::currentDate());
    QString error;
    const std::optional<QByteArray> bytes = ListFileWriter::encode(list, &error);
    if (!bytes) {
        std::fprintf(stderr, "bench_storage: %s\n", qPrintable(error));
        return 0;
    }

    bool ok = true;
    const auto [write, rawWrite] = timePair(
        [&] {
            QFile file(listPath);
            ok = openOrComplain(file, QIODevice::WriteOnly) &&
                 ListFileWriter::write(list, file, &error) && ok;
        },
        [&] {
            QFile file(rawPath);
            ok = openOrComplain(file, QIODevice::WriteOnly) &&
                 file.write(*bytes) == bytes->size() && ok;
        });

    bool complete = true;
    const auto [read, rawRead] = timePair(
        [&] {
            QFile file(listPath);
            MedicationList loaded;
            complete = openOrComplain(file, QIODevice::ReadOnly) &&
                       ListFileReader::read(file, loaded).complete && complete;
        },
        [&] {
            QFile file(rawPath);
            ok = openOrComplain(file, QIODevice::ReadOnly) &&
                 file.readAll().size() == bytes->size() && ok;
        });

    std::printf("bench_storage: a full list, %lld bytes, median of %d runs\n",
                static_cast<long long>(bytes->size()), Repetitions);
    std::printf("  write  %8.1f us   raw write %8.1f us   ratio %5.2f\n", write, rawWrite,
                write / rawWrite);
    std::printf("  read   %8.1f us   raw read  %8.1f us   ratio %5.2f  (goal: within 3x, %s)\n",
                read, rawRead, read / rawRead, read <= 3 * rawRead ? "met" : "not met");
    if (!ok || !complete)
        std::printf("  note: a step failed during the runs (%s); the figures may not mean much\n",
                    qPrintable(error.isEmpty() ? QStringLiteral("incomplete read") : error));
    return 0;
}
