#include "astro/precise.h"

#include <cassert>
#include <cmath>
#include <initializer_list>

#include "astro/events.h"
#include "astro/longitude.h"
#include "astro/lunisolar.h"
#include "astro/lunisolar_detail.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

constexpr double kNoonDays = 0.5;
// Mean spacing of the terms and of the new moons, for the next guess.
constexpr double kMeanTermSpacingDays = 365.2422 / 24;
// The term at 285 deg falls on 4-8 January over the supported years.
constexpr int kFirstTermGuessDay = 6;

// An event whose series instant lies further than the series' error bound
// from every JST midnight falls on that instant's day with the ERFA instant
// too; only the others (an eighth of them) are refined with ERFA.
bool NearMidnight(double jdUt) {
    const double jst = jdUt + kJstOffsetDays + 0.5;  // a civil day from 0 h, as JstDateOf
    const double dayFraction = jst - std::floor(jst);
    return dayFraction < kSeriesErrorBoundDays || dayFraction > 1 - kSeriesErrorBoundDays;
}

// The instant that decides the JST day of a solar term or a moon phase.
double TermForDay(double angleDeg, double guessJdUt) {
    const double t = SolarTermSeriesInstant(angleDeg, guessJdUt);
    return NearMidnight(t) ? SolarTermInstant(angleDeg, t) : t;
}
double PhaseForDay(double phaseDeg, double guessJdUt) {
    const double t = MoonPhaseSeriesInstant(phaseDeg, guessJdUt);
    return NearMidnight(t) ? MoonPhaseInstant(phaseDeg, t) : t;
}

int CompareWith(const CalendarDate& a, int y, int m, int d) {
    return CompareDates(a.year, a.month, a.day, y, m, d);
}

// The moon's lead over the sun at an instant, in [0, 360).
double LeadDeg(double jdUt) {
    const Ephemeris& erfa = ErfaEphemeris();
    double lead = std::fmod(erfa.Moon(jdUt).deg - erfa.Sun(jdUt).deg, kFullCircleDeg);
    if (lead < 0) lead += kFullCircleDeg;
    return lead;
}

}  // namespace

double NewMoonInstantOfDay(const CalendarDate& day) {
    return MoonPhaseInstant(kNewMoonPhase,
                            JstMidnightJd(day.year, day.month, day.day) + kNoonDays);
}

double PreciseAgeAtNoonDays(const CalendarDate& date, const CalendarDate& newMoonDay) {
    return JstMidnightJd(date.year, date.month, date.day) + kNoonDays -
           NewMoonInstantOfDay(newMoonDay);
}

void ComputeSolarTermsPrecise(MonthRecord& rec) {
    const int y = rec.year[kTarget] - 1;
    double instant = JstMidnightJd(y, 1, kFirstTermGuessDay);
    for (int k = 0; k < kTermCount; ++k) {
        const double angleDeg = std::fmod(kFirstTermDeg + kTermStepDeg * k, kFullCircleDeg);
        instant = TermForDay(angleDeg, instant);
        StoreEntry(rec.terms, k, JstDateOf(instant));
        instant += kMeanTermSpacingDays;
    }
}

void ComputeNewMoonsPrecise(MonthRecord& rec) {
    const int y = rec.year[kTarget] - 1;
    // The search from 0 h of 1 January finds the new moon within half a
    // lunation of it; when that is before the day, the next one is the first.
    double instant = PhaseForDay(kNewMoonPhase, JstMidnightJd(y, 1, 1));
    while (CompareWith(JstDateOf(instant), y, 1, 1) > 0) {
        instant = PhaseForDay(kNewMoonPhase, instant + kMeanSynodicMonthDays);
    }
    for (int n = 0; n < kNewMoonCount; ++n) {
        StoreEntry(rec.newMoons, n, JstDateOf(instant));
        instant = PhaseForDay(kNewMoonPhase, instant + kMeanSynodicMonthDays);
    }
}

int MoonPhaseOfDayPrecise(int y, int m, int d) {
    NormalizeDate(y, m, d);
    // The lead grows by 10-15 deg a day, so at most one phase passes in a
    // day: phase p happens during [0 h, next 0 h) when the lead is at or just
    // short of p at the start and past it at the end.
    const double start = JstMidnightJd(y, m, d);
    const double lead0 = LeadDeg(start);
    const double lead1 = LeadDeg(start + 1);
    for (const int phase : {kNewMoonPhase, kFirstQuarterPhase, kFullMoonPhase, kLastQuarterPhase}) {
        double a0 = std::fmod(lead0 - phase + kFullCircleDeg, kFullCircleDeg);
        double a1 = std::fmod(lead1 - phase + kFullCircleDeg, kFullCircleDeg);
        if ((a0 == 0 || a0 > kHalfCircleDeg) && a1 > 0 && a1 < kHalfCircleDeg) return phase;
    }
    return kNoPhase;
}

CalendarDate SunReachesDatePrecise(double angleDeg, const CalendarDate& from) {
    return JstDateOf(TermForDay(std::fmod(angleDeg, kFullCircleDeg),
                                JstMidnightJd(from.year, from.month, from.day) + 1));
}

double SunLongitudePrecise(int y, int m, int d) {
    return ErfaEphemeris().Sun(JstMidnightJd(y, m, d)).deg;
}

double MoonLongitudePrecise(int y, int m, int d) {
    return ErfaEphemeris().Moon(JstMidnightJd(y, m, d)).deg;
}

}  // namespace kalendo
