#include "CalendarFixture.h"
#include "MonthLayout.h"

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

    // Once a year is chosen, choosing it again, typing another one (Enter
    // included) and opening the calendar again change nothing it shows.
    void chosenYearStays()
    {
        Calendar calendar(Today);
        calendar.choose(2011);
        const QStringList picture = calendar.picture();
        calendar.choose(2011);
        QCOMPARE(calendar.picture(), picture);
        QLineEdit *text = calendar.yearBox()->lineEdit();
        text->selectAll();
        QTest::keyClicks(text, "2015");
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(calendar.picture(), picture);
        QCOMPARE(Form3::open(calendar.owner, calendar.clock), calendar.window.data());
        QVERIFY(QTest::qWaitForWindowActive(calendar.window));
        QCOMPARE(calendar.picture(), picture);
    }
};

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
