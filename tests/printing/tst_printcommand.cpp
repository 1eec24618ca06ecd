#include "PrintCommand.h"
#include "PrintingFixture.h"
#include "RecordingPrinter.h"

#include <QAbstractButton>
#include <QComboBox>

using Orientations = QList<PrinterService::Orientation>;

namespace {

constexpr auto Portrait = PrinterService::Portrait;
constexpr auto Landscape = PrinterService::Landscape;

// The Print command on the list "Mum" with one medicine, whose printer
// "Office" is installed, on Letter paper.
struct Print
{
    Print()
    {
        startList(list);
        list.setListPrinterName(QStringLiteral("Office"));
        list.setCell(1, MedicationList::NameColumn, QStringLiteral("Aspirin"));
        list.setChangesMade(false);
        printer.paperWidth = 12240;
        printer.paperHeight = 15840;
        host.list = &list;
    }

    // Presses Print and lets the user act on the dialog if it shows.
    int run(const DialogScript::Action &atDialog)
    {
        DialogScript script(atDialog);
        command.PrintList();
        return script.shown;
    }

    MedicationList list;
    RecordingPrinter printer;
    CharacterMeasurer measurer;
    FixedClock clock;
    ScriptedPrompter prompter;
    TestHost host{printer};
    PrintCommand command{list, host, printer, measurer, clock, prompter, nullptr};
};

void click(frmPrinterSelect &dialog, const char *name)
{
    QTest::mouseClick(control<QAbstractButton>(dialog, name), Qt::LeftButton);
}

} // namespace

class TestPrintCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each row: what the user and the printer do, then whether the dialog
    // showed, how many documents went out, the orientations set in turn,
    // the page widths the grid was fitted to in turn, and what was said.
    void PrintList_data()
    {
        QTest::addColumn<bool>("listChosen");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("callOff");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<int>("sent");
        QTest::addColumn<Orientations>("orientations");
        QTest::addColumn<QList<int>>("fittedTo");
        QTest::addColumn<QStringList>("messages");
        const QStringList print{"cmdSelect_0"};
        const QString none;
        QTest::newRow("no list chosen") << false << "Aspirin" << print << none << false << 0 << 0
                                        << Orientations{} << QList<int>{} << QStringList{};
        QTest::newRow("row 1 has no Name") << true << "" << print << none << false << 0 << 0
                                           << Orientations{} << QList<int>{} << QStringList{};
        QTest::newRow("Cancel") << true << "Aspirin" << QStringList{"cmdSelect_1"} << none << false
                                << 1 << 0 << Orientations{} << QList<int>{} << QStringList{};
        QTest::newRow("portrait") << true << "Aspirin" << print << none << false << 1 << 1
                                  << Orientations{Portrait, Portrait} << QList<int>{12240, 12240}
                                  << QStringList{};
        QTest::newRow("landscape, then back to portrait")
            << true << "Aspirin" << QStringList{"Option1_1", "cmdSelect_0"} << none << false << 1
            << 1 << Orientations{Landscape, Portrait} << QList<int>{15840, 12240} << QStringList{};
        QTest::newRow("the printer refuses the job")
            << true << "Aspirin" << QStringList{"Option1_1", "cmdSelect_0"}
            << "Office is not accepting jobs." << false << 1 << 0
            << Orientations{Landscape, Portrait} << QList<int>{15840, 12240}
            << QStringList{
                   "warn Pillora: The list could not be printed.\n\nOffice is not accepting jobs."};
        QTest::newRow("the file dialog is cancelled")
            << true << "Aspirin" << print << none << true << 1 << 0
            << Orientations{Portrait, Portrait} << QList<int>{12240, 12240} << QStringList{};
    }
    void PrintList()
    {
        QFETCH(bool, listChosen);
        QFETCH(QString, firstName);
        QFETCH(QStringList, clicks);
        QFETCH(QString, failure);
        QFETCH(bool, callOff);
        Print p;
        p.host.chosen = listChosen;
        p.list.setCell(1, MedicationList::NameColumn, firstName);
        p.printer.failure = failure;
        p.printer.callOff = callOff;
        const int dialogs = p.run([&](frmPrinterSelect &dialog) {
            for (const QString &name : clicks)
                click(dialog, qPrintable(name));
        });
        QTEST(dialogs, "dialogs");
        QTEST(p.printer.documentsSent, "sent");
        QTEST(p.printer.orientations, "orientations");
        QTEST(p.host.fittedToPageWidths, "fittedTo");
        QTEST(p.prompter.log, "messages");
        QVERIFY(!p.command.choices().CancelPrint);
        // A failed document is discarded, so the next one starts clean.
        QCOMPARE(p.printer.log.contains("abort"), !failure.isEmpty() || callOff);
    }

    // The report is laid out on the page the user chose: the rules reach to
    // 480 short of the landscape paper's width.
    void landscapePage()
    {
        Print p;
        p.run([](frmPrinterSelect &dialog) {
            click(dialog, "Option1_1");
            click(dialog, "cmdSelect_0");
        });
        QVERIFY(p.printer.log.contains("line 240,1440 15360,1440"));
        QCOMPARE(p.printer.documentName, "Mum");
    }

    void commitsAnOpenEditFirst()
    {
        Print p;
        p.list.setCell(1, MedicationList::NameColumn, QString());
        p.host.openEdit = QStringLiteral("Albuterol");
        const int dialogs = p.run([](frmPrinterSelect &dialog) { click(dialog, "cmdSelect_0"); });
        QCOMPARE(dialogs, 1);
        QCOMPARE(p.host.commits, 1);
        QVERIFY(p.printer.texts().contains("Albuterol"));
    }

    // The dialog's choice stays with the list, which is then unsaved; the
    // list's texts are untouched, also when printing fails.
    void printerChoiceKeptWithTheList_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("printed") << QString();
        QTest::newRow("failed") << QStringLiteral("Kitchen is out of paper.");
    }
    void printerChoiceKeptWithTheList()
    {
        QFETCH(QString, failure);
        Print p;
        p.printer.failure = failure;
        p.run([](frmPrinterSelect &dialog) {
            auto *printers = control<QComboBox>(dialog, "cboPrinter");
            printers->setCurrentIndex(printers->findText("Kitchen"));
            click(dialog, "cmdSelect_0");
        });
        QCOMPARE(p.list.ListPrinterName(), "Kitchen");
        QCOMPARE(p.printer.current, "Kitchen");
        QVERIFY(p.list.ChangesMade());
        QCOMPARE(p.list.cell(1, MedicationList::NameColumn), "Aspirin");
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
