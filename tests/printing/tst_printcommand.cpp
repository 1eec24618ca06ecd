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

// The Print command with its dialog, against the recording printer; the
// test stands in for the main window, whose columns are 1600 twips wide.
class TestPrintCommand : public QObject, public PrintHost
{
    Q_OBJECT

    RecordingPrinter m_printer;
    QStringList m_fits;

public:
    bool listChosen() const override { return true; }
    void commitOpenEdit() override {}
    void SetColumnWidths() override { m_fits << "fit " + QString::number(m_printer.pageWidth()); }
    int columnWidth(int) const override { return 1600; }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each row: the list's printer, also the current one, and steps in the
    // dialog, or "vanish X", "refuse" (the job), "call off" (a file dialog);
    // then the printers saved and current, ChangesMade, the page width at
    // each fitting, how the document ended, what the user was told, and
    // "open" when the steps left the dialog open.
    void PrintList_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("never printed: Print waits for a choice")
            << "" << QStringList{"print", "choose Kitchen", "print"}
            << "Kitchen Kitchen yes fit 12000 fit 12000 end";
        QTest::newRow("never printed: Cancel") << "" << QStringList{"cancel"} << "  no";
        QTest::newRow("saved printer gone: Enter does nothing, Esc cancels")
            << "Garage" << QStringList{"enter", "esc"} << "Garage Garage no";
        QTest::newRow("the printer went away while the dialog was open")
            << "Office" << QStringList{"choose Kitchen", "vanish Kitchen", "print"}
            << "Office Office no tell Message: Printer not found open";
        QTest::newRow("the printer refuses the job: the grid back to portrait")
            << "Office" << QStringList{"refuse", "landscape", "print"}
            << "Office Office yes fit 15840 fit 12000 end abort warn Pillora: The list could not "
               "be printed.\n\nrefused";
        QTest::newRow("the file dialog is cancelled: silent")
            << "Office" << QStringList{"call off", "print"}
            << "Office Office yes fit 12000 fit 12000 end abort";
    }
    void PrintList()
    {
        MedicationList list;
        list.setCell(1, MedicationList::NameColumn, "Metformin");
        QFETCH(QString, saved);
        list.setListPrinterName(saved);
        m_printer = {};
        m_printer.current = saved;
        m_fits.clear();
        const FontTextMeasurer measurer(QFont("MS Sans Serif"));
        TestClock clock;
        ScriptedPrompter prompter;
        PrintCommand command(list, m_printer, measurer, clock, prompter);
        QFETCH(QStringList, steps);
        bool leftOpen = false;
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            auto *box = dialog->findChild<QComboBox *>("cboPrinter");
            const QMap<QString, QString> buttons{
                {"landscape", "Option1_1"}, {"print", "cmdSelect_0"}, {"cancel", "cmdSelect_1"}};
            for (const QString &step : steps) {
                if (step.startsWith("choose "))
                    box->setCurrentIndex(box->findText(step.section(u' ', 1)));
                else if (step.startsWith("vanish "))
                    m_printer.printers.removeAll(step.section(u' ', 1));
                else if (buttons.contains(step))
                    dialog->findChild<QAbstractButton *>(buttons[step])->click();
                else if (step == "enter" || step == "esc")
                    QTest::keyClick(dialog, step == "esc" ? Qt::Key_Escape : Qt::Key_Return);
                else if (step == "refuse")
                    m_printer.failure = "refused";
                else
                    m_printer.callOff = true;
            }
            leftOpen = dialog->isVisible();
            if (leftOpen)
                dialog->close();
        });
        command.PrintList(*this, nullptr);
        const QStringList outcome = QStringList{list.ListPrinterName(), m_printer.current,
                                                list.ChangesMade() ? "yes" : "no"} +
                                    m_fits + m_printer.log + prompter.log +
                                    (leftOpen ? QStringList{"open"} : QStringList{});
        QTEST(outcome.join(' '), "outcome");
    }

    // The chosen printer's name as painted, between the combo's edge and its
    // arrow: the combo once forced white under the dark palette's text.
    void printerReadable()
    {
        const QPalette before = QApplication::palette();
        for (const char *palette : {"light", "dark"}) {
            PaintedContrast::useFusion(palette);
            MedicationList list;
            list.setListPrinterName("Kitchen");
            PrintChoices choices;
            ScriptedPrompter prompter;
            frmPrinterSelect dialog(m_printer, list, choices, prompter);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto *box = dialog.findChild<QWidget *>("cboPrinter");
            const auto reading =
                PaintedContrast::read(*box, box->rect().adjusted(4, 3, -box->height(), -3));
            QApplication::setPalette(before);
            QVERIFY2(reading.contrast >= 4.5, qPrintable(palette + (": " + reading.describe())));
        }
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
