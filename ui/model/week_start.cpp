#include "ui/model/week_start.h"

#include "core/calendar_constants.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

// ISO weekday: Monday 1 ... Sunday 7.
int IsoWeekday(int y, int m, int d) {
    const int w = Weekday(y, m, d);
    return w == 0 ? kDaysPerWeek : w;
}

constexpr int kIsoThursday = 4;

}  // namespace

int WeekdayOfColumn(int column, WeekStart start) {
    return (column + static_cast<int>(start)) % kDaysPerWeek;
}

int ColumnOfWeekday(int weekday, WeekStart start) {
    return (weekday - static_cast<int>(start) + kDaysPerWeek) % kDaysPerWeek;
}

int LeadingDays(int weekdayOfFirst, WeekStart start) { return ColumnOfWeekday(weekdayOfFirst, start); }

IsoWeek IsoWeekOf(int y, int m, int d) {
    // The week's Thursday decides the year; its day of that year, counted
    // from 0, over 7 gives the week less one (the year's first Thursday,
    // days 0-6, lies in week 1).
    int ty = y, tm = m, td = d + kIsoThursday - IsoWeekday(y, m, d);
    NormalizeDate(ty, tm, td);
    const int dayOfYear = static_cast<int>(JulianDate(ty, tm, td) - JulianDate(ty, 1, 1));
    return IsoWeek{ty, dayOfYear / kDaysPerWeek + 1};
}

}  // namespace kalendo
