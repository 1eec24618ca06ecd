#include "PrintCommand.h"
#include "PrintingFixture.h"
#include "RecordingPrinter.h"

#include <QAbstractButton>

using Orientations = QList<PrinterService::Orientation>;

class TestPrintCommand : public QObject
{
    Q_OBJECT

private slots:
    // The list "Mum" with its first Name in an open editor, printed on
    // "Office" (12240 wide, 15840 in landscape). Each row: what the user and
    // the printer do; then whether the dialog showed, how many documents
    // went out, the orientations set in turn, the page widths the grid was
    // fitted to in turn, and what the user was told.
    void PrintList_data()
    {
        QTest::addColumn<bool>("listChosen");
        QTest::addColumn<QString>("openEdit");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("callOff");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<int>("sent");
        QTest::addColumn<Orientations>("orientations");
        QTest::addColumn<QList<int>>("fittedTo");
        QTest::addColumn<QStringList>("messages");
        const QStringList print{"cmdSelect_0"};
        const QStringList landscape{"Option1_1", "cmdSelect_0"};
        const Orientations twice{PrinterService::Portrait, PrinterService::Portrait};
        const Orientations turned{PrinterService::Landscape, PrinterService::Portrait};
        QTest::newRow("no list chosen") << false << "Aspirin" << print << "" << false << 0 << 0
                                        << Orientations{} << QList<int>{} << QStringList{};
        QTest::newRow("row 1 has no Name") << true << "" << print << "" << false << 0 << 0
                                           << Orientations{} << QList<int>{} << QStringList{};
        QTest::newRow("Cancel") << true << "Aspirin" << QStringList{"cmdSelect_1"} << "" << false
                                << 1 << 0 << Orientations{} << QList<int>{} << QStringList{};
        QTest::newRow("portrait") << true << "Aspirin" << print << "" << false << 1 << 1 << twice
                                  << QList<int>{12240, 12240} << QStringList{};
        QTest::newRow("landscape, then back to portrait")
            << true << "Aspirin" << landscape << "" << false << 1 << 1 << turned
            << QList<int>{15840, 12240} << QStringList{};
        QTest::newRow("the printer refuses the job")
            << true << "Aspirin" << landscape << "Office is not accepting jobs." << false << 1 << 0
            << turned << QList<int>{15840, 12240}
            << QStringList{
                   "warn Pillora: The list could not be printed.\n\nOffice is not accepting jobs."};
        QTest::newRow("the file dialog is cancelled")
            << true << "Aspirin" << print << "" << true << 1 << 0 << twice
            << QList<int>{12240, 12240} << QStringList{};
    }
    void PrintList()
    {
        QFETCH(QString, openEdit);
        QFETCH(QStringList, clicks);
        QFETCH(QString, failure);
        QFETCH(bool, callOff);
        MedicationList list;
        startList(list);
        list.setListPrinterName(QStringLiteral("Office"));
        RecordingPrinter printer;
        printer.paperWidth = 12240;
        printer.failure = failure;
        printer.callOff = callOff;
        TestHost host(printer);
        QFETCH(bool, listChosen);
        host.chosen = listChosen;
        host.list = &list;
        host.openEdit = openEdit;
        CharacterMeasurer measurer;
        FixedClock clock;
        ScriptedPrompter prompter;
        PrintCommand command(list, printer, measurer, clock, prompter);
        DialogScript script([&](frmPrinterSelect &dialog) {
            for (const QString &name : clicks)
                QTest::mouseClick(control<QAbstractButton>(dialog, qPrintable(name)),
                                  Qt::LeftButton);
        });
        command.PrintList(host, nullptr);

        QTEST(script.shown, "dialogs");
        QTEST(printer.documentsSent, "sent");
        QTEST(printer.orientations, "orientations");
        QTEST(host.fittedToPageWidths, "fittedTo");
        QTEST(prompter.log, "messages");
        QVERIFY(!command.choices().CancelPrint);
        // The open edit is committed before anything is printed.
        QCOMPARE(printer.texts().contains(openEdit), !printer.orientations.isEmpty());
        // A document that did not go out is discarded, so the next starts clean.
        QCOMPARE(printer.log.contains("abort"), !failure.isEmpty() || callOff);
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
