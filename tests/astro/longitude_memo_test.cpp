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

// Days read in walks back and forth keep each its own value: every day of
// 2024-2025 (neighbours within a block of days), and every 11th day of
// 1598-3002 twice over, so that the second reading of each far year finds
// it given up and computes it again.
TEST(LongitudeMemo, EveryDayKeepsItsOwnValueThroughWalks) {
    struct Walk { CalendarDate first, last; int step, passes; };
    for (const Walk& w : {Walk{{2024, 1, 1}, {2025, 12, 31}, 1, 2}, Walk{{1598, 1, 1}, {3002, 12, 31}, 11, 4}}) {
        ForgetAstroMemo();
        const double firstJd = JulianDate(w.first.year, w.first.month, w.first.day);
        const double lastJd = JulianDate(w.last.year, w.last.month, w.last.day);
        for (int pass = 0; pass < w.passes; ++pass) {
            for (double i = 0; i <= lastJd - firstJd; i += w.step) {
                const CalendarDate d = DateOfJulianDate(pass % 2 == 0 ? lastJd - i : firstJd + i);
                ASSERT_TRUE(SameBits(SunLongitudeAtMidnight(d.year, d.month, d.day),
                                     SunLongitude(d.year, d.month, d.day, 0, 0, 0))) << d.year << "-" << d.month << "-" << d.day;
                ASSERT_TRUE(SameBits(MoonLongitudeAtMidnight(d.year, d.month, d.day),
                                     MoonLongitude(d.year, d.month, d.day, 0, 0, 0))) << d.year << "-" << d.month << "-" << d.day;
            }
        }
    }
}

}  // namespace
}  // namespace kalendo
