#include "PrintCommand.h"
#include "PrintingFixture.h"
#include "RecordingPrinter.h"

#include <QRegularExpression>

class TestPrintCommand : public QObject
{
    Q_OBJECT

private slots:
    // The list "Mum", row 1's Name "A" still in its editor, on paper 12240
    // twips wide (15840 in landscape); the list's saved printer is also the
    // current one. Each row: that printer, and the steps of the person in the
    // dialog, besides "vanish X" (a printer goes away meanwhile), "refuse"
    // (the printer refuses the job) and "call off" (as in a file dialog).
    // Then the outcome: the printer saved with the list, the current printer,
    // ChangesMade, the page width at each fitting of the columns, how the
    // document ended and what the user was told.
    void PrintList_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("outcome");
        const QStringList two{"Office", "Kitchen"};
        const QStringList print{"print"};
        QTest::newRow("no Name in row 1") << "Office" << two << "" << print << "Office Office no";
        QTest::newRow("never printed: nothing selected until chosen")
            << "" << two << "A" << QStringList{"print", "choose Kitchen", "print"}
            << "Kitchen Kitchen yes fit 12240 fit 12240 end";
        QTest::newRow("saved printer installed: landscape, then back to portrait")
            << "Kitchen" << two << "A" << QStringList{"landscape", "print"}
            << "Kitchen Kitchen yes fit 15840 fit 12240 end";
        QTest::newRow("saved printer gone: nothing selected")
            << "Garage" << two << "A" << print << "Garage Garage no";
        QTest::newRow("Enter with the same printer still marks the list changed")
            << "Office" << two << "A" << QStringList{"enter"}
            << "Office Office yes fit 12240 fit 12240 end";
        QTest::newRow("Cancel") << "Office" << two << "A"
                                << QStringList{"choose Kitchen", "landscape", "cancel"}
                                << "Office Office no";
        QTest::newRow("the close box")
            << "Office" << two << "A" << QStringList{} << "Office Office no";
        QTest::newRow("no printers: Enter and Esc do nothing, closing cancels")
            << "" << QStringList{} << "A" << QStringList{"enter", "esc"} << "  no";
        QTest::newRow("the printer went away while the dialog was open")
            << "Office" << two << "A" << QStringList{"choose Kitchen", "vanish Kitchen", "print"}
            << "Office Office no tell Message: Printer not found";
        QTest::newRow("the printer refuses the job")
            << "Office" << two << "A" << QStringList{"refuse", "landscape", "print"}
            << "Office Office yes fit 15840 fit 12240 end abort warn Pillora: The list could not "
               "be printed.\n\nrefused";
        QTest::newRow("the file dialog is cancelled: silent")
            << "Office" << two << "A" << QStringList{"call off", "print"}
            << "Office Office yes fit 12240 fit 12240 end abort";
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
        TestHost host(printer, list);
        QFETCH(QString, name);
        host.openEdit = name;
        CharacterMeasurer measurer;
        TestClock clock;
        ScriptedPrompter prompter;
        PrintCommand command(list, printer, measurer, clock, prompter);
        QFETCH(QStringList, steps);
        printWith(command, host, steps, [&](const QString &step) {
            if (step.startsWith("vanish "))
                printer.printers.removeAll(step.section(u' ', 1));
            else if (step == "refuse")
                printer.failure = "refused";
            else
                printer.callOff = true;
        });

        QStringList outcome{list.ListPrinterName(), printer.current,
                            list.ChangesMade() ? "yes" : "no"};
        for (int width : host.fittedToPageWidths)
            outcome << "fit " + QString::number(width);
        outcome << printer.log.filter(QRegularExpression("^(end|abort)$")) << prompter.log;
        QTEST(outcome.join(' '), "outcome");
        QVERIFY(!command.choices().CancelPrint);
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
