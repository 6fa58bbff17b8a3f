// Which days of the target year are off: the lookups in the holiday tables
// as evaluated for the year, and the day-off test that the date
// expressions ("平日", "休日"), the month view and the lists use. Below both
// the holiday file's evaluation (holidays.h), which asks it of the entries
// above an entry, and the date expressions, which the evaluation runs.
#pragma once

#include "core/month_record.h"

namespace kalendo {

// Whether a holiday is valid in year y: fromYear <= y < toYear; and
// whether, valid, it falls on a day as evaluated for y.
bool HolidayValidIn(int fromYear, int toYear, int y);
bool HolidayValidIn(const DefinitionEntry& e, int y);
bool HolidayFallsOnADay(const DefinitionEntry& e, const EvaluatedDate& date, int y);

// The lowest index of a holiday (generated holiday) valid in the target year
// that falls on month/day as evaluated for it, or -1. Only month and day are
// compared; an entry whose day is 0 or less falls on no day.
int FindHoliday(const MonthRecord& rec, int month, int day);
int FindGeneratedHoliday(const MonthRecord& rec, int month, int day);

// Whether month/day of the target year (normalised first, so (5, 32) is
// 1 June) is a Saturday, a Sunday, a holiday or a generated holiday.
bool IsDayOff(const MonthRecord& rec, int month, int day);

}  // namespace kalendo
