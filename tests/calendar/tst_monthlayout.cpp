#include "MonthLayout.h"

#include <QPoint>
#include <QTest>

using namespace MonthLayout;

namespace {

// Cells as (row, column).
struct Walk
{
    QPoint first;
    QPoint last;
    int rowsUsed = 0;
    bool inOrder = true;
};

// Reads the grid as a person would: row by row, left to right.
Walk walk(const MonthInfo &month)
{
    Walk result;
    int previous = 0;
    for (int row = FirstDayRow; row <= LastDayRow; ++row) {
        bool used = false;
        for (int column = 0; column < Columns; ++column) {
            const int day = dayInCell(month, row, column);
            if (day == 0)
                continue;
            if (day == 1)
                result.first = {row, column};
            result.last = {row, column};
            result.inOrder = result.inOrder && day == previous + 1;
            previous = day;
            used = true;
        }
        result.rowsUsed += used ? 1 : 0;
    }
    result.inOrder = result.inOrder && previous == month.days;
    return result;
}

} // namespace

class TestMonthLayout : public QObject
{
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("firstWeekday");
        QTest::addColumn<int>("days");
        QTest::addColumn<QPoint>("first");
        QTest::addColumn<QPoint>("last");
        QTest::addColumn<int>("rowsUsed");
        QTest::newRow("January 2011: Saturday start, six rows")
            << 2011 << 1 << 7 << 31 << QPoint(1, 6) << QPoint(6, 1) << 6;
        QTest::newRow("February 2009: exactly four rows")
            << 2009 << 2 << 1 << 28 << QPoint(1, 0) << QPoint(4, 6) << 4;
        QTest::newRow("February 2008") << 2008 << 2 << 6 << 29 << QPoint(1, 5) << QPoint(5, 5) << 5;
        QTest::newRow("February 2012") << 2012 << 2 << 4 << 29 << QPoint(1, 3) << QPoint(5, 3) << 5;
        QTest::newRow("February 2016") << 2016 << 2 << 2 << 29 << QPoint(1, 1) << QPoint(5, 1) << 5;
        QTest::newRow("February 2020") << 2020 << 2 << 7 << 29 << QPoint(1, 6) << QPoint(5, 6) << 5;
        QTest::newRow("February 2100: a century, no leap year")
            << 2100 << 2 << 2 << 28 << QPoint(1, 1) << QPoint(5, 0) << 5;
        QTest::newRow("February 2000: divisible by 400, a leap year")
            << 2000 << 2 << 3 << 29 << QPoint(1, 2) << QPoint(5, 2) << 5;
        QTest::newRow("31 days from a Friday: the 31st alone in row 6")
            << 2010 << 1 << 6 << 31 << QPoint(1, 5) << QPoint(6, 0) << 6;
        QTest::newRow("no month 13") << 2011 << 13 << 0 << 0 << QPoint() << QPoint() << 0;
    }
    void layout()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, firstWeekday);
        QFETCH(int, days);
        QFETCH(QPoint, first);
        QFETCH(QPoint, last);
        QFETCH(int, rowsUsed);
        const MonthInfo info = GetMonthInfo(year, month);
        QCOMPARE(info, (MonthInfo{firstWeekday, days}));
        const Walk cells = walk(info);
        QVERIFY2(cells.inOrder, "every day from the 1st to the last, once and in order");
        QCOMPARE(cells.first, first);
        QCOMPARE(cells.last, last);
        QCOMPARE(cells.rowsUsed, rowsUsed);
    }

    // The years the year box offers: their rule, divisible by 4, and the
    // Gregorian one agree.
    void listedYearsLeapEveryFourth()
    {
        for (int year = 2008; year <= 2020; ++year)
            QCOMPARE(GetMonthInfo(year, 2).days, year % 4 == 0 ? 29 : 28);
    }

    void cellsOutsideTheGridHoldNoDay_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("left of Sunday") << 2 << -1;
        QTest::newRow("right of Saturday") << 1 << 7;
    }
    void cellsOutsideTheGridHoldNoDay()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        // In February 2009 the neighbouring cells inside the grid hold days.
        QCOMPARE(dayInCell(GetMonthInfo(2009, 2), row, column), 0);
    }
};

QTEST_APPLESS_MAIN(TestMonthLayout)
#include "tst_monthlayout.moc"
