// The month computation driver: it runs the steps of the astronomy, sign,
// definition and era layers in the fixed order the record depends on.
#include "month/compute_month.h"

#include "almanac/era.h"
#include "almanac/signs.h"
#include "astro/lunisolar.h"
#include "core/day_arith.h"
#include "defs/day_off.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "month/month_texts.h"
#include "month/year_tables.h"
#include "platform/platform.h"

namespace kalendo {

bool ComputeMonthAccepts(int y, int m, int d) {
    return y >= kFirstComputedYear && y <= kLastComputedYear && m >= 1 && m <= 12 && d >= 1 &&
           d <= DaysInMonth(y, m);
}

namespace {

// The monthly display always describes today, whatever date was asked.
void TakeDisplayedDate(const MonthRecord& rec, int& y, int& m, int& d, MonthOptions options) {
    if (options.display == kViewMonthly) {
        y = rec.year[kToday];
        m = rec.month[kToday];
        d = rec.day[kToday];
    }
}

}  // namespace

bool ComputeMonthWouldAccept(const MonthRecord& rec, int y, int m, int d, MonthOptions options) {
    TakeDisplayedDate(rec, y, m, d, options);
    return ComputeMonthAccepts(y, m, d);
}

int ComputeMonth(MonthRecord& rec, int y, int m, int d, MonthOptions options) {
    TakeDisplayedDate(rec, y, m, d, options);
    // Outside the supported range a date changes nothing, the target
    // included, so a refused command redraws the month it came from.
    if (!ComputeMonthAccepts(y, m, d)) {
        ThePlatform().ShowMessage(kRangeErrorMessage);
        return 0;
    }
    // The target date first: every step below reads it from the record.
    rec.year[kTarget] = y;
    rec.month[kTarget] = m;
    rec.day[kTarget] = d;
    rec.weekday[kTarget] = Weekday(y, m, d);
    rec.almanacMode = options.almanac;

    // The tables of the target year, a function of the key alone and kept
    // for the last years. The numbering places its anchors by finding
    // principal solar terms within lunations, so it needs both the term and
    // the new-moon table; the officers' solar-month starts are entries of
    // the term table.
    UseYearTables(rec, YearKey{y, options.almanac});
    // Every entry evaluated afresh for the target date. Holidays before
    // everything that asks whether a day is off: the substitute and
    // citizens' holidays are generated from the listed ones, and a
    // "平日"/"休日" keyword in a note's or user entry's expression asks
    // IsDayOff, which reads both holiday tables of this year. A "Deg" angle
    // in any expression reads the term table.
    EvaluateHolidays(rec);
    GenerateHolidays(rec);
    EvaluateNotes(rec);
    EvaluateUserEntries(rec);
    // Needs the numbered new-moon table.
    StoreTargetLunisolarDate(rec, LunisolarDateOf(rec, y, m, d));
    // None before the era file is loaded.
    if (const int era = EraIndex(rec, y, m, d); era >= 0) {
        CopyText(rec.currentEraName, EraName(rec, era));
        rec.eraYear = y - EraStartYear(rec, era) + 1;
    } else {
        rec.currentEraName[0] = '\0';
        rec.eraYear = -1;
    }
    return 1;
}

void UpdateToday(MonthRecord& rec) {
    if (const auto today = ThePlatform().Today()) {
        rec.year[kToday] = today->year;
        rec.month[kToday] = today->month;
        rec.day[kToday] = today->day;
        rec.weekday[kToday] = Weekday(today->year, today->month, today->day);
    } else {
        rec.year[kToday] = 0;
        rec.month[kToday] = 0;
        rec.day[kToday] = 0;
        rec.weekday[kToday] = -1;
    }
}

}  // namespace kalendo
