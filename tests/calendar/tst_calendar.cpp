#include "Doubles.h"
#include "Form3.h"
#include "MonthGrid.h"
#include "MonthLayout.h"
#include "PaintedContrast.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

namespace {

// The calendar as the "&Calendar" button opens it over a main window, on a
// day that is not the 1st.
struct Calendar
{
    Calendar()
    {
        clock.date = QDate(2026, 12, 7);
        owner.show();
        window = Form3::open(owner, clock);
    }

    MonthGrid *grid(int month) const
    {
        return window->findChild<MonthGrid *>(QStringLiteral("Grid1_%1").arg(month));
    }
    QComboBox *yearBox() const { return window->findChild<QComboBox *>(); }

    // The frames and cells marked as today: "12 frame", "12 [7]".
    QStringList marks() const
    {
        QStringList marked;
        for (int month = 1; month <= 12; ++month) {
            const MonthGrid &g = *grid(month);
            if (g.backColorBkg() == QColor(Qt::blue))
                marked << QStringLiteral("%1 frame").arg(month);
            for (int cell = g.cols(); cell < g.rows() * g.cols(); ++cell) {
                const int r = cell / g.cols(), c = cell % g.cols();
                if (g.cellBackColor(r, c) == QColor(Qt::blue))
                    marked << QStringLiteral("%1 [%2]").arg(month).arg(g.textMatrix(r, c));
            }
        }
        return marked;
    }

    TestClock clock;
    QWidget owner;
    QPointer<Form3> window;
};

// Each key goes where the user's would: to an open popup, else the focus.
void press(const QString &keys)
{
    for (const QString &key : keys.split(u' ', Qt::SkipEmptyParts)) {
        const QKeyCombination combination = QKeySequence(key)[0];
        QWidget *popup = QApplication::activePopupWidget();
        QWidget *target = popup ? popup->focusWidget() : QApplication::focusWidget();
        QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
    }
}

} // namespace

class TestCalendar : public QObject
{
    Q_OBJECT

private slots:
    // Cells as (row, column): rows 1 to 6, columns 0 Sunday to 6 Saturday.
    void monthLayout_data()
    {
        QTest::addColumn<QDate>("lastDay");
        QTest::addColumn<QPoint>("first");
        QTest::addColumn<QPoint>("last");
        // clang-format off
        QTest::newRow("six rows")          << QDate(2011, 1, 31) << QPoint(1, 6) << QPoint(6, 1);
        QTest::newRow("exactly four rows") << QDate(2009, 2, 28) << QPoint(1, 0) << QPoint(4, 6);
        QTest::newRow("a leap year")       << QDate(2012, 2, 29) << QPoint(1, 3) << QPoint(5, 3);
        // clang-format on
    }
    void monthLayout()
    {
        QFETCH(QDate, lastDay);
        QFETCH(QPoint, first);
        QFETCH(QPoint, last);
        const MonthLayout::MonthInfo month =
            MonthLayout::GetMonthInfo(lastDay.year(), lastDay.month());
        QCOMPARE(month.days, lastDay.day());
        QCOMPARE(MonthLayout::dayInCell(month, first.x(), first.y()), 1);
        QCOMPARE(MonthLayout::dayInCell(month, last.x(), last.y()), month.days);
        QCOMPARE(MonthLayout::dayInCell(month, last.x(), last.y() + 1), 0);
    }

    // The keyboard user as a screen reader follows them: the year box comes
    // first, Tab walks the months, arrows the days; a typed year is shown
    // when listed, else the box goes back to the year shown; Esc closes the
    // calendar, except where it closes the open year list.
    void keyboard_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("announced");
        const auto row = [](const char *name, const char *keys, const char *announced) {
            QTest::newRow(name) << QString(keys) << QString(announced);
        };
        row("opens in the year box", "", "2026");
        row("Tab: January on the 1st", "Tab", "Thursday 1 January 2026");
        row("Shift+Tab: December on today", "Shift+Tab", "Monday 7 December 2026, today");
        row("Right", "Shift+Tab Right", "Tuesday 8 December 2026");
        row("Up before the 1st", "Shift+Tab Up", "No day");
        row("a listed year, Enter", "Ctrl+A 2 0 1 5 Return Shift+Tab", "Tuesday 1 December 2015");
        row("a listed year, Tab away", "Ctrl+A 2 0 1 5 Tab", "Thursday 1 January 2015");
        row("the last listed year", "Ctrl+A 2 0 3 1 Tab", "Wednesday 1 January 2031");
        row("the year after it", "Ctrl+A 2 0 3 2 Return Tab", "Thursday 1 January 2026");
        row("the year before the list", "Ctrl+A 2 0 0 7 Tab", "Thursday 1 January 2026");
        row("not a year", "Ctrl+A s o o n Tab", "Thursday 1 January 2026");
        row("the first year from the list", "Alt+Down Home Return Shift+Tab",
            "Monday 1 December 2008");
        row("and back to the current year",
            "Alt+Down Home Return Alt+Down End Up Up Up Up Up Return Shift+Tab",
            "Monday 7 December 2026, today");
        row("a leap day", "Ctrl+A 2 0 2 8 Return Tab Tab Down Down Down Down",
            "Tuesday 29 February 2028");
        row("Esc in the year box", "Esc", "closed");
        row("Esc in a month", "Tab Right Esc", "closed");
        row("Esc in the year list", "Alt+Down Esc", "2026");
    }
    void keyboard()
    {
        QFETCH(QString, keys);
        Calendar calendar;
        QVERIFY(QTest::qWaitForWindowActive(calendar.window));
        press(keys);
        if (!calendar.window || !calendar.window->isVisible()) {
            QTEST(QString("closed"), "announced");
            return;
        }
        // The box and the months never disagree, and today is marked in its
        // own year only: its cell and its month's frame.
        const QString year = calendar.yearBox()->currentText();
        QCOMPARE(calendar.grid(1)->accessibleName(), "January " + year);
        const QStringList todayMarked{"12 frame", "12 [7]"};
        QCOMPARE(calendar.marks(), year == "2026" ? todayMarked : QStringList());
        QAccessibleInterface *focused =
            QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        if (QAccessibleInterface *cell =
                focused->tableInterface() ? focused->focusChild() : nullptr) {
            QVERIFY(cell->state().focused);
            QCOMPARE(focused->role(), QAccessible::Table);
            const int column = cell->tableCellInterface()->columnIndex();
            QCOMPARE(
                cell->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
                QLocale(QLocale::English).dayName(column == 0 ? 7 : column));
            focused = cell;
        }
        QTEST(focused->text(QAccessible::Name), "announced");
        // The "&Calendar" button again brings this calendar back as it is.
        QCOMPARE(Form3::open(calendar.owner, calendar.clock), calendar.window.data());
        QCOMPARE(calendar.yearBox()->currentText(), year);
    }

    // Every text in the light and the dark palette, as painted, also when
    // the desktop turns dark while the calendar is open. Last: it leaves
    // Fusion behind.
    void contrast_data()
    {
        QTest::addColumn<QString>("palette");
        QTest::addColumn<QString>("part");
        for (const char *palette : {"light", "dark", "dark once open"}) {
            for (const char *part : {"a day", "today", "a weekday", "a month's name", "the year"})
                QTest::addRow("%s: %s", palette, part) << palette << part;
        }
    }
    void contrast()
    {
        QFETCH(QString, palette);
        QFETCH(QString, part);
        PaintedContrast::useFusion(palette == "dark once open" ? "light" : palette);
        Calendar calendar;
        QVERIFY(QTest::qWaitForWindowExposed(calendar.window));
        if (palette == "dark once open")
            PaintedContrast::useFusion("dark");
        MonthGrid *december = calendar.grid(12);
        // Inside the grid lines: Tuesday 1st, Monday 7th, the Sunday header.
        const QMap<QString, QPoint> cells{
            {"a day", {1, 2}}, {"today", {2, 1}}, {"a weekday", {0, 0}}};
        QWidget *painted = calendar.window->findChild<QWidget *>("Label1_12");
        QRect area = painted->rect();
        if (cells.contains(part)) {
            painted = december;
            area = december->cellRect(cells[part].x(), cells[part].y()).adjusted(1, 1, -2, -2);
        } else if (part == "the year") {
            painted = calendar.yearBox()->lineEdit();
            area = painted->rect();
        }
        const PaintedContrast::Reading reading = PaintedContrast::read(*painted, area);
        QVERIFY2(reading.contrast >= 4.5, qPrintable(reading.describe()));
    }
};

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
