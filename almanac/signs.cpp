#include "almanac/signs.h"

#include <cassert>

#include "core/calendar_constants.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

constexpr int kRokuyoCount = 6;
constexpr int kMansionCount = 28;

// Where each day cycle stands at whole Julian day 0; they put 2000-01-01
// (JD 2451544.5) on 戊午 (55: stem 4, branch 6) and mansion 16 (胃).
constexpr double kSexagenaryOffsetDays = 50;
constexpr int kStemOffset = 10;
constexpr double kBranchOffsetDays = 2;
constexpr int kMansionOffset = 12;

// Year 4 (甲子) starts the 60-year cycle: (y + 6) mod 10 and (y + 8) mod 12.
constexpr int kYearStemOffset = 6;
constexpr int kYearBranchOffset = 8;
// Month signs run on through the years, 12 a year: month 1 of 1984 is 丙寅.
constexpr int kMonthStemOffset = 3;
constexpr int kMonthBranchOffset = 1;

// The solar-term table starts at 285° (小寒) of the year before and steps
// 15° a term; entry 22 is 大雪 (255°) of the year before, and every second
// entry after it is the next solar-month start (a sekki term).
constexpr int kFirstAnchorTerm = 22;
constexpr int kTermsPerSolarMonth = 2;
static_assert(kFirstAnchorTerm + kTermsPerSolarMonth * (kAnchorCount - 1) < kTermCount);
static_assert(kAnchorCount <= kAnchorCapacity);

// Truncation toward zero, as the signs have always been counted. For the
// positive Julian dates of the supported years this is the floor.
int TruncDays(double jd) {
    return static_cast<int>(jd);
}

// Remainder in [0, n). Equal to % for the non-negative values of the
// supported range; outside it the index still addresses a table row.
int CycleIndex(int value, int n) {
    const int r = value % n;
    return r < 0 ? r + n : r;
}

double NormalizedJulianDate(int y, int m, int d) {
    NormalizeDate(y, m, d);
    return JulianDate(y, m, d);
}

}  // namespace

int SexagenaryDay(int y, int m, int d) {
    const double jd = NormalizedJulianDate(y, m, d);
    return CycleIndex(TruncDays(jd + kSexagenaryOffsetDays), kSexagenaryCycle) + 1;
}

int DayStemIndex(int y, int m, int d) {
    const double jd = NormalizedJulianDate(y, m, d);
    return CycleIndex(TruncDays(jd) + kStemOffset, kStemCount);
}

int DayBranchIndex(int y, int m, int d) {
    const double jd = NormalizedJulianDate(y, m, d);
    return CycleIndex(TruncDays(jd + kBranchOffsetDays), kBranchCount);
}

int YearStemIndex(int y) {
    return CycleIndex(y + kYearStemOffset, kStemCount);
}

int YearBranchIndex(int y) {
    return CycleIndex(y + kYearBranchOffset, kBranchCount);
}

int MonthStemIndex(int y, int m) {
    return CycleIndex(kMonthsPerYear * y + m + kMonthStemOffset, kStemCount);
}

int MonthBranchIndex(int m) {
    return CycleIndex(m + kMonthBranchOffset, kBranchCount);
}

int MansionIndex(int y, int m, int d) {
    const double jd = NormalizedJulianDate(y, m, d);
    return CycleIndex(TruncDays(jd) + kMansionOffset, kMansionCount);
}

int RokuyoOf(const LunisolarDate& date) {
    if (date.month < 1 || date.month > kMonthsPerYear) return -1;
    // Day 1 of month 1 is 先勝, and each month starts one sign later than the
    // month before: the offsets 1 -> 5, 2 -> 0, ... 12 -> 4 added to the day
    // are (month - 2) mod 6.
    return CycleIndex(date.month + date.day - 2, kRokuyoCount);
}

int RokuyoIndex(const MonthRecord& rec) { return RokuyoOf(TargetLunisolarDate(rec)); }

void ComputeOfficerAnchors(MonthRecord& rec) {
    for (int k = 0; k < kAnchorCount; ++k) {
        const int term = kFirstAnchorTerm + kTermsPerSolarMonth * k;
        rec.anchorStart.years[k] = rec.terms.years[term];
        rec.anchorStart.months[k] = rec.terms.months[term];
        rec.anchorStart.days[k] = rec.terms.days[term];
    }
    // The solar month that begins at S[k] has branch k mod 12 (S[0], 大雪,
    // begins the 子 month); its first 建 day is the first day with that day
    // branch. Day branches cycle through all 12, so at most 11 steps.
    for (int k = 0; k < kAnchorCount; ++k) {
        int y = rec.anchorStart.years[k];
        int m = rec.anchorStart.months[k];
        int d = rec.anchorStart.days[k];
        NormalizeDate(y, m, d);
        int steps = 0;
        while (DayBranchIndex(y, m, d) != k % kBranchCount) {
            ++d;
            NormalizeDate(y, m, d);
            ++steps;
            assert(steps < kBranchCount);
        }
        rec.anchorFirst.years[k] = y;
        rec.anchorFirst.months[k] = m;
        rec.anchorFirst.days[k] = d;
    }
}

int OfficerIndex(const MonthRecord& rec, int y, int m, int d) {
    NormalizeDate(y, m, d);
    const DateList<kAnchorCapacity>& first = rec.anchorFirst;
    const DateList<kAnchorCapacity>& start = rec.anchorStart;
    // The smallest k with F[k] <= date < F[k + 1]; there is no F[14], so a
    // date on or after F[13] is outside the anchored range.
    for (int k = 0; k + 1 < kAnchorCount; ++k) {
        const bool onOrAfterFirst =
            CompareDates(first.years[k], first.months[k], first.days[k], y, m, d) >= 0;
        const bool beforeNextFirst =
            CompareDates(y, m, d, first.years[k + 1], first.months[k + 1], first.days[k + 1]) > 0;
        if (!onOrAfterFirst || !beforeNextFirst) continue;

        const int diff = TruncDays(
            JulianDate(y, m, d) -
            NormalizedJulianDate(first.years[k], first.months[k], first.days[k]));
        // From F[k] the officers count up from 建. Once the next solar month
        // has begun (S[k + 1], which may come before F[k + 1]) the count
        // holds back one day, so that the first day of a solar month repeats
        // the officer of the day before it and 建 falls on the month's branch.
        const bool nextMonthBegun = CompareDates(start.years[k + 1], start.months[k + 1],
                                                 start.days[k + 1], y, m, d) >= 0;
        return CycleIndex(nextMonthBegun ? diff + kBranchCount - 1 : diff, kBranchCount);
    }
    return -1;
}

}  // namespace kalendo
