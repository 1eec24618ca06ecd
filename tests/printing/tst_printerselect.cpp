#include "PrintChoices.h"
#include "PrintingFixture.h"
#include "RecordingPrinter.h"
#include "Twips.h"
#include "frmPrinterSelect.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <memory>

namespace {

const QStringList TwoPrinters{"Office", "Kitchen"};

// The dialog opened for the list "Mum", whose saved printer is saved, on a
// system with these printers, "Office" being current.
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
    QPushButton *button(int index) const
    {
        return control<QPushButton>(*dialog, index == 0 ? "cmdSelect_0" : "cmdSelect_1");
    }

    // One thing a user does: "choose <printer>", "landscape", "print",
    // "cancel", "enter", "esc", "close", or "vanish <printer>" when a
    // printer goes away meanwhile.
    void act(const QString &step)
    {
        const QString argument = step.section(u' ', 1);
        if (step.startsWith("choose "))
            printerBox()->setCurrentIndex(printerBox()->findText(argument));
        else if (step == "landscape")
            QTest::mouseClick(control<QRadioButton>(*dialog, "Option1_1"), Qt::LeftButton);
        else if (step == "print" || step == "cancel")
            QTest::mouseClick(button(step == "print" ? 0 : 1), Qt::LeftButton);
        else if (step == "enter" || step == "esc")
            QTest::keyClick(dialog.get(), step == "enter" ? Qt::Key_Return : Qt::Key_Escape);
        else if (step == "close")
            dialog->close();
        else if (step.startsWith("vanish "))
            printer.printers.removeAll(argument);
        else
            qFatal("Unknown step %s", qPrintable(step));
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
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Frame1") << "Frame1" << QRect(120, 120, 3255, 735) << QByteArray("title")
                                << "Select Printer";
        QTest::newRow("cboPrinter")
            << "cboPrinter" << QRect(120, 240, 3015, 315) << QByteArray("currentText") << "";
        QTest::newRow("Frame2") << "Frame2" << QRect(120, 1080, 3255, 615) << QByteArray("title")
                                << "Select Orientation";
        QTest::newRow("Option1(0)")
            << "Option1_0" << QRect(240, 240, 1455, 255) << QByteArray("text") << "Portrait";
        QTest::newRow("Option1(1)")
            << "Option1_1" << QRect(1800, 240, 1335, 255) << QByteArray("text") << "Landscape";
        QTest::newRow("cmdSelect(0)")
            << "cmdSelect_0" << QRect(600, 1920, 1095, 405) << QByteArray("text") << "&Print";
        QTest::newRow("cmdSelect(1)")
            << "cmdSelect_1" << QRect(1800, 1920, 1095, 405) << QByteArray("text") << "&Cancel";
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QByteArray, property);
        QFETCH(QString, caption);
        OpenDialog d(TwoPrinters, "");
        const QWidget *widget = control<QWidget>(*d.dialog, qPrintable(name));
        const QRect g = widget->geometry();
        QCOMPARE(QRect(g.topLeft() * Twips::PerPixel, g.size() * Twips::PerPixel), twips);
        QCOMPARE(widget->property(property).toString(), caption);
    }

    void window()
    {
        OpenDialog d(TwoPrinters, "");
        QCOMPARE(d.dialog->windowTitle(), "Printer Setup");
        QCOMPARE(d.dialog->size() * Twips::PerPixel, QSize(3495, 2460));
        QCOMPARE(d.dialog->minimumSize(), d.dialog->maximumSize());
        QVERIFY(!(d.dialog->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(d.dialog->isModal());
        QVERIFY(d.button(0)->isDefault());
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((d.dialog->frameGeometry().center() - screenCentre).manhattanLength() <= 1);

        QStringList order;
        QWidget *w = d.button(0);
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w->objectName();
            w = w->nextInFocusChain();
        } while (w != d.button(0));
        QCOMPARE(order, (QStringList{"cmdSelect_0", "cboPrinter", "Option1_1", "Option1_0",
                                     "cmdSelect_1"}));
    }

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
        QTest::newRow("saved name differs in case") << TwoPrinters << "kitchen"
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
        QFETCH(bool, buttonsEnabled);
        OpenDialog d(printers, saved);
        QStringList listed;
        for (int i = 0; i < d.printerBox()->count(); ++i)
            listed << d.printerBox()->itemText(i);
        QCOMPARE(listed, printers);
        QTEST(d.printerBox()->currentText(), "selected");
        QCOMPARE(d.button(0)->isEnabled(), buttonsEnabled);
        QCOMPARE(d.button(1)->isEnabled(), buttonsEnabled);
        QVERIFY(control<QRadioButton>(*d.dialog, "Option1_0")->isChecked());

        d.act("choose " + printers.value(0));
        QCOMPARE(d.button(0)->isEnabled(), !printers.isEmpty());
        QCOMPARE(d.button(1)->isEnabled(), !printers.isEmpty());
    }

    // Starting with "Office" current, the list's printer saved and the list
    // unchanged.
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
        QTest::addColumn<QStringList>("messages");
        const QStringList none;
        QTest::newRow("Print") << TwoPrinters << "" << QStringList{"choose Kitchen", "print"}
                               << false << false << 0 << "Kitchen" << true << "Kitchen" << none;
        QTest::newRow("Landscape, then Print")
            << TwoPrinters << "" << QStringList{"choose Kitchen", "landscape", "print"} << false
            << false << 1 << "Kitchen" << true << "Kitchen" << none;
        QTest::newRow("Enter presses Print")
            << TwoPrinters << "" << QStringList{"choose Kitchen", "enter"} << false << false << 0
            << "Kitchen" << true << "Kitchen" << none;
        QTest::newRow("Print with the same printer marks the list changed")
            << TwoPrinters << "Office" << QStringList{"print"} << false << false << 0 << "Office"
            << true << "Office" << none;
        QTest::newRow("Cancel") << TwoPrinters << "Office"
                                << QStringList{"choose Kitchen", "landscape", "cancel"} << false
                                << true << 0 << "Office" << false << "Office" << none;
        QTest::newRow("Esc presses Cancel")
            << TwoPrinters << "Office" << QStringList{"esc"} << false << true << 0 << "Office"
            << false << "Office" << none;
        QTest::newRow("the close box cancels")
            << TwoPrinters << "Office" << QStringList{"close"} << false << true << 0 << "Office"
            << false << "Office" << none;
        QTest::newRow("Printer not found: it went away while the dialog was open")
            << TwoPrinters << "" << QStringList{"choose Kitchen", "vanish Kitchen", "print"} << true
            << false << 0 << "" << false << "Office"
            << QStringList{"tell Message: Printer not found"};
        QTest::newRow("saved printer gone: another one chosen")
            << TwoPrinters << "Garage" << QStringList{"choose Kitchen", "print"} << false << false
            << 0 << "Kitchen" << true << "Kitchen" << none;
        QTest::newRow("no printers: Enter does nothing")
            << QStringList{} << "" << QStringList{"enter"} << true << false << 0 << "" << false
            << "Office" << none;
        QTest::newRow("no printers: Esc does nothing")
            << QStringList{} << "" << QStringList{"esc"} << true << false << 0 << "" << false
            << "Office" << none;
        QTest::newRow("no printers: closing cancels")
            << QStringList{} << "" << QStringList{"close"} << false << true << 0 << "" << false
            << "Office" << none;
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
        QTEST(d.prompter.log, "messages");
    }
};

QTEST_MAIN(TestPrinterSelect)
#include "tst_printerselect.moc"
