#include "defs/day_off.h"

#include "core/day_arith.h"

namespace kalendo {

bool HolidayValidIn(int fromYear, int toYear, int y) { return fromYear <= y && y < toYear; }

bool HolidayValidIn(const DefinitionEntry& e, int y) { return HolidayValidIn(e.fromYear, e.toYear, y); }

bool HolidayFallsOnADay(const DefinitionEntry& e, const EvaluatedDate& date, int y) {
    return HolidayValidIn(e, y) && date.day > 0;
}

int FindHoliday(const MonthRecord& rec, int month, int day) {
    const int y = rec.year[kTarget];
    for (int i = 0; i < rec.holidayCount; ++i) {
        const EvaluatedDate& date = rec.evaluated.holidays[i];
        if (HolidayFallsOnADay(rec.tables.holidays[i], date, y) && date.month == month && date.day == day) {
            return i;
        }
    }
    return -1;
}

int FindGeneratedHoliday(const MonthRecord& rec, int month, int day) {
    const int y = rec.year[kTarget];
    for (int i = 0; i < rec.evaluated.generatedCount; ++i) {
        const GeneratedHoliday& g = rec.evaluated.generated[i];
        if (HolidayValidIn(g.fromYear, g.toYear, y) && g.day > 0 && g.month == month && g.day == day) return i;
    }
    return -1;
}

bool IsDayOff(const MonthRecord& rec, int month, int day) {
    int y = rec.year[kTarget];
    NormalizeDate(y, month, day);
    const int weekday = Weekday(y, month, day);
    if (weekday == 0 || weekday == 6) return true;
    return FindHoliday(rec, month, day) >= 0 || FindGeneratedHoliday(rec, month, day) >= 0;
}

}  // namespace kalendo
