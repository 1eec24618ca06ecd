// Times what a person waits for while keeping a list in the window: choosing
// a full list in the selector (reading its file, fitting the columns and
// colouring the refill dates) and committing one edited cell, each as the
// median of many runs beside its goal. It only prints; it never fails on time.

#include "AddressOpener.h"
#include "CellEditor.h"
#include "Clock.h"
#include "DataFolder.h"
#include "FileAssociations.h"
#include "FontTextMeasurer.h"
#include "Form1.h"
#include "FullList.h"
#include "ListCommands.h"
#include "ListStore.h"
#include "MedicationGrid.h"
#include "PrintCommand.h"
#include "Prompter.h"
#include "RowCommands.h"
#include "SystemPrinterService.h"
#include "Typefaces.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int LoadWarmup = 10;
constexpr int LoadRepetitions = 200;
// Each commit needs an editor opened first, and opening pauses 0.1 s.
constexpr int CommitRepetitions = 15;

// The window asks nothing while no change is unsaved; were it to ask, the
// figures would not be what they claim, so the questions are counted.
class CountingPrompter : public Prompter
{
public:
    int asked = 0;
    bool askYesNo(const QString &, const QString &, DefaultAnswer) override
    {
        ++asked;
        return false;
    }
    int askOrCancel(const QString &, const QString &, const QStringList &) override
    {
        ++asked;
        return -1;
    }
    void inform(const QString &, const QString &) override { ++asked; }
    void warn(const QString &, const QString &) override { ++asked; }
    void tell(const QString &, const QString &) override { ++asked; }
    QString askText(const QString &, const QString &, const QString &) override
    {
        ++asked;
        return {};
    }
    QString askSaveFileName(const QString &, const QString &, const QString &) override
    {
        ++asked;
        return {};
    }
};

class NoAddressOpener : public AddressOpener
{
public:
    bool open(const QUrl &) override { return true; }
};

class NoFileAssociations : public FileAssociations
{
public:
    bool hasApplicationFor(const QString &) const override { return false; }
};

// Times step alone; prepare runs before it, untimed, as do the events the
// step leaves behind (repaints), so that each run starts from a quiet window.
double timeMedian(int warmup, int repetitions, const std::function<void()> &prepare,
                  const std::function<void()> &step)
{
    std::vector<qint64> samples;
    QElapsedTimer timer;
    for (int i = 0; i < warmup + repetitions; ++i) {
        prepare();
        timer.start();
        step();
        const qint64 elapsed = timer.nsecsElapsed();
        QCoreApplication::processEvents();
        if (i >= warmup)
            samples.push_back(elapsed);
    }
    return medianNs(samples) / 1e6;
}

void report(const char *what, double ms, double goalMs)
{
    std::printf("  %-52s %8.3f ms  (goal under %.0f ms%s)\n", what, ms, goalMs,
                ms < goalMs ? "" : ", MISSED");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Typefaces::installSubstitutions();
    QTemporaryDir program;
    const DataFolder folder(program.path());
    const SystemClock clock;
    const ListStore store(folder);
    MedicationList full;
    fillFullList(full, clock.today());
    full.setCurrentListName(QStringLiteral("Full"));
    if (!folder.EnsureDataFolder() || !store.create(QStringLiteral("Full")) || !store.save(full)) {
        std::fprintf(stderr, "Cannot write the list to time in %s\n", qPrintable(program.path()));
        return 1;
    }

    // The window's parts as the program builds them, with a prompter that
    // counts instead of waiting for a person.
    CountingPrompter prompter;
    SystemPrinterService printers(prompter);
    NoAddressOpener opener;
    NoFileAssociations associations;
    FontTextMeasurer measurer(Form1Ui::standardFont());
    MedicationList list;
    ListHistory history(list);
    ListCommands listCommands(list, store, prompter, history);
    RowCommands rowCommands(list, history, prompter, opener);
    PrintCommand printCommand(list, printers, measurer, clock, prompter);
    Form1 window(MainWindowParts{list, history, store, listCommands, rowCommands, printCommand,
                                 clock, prompter, opener, associations, printers, measurer});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "The window was not shown; figures are for a hidden window.\n");
    auto *selector = window.findChild<QComboBox *>(QStringLiteral("cboLoad"));
    auto *grid = window.findChild<MedicationGrid *>(QStringLiteral("Grid1"));
    auto *text1 = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *editor = window.findChild<CellEditor *>(QStringLiteral("cellEditor"));
    selector->setCurrentIndex(0);

    std::printf("bench_listwindow: a list of 49 medicines with three-line notes, offscreen\n");
    const double load = timeMedian(
        LoadWarmup, LoadRepetitions, [] {}, [&] { emit selector->activated(0); });
    report("load a full list (read, fit columns, highlight)", load, 5);

    int row = 0;
    auto openOn = [&](int column, const QString &text) {
        row = row % 48 + 1;
        grid->setCurrentCell(row, column);
        editor->requestOpen();
        if (!QTest::qWaitFor([editor] { return editor->EditingCell(); }))
            std::fprintf(stderr, "No editor opened.\n");
        text1->setText(text);
    };
    const double leave = timeMedian(
        0, CommitRepetitions,
        [&] { openOn(MedicationList::NameColumn, QStringLiteral("Aspirin")); },
        [&] { editor->commit(); });
    report("commit an edited Name (write, fit columns)", leave, 1);
    const double enter = timeMedian(
        0, CommitRepetitions,
        [&] { openOn(MedicationList::RefillDateColumn, clock.today().toString(Qt::ISODate)); },
        [&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QCoreApplication::sendEvent(text1, &press);
        });
    report("Enter on a refill date (commit, fit, highlight)", enter, 1);

    if (prompter.asked)
        std::printf("  note: the window asked %d questions; the figures include them\n",
                    prompter.asked);
    return 0;
}
