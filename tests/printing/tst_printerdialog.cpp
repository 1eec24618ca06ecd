#include "Doubles.h"
#include "MedicationList.h"
#include "PaintedContrast.h"
#include "PrintChoices.h"
#include "RecordingPrinter.h"
#include "frmPrinterSelect.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>

#include <memory>

// The printer dialog on its own, for a list whose printer was saved or not.
struct PrinterDialog
{
    PrinterDialog(const QStringList &installed, const QString &saved)
    {
        printers.printers = installed;
        list.setListPrinterName(saved);
        dialog = std::make_unique<frmPrinterSelect>(printers, list, choices, prompter);
        dialog->show();
    }
    QAbstractButton *button(int index) const
    {
        return dialog->findChild<QAbstractButton *>(QStringLiteral("cmdSelect_%1").arg(index));
    }

    RecordingPrinter printers;
    MedicationList list;
    PrintChoices choices;
    ScriptedPrompter prompter;
    std::unique_ptr<frmPrinterSelect> dialog;
};

class TestPrinterDialog : public QObject
{
    Q_OBJECT

private slots:
    // Each row: the printers installed, the list's printer and the user's
    // keys (or "Cancel" clicked); then whether Print waits for a printer,
    // and how the dialog ended. Cancel and Esc are always a way out.
    void wayOut_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<bool>("printEnabled");
        QTest::addColumn<QString>("outcome");
        const QStringList two{"Office", "Kitchen"};
        QTest::newRow("never printed: Cancel")
            << two << "" << QStringList{"Cancel"} << false << "cancelled";
        QTest::newRow("never printed: Esc")
            << two << "" << QStringList{"Esc"} << false << "cancelled";
        QTest::newRow("never printed: Enter does nothing")
            << two << "" << QStringList{"Return"} << false << "open";
        QTest::newRow("the saved printer is gone: Esc")
            << QStringList{"Office"} << "Garage" << QStringList{"Esc"} << false << "cancelled";
        QTest::newRow("saved printer: Enter prints")
            << two << "Kitchen" << QStringList{"Return"} << true << "printed on Kitchen";
        QTest::newRow("saved printer: Esc")
            << two << "Kitchen" << QStringList{"Esc"} << true << "cancelled";
    }
    void wayOut()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, saved);
        QFETCH(QStringList, actions);
        PrinterDialog printer(installed, saved);
        QVERIFY(QTest::qWaitForWindowActive(printer.dialog.get()));
        QTEST(printer.button(0)->isEnabled(), "printEnabled");
        QVERIFY(printer.button(1)->isEnabled());
        for (const QString &action : actions) {
            if (action == "Cancel")
                printer.button(1)->click();
            else
                QTest::keyClick(QApplication::focusWidget(), QKeySequence(action)[0].key());
        }
        QString outcome = "open";
        if (printer.choices.CancelPrint)
            outcome = "cancelled";
        else if (printer.dialog->result() == QDialog::Accepted)
            outcome = "printed on " + printer.printers.current;
        QCOMPARE(printer.dialog->isVisible(), outcome == "open");
        QTEST(outcome, "outcome");
    }

    // The chosen printer, the frames, the options and the buttons, as
    // painted in the light and the dark palette.
    void contrast_data()
    {
        QTest::addColumn<QString>("palette");
        QTest::addColumn<QString>("part");
        for (const char *palette : {"light", "dark"}) {
            for (const char *part : {"cboPrinter", "Frame1", "Frame2", "Option1_0", "Option1_1",
                                     "cmdSelect_0", "cmdSelect_1"})
                QTest::addRow("%s: %s", palette, part) << palette << part;
        }
    }
    void contrast()
    {
        QFETCH(QString, palette);
        QFETCH(QString, part);
        PaintedContrast::useFusion(palette);
        PrinterDialog printer({"Office", "Kitchen"}, "Kitchen");
        QVERIFY(QTest::qWaitForWindowExposed(printer.dialog.get()));
        QWidget *control = printer.dialog->findChild<QWidget *>(part);
        // Only where the text stands: not the frames' lines, the option's
        // circle, the combo's arrow or a button's edge.
        QRect area = control->rect();
        if (part == "cboPrinter") {
            area.adjust(4, 3, -area.height(), -3);
        } else if (part.startsWith("Frame")) {
            area.setHeight(control->fontMetrics().height());
        } else if (part.startsWith("Option")) {
            const QStyle *style = control->style();
            area.setLeft(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, control) +
                         style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, control));
        } else {
            area.adjust(6, 6, -6, -6);
        }
        const PaintedContrast::Reading reading = PaintedContrast::read(*control, area);
        QVERIFY2(reading.contrast >= 4.5, qPrintable(reading.describe()));
    }

    void initTestCase() { m_startPalette = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(m_startPalette); }

private:
    QPalette m_startPalette;
};

QTEST_MAIN(TestPrinterDialog)
#include "tst_printerdialog.moc"
