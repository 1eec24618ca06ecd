#include "PrintingFixture.h"
#include "RecordingPrinter.h"

#include <QRegularExpression>

// The Print command with its dialog, against the recording printer.
class TestPrintCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each row: the list's printer, also the current one, the printers, and the
    // steps in the dialog, besides "vanish X", "refuse" (the job) and "call
    // off" (as in a file dialog); then the printer saved with the list, the
    // current one, ChangesMade, the page width at each fitting of the columns,
    // how the document ended and what the user was told.
    void PrintList_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("outcome");
        const QStringList two{"Office", "Kitchen"};
        QTest::newRow("never printed: nothing selected until chosen")
            << "" << two << QStringList{"print", "choose Kitchen", "print"}
            << "Kitchen Kitchen yes fit 12000 fit 12000 end";
        QTest::newRow("saved printer installed: landscape, then back to portrait")
            << "Kitchen" << two << QStringList{"landscape", "print"}
            << "Kitchen Kitchen yes fit 15840 fit 12000 end";
        QTest::newRow("saved printer gone: nothing selected")
            << "Garage" << two << QStringList{"print"} << "Garage Garage no";
        QTest::newRow("Enter with the same printer still marks the list changed")
            << "Office" << two << QStringList{"enter"}
            << "Office Office yes fit 12000 fit 12000 end";
        QTest::newRow("Cancel") << "Office" << two
                                << QStringList{"choose Kitchen", "landscape", "cancel"}
                                << "Office Office no";
        QTest::newRow("the close box") << "Office" << two << QStringList{} << "Office Office no";
        QTest::newRow("no printers: Enter does nothing, Esc cancels")
            << "" << QStringList{} << QStringList{"enter", "esc"} << "  no";
        QTest::newRow("the printer went away while the dialog was open")
            << "Office" << two << QStringList{"choose Kitchen", "vanish Kitchen", "print"}
            << "Office Office no tell Message: Printer not found";
        QTest::newRow("the printer refuses the job")
            << "Office" << two << QStringList{"refuse", "landscape", "print"}
            << "Office Office yes fit 15840 fit 12000 end abort warn Pillora: The list could not "
               "be printed.\n\nrefused";
        QTest::newRow("the file dialog is cancelled: silent")
            << "Office" << two << QStringList{"call off", "print"}
            << "Office Office yes fit 12000 fit 12000 end abort";
    }
    void PrintList()
    {
        RecordingPrinter printer;
        StandInWindow w(printer);
        QFETCH(QString, saved);
        w.list.setListPrinterName(saved);
        printer.current = saved;
        QFETCH(QStringList, printers);
        printer.printers = printers;
        QFETCH(QStringList, steps);
        w.print(steps, [&](const QString &step) {
            if (step.startsWith("vanish "))
                printer.printers.removeAll(step.section(u' ', 1));
            else if (step == "refuse")
                printer.failure = "refused";
            else
                printer.callOff = true;
        });
        QStringList outcome{w.list.ListPrinterName(), printer.current,
                            w.list.ChangesMade() ? "yes" : "no"};
        for (int width : w.fittedToPageWidths)
            outcome << "fit " + QString::number(width);
        outcome << printer.log.filter(QRegularExpression("^(end|abort)$")) << w.prompter.log;
        QTEST(outcome.join(' '), "outcome");
        QVERIFY(!w.command.choices().CancelPrint);
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
