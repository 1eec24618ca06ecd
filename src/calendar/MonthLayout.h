#pragma once

// Where the days of a month stand in a calendar grid of six day rows (1 to
// 6) under seven weekday columns (0 Sunday to 6 Saturday). Needs no display.
namespace MonthLayout {

constexpr int FirstDayRow = 1;
constexpr int LastDayRow = 6;
constexpr int Columns = 7;

struct MonthInfo
{
    // 1 Sunday to 7 Saturday; 0 for a month that does not exist.
    int firstWeekday = 0;
    int days = 0;

    bool operator==(const MonthInfo &) const = default;
};

// February has 29 days in the years of the Gregorian calendar's leap rule:
// divisible by 4, but not by 100 unless by 400.
MonthInfo GetMonthInfo(int year, int month);

// The day that stands in the cell, or 0 where the cell holds no day.
int dayInCell(const MonthInfo &month, int row, int column);

} // namespace MonthLayout
