#include "AccessibleTree.h"
#include "AtSpiSession.h"
#include "Doubles.h"
#include "Form3.h"
#include "MedicationList.h"
#include "PrintChoices.h"
#include "ProgramInfo.h"
#include "RecordingPrinter.h"
#include "frmAbout.h"
#include "frmPrinterSelect.h"

#include <QApplication>
#include <QMap>
#include <QPointer>

#include <memory>

// The calendar, the About box and the printer dialog as a screen reader
// finds them, read back through AT-SPI. Each window is dumped once.
class TestAccessibility : public QObject
{
    Q_OBJECT

    TestClock clock;
    QWidget owner;
    RecordingAddressOpener opener;
    ScriptedPrompter prompter;
    RecordingPrinter printers;
    MedicationList list;
    PrintChoices choices;
    QMap<QString, std::shared_ptr<AccessibleTree>> trees;

    const AccessibleTree &tree(const QString &window) const { return *trees.value(window); }

private slots:
    void initTestCase()
    {
        PILLORA_SKIP_WITHOUT_ATSPI();
        owner.show();
        Form3 *calendar = Form3::open(owner, clock);
        QVERIFY(QTest::qWaitForWindowExposed(calendar));
        trees["calendar"] = std::make_shared<AccessibleTree>(*calendar);

        frmAbout about(&owner, opener, prompter);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        trees["about"] = std::make_shared<AccessibleTree>(about);
        about.close();

        list.setListPrinterName("Kitchen");
        frmPrinterSelect printer(printers, list, choices, prompter, &owner);
        printer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&printer));
        trees["printer"] = std::make_shared<AccessibleTree>(printer);
    }

    void named_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        const auto row = [](const char *window, const char *role, const char *name,
                            const QString &description = {}) {
            QTest::addRow("%s: %s %s", window, role, name) << window << role << name << description;
        };
        // The box is named by its year, the field where the year is typed
        // by its purpose.
        row("calendar", "dialog", "Calendar");
        row("calendar", "combo box", "2026");
        row("calendar", "text", "Year");
        row("calendar", "list", "Years");
        row("calendar", "table", "January 2026");
        row("calendar", "table", "December 2026");
        row("calendar", "table column header", "Sunday");
        row("calendar", "table column header", "Saturday");
        row("calendar", "table cell", "Tuesday 1 December 2026, today");
        row("calendar", "table cell", "Monday 7 December 2026");
        row("calendar", "table cell", "Thursday 31 December 2026");
        row("calendar", "table cell", "No day");
        row("about", "push button", "Ok");
        row("about", "link", "Visit our web site", ProgramInfo::webSite().toString());
        row("about", "link", "Contact us", "mailto:" + ProgramInfo::supportMailAddress());
        row("about", "label", "Corvane software");
        // Named by the printer chosen, labelled by its frame.
        row("printer", "combo box", "Kitchen");
        row("printer", "combo box", "Select Printer");
        row("printer", "list", "Printers");
        row("printer", "push button", "Print");
        row("printer", "push button", "Cancel");
        row("printer", "radio button", "Portrait");
        row("printer", "radio button", "Landscape");
    }
    void named()
    {
        PILLORA_SKIP_WITHOUT_ATSPI();
        QFETCH(QString, window);
        QFETCH(QString, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        const bool found = tree(window).contains(role, name, description);
        if (!found)
            qInfo().noquote() << tree(window).text();
        QVERIFY(found);
    }

    // Whatever a keyboard user can reach, a screen reader can name.
    void noUnnamedFocus_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("focusable");
        // The year box, 12 grids of 42 cells; "&Ok" and two links; the
        // combo, two options and two buttons.
        QTest::newRow("calendar") << "calendar" << 1 + 12 + 12 * 42;
        QTest::newRow("about") << "about" << 3;
        QTest::newRow("printer") << "printer" << 5;
    }
    void noUnnamedFocus()
    {
        PILLORA_SKIP_WITHOUT_ATSPI();
        QFETCH(QString, window);
        QFETCH(int, focusable);
        const AccessibleTree &dump = tree(window);
        QStringList unnamed;
        for (const AccessibleNode &node : dump.unnamedFocusable())
            unnamed << node.line();
        if (!unnamed.isEmpty())
            qInfo().noquote() << dump.text();
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));
        const auto taking =
            std::count_if(dump.nodes().cbegin(), dump.nodes().cend(),
                          [](const AccessibleNode &node) { return node.takesFocus(); });
        QVERIFY2(taking >= focusable, qPrintable(dump.text()));
    }
};

PILLORA_ATSPI_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
