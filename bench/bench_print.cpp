// Times printing a full list (49 medicines with long notes of three lines,
// twenty lines of general notes) at Large bold on a portrait page, where its
// grid is wider than the paper, to a PDF file through the system's printer
// service, and the layout alone against a printer that only writes down
// what it is asked. It only prints; it never fails on time.
//
//   bench_print [copy.pdf]   also keeps the last printed PDF there

#include "Clock.h"
#include "FontTextMeasurer.h"
#include "FullList.h"
#include "ListReport.h"
#include "Prompter.h"
#include "SystemPrinterService.h"
#include "Typefaces.h"
#include "printing/RecordingPrinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int Warmup = 3;
constexpr int Repetitions = 30;

// Every PDF goes to the same file, as if the user chose it each time.
class FixedFilePrompter : public Prompter
{
public:
    explicit FixedFilePrompter(QString path) : m_path(std::move(path)) {}
    bool askYesNo(const QString &, const QString &, DefaultAnswer) override { return false; }
    int askOrCancel(const QString &, const QString &, const QStringList &) override { return -1; }
    void inform(const QString &, const QString &) override {}
    void warn(const QString &text, const QString &) override
    {
        std::fprintf(stderr, "bench_print: %s\n", qPrintable(text));
    }
    void tell(const QString &, const QString &) override {}
    QString askText(const QString &, const QString &, const QString &) override { return {}; }
    QString askSaveFileName(const QString &, const QString &, const QString &) override
    {
        return m_path;
    }

private:
    QString m_path;
};

double medianMs(const std::function<void()> &step)
{
    std::vector<qint64> samples;
    QElapsedTimer timer;
    for (int i = 0; i < Warmup + Repetitions; ++i) {
        timer.start();
        step();
        if (i >= Warmup)
            samples.push_back(timer.nsecsElapsed());
    }
    return medianNs(samples) / 1e6;
}

// The grid's widths as column sizing gives them: each column as wide as its
// widest text, at least 600, and 120 more.
ListReport::ColumnWidths widthsFor(const MedicationList &list, const TextMeasurer &measurer)
{
    ListReport::ColumnWidths widths{480, 0, 0, 0, 0, 0, 0};
    for (int column = 1; column < MedicationList::NotesColumn; ++column) {
        double widest = 600;
        for (int row = 0; row < MedicationList::RowCount; ++row)
            widest = std::max(widest, measurer.width(list.cell(row, column)));
        widths[column] = int(widest) + 120;
    }
    return widths;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Typefaces::installSubstitutions();
    const SystemClock clock;
    MedicationList list;
    list.writeHeaderTexts();
    list.setCurrentListName(QStringLiteral("Full"));
    // Large and bold, as the full list is kept: its columns together are
    // wider than a portrait page, so they are narrowed and their texts wrap.
    fillFullList(list, clock.today());
    QFont measuringFont(QStringLiteral("MS Sans Serif"));
    measuringFont.setPointSize(list.settings().fontSize);
    measuringFont.setBold(list.settings().bold);
    const FontTextMeasurer measurer(measuringFont);
    const ListReport::ColumnWidths widths = widthsFor(list, measurer);

    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("Full.pdf"));
    FixedFilePrompter prompter(pdf);
    SystemPrinterService printers(prompter);
    printers.setCurrentPrinter(SystemPrinterService::pdfPrinterName());
    printers.setDocumentName(list.CurrentListName());
    ListReport report(printers, list, measurer, clock);
    bool allSaved = true;
    int pages = 0;
    const double toPdf = medianMs([&] {
        report.printPages(widths);
        pages = printers.pageNumber();
        if (!printers.endDocument()) {
            allSaved = false;
            printers.abortDocument();
        }
    });

    RecordingPrinter recorder;
    recorder.paperWidth = printers.pageWidth();
    recorder.drawingHeight = printers.printableHeight();
    ListReport layout(recorder, list, measurer, clock);
    const double layoutOnly = medianMs([&] {
        recorder.printed.clear();
        layout.printPages(widths);
    });

    std::printf("bench_print: a full list at Large bold, portrait, %d pages, median of %d runs\n",
                pages, Repetitions);
    std::printf("  the grid's columns %s the page\n",
                report.layout().narrowed() ? "are narrowed to fit" : "fit");
    std::printf("  printed to PDF  %8.2f ms  (goal: under 150 ms, %s)\n", toPdf,
                toPdf < 150 ? "met" : "missed");
    std::printf("  layout alone    %8.2f ms  (against a recording printer, %lld texts and rules)\n",
                layoutOnly, qlonglong(recorder.printed.size()));
    if (!allSaved)
        std::printf("  note: a PDF could not be saved; the figures may not mean much\n");
    if (argc > 1) {
        QFile::remove(QString::fromLocal8Bit(argv[1]));
        if (!QFile::copy(pdf, QString::fromLocal8Bit(argv[1])))
            std::fprintf(stderr, "bench_print: cannot keep the PDF as %s\n", argv[1]);
    }
    return 0;
}
