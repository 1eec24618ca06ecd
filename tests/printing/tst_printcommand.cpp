#include "Doubles.h"
#include "FontTextMeasurer.h"
#include "PaintedContrast.h"
#include "PrintCommand.h"
#include "PrintHost.h"
#include "RecordingPrinter.h"
#include "frmPrinterSelect.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>
#include <QTimer>

#include <functional>

// The main window as printing sees it, with the list "Mum": its columns are
// 1600 twips wide, row 1's Name is in an editor.
class StandInWindow : public PrintHost
{
public:
    explicit StandInWindow(PrinterService &printer) : printer(printer)
    {
        list.writeHeaderTexts();
        list.setCurrentListName("Mum");
        list.setSettings({});
    }
    PrinterService &printer;
    MedicationList list;
    FontTextMeasurer measurer{QFont("MS Sans Serif")};
    TestClock clock;
    ScriptedPrompter prompter;
    PrintCommand command{list, printer, measurer, clock, prompter};
    QList<int> fittedToPageWidths;
    bool leftOpen = false; // the steps left the dialog open: the close box closed it

    bool listChosen() const override { return true; }
    void commitOpenEdit() override { list.setCell(1, MedicationList::NameColumn, "A"); }
    void SetColumnWidths() override { fittedToPageWidths << printer.pageWidth(); }
    int columnWidth(int) const override { return 1600; }

    // Prints, acting in the dialog by steps: "choose X", "landscape",
    // "print", "cancel", "enter", "esc"; others go to other.
    void print(const QStringList &steps, const std::function<void(const QString &)> &other = {})
    {
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<frmPrinterSelect *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer.stop();
            const QMap<QString, QString> buttons{
                {"landscape", "Option1_1"}, {"print", "cmdSelect_0"}, {"cancel", "cmdSelect_1"}};
            auto *box = dialog->findChild<QComboBox *>("cboPrinter");
            for (const QString &step : steps) {
                if (step.startsWith("choose "))
                    box->setCurrentIndex(box->findText(step.section(u' ', 1)));
                else if (buttons.contains(step))
                    dialog->findChild<QAbstractButton *>(buttons[step])->click();
                else if (step == "enter" || step == "esc")
                    QTest::keyClick(dialog, step == "esc" ? Qt::Key_Escape : Qt::Key_Return);
                else
                    other(step);
            }
            leftOpen = dialog->isVisible();
            if (leftOpen)
                dialog->close();
        });
        timer.start(5);
        command.PrintList(*this, nullptr);
    }
};

// The Print command with its dialog, against the recording printer.
class TestPrintCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each row: the list's printer, also the current one, the printers, and
    // the steps in the dialog, besides "vanish X", "refuse" (the job) and
    // "call off" (as in a file dialog); then the printer saved with the list,
    // the current one, ChangesMade, the page width at each fitting of the
    // columns, how the document ended, what the user was told, and "open"
    // when the steps left the dialog open.
    void PrintList_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("outcome");
        const QStringList two{"Office", "Kitchen"};
        QTest::newRow("never printed: Print waits for a choice")
            << "" << two << QStringList{"print", "choose Kitchen", "print"}
            << "Kitchen Kitchen yes fit 12000 fit 12000 end";
        QTest::newRow("never printed: Cancel") << "" << two << QStringList{"cancel"} << "  no";
        QTest::newRow("saved printer gone: Enter does nothing, Esc cancels")
            << "Garage" << two << QStringList{"enter", "esc"} << "Garage Garage no";
        QTest::newRow("landscape, then back to portrait")
            << "Kitchen" << two << QStringList{"landscape", "print"}
            << "Kitchen Kitchen yes fit 15840 fit 12000 end";
        QTest::newRow("Enter with the same printer still marks the list changed")
            << "Office" << two << QStringList{"enter"}
            << "Office Office yes fit 12000 fit 12000 end";
        QTest::newRow("Cancel keeps no choice")
            << "Office" << two << QStringList{"choose Kitchen", "landscape", "cancel"}
            << "Office Office no";
        QTest::newRow("the close box")
            << "Office" << two << QStringList{} << "Office Office no open";
        QTest::newRow("the printer went away while the dialog was open")
            << "Office" << two << QStringList{"choose Kitchen", "vanish Kitchen", "print"}
            << "Office Office no tell Message: Printer not found open";
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
        outcome << printer.log << w.prompter.log;
        if (w.leftOpen)
            outcome << "open";
        QTEST(outcome.join(' '), "outcome");
        QVERIFY(!w.command.choices().CancelPrint);
    }

    // The chosen printer's name as painted, between the combo's edge and
    // its arrow: the combo once forced white under the dark palette's text.
    void printerReadable_data()
    {
        QTest::addColumn<QString>("palette");
        QTest::newRow("light") << "light";
        QTest::newRow("dark") << "dark";
    }
    void printerReadable()
    {
        QFETCH(QString, palette);
        const QPalette before = QApplication::palette();
        PaintedContrast::useFusion(palette);
        RecordingPrinter printer;
        MedicationList list;
        list.setListPrinterName("Kitchen");
        PrintChoices choices;
        ScriptedPrompter prompter;
        frmPrinterSelect dialog(printer, list, choices, prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *box = dialog.findChild<QWidget *>("cboPrinter");
        const QRect text = box->rect().adjusted(4, 3, -box->height(), -3);
        const PaintedContrast::Reading reading = PaintedContrast::read(*box, text);
        QApplication::setPalette(before);
        QVERIFY2(reading.contrast >= 4.5, qPrintable(reading.describe()));
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
