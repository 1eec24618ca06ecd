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

#include <memory>

// The calendar, the About box and the printer dialog as a screen reader
// finds them through AT-SPI, each window dumped once.
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

    void dump(const QString &name, QWidget &window)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        trees[name] = std::make_shared<AccessibleTree>(window);
    }

private slots:
    void initTestCase()
    {
        PILLORA_SKIP_WITHOUT_ATSPI();
        owner.show();
        dump("calendar", *Form3::open(owner, clock));
        frmAbout about(&owner, opener, prompter);
        dump("about", about);
        about.close();
        list.setListPrinterName("Kitchen");
        frmPrinterSelect printer(printers, list, choices, prompter, &owner);
        dump("printer", printer);
    }

    // Whatever a keyboard user can reach, a screen reader can name, and
    // names say what a control is for: "role: name (description)".
    void named_data()
    {
        QTest::addColumn<int>("focusable");
        QTest::addColumn<QStringList>("named");
        // The year box and 12 grids of 42 cells; "&Ok" and two links; the
        // printer combo, two options and two buttons.
        QTest::newRow("calendar") << 1 + 12 + 12 * 42
                                  << QStringList{"text: Year", "table: December 2026",
                                                 "table column header: Sunday",
                                                 "table cell: Tuesday 1 December 2026, today",
                                                 "table cell: No day"};
        QTest::newRow("about")
            << 3
            << QStringList{"link: Visit our web site (" + ProgramInfo::webSite().toString() + ")",
                           "link: Contact us (mailto:" + ProgramInfo::supportMailAddress() + ")"};
        // The combo is named by the printer chosen.
        QTest::newRow("printer") << 5 << QStringList{"combo box: Kitchen", "list: Printers"};
    }
    void named()
    {
        PILLORA_SKIP_WITHOUT_ATSPI();
        QFETCH(int, focusable);
        QFETCH(QStringList, named);
        const AccessibleTree &tree = *trees.value(QTest::currentDataTag());
        const QString problem = tree.focusProblem(focusable);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        for (const QString &heard : named)
            QVERIFY2(tree.contains(heard), qPrintable(heard + " is not in:\n" + tree.text()));
    }
};

PILLORA_ATSPI_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
