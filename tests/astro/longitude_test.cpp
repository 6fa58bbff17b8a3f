#include "astro/longitude.h"

#include <gtest/gtest.h>

#include "core/day_arith.h"

namespace kalendo {
namespace {

// Worked instants: the longitudes to four places as the almanac has always
// shown them, and the exact doubles the CLI prints with %.17g. The exact
// values guard the summation order and the literal constants: a reordered
// sum, a division instead of a multiplication by the century factors, or π
// instead of 3.14159265359 changes the last digits, not the first four.
struct LongitudeCase {
    int y, m, d, h, mi, s;
    double sunApprox, moonApprox;  // degrees, to four places
    double sunExact, moonExact;    // degrees, as printed with %.17g
    const char* why;
};
constexpr LongitudeCase kLongitudeCases[] = {
    {2000, 1, 1, 0, 0, 0, 279.4755, 212.6986, 279.47549878386855, 212.69861561544076,
     "J2000 minus half a day minus 9 h: T about -0.0000239560"},
    {2024, 6, 15, 12, 30, 0, 84.5360, 184.5041, 84.536022458643856, 184.50413880748965,
     "hours and minutes enter T"},
};

TEST(Longitude, WorkedInstants) {
    for (const LongitudeCase& c : kLongitudeCases) {
        SCOPED_TRACE(c.why);
        const double sun = SunLongitude(c.y, c.m, c.d, c.h, c.mi, c.s);
        const double moon = MoonLongitude(c.y, c.m, c.d, c.h, c.mi, c.s);
        EXPECT_NEAR(sun, c.sunApprox, 5e-5);
        EXPECT_NEAR(moon, c.moonApprox, 5e-5);
        EXPECT_EQ(sun, c.sunExact);
        EXPECT_EQ(moon, c.moonExact);
    }
}

// The March equinox of 2000 falls on 20 March JST: the longitude wraps from
// just below 360 to just above 0, and the negative remainder is lifted.
TEST(Longitude, SunWrapsAtTheMarchEquinox) {
    EXPECT_NEAR(SunLongitude(2000, 3, 20, 0, 0, 0), 359.31, 0.005);
    EXPECT_NEAR(SunLongitude(2000, 3, 21, 0, 0, 0), 0.31, 0.005);
}

TEST(Longitude, SecondsEnterT) {
    // One second moves the sun by 0.95-1.02 deg/day over 86400, the moon
    // by 11.7-15.4 deg/day over 86400.
    const double sunStep =
        SunLongitude(2024, 6, 15, 12, 30, 1) - SunLongitude(2024, 6, 15, 12, 30, 0);
    const double moonStep =
        MoonLongitude(2024, 6, 15, 12, 30, 1) - MoonLongitude(2024, 6, 15, 12, 30, 0);
    EXPECT_GT(sunStep, 0.95 / 86400);
    EXPECT_LT(sunStep, 1.02 / 86400);
    EXPECT_GT(moonStep, 11.7 / 86400);
    EXPECT_LT(moonStep, 15.4 / 86400);
}

// The day enters only through the Julian date, which is linear in it: day
// 32 of a month is the 1st of the next with the very same bits.
struct LinearDayCase {
    int y, m, d, normY, normM, normD;
    const char* why;
};
constexpr LinearDayCase kLinearDayCases[] = {
    {2023, 1, 32, 2023, 2, 1, "January 32"},
    {2024, 2, 30, 2024, 3, 1, "February 30 of a leap year"},
    {2023, 2, 29, 2023, 3, 1, "February 29 of a common year"},
    {1999, 12, 32, 2000, 1, 1, "across the year end"},
    {1700, 4, 31, 1700, 5, 1, "century year, not leap"},
};

TEST(Longitude, DayPastMonthEndIsTheNextDay) {
    for (const LinearDayCase& c : kLinearDayCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(SunLongitude(c.y, c.m, c.d, 0, 0, 0),
                  SunLongitude(c.normY, c.normM, c.normD, 0, 0, 0));
        EXPECT_EQ(MoonLongitude(c.y, c.m, c.d, 7, 5, 3),
                  MoonLongitude(c.normY, c.normM, c.normD, 7, 5, 3));
    }
}

// Hour 24 is 0 h of the next day. Not to the last bit: 24 times the hour
// factor and the day factor are different doubles, so T differs by an ulp.
TEST(Longitude, HourTwentyFourIsMidnightOfTheNextDay) {
    for (const int y : {1600, 1999, 2000, 2024, 2999}) {
        SCOPED_TRACE(y);
        EXPECT_NEAR(SunLongitude(y, 5, 10, 24, 0, 0), SunLongitude(y, 5, 11, 0, 0, 0), 1e-9);
        EXPECT_NEAR(MoonLongitude(y, 5, 10, 24, 0, 0), MoonLongitude(y, 5, 11, 0, 0, 0), 1e-8);
    }
}

// The new moon of 6 January 2000, 18:14 UT, is 3:14 JST on the 7th: sun
// minus moon passes 0 between 3 h and 4 h.
TEST(Longitude, ConjunctionOfJanuary2000) {
    EXPECT_GT(SunLongitude(2000, 1, 7, 3, 0, 0) - MoonLongitude(2000, 1, 7, 3, 0, 0), 0);
    EXPECT_LT(SunLongitude(2000, 1, 7, 4, 0, 0) - MoonLongitude(2000, 1, 7, 4, 0, 0), 0);
}

// Over the whole range both results lie in [0, 360), the sun advances
// 0.95-1.03 deg a day and the moon 11.7-15.4 deg (mod 360). Every 5th day,
// at an hour that moves through the day.
TEST(Longitude, RangeAndDailyMotionFrom1600To2999) {
    int y = 1600, m = 1, d = 1;
    for (int step = 0; y <= 2999; ++step) {
        const int h = step % 24;
        const double sun = SunLongitude(y, m, d, h, 0, 0);
        const double moon = MoonLongitude(y, m, d, h, 0, 0);
        ASSERT_GE(sun, 0) << y << '-' << m << '-' << d;
        ASSERT_LT(sun, 360) << y << '-' << m << '-' << d;
        ASSERT_GE(moon, 0) << y << '-' << m << '-' << d;
        ASSERT_LT(moon, 360) << y << '-' << m << '-' << d;
        double sunStep = SunLongitude(y, m, d + 1, h, 0, 0) - sun;
        double moonStep = MoonLongitude(y, m, d + 1, h, 0, 0) - moon;
        if (sunStep < 0) sunStep += 360;
        if (moonStep < 0) moonStep += 360;
        ASSERT_GT(sunStep, 0.95) << y << '-' << m << '-' << d;
        ASSERT_LT(sunStep, 1.03) << y << '-' << m << '-' << d;
        ASSERT_GT(moonStep, 11.7) << y << '-' << m << '-' << d;
        ASSERT_LT(moonStep, 15.4) << y << '-' << m << '-' << d;
        d += 5;
        NormalizeDate(y, m, d);
    }
}

}  // namespace
}  // namespace kalendo
