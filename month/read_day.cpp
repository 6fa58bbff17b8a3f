#include "month/read_day.h"

#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "defs/day_off.h"
#include "defs/notes.h"
#include "defs/schedules.h"

namespace kalendo {

DayEntries EntriesOfTarget(const MonthRecord& rec) {
    DayEntries e;
    const int y = rec.year[kTarget], m = rec.month[kTarget], d = rec.day[kTarget];
    e.holiday = FindHoliday(rec, m, d);
    e.generatedIndex = FindGeneratedHoliday(rec, m, d);
    if (e.generatedIndex >= 0) e.generated = rec.evaluated.generated[e.generatedIndex];
    for (int i = 0; i < rec.noteCount; ++i) {
        if (NoteFallsOnTarget(rec, i) >= 0) e.notes.set(i);
    }
    for (int i = 0; i < rec.userEntryCount; ++i) {
        if (UserEntryFallsOn(rec, i, y, m, d) >= 0) e.userEntries.set(i);
    }
    for (int i = 0; i < rec.scheduleCount; ++i) {
        if (ScheduleFallsOn(rec, i, y, m, d) >= 0) e.schedules.set(i);
    }
    return e;
}

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
    out.entries = EntriesOfTarget(r);
    // The reading as ReadingOfTarget gives it, from the entries just found.
    DayReading& reading = out.reading;
    reading.lunarMonth = r.lunarMonth;
    reading.lunarDay = r.lunarDay;
    reading.leapMonth = r.leapMonth;
    reading.rokuyo = RokuyoIndex(r);
    reading.officer = OfficerIndex(r, y, m, dd);
    reading.holiday = out.entries.holiday;
    reading.generatedHoliday = out.entries.generatedIndex;
    reading.notes = out.entries.notes;
    if (questions.lowerRegister) {
        const LowerRegister lower = LowerRegisterOfTarget(r, questions.readings);
        reading.rekichu = lower.rekichu;
        reading.kyusei = lower.kyusei;
    }
    out.yearStem = YearStemIndex(y);
    out.yearBranch = YearBranchIndex(y);
    out.monthStem = MonthStemIndex(y, m);
    out.monthBranch = MonthBranchIndex(m);
    out.dayStem = DayStemIndex(y, m, dd);
    out.dayBranch = DayBranchIndex(y, m, dd);
    out.mansion = MansionIndex(y, m, dd);
    if (questions.moonAge) out.moonAge = MoonAgeAtNoon(r, y, m, dd);
    if (questions.closeCalls) out.closeCalls = CloseCallsOfTarget(r, questions.readings);
    return out;
}

std::optional<DayOfAlmanac> ReadDay(const MonthRecord& window, const CalendarDate& d,
                                    MonthOptions options, const DayQuestions& questions) {
    return DayReader(window).Read(d, options, questions);
}

}  // namespace kalendo
