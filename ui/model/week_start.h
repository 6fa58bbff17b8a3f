// The week as the user counts it: the weekday the grid's rows begin on and
// the ISO 8601 week numbers shown beside them. The almanac itself knows
// only the Sunday-first week of the traditional wall calendar (the CLI's
// grid keeps it); the window lets a user begin on Monday, as ISO 8601 and
// most European calendars do.
#pragma once

namespace kalendo {

enum class WeekStart { Sunday = 0, Monday = 1 };

// The weekday (0 = Sunday ... 6 = Saturday) shown in column `column`
// (0-6) of a grid whose rows begin on `start`, and the reverse.
int WeekdayOfColumn(int column, WeekStart start);
int ColumnOfWeekday(int weekday, WeekStart start);

// How many cells of the month before stand in the first row, in [0, 6],
// for a month whose 1st falls on `weekdayOfFirst` (0 = Sunday).
int LeadingDays(int weekdayOfFirst, WeekStart start);

// The ISO 8601 week of a date: weeks run Monday to Sunday, and a week
// belongs to the year of its Thursday, so week 1 is the week holding
// 4 January and 29-31 December may lie in week 1 of the next year, 1-3
// January in week 52 or 53 of the year before. Any valid date.
struct IsoWeek {
    int year;  // the year the week belongs to
    int week;  // 1-53
    friend bool operator==(const IsoWeek&, const IsoWeek&) = default;
};
IsoWeek IsoWeekOf(int y, int m, int d);

}  // namespace kalendo
