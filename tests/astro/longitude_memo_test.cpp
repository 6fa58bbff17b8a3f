#include "astro/longitude_memo.h"

#include <gtest/gtest.h>

#include <cstring>

#include "astro/longitude.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct MemoDay { int y, m, d; const char* why; };
constexpr MemoDay kMemoDays[] = {
    {1598, 1, 1, "the first day remembered"},
    {3002, 12, 31, "the last day remembered"},
    {1597, 12, 31, "before the days remembered: evaluated afresh"},
    {3003, 1, 1, "after them"},
    {2024, 1, 32, "a day past the month's end is 1 February"},
    {2024, 3, 0, "day 0 is the last day of February"},
    {2000, 3, 20, "the sun just below 360 deg"},
    {2000, 3, 21, "and just above 0"},
};

// A remembered value is the very double the series gives at 0 h, the first
// time and every time after, with the memo on or off, for the day however
// it is written.
TEST(LongitudeMemo, SameBitsAsTheSeries) {
    for (const MemoDay& c : kMemoDays) {
        SCOPED_TRACE(c.why);
        const double sunDeg = SunLongitude(c.y, c.m, c.d, 0, 0, 0);
        const double moonDeg = MoonLongitude(c.y, c.m, c.d, 0, 0, 0);
        for (int pass = 0; pass < 2; ++pass) {
            EXPECT_TRUE(SameBits(SunLongitudeAtMidnight(c.y, c.m, c.d), sunDeg));
            EXPECT_TRUE(SameBits(MoonLongitudeAtMidnight(c.y, c.m, c.d), moonDeg));
        }
        int y = c.y, m = c.m, d = c.d;
        NormalizeDate(y, m, d);
        EXPECT_TRUE(SameBits(SunLongitudeAtMidnight(y, m, d), sunDeg));
        SetAlmanacCaching(false);
        EXPECT_TRUE(SameBits(MoonLongitudeAtMidnight(y, m, d), moonDeg));
        SetAlmanacCaching(true);
    }
}

// Every day of 2024-2025 remembered from the last day back, then read from
// the first day on: each day keeps its own value.
TEST(LongitudeMemo, NeighbouringDaysKeepTheirOwnValues) {
    ForgetAstroMemo();
    for (int pass = 0; pass < 2; ++pass) {
        int y = pass == 0 ? 2025 : 2024, m = pass == 0 ? 12 : 1, d = pass == 0 ? 31 : 1;
        for (int i = 0; i < 731; ++i) {
            const double sunDeg = SunLongitude(y, m, d, 0, 0, 0);
            ASSERT_TRUE(SameBits(SunLongitudeAtMidnight(y, m, d), sunDeg)) << y << "-" << m << "-" << d;
            ASSERT_TRUE(SameBits(MoonLongitudeAtMidnight(y, m, d), MoonLongitude(y, m, d, 0, 0, 0)))
                << y << "-" << m << "-" << d;
            d += pass == 0 ? -1 : 1;
            NormalizeDate(y, m, d);
        }
    }
}

// Only the days of the years asked for last are kept: every 11th day of
// 1598-3002 read forward and back, twice, so that the second reading of
// each far year finds it given up and computes it again; every value stays
// its own day's.
TEST(LongitudeMemo, DaysOfYearsGivenUpAreComputedAgain) {
    ForgetAstroMemo();
    const double firstJd = JulianDate(1598, 1, 1), lastJd = JulianDate(3002, 12, 31);
    for (int pass = 0; pass < 4; ++pass) {
        for (double i = 0; i <= lastJd - firstJd; i += 11) {
            const double jd = pass % 2 == 0 ? firstJd + i : lastJd - i;
            const CalendarDate d = DateOfJulianDate(jd);
            ASSERT_TRUE(SameBits(SunLongitudeAtMidnight(d.year, d.month, d.day),
                                 SunLongitude(d.year, d.month, d.day, 0, 0, 0))) << jd;
            ASSERT_TRUE(SameBits(MoonLongitudeAtMidnight(d.year, d.month, d.day),
                                 MoonLongitude(d.year, d.month, d.day, 0, 0, 0))) << jd;
        }
    }
}

}  // namespace
}  // namespace kalendo
