#include "month/lower_register.h"

#include <cassert>

#include "almanac/kyusei.h"
#include "almanac/signs.h"
#include "astro/lunisolar.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"
#include "month/compute_month.h"
#include "month/year_tables.h"

namespace kalendo {
namespace {

// Whole days: the Julian date at noon of the civil day.
int DayNumber(const CalendarDate& date) {
    return static_cast<int>(JulianDate(date.year, date.month, date.day) + 0.5);
}

// Angles on the scale of SolarTermIndexAtOrBefore (0 = the spring equinox
// of the target year). The solar months open on the 節 terms, 30° apart:
// 大雪 (255°) of the year before opens month 11 (子) for the first days of
// January, 大雪 of the year itself the last month any of its days can be in.
constexpr double kLastTaisetsuOfYearBeforeDeg = 255 - 360;
constexpr double kTaisetsuDeg = 255;
constexpr double kRisshunDeg = 315 - 360;
constexpr double kSekkiStepDeg = 30;
// 大雪 opens month 11.
constexpr int kTaisetsuMonth = 11;

// The solstices whose switch days can bound a stretch holding a day of the
// target year: 夏至 of the year before (a day before the next switch, in
// the first weeks of January) up to 夏至 of the year after.
constexpr double kSolsticeDeg[] = {90 - 360, 270 - 360, 90, 270, 90 + 360};
constexpr int kSolsticeCount = 5;

int TermDay(const MonthRecord& tables, double springScaleDeg) {
    return DayNumber(EntryAt(tables.terms, SolarTermIndexAtOrBefore(springScaleDeg)));
}

int SexagenaryIndex(const CalendarDate& date) {
    return SexagenaryDay(date.year, date.month, date.day) - 1;
}

}  // namespace

LowerRegister ReadLowerRegister(const MonthRecord& tables, const CalendarDate& date, const LunisolarDate& lunar,
                                RekichuReadings readings) {
    assert(tables.year[kTarget] == date.year);
    const int day = DayNumber(date);
    LowerRegister reading;
    reading.sexagenary = SexagenaryIndex(date);

    // The last 節 on or before the day: the whole 節入り day is the new month's.
    double openingDeg = kTaisetsuDeg;
    while (openingDeg > kLastTaisetsuOfYearBeforeDeg && TermDay(tables, openingDeg) > day) {
        openingDeg -= kSekkiStepDeg;
    }
    const int monthsAfterTaisetsu = static_cast<int>((openingDeg - kLastTaisetsuOfYearBeforeDeg) / kSekkiStepDeg);
    reading.solarMonth = (kTaisetsuMonth - 1 + monthsAfterTaisetsu) % kMonthsPerYear + 1;
    reading.solarMonthDay = day - TermDay(tables, openingDeg) + 1;

    const int risshunYear = day >= TermDay(tables, kRisshunDeg) ? date.year : date.year - 1;
    reading.kyusei.year = YearKyusei(risshunYear);
    reading.kyusei.month = MonthKyusei(risshunYear, reading.solarMonth);

    int switchDay[kSolsticeCount];
    for (int j = 0; j < kSolsticeCount; ++j) {
        const int solstice = TermDay(tables, kSolsticeDeg[j]);
        const CalendarDate solsticeDate = EntryAt(tables.terms, SolarTermIndexAtOrBefore(kSolsticeDeg[j]));
        switchDay[j] = solstice + SwitchDayOffset(SexagenaryIndex(solsticeDate));
    }
    int j = kSolsticeCount - 2;
    while (j > 0 && switchDay[j] > day) --j;
    assert(switchDay[j] <= day && day < switchDay[j + 1]);
    // 冬至 at odd j: the stars count up from it (陽遁).
    const KyuseiPeriod period{j % 2 == 1, switchDay[j + 1] - switchDay[j]};
    reading.kyusei.day = DayKyusei(period, day - switchDay[j]);

    RekichuDay facts;
    facts.sexagenary = reading.sexagenary;
    facts.solarMonth = reading.solarMonth;
    facts.solarMonthDay = reading.solarMonthDay;
    facts.lunarMonth = lunar.month;
    facts.lunarDay = lunar.day;
    facts.mansion = MansionIndex(date.year, date.month, date.day);
    reading.rekichu = RekichuOf(facts, readings);
    return reading;
}

LowerRegister LowerRegisterOfTarget(const MonthRecord& rec, RekichuReadings readings) {
    const CalendarDate target{rec.year[kTarget], rec.month[kTarget], rec.day[kTarget]};
    return ReadLowerRegister(rec, target, TargetLunisolarDate(rec), readings);
}

LowerRegisterReader::LowerRegisterReader(const MonthRecord& rec) : scratch_(rec.tables) {
    scratch_.almanacMode = rec.almanacMode;
}

LowerRegister LowerRegisterReader::Of(const CalendarDate& date, RekichuReadings readings) {
    assert(date.year >= kFirstComputedYear && date.year <= kLastComputedYear);
    if (scratch_.year[kTarget] != date.year) {
        scratch_.year[kTarget] = date.year;
        UseYearTables(scratch_, YearKey{date.year, scratch_.almanacMode});
    }
    return ReadLowerRegister(scratch_, date, LunisolarDateOf(scratch_, date.year, date.month, date.day), readings);
}

}  // namespace kalendo
