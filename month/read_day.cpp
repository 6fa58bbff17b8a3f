#include "month/read_day.h"

#include <algorithm>
#include <iterator>

#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "astro/lunisolar.h"
#include "core/day_arith.h"
#include "defs/day_off.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "month/year_tables.h"

namespace kalendo {

namespace {

// The entries of the record's target, the holiday and notes as its reading
// found them.
DayEntries EntriesOf(const MonthRecord& rec, const DayReading& reading) {
    DayEntries e;
    const int y = rec.year[kTarget], m = rec.month[kTarget], d = rec.day[kTarget];
    e.holiday = reading.holiday;
    e.generatedIndex = reading.generatedHoliday;
    if (e.generatedIndex >= 0) e.generated = rec.evaluated.generated[e.generatedIndex];
    e.notes = reading.notes;
    for (int i = 0; i < rec.userEntryCount; ++i) {
        if (UserEntryFallsOn(rec, i, y, m, d) >= 0) e.userEntries.set(i);
    }
    for (int i = 0; i < rec.scheduleCount; ++i) {
        if (ScheduleFallsOn(rec, i, y, m, d) >= 0) e.schedules.set(i);
    }
    return e;
}

}  // namespace

DayEntries EntriesOfTarget(const MonthRecord& rec) {
    return EntriesOf(rec, ReadingOfTarget(rec, {}, false));
}

DayReader::DayReader(const MonthRecord& window) : day_(window, kReadingSameFiles) {
    // Most days asked lie in the window's own year, whose tables it holds:
    // the lunisolar date reads only the new moons and their month numbers,
    // so those are taken over instead of the whole year's tables.
    if (window.year[kTarget] >= kFirstComputedYear && window.year[kTarget] <= kLastComputedYear) {
        day_.year[kTarget] = window.year[kTarget];
        day_.almanacMode = window.almanacMode;
        day_.newMoons = window.newMoons;
        std::copy(std::begin(window.lunarMonthNumber), std::end(window.lunarMonthNumber),
                  std::begin(day_.lunarMonthNumber));
        TablesAre(window.year[kTarget], window.almanacMode);
    }
}

void DayReader::TablesAre(int year, AlmanacMode mode) {
    tablesYear_ = year;
    tablesMode_ = mode;
    monthEndJd_ = monthFirstJd_ = 0;
}

LunisolarDate DayReader::Lunisolar(const CalendarDate& d, AlmanacMode mode) {
    if (d.year < kFirstComputedYear || d.year > kLastComputedYear) return {};
    const double jd = JulianDate(d.year, d.month, d.day);
    if (tablesYear_ != d.year || tablesMode_ != mode) {
        // A grid spans at most two years, and the year tables keep the
        // years beside the target, so this is a copy, seldom a computation.
        day_.year[kTarget] = d.year;
        day_.almanacMode = mode;
        UseYearTables(day_, YearKey{d.year, mode});
        TablesAre(d.year, mode);
    }
    if (jd >= monthFirstJd_ && jd < monthEndJd_) {
        LunisolarDate lunar = first_;
        lunar.day = static_cast<int>(jd - monthFirstJd_) + 1;
        return lunar;
    }
    const LunisolarDate lunar = LunisolarDateOf(day_, d.year, d.month, d.day);
    first_ = LunisolarDate{lunar.month, lunar.leap, 1};
    monthFirstJd_ = jd - (lunar.day - 1);
    monthEndJd_ = monthFirstJd_;  // an empty range until the next new moon is found
    for (int n = 0; n < kNewMoonCount; ++n) {
        const CalendarDate newMoon = EntryAt(day_.newMoons, n);
        const double newMoonJd = JulianDate(newMoon.year, newMoon.month, newMoon.day);
        if (newMoonJd > monthFirstJd_) {
            monthEndJd_ = newMoonJd;
            break;
        }
    }
    return lunar;
}

std::optional<DayOfAlmanac> DayReader::Read(const CalendarDate& d, MonthOptions options,
                                            const DayQuestions& questions) {
    if (!ComputeMonthWouldAccept(day_, d.year, d.month, d.day, options)) return std::nullopt;
    ComputeMonth(day_, d.year, d.month, d.day, options);
    TablesAre(day_.year[kTarget], day_.almanacMode);
    const MonthRecord& r = day_;
    const int y = r.year[kTarget], m = r.month[kTarget], dd = r.day[kTarget];
    DayOfAlmanac out;
    out.date = {y, m, dd};
    out.weekday = r.weekday[kTarget];
    out.almanac = r.almanacMode;
    out.reading = ReadingOfTarget(r, questions.readings, false);
    out.entries = EntriesOf(r, out.reading);
    if (questions.lowerRegister) {
        const LowerRegister lower = LowerRegisterOfTarget(r, questions.readings);
        out.reading.rekichu = lower.rekichu;
        out.reading.kyusei = lower.kyusei;
        out.solarMonth = lower.solarMonth;
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
