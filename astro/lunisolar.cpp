#include "astro/lunisolar.h"

#include <cassert>
#include <cmath>

#include "astro/astro_texts.h"
#include "astro/longitude.h"
#include "astro/longitude_detail.h"
#include "astro/longitude_memo.h"
#include "astro/lunisolar_detail.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"
#include "platform/calendar_date.h"
#include "platform/platform.h"

namespace kalendo {
namespace {

// Solar terms (layout in lunisolar_detail.h): the next term lies 14-16 days
// after a found one, so a jump of 13 days never passes it.
constexpr int kDaysSkippedAfterTerm = 13;
// Entry 29 (285 + 29 * 15 = 720 deg, two turns on) is the spring equinox of
// Y, so entry k lies at 15k - 435 deg on the scale where that equinox is 0.
constexpr double kSpringScaleOffsetDeg = 2 * kFullCircleDeg - kFirstTermDeg;

// A lunation is never shorter than 29 days, so a jump of 28 days from a
// new-moon day never passes the next one; a search from there ends within
// a lunation and a day.
constexpr int kDaysSkippedAfterNewMoon = 28;
constexpr int kMaxDaysToNextNewMoon = 31;

// The sun needs about 15.2 days from one term to the next; the day it passes
// an angle lies well within this many days of the term before it.
constexpr int kMaxDaysFromTermToAngle = 32;

// Indices into the solar-term table of the principal terms that anchor the
// month numbering: the winter solstice of Y - 1, then the March equinox,
// June solstice, September equinox, winter solstice of Y and the March
// equinox of Y + 1. Two principal terms are two entries apart.
constexpr int kWinterSolsticeOfPreviousYear = 23;
constexpr int kLaterAnchorTerms[] = {29, 35, 41, 47, 53};
constexpr int kPrincipalTermStride = 2;
constexpr int kFirstWinterMonthIndex = 11;  // never earlier in the new-moon table
constexpr int kWinterMonthNumber = 11;
constexpr int kFirstAnchorNumber = 14;  // the 2nd month of Y, holding the equinox
constexpr int kAnchorStepMonths = 3;    // anchors are three months apart

// The lunisolar date is looked up from the 10th lunar month of the table on:
// the months before belong wholly to Y - 1.
constexpr int kFirstMonthOfTargetYear = 10;

// The new moon within its day: the first minute at which the longitudes of
// sun and moon are within this many degrees of each other. The moon gains
// about 0.0085 deg a minute, so the window is about 24 minutes wide.
constexpr double kConjunctionToleranceDeg = 0.1;
constexpr int kMinutesPerHour = 60;
constexpr int kNoonHour = 12;
// The search always ends within the day or just after it; two days of
// minutes is far beyond any real case.
constexpr int kMaxSearchMinutes = 2 * 24 * kMinutesPerHour;

// A day holds a principal phase when sun minus moon, which falls by about
// 12 deg a day, passes 360 minus the moon's lead at that phase between its
// 0 h and the next day's. At a new moon it jumps up by nearly a full turn.
constexpr double kNewMoonJumpDeg = 200;

// The 2033/2034 question: the plain rule leaves a month without its
// principal term in a way it cannot number consistently. The months of the
// new-moon table from entry 12 to 24 are fixed as the almanac has always
// shown them: the 11th month of 2033 is followed by a leap 11th month.
constexpr int kFixedRangeFirst = 12;
constexpr int kFixedRangeCount = 13;
constexpr int kNumbers2033[kFixedRangeCount] = {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -11};
constexpr int kNumbers2034[kFixedRangeCount] = {-11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

double JulianDateOf(const CalendarDate& date) {
    return JulianDate(date.year, date.month, date.day);
}

bool IsBefore(const CalendarDate& a, const CalendarDate& b) {
    return CompareDates(a.year, a.month, a.day, b.year, b.month, b.day) > 0;
}

CalendarDate NextDay(CalendarDate date) {
    ++date.day;
    NormalizeDate(date.year, date.month, date.day);
    return date;
}

// Lunar month n runs from new moon n up to, not including, new moon n + 1.
bool MonthContains(const MonthRecord& rec, int n, const CalendarDate& date) {
    assert(n >= 0 && n + 1 < kNewMoonCount);
    return !IsBefore(date, EntryAt(rec.newMoons, n)) &&
           IsBefore(date, EntryAt(rec.newMoons, n + 1));
}

double SunAtMidnightDeg(const CalendarDate& date) {
    return SunLongitudeAtMidnight(date.year, date.month, date.day);
}

// The elongation E at 0 h: sun minus moon brought into [0, 360). It falls by
// about 12 deg a day and jumps from near 0 to near 360 at each new moon.
double ElongationAtMidnightDeg(const CalendarDate& date) {
    double eDeg = std::fmod(SunLongitudeAtMidnight(date.year, date.month, date.day) -
                                MoonLongitudeAtMidnight(date.year, date.month, date.day),
                            kFullCircleDeg);
    while (eDeg < 0) eDeg += kFullCircleDeg;
    return eDeg;
}

// The new-moon month holding `term`, searched from month `from` on: the first
// month that ends after the term. The new moon beginning that month must not
// come after the term; when it does (or the table runs out) the numbering has
// no anchor and the calendar cannot be built: -1.
int AnchorMonth(const MonthRecord& rec, int from, int termIndex) {
    const CalendarDate term = EntryAt(rec.terms, termIndex);
    int n = from;
    while (n + 1 < kNewMoonCount && !IsBefore(term, EntryAt(rec.newMoons, n + 1))) ++n;
    if (n + 1 >= kNewMoonCount || IsBefore(term, EntryAt(rec.newMoons, n))) return -1;
    return n;
}

// The minute of clock time, counted from 0 h of the day.
ClockMinute ClockFromMinutes(int minutes) {
    return {minutes / kMinutesPerHour, minutes % kMinutesPerHour};
}

// Age in days at noon of `date`, counted from the new moon located at
// `at` within the day `newMoon`.
double AgeAtNoonDays(const CalendarDate& date, const CalendarDate& newMoon, ClockMinute at) {
    return (JulianDateOf(date) + DayFraction(kNoonHour, 0, 0)) - JulianDateOf(newMoon) -
           DayFraction(at.hour, at.minute, 0);
}

// NewMoonMinute of the new-moon days asked for, by Julian date: it depends
// on the day alone. A day's slot is its Julian date modulo the table size;
// 64 slots hold the new moons of more than five years.
struct RememberedMinute {
    double jd = -1;  // no day of the supported range has a negative one
    ClockMinute at{};
};
constexpr int kRememberedMinutes = 64;
RememberedMinute rememberedMinutes[kRememberedMinutes];

ClockMinute NewMoonMinuteOf(const CalendarDate& day) {
    if (!AlmanacCaching()) return NewMoonMinute(day.year, day.month, day.day);
    const double jd = JulianDate(day.year, day.month, day.day);
    RememberedMinute& slot =
        rememberedMinutes[static_cast<long long>(jd) % kRememberedMinutes];
    if (slot.jd != jd) {
        slot.at = NewMoonMinute(day.year, day.month, day.day);
        slot.jd = jd;
    }
    return slot.at;
}

}  // namespace

void ComputeSolarTerms(MonthRecord& rec) {
    const int targetYear = rec.year[kTarget];
    CalendarDate day{targetYear - 1, 1, 1};
    double angleDeg = kFirstTermDeg;
    int count = 0;
    // Day-by-day search for the term at angleDeg; an event belongs to the JST
    // day during which it happens, so the day is tested from its 0 h to the
    // next day's 0 h. Invariant: no term from angleDeg on lies before `day`.
    // The loop bound takes its month lengths from year Y - 1 throughout, as
    // the almanac always has. It never ends the search: over 1600-2999 every
    // term falls between the 3rd and the 24th of its month, so the search
    // steps no further than the 27th.
    while (day.day <= DaysInMonth(targetYear - 1, day.month)) {
        const double fromDeg = SunAtMidnightDeg(day);
        double toDeg = SunAtMidnightDeg(NextDay(day));
        // Across 0 deg the next day's longitude is taken one turn on, so an
        // angle of exactly 360 (standing for 0) compares with both.
        if (toDeg < fromDeg) toDeg += kFullCircleDeg;
        if (fromDeg <= angleDeg && angleDeg <= toDeg) {
            StoreEntry(rec.terms, count, day);
            ++count;
            if (count == kTermCount) return;
            day.day += kDaysSkippedAfterTerm;
            angleDeg += kTermStepDeg;
            NormalizeDate(day.year, day.month, day.day);
            if (angleDeg > kFullCircleDeg) angleDeg -= kFullCircleDeg;
        } else {
            day.day += 1;  // not normalised: the loop bound ends the month
        }
    }
    // Over 1600-2999 every term is found before the loop bound is reached.
    assert(false && "solar-term search ran out of days");
}

int SolarTermIndexAtOrBefore(double springScaleDeg) {
    return static_cast<int>(std::floor((springScaleDeg + kSpringScaleOffsetDeg) / kTermStepDeg));
}

double SolarTermSpringScaleDeg(int index) { return kTermStepDeg * index - kSpringScaleOffsetDeg; }

void ComputeNewMoons(MonthRecord& rec) {
    CalendarDate day{rec.year[kTarget] - 1, 1, 1};
    for (int n = 0; n < kNewMoonCount; ++n) {
        // Invariant: no new moon of slot n lies before `day`. The new-moon day
        // is the one during which E jumps up, i.e. E(day) < E(next day).
        for (int steps = 0; !(ElongationAtMidnightDeg(day) < ElongationAtMidnightDeg(NextDay(day)));
             ++steps) {
            assert(steps <= kMaxDaysToNextNewMoon);
            day = NextDay(day);
        }
        StoreEntry(rec.newMoons, n, day);
        day.day += kDaysSkippedAfterNewMoon;
        NormalizeDate(day.year, day.month, day.day);
    }
}

void NumberLunarMonths(MonthRecord& rec) {
    if (!TryNumberLunarMonths(rec)) ThePlatform().Fatal(kLunisolarError);
}

bool TryNumberLunarMonths(MonthRecord& rec) {
    int* number = rec.lunarMonthNumber;
    for (int n = 0; n < kNewMoonCount; ++n) number[n] = kUnnumberedLunarMonth;

    const int targetYear = rec.year[kTarget];
    if (targetYear == 2033 || targetYear == 2034) {
        const int* fixed = targetYear == 2033 ? kNumbers2033 : kNumbers2034;
        for (int q = 0; q < kFixedRangeCount; ++q) number[kFixedRangeFirst + q] = fixed[q];
        return true;
    }

    // Numbers are counted on across the year end: 11 and 12 are months of
    // Y - 1, 13 is the 1st month of Y, 25 the 1st month of Y + 1. A leap month
    // carries the negative number of the month it follows.
    //
    // The anchors: the month holding the winter solstice is the 11th, and
    // the months holding the following equinoxes and solstices are the 2nd,
    // 5th, 8th, 11th and the next 2nd. Between two anchors lie normally two
    // months; when three lie there, the first of them without a principal
    // term of its own is the leap month.
    int prev = AnchorMonth(rec, kFirstWinterMonthIndex, kWinterSolsticeOfPreviousYear);
    if (prev < 0) return false;
    number[prev] = kWinterMonthNumber;
    int from = prev + 2;
    int e = kFirstAnchorNumber;  // the number of the month holding the next anchor
    for (const int k : kLaterAnchorTerms) {
        const int anchor = AnchorMonth(rec, from, k);
        if (anchor < 0) return false;
        number[anchor] = e;
        const int gap = anchor - prev;  // at least 2: the search starts there
        if (gap == kAnchorStepMonths - 1) {
            // Only one month between two anchors: it follows the previous
            // anchor's month, as the first of two months would. (Left at 99 it
            // would read as the 3rd month.) The number skipped is not made up:
            // the next anchor's gap then holds a leap month.
            number[prev + 1] = e - 2;
        } else if (gap == kAnchorStepMonths) {
            number[prev + 1] = e - 2;
            number[prev + 2] = e - 1;
        } else if (gap == kAnchorStepMonths + 1) {
            // Month prev + q is month e - 3 + q while it holds its principal
            // term; the first that does not is the leap month, minus the
            // number of the month before it, and the months after it move
            // down by one. Three months between anchors hold one leap month
            // only: when a month holds two principal terms, a later month
            // without its term is still an ordinary month (else the 2nd month
            // would come twice and the 1st not at all, as in 2148).
            //
            // Worked example, target year 2148: the winter solstice (term
            // 23, 2147-12-22) lies in table month 11 and the March equinox
            // (term 29) in month 15, so prev = 11, gap = 4, e = 14,
            // leapBase = -11 and the first term looked for is 25 (大寒).
            //   q = 1: month 12 (2147-12-23 to 2148-01-20) lacks 大寒
            //          (2148-01-21): the leap month; e = 13, leapBase = -10,
            //          number -10 - 1 = -11 (leap 11th).
            //   q = 2: month 13 holds 大寒 and 雨水 (term 27, 02-19):
            //          e + q - 3 = 12.
            //   q = 3: month 14 (02-20 to 03-19) lacks 雨水 but is ordinary:
            //          13, the 1st month of 2148.
            // Then e = 14 again, and 17 (the 5th month) for the June
            // solstice's month.
            int leapBase = kAnchorStepMonths - e;  // leapBase - q, once raised: the leap number
            int principalTerm = k - 2 * kPrincipalTermStride;  // that of month e - 2
            bool leapPlaced = false;
            for (int q = 1; q <= kAnchorStepMonths; ++q) {
                if (leapPlaced || MonthContains(rec, prev + q, EntryAt(rec.terms, principalTerm))) {
                    number[prev + q] = e + q - kAnchorStepMonths;
                    principalTerm += kPrincipalTermStride;
                } else {
                    leapPlaced = true;
                    --e;
                    ++leapBase;
                    number[prev + q] = leapBase - q;
                }
            }
            ++e;
        }
        // Any other gap leaves the months between unnumbered.
        prev = anchor;
        from = anchor + 2;
        e += kAnchorStepMonths;
    }
    return true;
}

LunisolarDate LunisolarDateOf(const MonthRecord& rec, int y, int m, int d) {
    const CalendarDate date{y, m, d};
    int n = kFirstMonthOfTargetYear;
    while (n + 1 < kNewMoonCount && !MonthContains(rec, n, date)) ++n;
    assert(n + 1 < kNewMoonCount && "the date lies outside the new-moon table");

    // Numbers count on across the year end (13 is the 1st month of Y) and
    // a leap month's is negative: brought to 1-12 with the flag beside.
    const int v = rec.lunarMonthNumber[n];
    int r = (v < 0 ? -v : v) % kMonthsPerYear;
    if (r == 0) r = kMonthsPerYear;
    const CalendarDate newMoon = EntryAt(rec.newMoons, n);
    return {r, v < 0, static_cast<int>(JulianDate(y, m, d) - JulianDateOf(newMoon)) + 1};
}

int MoonPhaseOfDay(int y, int m, int d) {
    NormalizeDate(y, m, d);
    // Sun minus moon at 0 h of the day and of the next one (day d + 1 needs
    // no normalising: the Julian date is linear in the day), brought once
    // into [0, 360).
    double e0Deg = SunLongitudeAtMidnight(y, m, d) - MoonLongitudeAtMidnight(y, m, d);
    double e1Deg = SunLongitudeAtMidnight(y, m, d + 1) - MoonLongitudeAtMidnight(y, m, d + 1);
    if (e0Deg < 0) e0Deg += kFullCircleDeg;
    if (e1Deg < 0) e1Deg += kFullCircleDeg;
    for (const int phase : {kFirstQuarterPhase, kFullMoonPhase, kLastQuarterPhase}) {
        const double passedDeg = kFullCircleDeg - phase;
        if (e1Deg < passedDeg && passedDeg <= e0Deg) return phase;
    }
    if (e1Deg < kFullCircleDeg && e0Deg >= 0 && e1Deg - e0Deg > kNewMoonJumpDeg) {
        return kNewMoonPhase;
    }
    return kNoPhase;
}

ClockMinute NewMoonMinute(int y, int m, int d) {
    // Minute by minute from 0 h for the first minute at which sun minus moon
    // (plain difference, in (-360, 360)) lies within the tolerance. Minutes
    // that cannot qualify are skipped: the difference changes by at most
    // rateDegPerMinute a minute, apart from whole turns when either longitude
    // passes 360, so when it lies gapDeg around the circle outside the
    // tolerance window, the next gapDeg / rateDegPerMinute minutes stay
    // outside too. kMarginDeg covers the rounding of the evaluations, far
    // below a millionth of a degree. The first qualifying minute is
    // therefore the one the plain scan finds, reached in a few dozen
    // evaluations instead of up to 1440.
    const double rateDegPerMinute = MaxElongationRateDegPerMinute();
    constexpr double kMarginDeg = 1e-6;
    int minutes = 0;
    for (;;) {
        const ClockMinute at = ClockFromMinutes(minutes);
        const double diffDeg = SunLongitude(y, m, d, at.hour, at.minute, 0) -
                               MoonLongitude(y, m, d, at.hour, at.minute, 0);
        if (diffDeg >= -kConjunctionToleranceDeg && diffDeg <= kConjunctionToleranceDeg) return at;
        const double aroundDeg = std::fabs(diffDeg);
        const double circleDistanceDeg =
            aroundDeg < kFullCircleDeg - aroundDeg ? aroundDeg : kFullCircleDeg - aroundDeg;
        const double gapDeg = circleDistanceDeg - kConjunctionToleranceDeg - kMarginDeg;
        // Invariant: no minute before `minutes` qualifies.
        minutes += gapDeg > 0 ? 1 + static_cast<int>(gapDeg / rateDegPerMinute) : 1;
        assert(minutes < kMaxSearchMinutes && "no conjunction near the new-moon day");
    }
}

void ForgetNewMoonMinutes() {
    for (RememberedMinute& slot : rememberedMinutes) slot = RememberedMinute{};
}

double AgeAtNoonFromNewMoonDays(const CalendarDate& date, const CalendarDate& newMoonDay) {
    return AgeAtNoonDays(date, newMoonDay, NewMoonMinuteOf(newMoonDay));
}

CalendarDate SunReachesDate(double angleDeg, const CalendarDate& from) {
    // Invariant: the sun has not reached angleDeg before 0 h of the day
    // whose 0 h is jd. Each pass tests whether it does during that day, with
    // the longitude at 0 h of the next day carried over as the next day's
    // start.
    //
    // Days that cannot hold the angle are skipped: while the sun is gapDeg
    // short of it at 0 h of a day, it is still short at 0 h of every day up
    // to gapDeg / MaxSunRateDegPerDay() days later (kMarginDeg covers the
    // rounding of the evaluations). Only the day passing the angle passes
    // the test, so the day found is the one a walk over every day finds, in
    // two or three evaluations instead of up to fifteen.
    constexpr double kMarginDeg = 1e-6;
    const double rateDegPerDay = MaxSunRateDegPerDay();
    const double firstJd = JulianDateOf(from);
    int days = 0;  // after `from`
    double startDeg = SunLongitudeAtJulianMidnight(firstJd);
    while (days < kMaxDaysFromTermToAngle) {
        double gapDeg = angleDeg - startDeg;
        if (gapDeg < 0) gapDeg += kFullCircleDeg;
        const int skip = static_cast<int>((gapDeg - kMarginDeg) / rateDegPerDay);
        if (skip > 0) {
            days = skip < kMaxDaysFromTermToAngle - days ? days + skip : kMaxDaysFromTermToAngle;
            startDeg = SunLongitudeAtJulianMidnight(firstJd + days);
            if (days == kMaxDaysFromTermToAngle) break;
        }
        const double endDeg = SunLongitudeAtJulianMidnight(firstJd + days + 1);
        const bool passes = endDeg < startDeg
                                ? (angleDeg >= startDeg || angleDeg < endDeg)  // wraps at 360
                                : (startDeg <= angleDeg && angleDeg < endDeg);
        if (passes) break;
        startDeg = endDeg;
        ++days;
    }
    assert(days < kMaxDaysFromTermToAngle &&
           "the sun passes every angle within a month of the term before it");
    CalendarDate day{from.year, from.month, from.day + days};
    NormalizeDate(day.year, day.month, day.day);
    return day;
}

}  // namespace kalendo
