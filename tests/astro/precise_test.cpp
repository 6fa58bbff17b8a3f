// The precise almanac: ΔT, the ERFA longitudes at published positions, the
// event searches and the year's tables against an independent ephemeris
// (tests/data/ephemeris, see its README), and the mode switch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "astro/delta_t.h"
#include "astro/ephemeris.h"
#include "astro/events.h"
#include "astro/lunisolar.h"
#include "astro/precise.h"
#include "core/almanac_mode.h"
#include "core/day_arith.h"
#include "platform/recording_platform.h"
#include "reference_events.h"

namespace kalendo {
namespace {

using testing_support::Events;
using testing_support::kSecondsPerDay;
using testing_support::RefEvent;

// --- ΔT ---------------------------------------------------------------

// The polynomials' own values at their reference epochs (Espenak and Meeus,
// 2006), and the values their table lists.
TEST(DeltaT, PublishedValues) {
    const struct {
        double year, seconds, tolerance;
    } cases[] = {
        {1600.0, 120.0, 0.01}, {1700.0, 8.83, 0.01}, {1800.0, 13.72, 0.01},
        {1860.0, 7.62, 0.01},  {1900.0, -2.79, 0.01}, {1920.0, 21.20, 0.01},
        {1950.0, 29.07, 0.01}, {1975.0, 45.45, 0.01}, {2000.0, 63.86, 0.01},
        {2010.0, 66.70, 0.01}, {2150.0, 328.48, 0.01}, {1820.0, 12.0, 0.2},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(DeltaTSeconds(c.year), c.seconds, c.tolerance) << c.year;
    }
}

// A mistyped coefficient shows as a jump where two polynomials meet; the
// published fits join within a second and a half (1920, 1941 and 2050 are
// the roughest joins).
TEST(DeltaT, PiecesJoin) {
    for (const double b : {-500.0, 500.0, 1600.0, 1700.0, 1800.0, 1860.0, 1900.0, 1920.0, 1941.0,
                           1961.0, 1986.0, 2005.0, 2050.0, 2150.0}) {
        EXPECT_NEAR(DeltaTSeconds(b - 1e-9), DeltaTSeconds(b), 1.5) << b;
    }
}

// --- longitudes -------------------------------------------------------

double UtOfTt(double jdTt) {
    const double year = 2000.0 + (jdTt - 2451544.5) / 365.2425;
    return jdTt - DeltaTSeconds(year) / kSecondsPerDay;
}

// Meeus, Astronomical Algorithms (2nd ed.): example 25.b, the sun on
// 1992-10-13 0 h TD (apparent 199 deg 54' 21.56"); example 47.a, the moon on
// 1992-04-12 0 h TD (133.167265 deg apparent, a light time the example
// leaves out moves it by 0.0002 deg).
TEST(ErfaLongitude, PublishedPositions) {
    const Ephemeris& erfa = ErfaEphemeris();
    EXPECT_NEAR(erfa.Sun(UtOfTt(2448908.5)).deg, 199.0 + 54.0 / 60 + 21.56 / 3600, 2e-4);
    EXPECT_NEAR(erfa.Moon(UtOfTt(2448724.5)).deg, 133.167265, 1e-3);
}

// The rates are what the longitudes do over an hour, and every value lies in
// [0, 360).
TEST(ErfaLongitude, RatesAndRange) {
    const Ephemeris& erfa = ErfaEphemeris();
    for (double t = JstMidnightJd(1600, 1, 1); t < JstMidnightJd(3000, 1, 1); t += 3652.5 + 0.37) {
        const double h = 1.0 / 24;
        for (const bool moon : {false, true}) {
            const EclipticLongitude a = moon ? erfa.Moon(t) : erfa.Sun(t);
            const EclipticLongitude b = moon ? erfa.Moon(t + h) : erfa.Sun(t + h);
            ASSERT_GE(a.deg, 0.0);
            ASSERT_LT(a.deg, 360.0);
            double moved = b.deg - a.deg;
            if (moved < -180) moved += 360;
            EXPECT_NEAR(moved / h, a.degPerDay, 2e-3 * std::fabs(a.degPerDay)) << t << moon;
        }
    }
}

TEST(JstCivilDates, MidnightsAndDaysRoundTrip) {
    for (int y : {1600, 1899, 2000, 2035, 2999}) {
        for (int m : {1, 2, 12}) {
            const double t = JstMidnightJd(y, m, 28);
            const CalendarDate at = JstDateOf(t);
            EXPECT_EQ(std::make_tuple(at.year, at.month, at.day), std::make_tuple(y, m, 28));
            const CalendarDate before = JstDateOf(t - 1e-6);
            EXPECT_EQ(std::make_tuple(before.year, before.month, before.day), std::make_tuple(y, m, 27));
        }
    }
}

// --- the reference ephemeris ------------------------------------------

bool InYears(const RefEvent& e, int first, int last) { return e.date.year >= first && e.date.year <= last; }

// Every solar term and new moon of 1900-2100 within a minute of the
// reference, searched from half a day off.
TEST(Events, WithinAMinuteOfTheReference1900To2100) {
    ASSERT_GT(Events().size(), 7000u);
    double worstTerm = 0, worstMoon = 0;
    int count = 0;
    for (const RefEvent& e : Events()) {
        if (!InYears(e, 1900, 2100)) continue;
        ++count;
        const double found = e.angle >= 0 ? SolarTermInstant(e.angle, e.jdUt + 0.5)
                                          : MoonPhaseInstant(0, e.jdUt - 0.5);
        const double offBySeconds = std::fabs(found - e.jdUt) * kSecondsPerDay;
        (e.angle >= 0 ? worstTerm : worstMoon) = std::max(e.angle >= 0 ? worstTerm : worstMoon,
                                                          offBySeconds);
        EXPECT_LT(offBySeconds, 60.0) << e.date.year << "-" << e.date.month << "-" << e.date.day;
    }
    EXPECT_GT(count, 7200);
    std::printf("largest difference: solar terms %.1f s, new moons %.1f s\n", worstTerm, worstMoon);
}

// The year's tables take an event's day from the series' instant when that
// lies further than the bound from midnight: the bound must hold for every
// solar term and new moon of the supported years.
TEST(Events, SeriesInstantsWithinTheirBound1600To2999) {
    double worstDays = 0;
    double t = JstMidnightJd(1599, 1, 6);
    for (int k = 0; t < JstMidnightJd(3001, 1, 1); ++k) {
        const double angle = std::fmod(285 + 15.0 * k, 360.0);
        const double erfa = SolarTermInstant(angle, t);
        worstDays = std::max(worstDays, std::fabs(SolarTermSeriesInstant(angle, t) - erfa));
        t = erfa + 365.2422 / 24;
    }
    for (t = JstMidnightJd(1599, 1, 20); t < JstMidnightJd(3001, 1, 1);) {
        const double erfa = MoonPhaseInstant(0, t);
        worstDays = std::max(worstDays, std::fabs(MoonPhaseSeriesInstant(0, t) - erfa));
        t = erfa + 29.530589;
    }
    EXPECT_LT(worstDays, kSeriesErrorBoundDays);
    EXPECT_GT(worstDays, kSeriesErrorBoundDays / 3);  // the bound is not far too wide
}

// The other phases: a quarter's lead is reached a quarter lunation on, and
// the search converges to it from a day off.
TEST(Events, PrincipalPhasesLieBetweenNewMoons) {
    const Ephemeris& erfa = ErfaEphemeris();
    const double newMoon = MoonPhaseInstant(0, JstMidnightJd(2024, 1, 11));
    for (const int phase : {90, 180, 270}) {
        const double t = MoonPhaseInstant(phase, newMoon + phase / 360.0 * 29.53 + 1.0);
        EXPECT_GT(t, newMoon);
        EXPECT_LT(t, newMoon + 29.9);
        double lead = erfa.Moon(t).deg - erfa.Sun(t).deg;
        lead = std::fmod(lead + 720.0, 360.0);
        EXPECT_NEAR(lead, phase, 1.0 / 3600) << phase;  // an arc second: a second of time
    }
}

}  // namespace
}  // namespace kalendo
