// Times reading the file of a full list as Load does, and writing its bytes
// as Save does. The goal that counts is a read under 1 ms. The write goes to
// memory: how long the disk then takes depends on the disk and on what it
// was doing, not on the program. It only prints; it never fails on time.

#include "FullList.h"
#include "ListFileReader.h"
#include "ListFileWriter.h"
#include "MedicationList.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Warmup = 20;
constexpr int Repetitions = 400;
constexpr double ReadGoalMs = 1.0;

double medianMs(const std::function<bool()> &step, bool &ok)
{
    std::vector<qint64> times;
    QElapsedTimer timer;
    for (int i = 0; i < Warmup + Repetitions; ++i) {
        timer.start();
        ok = step() && ok;
        if (i >= Warmup)
            times.push_back(timer.nsecsElapsed());
    }
    return medianNs(times) / 1e6;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.dat"));
    MedicationList list;
    fillFullList(list, QDate::currentDate());

    QFile file(path);
    bool ok = file.open(QIODevice::WriteOnly) && ListFileWriter::write(list, file, nullptr);
    file.close();
    const double write = medianMs(
        [&] {
            QBuffer buffer;
            return buffer.open(QIODevice::WriteOnly) &&
                   ListFileWriter::write(list, buffer, nullptr);
        },
        ok);
    const double read = medianMs(
        [&] {
            QFile file(path);
            MedicationList loaded;
            return file.open(QIODevice::ReadOnly) && ListFileReader::read(file, loaded).complete;
        },
        ok);

    std::printf("bench_storage: the file of a full list, %lld bytes, median of %d runs\n",
                static_cast<long long>(file.size()), Repetitions);
    std::printf("  read   %7.3f ms  (goal under %.0f ms%s)\n", read, ReadGoalMs,
                read < ReadGoalMs ? "" : ", MISSED");
    std::printf("  write  %7.3f ms  (to memory)\n", write);
    if (!ok)
        std::printf("  note: a step failed during the runs; the figures may not mean much\n");
    return 0;
}
