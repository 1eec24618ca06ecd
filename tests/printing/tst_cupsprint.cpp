#include "PrintCommand.h"
#include "PrintingFixture.h"
#include "PrivateCupsServer.h"
#include "SystemPrinterService.h"

#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString Queue = QStringLiteral("Pillora_Test");
const QString Title = QStringLiteral("Family - Medications List (Tuesday, December 1, 2026)");
const QStringList Medicines{"Metformin",  "Lisinopril", "Atorvastatin",        "Levothyroxine",
                            "Amlodipine", "Omeprazole", "Hydrochlorothiazide", "Paracétamol"};

QString medicine(int row)
{
    return QStringLiteral("%1 %2").arg(Medicines[row % Medicines.size()]).arg(row);
}

// A full list with three lines of notes to each medicine and six lines of
// general notes: three pages of Letter at the list's 8 points.
void fillThreePages(MedicationList &list)
{
    startList(list, QStringLiteral("Family"));
    for (int row = 1; row <= MedicationList::LastDataRow; ++row) {
        list.setCell(row, MedicationList::NameColumn, medicine(row));
        list.setCell(row, MedicationList::DosageColumn, QStringLiteral("%1 mg").arg(row * 5));
        list.setCell(row, MedicationList::InstructionsColumn, QStringLiteral("One tablet daily"));
        list.setCell(row, MedicationList::QuantityColumn, QStringLiteral("30"));
        list.setCell(row, MedicationList::RefillDateColumn,
                     QStringLiteral("12/%1/2026").arg(row % 28 + 1));
        list.setCell(row, MedicationList::NotesColumn,
                     QStringLiteral("Prescribed by Dr. Weber\r\nTake with food\r\nNo alcohol"));
    }
    QStringList notes;
    for (int line = 1; line <= 6; ++line)
        notes << QStringLiteral("Pharmacy on Main Street, line %1").arg(line);
    list.setNotes(notes.join(QStringLiteral("\r\n")));
}

// The text of a PDF, one string a page.
QStringList pagesOf(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {QStringLiteral("<pdftotext failed on %1>").arg(pdf)};
    // Compatibility forms undo the ligatures the fonts print ("fi").
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput())
                            .normalized(QString::NormalizationForm_KC)
                            .split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace

class TestCupsPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed (Debian package poppler-utils)");
        if (const QString problem = m_server.start(); !problem.isEmpty())
            QSKIP(qPrintable("A private CUPS server cannot start here: " + problem));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        qputenv("CUPS_SERVER", QFile::encodeName(m_server.socketPath()));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QString added = m_server.addQueue(Queue);
        QVERIFY2(added.isEmpty(), qPrintable(added));
    }
    void cleanupTestCase() { m_server.stop(); }

    // The list goes through the real dialog and report to the server's queue
    // or to a PDF file; either way every page reads back with its header.
    void printout_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::newRow("a CUPS queue") << Queue;
        QTest::newRow("Save as PDF") << SystemPrinterService::pdfPrinterName();
    }
    void printout()
    {
        QFETCH(QString, printer);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("Family.pdf"));
        const qsizetype before = m_server.receivedDocuments().size();
        const QStringList messages = print(printer, {pdf});
        QCOMPARE(messages, QStringList{});

        const QStringList received = m_server.receivedDocuments();
        const bool toQueue = printer == Queue;
        QCOMPARE(received.size(), before + (toQueue ? 1 : 0));
        const QStringList pages = pagesOf(toQueue ? received.last() : pdf);
        QVERIFY2(pages.size() >= 3, qPrintable(pages.join("\n--- next page ---\n")));

        const QRegularExpression headingRow(
            "Name +Dosage +Instructions +Quantity +Next Refill Date +Notes");
        for (int page = 1; page <= 3; ++page) {
            const QString text = pages[page - 1];
            QVERIFY2(text.simplified().startsWith(QStringLiteral("Page %1 ").arg(page) + Title),
                     qPrintable(text.left(300)));
            QVERIFY2(text.contains(headingRow), qPrintable(QStringLiteral("page %1").arg(page)));
        }
        const QString all = pages.join(u'\n');
        for (int row = 1; row <= MedicationList::LastDataRow; ++row) {
            const QRegularExpression name(QRegularExpression::escape(medicine(row)) + "\\b");
            QVERIFY2(all.contains(name), qPrintable(medicine(row)));
        }
        QVERIFY(all.contains("Take with food"));
        QVERIFY(pages.last().contains("General notes:"));
        QCOMPARE(all.count(QRegularExpression("> Pharmacy on Main Street, line \\d")), 6);
    }

    void refusedJob()
    {
        const QString refused = m_server.rejectJobs(Queue);
        QVERIFY2(refused.isEmpty(), qPrintable(refused));
        const qsizetype before = m_server.receivedDocuments().size();
        const QStringList messages = print(Queue, {});
        QCOMPARE(m_server.receivedDocuments().size(), before);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith("warn Pillora: The list could not be printed.\n\n"
                                        "The printer \u201cPillora_Test\u201d did not take the "
                                        "job: "),
                 qPrintable(messages[0]));
    }

private:
    // Prints "Family" on the named printer, chosen in the dialog, and
    // returns what the user was told.
    QStringList print(const QString &printer, const QStringList &fileAnswers)
    {
        MedicationList list;
        fillThreePages(list);
        FixedClock clock;
        ScriptedPrompter prompter;
        prompter.fileAnswers = fileAnswers;
        SystemPrinterService printers(prompter);
        QFont measuringFont(QStringLiteral("Sans Serif"));
        measuringFont.setPointSize(8);
        const FontTextMeasurer measurer(measuringFont);
        // Each column as wide as its widest text and a little, as on screen.
        TestHost host(printers);
        for (int column = 1; column < MedicationList::NotesColumn; ++column) {
            double widest = 600;
            for (int row = 0; row < MedicationList::RowCount; ++row)
                widest = std::max(widest, measurer.width(list.cell(row, column)));
            host.widths[column] = int(widest) + 120;
        }
        PrintCommand command(list, host, printers, measurer, clock, prompter, nullptr);
        DialogScript script([&](frmPrinterSelect &dialog) {
            auto *printerBox = control<QComboBox>(dialog, "cboPrinter");
            printerBox->setCurrentIndex(printerBox->findText(printer));
            QTest::mouseClick(control<QPushButton>(dialog, "cmdSelect_0"), Qt::LeftButton);
        });
        command.PrintList();
        if (script.shown != 1)
            return {QStringLiteral("<the printer dialog did not show>")};
        return prompter.log.filter(QRegularExpression("^(warn|tell|inform)"));
    }

    PrivateCupsServer m_server;
};

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
