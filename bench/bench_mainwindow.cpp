// Times the main window's work on a full list: sizing the columns, colouring
// the refill dates and one status timer tick, each as the median of many
// runs beside its goal. It only prints; it never fails on time.

#include "Clock.h"
#include "DialogPrompter.h"
#include "Form1.h"
#include "FullList.h"
#include "MedicationGrid.h"
#include "SystemPrinterService.h"
#include "Typefaces.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Warmup = 20;
constexpr int Repetitions = 300;
constexpr double TicksPerSecond = 1000.0 / 50;
// The idle program may use 0.5 % of a core; at 20 ticks a second that is the tick's share.
constexpr double TickBudgetUs = 0.005 / TicksPerSecond * 1e6;

// prepare runs untimed before each timed run.
double medianOf(const std::function<void()> &measured, const std::function<void(int)> &prepare = {})
{
    std::vector<qint64> samples;
    QElapsedTimer timer;
    for (int i = 0; i < Warmup + Repetitions; ++i) {
        if (prepare)
            prepare(i);
        timer.start();
        measured();
        const qint64 elapsed = timer.nsecsElapsed();
        if (i >= Warmup)
            samples.push_back(elapsed);
    }
    return medianNs(samples) / 1000;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Typefaces::installSubstitutions();
    QTemporaryDir programFolder;
    const SystemClock clock;
    DialogPrompter prompter;
    SystemPrinterService printers(prompter);
    Form1 window({programFolder.path(), &clock, &printers});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::printf("bench_mainwindow: the window was not shown; figures are without a display\n");
    window.Timer1->stop();

    fillFullList(window.list(), clock.today());
    window.SetColumnWidths();
    window.HighlightRefillDates();
    QCoreApplication::processEvents();

    const double columns = medianOf([&] { window.SetColumnWidths(); });
    // A list just opened: none of its texts has been measured before.
    std::array<std::array<QString, MedicationList::ColumnCount>, MedicationList::RowCount> full;
    for (int row = 0; row < MedicationList::RowCount; ++row)
        for (int column = 0; column < MedicationList::ColumnCount; ++column)
            full[row][column] = window.list().cell(row, column);
    const double columnsFresh = medianOf([&] { window.SetColumnWidths(); }, [&](int i) {
        for (int row = 0; row < MedicationList::RowCount; ++row)
            for (int column = 1; column < MedicationList::ColumnCount; ++column)
                window.list().setCell(row, column,
                                      full[row][column] + QString::number(i));
    });
    fillFullList(window.list(), clock.today());
    const double columnsPainted = medianOf([&] {
        window.SetColumnWidths();
        window.grid()->viewport()->repaint();
    });
    const double highlight = medianOf([&] { window.HighlightRefillDates(); });
    const double tick = medianOf([&] { window.updateStatus(); });
    const double tickWithMarker =
        medianOf([&] { window.updateStatus(); }, [&](int i) { window.grid()->setRow(1 + i % 2); });

    std::printf("bench_mainwindow: a full list (300 cells), platform %s, page width %d twips, "
                "median of %d runs\n",
                qPrintable(QGuiApplication::platformName()), printers.pageWidth(), Repetitions);
    std::printf("  SetColumnWidths              %8.1f us  (goal: under 1000 us, %s)\n", columns,
                columns < 1000 ? "met" : "not met");
    std::printf("  SetColumnWidths, new texts   %8.1f us  (%s)\n", columnsFresh,
                columnsFresh < 1000 ? "met" : "not met");
    std::printf("  SetColumnWidths and repaint  %8.1f us  (for comparison: the grid drawn anew)\n",
                columnsPainted);
    std::printf("  HighlightRefillDates         %8.1f us  (no goal)\n", highlight);
    std::printf(
        "  timer tick                   %8.1f us  (budget %.0f us: 0.5 %% of a core at %.0f "
        "ticks a second, %s)\n",
        tick, TickBudgetUs, TicksPerSecond, tick < TickBudgetUs ? "met" : "not met");
    std::printf("  timer tick moving the marker %8.1f us\n", tickWithMarker);
    return 0;
}
