#include "PrintChoices.h"
#include "PrintingFixture.h"
#include "RecordingPrinter.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

namespace {

const QStringList TwoPrinters{"Office", "Kitchen"};

// The dialog opened for a list whose saved printer is saved, on a system
// with these printers, "Office" being current.
struct OpenDialog
{
    OpenDialog(const QStringList &printers, const QString &saved)
    {
        startList(list);
        list.setListPrinterName(saved);
        printer.printers = printers;
        dialog = std::make_unique<frmPrinterSelect>(printer, list, choices, prompter);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            qFatal("The printer dialog was not shown");
    }

    QComboBox *printerBox() const { return control<QComboBox>(*dialog, "cboPrinter"); }
    bool buttonsEnabled() const
    {
        const bool print = control<QPushButton>(*dialog, "cmdSelect_0")->isEnabled();
        return print == control<QPushButton>(*dialog, "cmdSelect_1")->isEnabled() && print;
    }

    // One thing the user does: "choose <printer>", "landscape", "print",
    // "cancel", "enter", "esc", "close", or "vanish <printer>" for a printer
    // that goes away meanwhile.
    void act(const QString &step)
    {
        const QString printerName = step.section(u' ', 1);
        if (step.startsWith("choose "))
            printerBox()->setCurrentIndex(printerBox()->findText(printerName));
        else if (step.startsWith("vanish "))
            printer.printers.removeAll(printerName);
        else if (step == "landscape")
            QTest::mouseClick(control<QRadioButton>(*dialog, "Option1_1"), Qt::LeftButton);
        else if (step == "print" || step == "cancel")
            QTest::mouseClick(
                control<QPushButton>(*dialog, step == "print" ? "cmdSelect_0" : "cmdSelect_1"),
                Qt::LeftButton);
        else if (step == "close")
            dialog->close();
        else
            QTest::keyClick(dialog.get(), step == "enter" ? Qt::Key_Return : Qt::Key_Escape);
    }

    MedicationList list;
    RecordingPrinter printer;
    PrintChoices choices;
    ScriptedPrompter prompter;
    std::unique_ptr<frmPrinterSelect> dialog;
};

} // namespace

class TestPrinterSelect : public QObject
{
    Q_OBJECT

private slots:
    void opening_data()
    {
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("buttonsEnabled");
        QTest::newRow("never printed") << TwoPrinters << ""
                                       << "" << false;
        QTest::newRow("saved printer installed") << TwoPrinters << "Kitchen"
                                                 << "Kitchen" << true;
        QTest::newRow("saved printer gone") << TwoPrinters << "Garage"
                                            << "" << false;
        QTest::newRow("saved name in another case") << TwoPrinters << "kitchen"
                                                    << "" << false;
        QTest::newRow("no printers") << QStringList{} << ""
                                     << "" << false;
        QTest::newRow("system order, duplicates kept")
            << QStringList{"Zeta", "Alpha", "Zeta"} << "Alpha"
            << "Alpha" << true;
    }
    void opening()
    {
        QFETCH(QStringList, printers);
        QFETCH(QString, saved);
        OpenDialog d(printers, saved);
        QStringList listed;
        for (int i = 0; i < d.printerBox()->count(); ++i)
            listed << d.printerBox()->itemText(i);
        QCOMPARE(listed, printers);
        QTEST(d.printerBox()->currentText(), "selected");
        QTEST(d.buttonsEnabled(), "buttonsEnabled");
        QVERIFY(control<QRadioButton>(*d.dialog, "Option1_0")->isChecked());
        d.act("choose " + printers.value(0));
        QCOMPARE(d.buttonsEnabled(), !printers.isEmpty());
    }

    // From "Office" current, the list's printer saved and the list unchanged.
    void closing_data()
    {
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("stillOpen");
        QTest::addColumn<bool>("CancelPrint");
        QTest::addColumn<int>("PrintLandscape");
        QTest::addColumn<QString>("ListPrinterName");
        QTest::addColumn<bool>("ChangesMade");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("message");
        QTest::newRow("Print") << TwoPrinters << "" << QStringList{"choose Kitchen", "print"}
                               << false << false << 0 << "Kitchen" << true << "Kitchen"
                               << "";
        QTest::newRow("Landscape")
            << TwoPrinters << "" << QStringList{"choose Kitchen", "landscape", "print"} << false
            << false << 1 << "Kitchen" << true << "Kitchen"
            << "";
        QTest::newRow("Enter presses Print")
            << TwoPrinters << "" << QStringList{"choose Kitchen", "enter"} << false << false << 0
            << "Kitchen" << true << "Kitchen"
            << "";
        QTest::newRow("the same printer again still marks the list changed")
            << TwoPrinters << "Office" << QStringList{"print"} << false << false << 0 << "Office"
            << true << "Office"
            << "";
        QTest::newRow("Cancel") << TwoPrinters << "Office"
                                << QStringList{"choose Kitchen", "landscape", "cancel"} << false
                                << true << 0 << "Office" << false << "Office"
                                << "";
        QTest::newRow("Esc presses Cancel") << TwoPrinters << "Office" << QStringList{"esc"}
                                            << false << true << 0 << "Office" << false << "Office"
                                            << "";
        QTest::newRow("the close box") << TwoPrinters << "Office" << QStringList{"close"} << false
                                       << true << 0 << "Office" << false << "Office"
                                       << "";
        QTest::newRow("the printer went away while the dialog was open")
            << TwoPrinters << "" << QStringList{"choose Kitchen", "vanish Kitchen", "print"} << true
            << false << 0 << "" << false << "Office"
            << "tell Message: Printer not found";
        QTest::newRow("saved printer gone, another chosen")
            << TwoPrinters << "Garage" << QStringList{"choose Kitchen", "print"} << false << false
            << 0 << "Kitchen" << true << "Kitchen"
            << "";
        QTest::newRow("no printers: Enter and Esc do nothing")
            << QStringList{} << "" << QStringList{"enter", "esc"} << true << false << 0 << ""
            << false << "Office"
            << "";
        QTest::newRow("no printers: closing cancels")
            << QStringList{} << "" << QStringList{"close"} << false << true << 0 << "" << false
            << "Office"
            << "";
    }
    void closing()
    {
        QFETCH(QStringList, printers);
        QFETCH(QString, saved);
        QFETCH(QStringList, steps);
        OpenDialog d(printers, saved);
        for (const QString &step : steps)
            d.act(step);
        QTEST(d.dialog->isVisible(), "stillOpen");
        QTEST(d.choices.CancelPrint, "CancelPrint");
        QTEST(d.choices.PrintLandscape, "PrintLandscape");
        QTEST(d.list.ListPrinterName(), "ListPrinterName");
        QTEST(d.list.ChangesMade(), "ChangesMade");
        QTEST(d.printer.current, "current");
        QTEST(d.prompter.log.join(u'\n'), "message");
    }
};

QTEST_MAIN(TestPrinterSelect)
#include "tst_printerselect.moc"
