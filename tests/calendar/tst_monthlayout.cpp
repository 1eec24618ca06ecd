#include "MonthLayout.h"

#include <QPoint>
#include <QTest>

using namespace MonthLayout;

class TestMonthLayout : public QObject
{
    Q_OBJECT

private slots:
    // Cells as (row, column): rows 1 to 6, columns 0 Sunday to 6 Saturday.
    void layout_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("days");
        QTest::addColumn<QPoint>("first");
        QTest::addColumn<QPoint>("last");
        QTest::newRow("January 2011: Saturday start, six rows")
            << 2011 << 1 << 31 << QPoint(1, 6) << QPoint(6, 1);
        QTest::newRow("February 2009: exactly four rows")
            << 2009 << 2 << 28 << QPoint(1, 0) << QPoint(4, 6);
        QTest::newRow("February 2008") << 2008 << 2 << 29 << QPoint(1, 5) << QPoint(5, 5);
        QTest::newRow("February 2012") << 2012 << 2 << 29 << QPoint(1, 3) << QPoint(5, 3);
        QTest::newRow("February 2016") << 2016 << 2 << 29 << QPoint(1, 1) << QPoint(5, 1);
        QTest::newRow("February 2020") << 2020 << 2 << 29 << QPoint(1, 6) << QPoint(5, 6);
        QTest::newRow("February 2100: a century, no leap year")
            << 2100 << 2 << 28 << QPoint(1, 1) << QPoint(5, 0);
        QTest::newRow("February 2000: divisible by 400, a leap year")
            << 2000 << 2 << 29 << QPoint(1, 2) << QPoint(5, 2);
        QTest::newRow("31 days from a Friday: the 31st alone in row 6")
            << 2010 << 1 << 31 << QPoint(1, 5) << QPoint(6, 0);
    }
    void layout()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, days);
        QFETCH(QPoint, first);
        QFETCH(QPoint, last);
        const MonthInfo info = GetMonthInfo(year, month);
        QCOMPARE(info, (MonthInfo{first.y() + 1, days}));
        // Read row by row, left to right, as a person reads the grid: every
        // day once and in order, nothing beside the grid.
        int expected = 1;
        for (int row = FirstDayRow; row <= LastDayRow; ++row) {
            QCOMPARE(dayInCell(info, row, -1), 0);
            QCOMPARE(dayInCell(info, row, Columns), 0);
            for (int column = 0; column < Columns; ++column) {
                const int day = dayInCell(info, row, column);
                if (day == 0)
                    continue;
                QCOMPARE(day, expected++);
                if (day == 1)
                    QCOMPARE(QPoint(row, column), first);
                if (day == days)
                    QCOMPARE(QPoint(row, column), last);
            }
        }
        QCOMPARE(expected, days + 1);
    }
};

QTEST_APPLESS_MAIN(TestMonthLayout)
#include "tst_monthlayout.moc"
