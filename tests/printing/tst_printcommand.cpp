#include "PrintCommand.h"
#include "PrintingFixture.h"
#include "RecordingPrinter.h"

#include <QRegularExpression>

using Ints = QList<int>;

class TestPrintCommand : public QObject
{
    Q_OBJECT

    static void addRow(const char *name, const QString &saved, const QStringList &steps,
                       const QString &printer, bool changed, const Ints &fittedTo,
                       const QStringList &ending, const QStringList &messages = {},
                       const QString &failure = {}, bool callOff = false,
                       const QStringList &printers = {"Office", "Kitchen"},
                       const QString &firstName = "A", bool listChosen = true)
    {
        QTest::newRow(name) << saved << steps << printer << changed << fittedTo << ending
                            << messages << failure << callOff << printers << firstName
                            << listChosen;
    }

private slots:
    // The list "Mum" on paper 12240 twips wide (15840 in landscape). Each
    // row: the list's saved printer, also the current one, and what the user
    // does in the dialog ("vanish X": a printer goes away meanwhile); the
    // printer then saved with the list and current, ChangesMade, the page
    // widths the grid was fitted to, how the document ended and what the user
    // was told; how the printer fails, the printers, row 1's Name as an open
    // editor holds it, and whether a list is chosen.
    void PrintList_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<bool>("ChangesMade");
        QTest::addColumn<Ints>("fittedTo");
        QTest::addColumn<QStringList>("ending");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<bool>("callOff");
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<bool>("listChosen");
        const QStringList two{"Office", "Kitchen"};
        const Ints portrait{12240, 12240};
        const QStringList sent{"end"};
        const QStringList discarded{"end", "abort"};
        addRow("no list chosen", "Office", {"print"}, "Office", false, {}, {}, {}, "", false, two,
               "A", false);
        addRow("row 1 has no Name", "Office", {"print"}, "Office", false, {}, {}, {}, "", false,
               two, "");
        addRow("never printed: nothing selected until chosen", "",
               {"print", "choose Kitchen", "print"}, "Kitchen", true, portrait, sent);
        addRow("saved printer installed: landscape, then back to portrait", "Kitchen",
               {"landscape", "print"}, "Kitchen", true, {15840, 12240}, sent);
        addRow("saved printer gone: nothing selected", "Garage", {"print"}, "Garage", false, {},
               {});
        addRow("Enter with the same printer still marks the list changed", "Office", {"enter"},
               "Office", true, portrait, sent);
        addRow("Cancel", "Office", {"choose Kitchen", "landscape", "cancel"}, "Office", false, {},
               {});
        addRow("Esc", "Office", {"esc"}, "Office", false, {}, {});
        addRow("the close box", "Office", {}, "Office", false, {}, {});
        addRow("no printers: Enter and Esc do nothing, closing cancels", "", {"enter", "esc"}, "",
               false, {}, {}, {}, "", false, {});
        addRow("the printer went away while the dialog was open", "Office",
               {"choose Kitchen", "vanish Kitchen", "print"}, "Office", false, {}, {},
               {"tell Message: Printer not found"});
        addRow("the printer refuses the job", "Office", {"landscape", "print"}, "Office", true,
               {15840, 12240}, discarded,
               {"warn Pillora: The list could not be printed.\n\nOffice is not accepting jobs."},
               "Office is not accepting jobs.");
        addRow("the file dialog is cancelled", "Office", {"print"}, "Office", true, portrait,
               discarded, {}, "", true);
    }
    void PrintList()
    {
        QFETCH(QString, saved);
        MedicationList list;
        startList(list);
        list.setListPrinterName(saved);
        RecordingPrinter printer;
        QFETCH(QStringList, printers);
        printer.printers = printers;
        printer.current = saved;
        printer.paperWidth = 12240;
        QFETCH(QString, failure);
        printer.failure = failure;
        QFETCH(bool, callOff);
        printer.callOff = callOff;
        TestHost host(printer, list);
        QFETCH(QString, firstName);
        host.openEdit = firstName;
        QFETCH(bool, listChosen);
        host.chosen = listChosen;
        CharacterMeasurer measurer;
        TestClock clock;
        ScriptedPrompter prompter;
        PrintCommand command(list, printer, measurer, clock, prompter);
        QFETCH(QStringList, steps);
        DialogScript script(
            steps, [&](const QString &step) { printer.printers.removeAll(step.section(u' ', 1)); });
        command.PrintList(host, nullptr);

        QTEST(list.ListPrinterName(), "printer");
        QTEST(printer.current, "printer");
        QTEST(list.ChangesMade(), "ChangesMade");
        QTEST(host.fittedToPageWidths, "fittedTo");
        QTEST(printer.log.filter(QRegularExpression("^(end|abort)$")), "ending");
        QTEST(prompter.log, "messages");
        QVERIFY(!command.choices().CancelPrint);
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
