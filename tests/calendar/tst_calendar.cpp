#include "CalendarFixture.h"
#include "MonthLayout.h"
#include "PaintedContrast.h"

#include <QAccessible>
#include <QLineEdit>
#include <QRegularExpression>

using namespace MonthLayout;

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
        QTest::newRow("six rows")           << QDate(2011, 1, 31) << QPoint(1, 6) << QPoint(6, 1);
        QTest::newRow("exactly four rows")  << QDate(2009, 2, 28) << QPoint(1, 0) << QPoint(4, 6);
        QTest::newRow("a leap year")        << QDate(2012, 2, 29) << QPoint(1, 3) << QPoint(5, 3);
        QTest::newRow("a century: no leap") << QDate(2100, 2, 28) << QPoint(1, 1) << QPoint(5, 0);
        QTest::newRow("a 400th year: leap") << QDate(2000, 2, 29) << QPoint(1, 2) << QPoint(5, 2);
        QTest::newRow("31 from a Friday")   << QDate(2010, 1, 31) << QPoint(1, 5) << QPoint(6, 0);
        // clang-format on
    }
    void monthLayout()
    {
        QFETCH(QDate, lastDay);
        QFETCH(QPoint, first);
        QFETCH(QPoint, last);
        const MonthInfo month = GetMonthInfo(lastDay.year(), lastDay.month());
        QCOMPARE(month.days, lastDay.day());
        QCOMPARE(dayInCell(month, first.x(), first.y()), 1);
        QCOMPARE(dayInCell(month, last.x(), last.y()), month.days);
    }

    // Today is marked only in its own year: one cell, and its month's frame.
    void marks_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<QStringList>("marks");
        QTest::newRow("today outside the year list")
            << QDate(2026, 12, 1) << QList<int>()
            << QStringList{"12 frame #0000ff", "12 [1] #0000ff #ffffff bold"};
        QTest::newRow("another year chosen") << QDate(2026, 12, 1) << QList{2011} << QStringList();
        QTest::newRow("back to the current year")
            << QDate(2015, 6, 10) << QList{2011, 2015}
            << QStringList{"6 frame #0000ff", "6 [10] #0000ff #ffffff bold"};
    }
    void marks()
    {
        QFETCH(QDate, today);
        QFETCH(QList<int>, chosen);
        QFETCH(QStringList, marks);
        const Calendar calendar(today);
        for (int year : chosen)
            calendar.choose(year);
        static const QRegularExpression blue("frame #0000ff| #0000ff #ffffff bold");
        QCOMPARE(calendar.picture().filter(blue), marks);
    }

    // Once a year is chosen, choosing it again and opening the calendar
    // again change nothing it shows.
    void chosenYearStays()
    {
        Calendar calendar(Today);
        calendar.choose(2011);
        const QStringList picture = calendar.picture();
        calendar.choose(2011);
        QCOMPARE(calendar.picture(), picture);
        QCOMPARE(Form3::open(calendar.owner, calendar.clock), calendar.window.data());
        QVERIFY(QTest::qWaitForWindowActive(calendar.window));
        QCOMPARE(calendar.picture(), picture);
    }

    // From 2008 to five years after the current one, also from a year
    // before the list.
    void years_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QStringList>("ends");
        QTest::addColumn<int>("count");
        QTest::newRow("2026") << QDate(2026, 3, 1) << QStringList{"2008", "2031"} << 24;
        QTest::newRow("the first listed year")
            << QDate(2008, 1, 1) << QStringList{"2008", "2013"} << 6;
        QTest::newRow("a clock before the list")
            << QDate(2004, 6, 1) << QStringList{"2008", "2009"} << 2;
    }
    void years()
    {
        QFETCH(QDate, today);
        const Calendar calendar(today);
        const QComboBox *box = calendar.yearBox();
        QTEST(box->count(), "count");
        QTEST((QStringList{box->itemText(0), box->itemText(box->count() - 1)}), "ends");
        QCOMPARE(box->currentText(), QString::number(today.year()));
    }

    // With 2011 shown, the user types over it and presses Enter or Tab. A
    // listed year is shown; anything else puts 2011 back, so that the box
    // and the months agree.
    void typedYear_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Qt::Key>("leave");
        QTest::addColumn<int>("shown");
        QTest::newRow("a listed year, Enter") << "2015" << Qt::Key_Return << 2015;
        QTest::newRow("a listed year, Tab away") << "2015" << Qt::Key_Tab << 2015;
        QTest::newRow("the current year again") << "2026" << Qt::Key_Return << 2026;
        QTest::newRow("next year") << "2027" << Qt::Key_Return << 2027;
        QTest::newRow("the last listed year") << "2031" << Qt::Key_Tab << 2031;
        QTest::newRow("the year after it") << "2032" << Qt::Key_Return << 2011;
        QTest::newRow("the year before the list") << "2007" << Qt::Key_Tab << 2011;
        QTest::newRow("not a year") << "soon" << Qt::Key_Return << 2011;
        QTest::newRow("nothing") << "" << Qt::Key_Tab << 2011;
    }
    void typedYear()
    {
        QFETCH(QString, typed);
        QFETCH(Qt::Key, leave);
        QFETCH(int, shown);
        Calendar calendar(Today);
        QVERIFY(QTest::qWaitForWindowActive(calendar.window));
        calendar.choose(2011);
        calendar.type(typed, leave);
        Calendar expected(Today);
        if (shown != Today.year())
            expected.choose(shown);
        QCOMPARE(calendar.yearBox()->currentText(), QString::number(shown));
        QCOMPARE(calendar.picture(), expected.picture());
        QCOMPARE(calendar.grid(1)->accessibleName(), "January " + QString::number(shown));
    }

    // The year box comes first; Tab walks the months in order; Esc closes
    // the calendar, except where it closes the open year list.
    void keyboard_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("focus");
        QTest::newRow("opens in the year box") << QStringList() << "cmbYear";
        QTest::newRow("Tab: January") << QStringList{"Tab"} << "Grid1_1";
        QTest::newRow("12 Tabs: December") << QStringList(12, "Tab") << "Grid1_12";
        QTest::newRow("13 Tabs: the year box") << QStringList(13, "Tab") << "cmbYear";
        QTest::newRow("Shift+Tab: December") << QStringList{"Shift+Tab"} << "Grid1_12";
        QTest::newRow("Esc in the year box") << QStringList{"Esc"} << "closed";
        QTest::newRow("Esc in a month") << QStringList{"Tab", "Right", "Esc"} << "closed";
        QTest::newRow("Esc in the year list") << QStringList{"Alt+Down", "Esc"} << "cmbYear";
    }
    void keyboard()
    {
        QFETCH(QStringList, keys);
        Calendar calendar(Today);
        QVERIFY(QTest::qWaitForWindowActive(calendar.window));
        for (const QString &key : keys) {
            const QKeyCombination combination = QKeySequence(key)[0];
            QWidget *target = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                                : QApplication::focusWidget();
            QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
        }
        QString focus = "closed";
        if (calendar.window && calendar.window->isVisible()) {
            QWidget *control = QApplication::focusWidget();
            while (control && control->parentWidget() != calendar.window)
                control = control->parentWidget();
            focus = control ? control->objectName() : "nothing";
        }
        QTEST(focus, "focus");
    }

    // What a screen reader finds in a month: a table of six weeks of seven
    // days under named weekdays, each day named in full.
    void spokenCells_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<QString>("name");
        QTest::newRow("today") << 0 << 12 << QPoint(0, 2) << "Tuesday 1 December 2026, today";
        QTest::newRow("a day") << 0 << 12 << QPoint(1, 1) << "Monday 7 December 2026";
        QTest::newRow("before the 1st") << 0 << 12 << QPoint(0, 1) << "No day";
        QTest::newRow("after the last") << 0 << 2 << QPoint(5, 6) << "No day";
        QTest::newRow("a leap day") << 2028 << 2 << QPoint(4, 2) << "Tuesday 29 February 2028";
        QTest::newRow("the same day of another year")
            << 2025 << 12 << QPoint(0, 1) << "Monday 1 December 2025";
    }
    void spokenCells()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QPoint, cell);
        Calendar calendar(Today);
        if (year)
            calendar.choose(year);
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(calendar.grid(month));
        QVERIFY(grid && grid->tableInterface());
        QCOMPARE(grid->role(), QAccessible::Table);
        QCOMPARE(grid->text(QAccessible::Name), QLocale(QLocale::English).monthName(month) + ' ' +
                                                    QString::number(year ? year : Today.year()));
        QAccessibleTableInterface *table = grid->tableInterface();
        QCOMPARE(QPoint(table->rowCount(), table->columnCount()), QPoint(6, 7));
        QCOMPARE(table->columnDescription(0), "Sunday");
        QAccessibleInterface *day = table->cellAt(cell.x(), cell.y());
        QVERIFY(day);
        QTEST(day->text(QAccessible::Name), "name");
        QCOMPARE(day->role(), QAccessible::Cell);
        QCOMPARE(day->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
                 QLocale(QLocale::English).dayName(cell.y() == 0 ? 7 : cell.y()));
    }

    // A month takes the focus on today, or on the 1st; the cell a screen
    // reader reports as focused is the current one.
    void focusedCell_data()
    {
        QTest::addColumn<int>("month");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("name");
        QTest::newRow("today's month") << 12 << QStringList() << "Tuesday 1 December 2026, today";
        QTest::newRow("another month") << 1 << QStringList() << "Thursday 1 January 2026";
        QTest::newRow("Right") << 12 << QStringList{"Right"} << "Wednesday 2 December 2026";
        QTest::newRow("Down") << 12 << QStringList{"Down"} << "Tuesday 8 December 2026";
        QTest::newRow("Left, before the 1st")
            << 12 << QStringList{"Left", "Left", "Left"} << "No day";
    }
    void focusedCell()
    {
        QFETCH(int, month);
        QFETCH(QStringList, keys);
        Calendar calendar(Today);
        QVERIFY(QTest::qWaitForWindowActive(calendar.window));
        MonthGrid *grid = calendar.grid(month);
        grid->setFocus();
        for (const QString &key : keys)
            QTest::keyClick(grid, QKeySequence(key)[0].key());
        QAccessibleInterface *focused = QAccessible::queryAccessibleInterface(grid)->focusChild();
        QVERIFY(focused);
        QTEST(focused->text(QAccessible::Name), "name");
        QVERIFY(focused->state().focused);
    }

    // Every text in the light and the dark palette, as painted, also when
    // the desktop turns dark while the calendar is open.
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
        Calendar calendar(Today);
        QVERIFY(QTest::qWaitForWindowExposed(calendar.window));
        if (palette == "dark once open")
            PaintedContrast::useFusion("dark");
        MonthGrid *december = calendar.grid(12);
        // Inside the grid lines: Monday 7th, Tuesday 1st, the Sunday header.
        const QMap<QString, QPoint> cells{
            {"a day", {2, 1}}, {"today", {1, 2}}, {"a weekday", {0, 0}}};
        PaintedContrast::Reading reading;
        if (cells.contains(part)) {
            const QPoint cell = cells[part];
            reading = PaintedContrast::read(
                *december, december->cellRect(cell.x(), cell.y()).adjusted(1, 1, -2, -2));
        } else if (part == "the year") {
            QLineEdit *field = calendar.yearBox()->lineEdit();
            reading = PaintedContrast::read(*field, field->rect());
        } else {
            QWidget *label = calendar.window->findChild<QWidget *>("Label1_12");
            reading = PaintedContrast::read(*label, label->rect());
        }
        QVERIFY2(reading.contrast >= 4.5, qPrintable(reading.describe()));
    }
    void initTestCase() { m_startPalette = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(m_startPalette); }

private:
    QPalette m_startPalette;
};

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
