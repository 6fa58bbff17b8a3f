// The month computation driver. This file is the one place in core/ that
// reaches upward: it runs the steps of the astronomy, sign, definition and
// era layers in the fixed order the record depends on.
#include "core/compute_month.h"

#include "almanac/era.h"
#include "almanac/signs.h"
#include "astro/lunisolar.h"
#include "astro/precise.h"
#include "core/almanac_mode.h"
#include "core/core_texts.h"
#include "core/day_arith.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "platform/platform.h"

namespace kalendo {
namespace {

constexpr int kFirstYear = 1600;
constexpr int kLastYear = 2999;

bool InRange(int y, int m, int d) {
    return y >= kFirstYear && y <= kLastYear && m >= 1 && m <= 12 && d >= 1 &&
           d <= DaysInMonth(y, m);
}

}  // namespace

int ComputeMonth(MonthRecord& rec, int y, int m, int d) {
    // Step 1: the monthly display always describes today.
    if (DisplayModeFlag() == 1) {
        y = rec.year[kToday];
        m = rec.month[kToday];
        d = rec.day[kToday];
    }
    // Step 2: the supported range; a rejected date changes nothing.
    if (!InRange(y, m, d)) {
        ThePlatform().ShowMessage(kRangeErrorMessage);
        return 0;
    }
    // Steps 3-4: the target date and its weekday.
    rec.year[kTarget] = y;
    rec.month[kTarget] = m;
    rec.day[kTarget] = d;
    rec.weekday[kTarget] = Weekday(y, m, d);

    // Steps 5-7: solar terms, new moons, lunar month numbers (year only).
    // The two almanac modes differ only in where the events of the tables
    // lie; the numbering and everything after read the tables alike.
    if (CurrentAlmanacMode() == AlmanacMode::Precise) {
        ComputeSolarTermsPrecise(rec);
        ComputeNewMoonsPrecise(rec);
    } else {
        ComputeSolarTerms(rec);
        ComputeNewMoons(rec);
    }
    NumberLunarMonths(rec);
    // Step 8: officer anchors from the solar terms.
    ComputeOfficerAnchors(rec);
    // Step 9: holidays, then the generated holidays.
    EvaluateHolidays(rec);
    GenerateHolidays(rec);
    // Step 10: calendar notes, then user entries.
    EvaluateNotes(rec);
    EvaluateUserEntries(rec);
    // Step 11: lunisolar date of the target day.
    LunisolarDate(rec, y, m, d);
    // Step 12: era of the target day (none before the era file is loaded).
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
        rec.weekday[kToday] = today->weekday;
    } else {
        rec.year[kToday] = 0;
        rec.month[kToday] = 0;
        rec.day[kToday] = 0;
        rec.weekday[kToday] = -1;
    }
}

}  // namespace kalendo
