#include "defs/day_off.h"

#include "core/day_arith.h"

namespace kalendo {
namespace {

int Find(const DefinitionEntry* table, int count, int y, int month, int day) {
    for (int i = 0; i < count; ++i) {
        const DefinitionEntry& e = table[i];
        if (HolidayFallsOnADay(e, y) && e.month == month && e.day == day) return i;
    }
    return -1;
}

}  // namespace

bool HolidayValidIn(const DefinitionEntry& e, int y) { return e.fromYear <= y && y < e.toYear; }

bool HolidayFallsOnADay(const DefinitionEntry& e, int y) { return HolidayValidIn(e, y) && e.day > 0; }

int FindHoliday(const MonthRecord& rec, int month, int day) {
    return Find(rec.tables.holidays, rec.holidayCount, rec.year[kTarget], month, day);
}

int FindGeneratedHoliday(const MonthRecord& rec, int month, int day) {
    return Find(rec.tables.generatedHolidays, rec.generatedHolidayCount, rec.year[kTarget], month, day);
}

bool IsDayOff(const MonthRecord& rec, int month, int day) {
    int y = rec.year[kTarget];
    NormalizeDate(y, month, day);
    const int weekday = Weekday(y, month, day);
    if (weekday == 0 || weekday == 6) return true;
    return FindHoliday(rec, month, day) >= 0 || FindGeneratedHoliday(rec, month, day) >= 0;
}

}  // namespace kalendo
