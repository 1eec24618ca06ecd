#include "MonthLayout.h"

#include <QDate>

namespace MonthLayout {

MonthInfo GetMonthInfo(int year, int month)
{
    // QDate counts in the proleptic Gregorian calendar, Monday 1 to Sunday 7.
    const QDate first(year, month, 1);
    if (!first.isValid())
        return {};
    return {first.dayOfWeek() % 7 + 1, first.daysInMonth()};
}

int dayInCell(const MonthInfo &month, int row, int column)
{
    if (row < FirstDayRow || row > LastDayRow || column < 0 || column >= Columns)
        return 0;
    const int day = (row - FirstDayRow) * Columns + column - (month.firstWeekday - 1) + 1;
    return day >= 1 && day <= month.days ? day : 0;
}

} // namespace MonthLayout
