// The main window as a screen reader finds it, through AT-SPI and events.

#include "AccessibleTree.h"
#include "AtSpiSession.h"
#include "MainWindowFixture.h"

#include <QAccessible>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString Unreadable =
    u"Date not understood. Pillora cannot read this date, so it cannot show when the refill "
    u"falls due. Write it as %1 or %2."_s.arg(QLocale().toString(Today, QLocale::ShortFormat),
                                              Today.toString(Qt::ISODate));

// Cells told to a screen reader, reached or changed: "name (description)".
QStringList heard;
void hear(QAccessibleEvent *event)
{
    const bool told =
        event->type() == QAccessible::Focus || event->type() == QAccessible::DescriptionChanged;
    QAccessibleInterface *cell = event->accessibleInterface();
    if (told && cell && event->child() >= 0 && event->object()->objectName() == u"Grid1")
        heard << cell->text(QAccessible::Name) + " (" + cell->text(QAccessible::Description) + ")";
}

} // namespace

class TestScreenReader : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<AccessibleTree> m_tree;

private slots:
    // One dump of a window with a list of three medicines: the first refill
    // due, the second unreadable and current, the third far ahead.
    void initTestCase()
    {
        PILLORA_SKIP_WITHOUT_ATSPI();
        m_window = std::make_unique<MainWindow>();
        MainWindow &w = *m_window;
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        // Without a window manager, a window is active only once asked.
        w.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.openList();
        w.setCell(1, 1, u"Aspirin"_s);
        w.setCell(1, 5, Today.toString(Qt::ISODate));
        w.setCell(2, 1, u"Metformin"_s);
        w.setCell(2, 5, u"soon"_s);
        w.setCell(3, 1, u"Ramipril"_s);
        w.setCell(3, 5, Today.addDays(40).toString(Qt::ISODate));
        w.form->HighlightRefillDates();
        w.grid()->setCurrentCell(2, 5);
        w.grid()->setFocus();
        m_tree = std::make_unique<AccessibleTree>(*w.form);
    }

    void named_data()
    {
        QTest::addColumn<QString>("heard");
        const auto row = [](const char *role, const QString &name, const QString &said = {}) {
            QTest::addRow("%s %s", role, qPrintable(name))
                << role + u": "_s + name + (said.isEmpty() ? QString() : " (" + said + ")");
        };
        row("push button", u"New"_s, u"Create a new Med List (Ctrl+N)"_s);
        // Both captions read "Delete".
        row("push button", u"Delete list"_s, u"Delete current Med List"_s);
        row("push button", u"Delete medicine"_s, u"Delete selected Med"_s);
        row("combo box", u"Medication list"_s, u"Load an existing Med List (Ctrl+L)"_s);
        row("table", u"Medicines"_s);
        row("table row header", u"49"_s);
        row("table cell", Today.toString(Qt::ISODate), u"Refill due"_s);
        row("table cell", u"soon"_s, Unreadable);
        // The cell editors, named after the column they edit.
        row("text", u"Notes"_s);
        row("text", u"General Notes Section"_s);
    }
    void named()
    {
        PILLORA_SKIP_WITHOUT_ATSPI();
        QFETCH(QString, heard);
        QVERIFY2(m_tree->contains(heard), qPrintable(m_tree->text()));
    }

    // Whatever a keyboard user can reach (at least 312 controls and cells),
    // a screen reader can name.
    void noUnnamedFocus()
    {
        PILLORA_SKIP_WITHOUT_ATSPI();
        const QString problem = m_tree->focusProblem(11 + 3 + 1 + 294 + 3);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // A cell's refill warning is told as the cell is reached or changes.
    void announced()
    {
        PILLORA_SKIP_WITHOUT_ATSPI();
        MainWindow &w = *m_window;
        w.grid()->setFocus();
        const bool wasActive = QAccessible::isActive();
        const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(hear);
        QAccessible::setActive(true);
        const QString today = Today.toString(Qt::ISODate);
        play({"Up", "Down", "Down", "'" + today, "Return"});
        QAccessible::installUpdateHandler(previous);
        QAccessible::setActive(wasActive);
        // The same hint as a tip for the mouse.
        const QModelIndex soon = w.grid()->tableModel().indexOfCell(2, 5);
        QCOMPARE("Date not understood. " + soon.data(Qt::ToolTipRole).toString(), Unreadable);
        QCOMPARE(heard, QStringList({today + " (Refill due)", "soon (" + Unreadable + ")",
                                     Today.addDays(40).toString(Qt::ISODate) + " ()",
                                     today + " (Refill due)"}));
    }
};

PILLORA_ATSPI_TEST_MAIN(TestScreenReader)
#include "tst_screenreader.moc"
