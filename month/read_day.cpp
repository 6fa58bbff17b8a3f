#include "month/read_day.h"

#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "defs/day_off.h"
#include "defs/notes.h"
#include "defs/schedules.h"

namespace kalendo {

DayReader::DayReader(const MonthRecord& window) : day_(window, kReadingSameFiles) {}

std::optional<DayOfAlmanac> DayReader::Read(const CalendarDate& d, MonthOptions options,
                                            const DayQuestions& questions) {
    if (!ComputeMonthWouldAccept(day_, d.year, d.month, d.day, options)) return std::nullopt;
    ComputeMonth(day_, d.year, d.month, d.day, options);
    const MonthRecord& r = day_;
    const int y = r.year[kTarget], m = r.month[kTarget], dd = r.day[kTarget];
    DayOfAlmanac out;
    out.date = {y, m, dd};
    out.weekday = r.weekday[kTarget];
    out.almanac = r.almanacMode;
    out.reading = ReadingOfTarget(r, questions.readings);
    out.yearStem = YearStemIndex(y);
    out.yearBranch = YearBranchIndex(y);
    out.monthStem = MonthStemIndex(y, m);
    out.monthBranch = MonthBranchIndex(m);
    out.dayStem = DayStemIndex(y, m, dd);
    out.dayBranch = DayBranchIndex(y, m, dd);
    out.mansion = MansionIndex(y, m, dd);
    if (out.reading.generatedHoliday >= 0) {
        out.generated = r.evaluated.generated[out.reading.generatedHoliday];
    }
    for (int i = 0; i < r.userEntryCount; ++i) {
        if (UserEntryFallsOn(r, i, y, m, dd) >= 0) out.userEntries.set(i);
    }
    for (int i = 0; i < r.scheduleCount; ++i) {
        if (ScheduleFallsOn(r, i, y, m, dd) >= 0) out.schedules.set(i);
    }
    if (questions.moonAge) out.moonAge = MoonAgeAtNoon(r, y, m, dd);
    if (questions.closeCalls) out.closeCalls = CloseCallsOfTarget(r, questions.readings);
    return out;
}

std::optional<DayOfAlmanac> ReadDay(const MonthRecord& window, const CalendarDate& d,
                                    MonthOptions options, const DayQuestions& questions) {
    return DayReader(window).Read(d, options, questions);
}

}  // namespace kalendo
