#include "core/day_arith.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace kalendo {
namespace {

TEST(DayArithmetic, AnchorFacts) {
    EXPECT_EQ(JulianDate(2000, 1, 1), 2451544.5);
    EXPECT_EQ(Weekday(2000, 1, 1), 6);  // Saturday
}

struct LeapCase { int y, leap; };
TEST(IsLeapYear, CenturyRule) {
    constexpr LeapCase kCases[] = {{1600, 1}, {1700, 0}, {1900, 0}, {2000, 1}, {2024, 1},
                                   {2100, 0}, {2023, 0}, {2400, 1}};
    for (const LeapCase& c : kCases) EXPECT_EQ(IsLeapYear(c.y), c.leap) << c.y;
}

TEST(DaysInMonth, February) {
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
}

struct NormCase { int y, m, d, wantY, wantM, wantD; const char* why; };
constexpr NormCase kNormCases[] = {
    {2024, 3, 0, 2024, 2, 29, "day 0 = last day of previous month"},
    {2024, 1, 0, 2023, 12, 31, "day 0 of January borrows from the year before"},
    {2023, 2, 29, 2023, 3, 1, "past February of a common year"},
    {2024, 2, 31, 2024, 3, 2, "past February of a leap year"},
    {2003, 14, 29, 2004, 2, 29, "month carry first, then Feb of the year reached"},
    {2004, 14, 29, 2005, 3, 1, "same carry, common year"},
    {2024, 13, 1, 2025, 1, 1, "month 13 is January of the next year"},
    {2024, 1, 400, 2025, 2, 3, "large offset steps month by month"},
    {2024, 0, 31, 2023, 12, 31, "month 0 is December of the year before"},
    {2024, -11, 1, 2023, 1, 1, "negative month carries whole years"},
    {2024, 1, -30, 2023, 12, 1, "negative day borrows repeatedly"},
    {2024, 3, -365, 2023, 3, 1, "a year of borrowing back from 29 February"},
    {2024, 6, 15, 2024, 6, 15, "a valid date stays"},
};

TEST(NormalizeDate, WorkedExamples) {
    for (const NormCase& c : kNormCases) {
        SCOPED_TRACE(c.why);
        int y = c.y, m = c.m, d = c.d;
        NormalizeDate(y, m, d);
        EXPECT_EQ(std::tie(y, m, d), std::tie(c.wantY, c.wantM, c.wantD));
    }
}

struct JdCase { int y, m, d; double jd; };
TEST(JulianDate, WorkedExamples) {
    constexpr JdCase kCases[] = {
        {2000, 1, 1, 2451544.5}, {2000, 3, 1, 2451604.5}, {1600, 1, 1, 2305447.5},
        {1600, 3, 1, 2305507.5}, {1700, 3, 1, 2342031.5}, {1701, 3, 1, 2342396.5},
        {1858, 11, 17, 2400000.5}, {2999, 12, 31, 2816786.5},
    };
    for (const JdCase& c : kCases) {
        EXPECT_EQ(JulianDate(c.y, c.m, c.d), c.jd) << c.y << '-' << c.m << '-' << c.d;
    }
    EXPECT_EQ(JulianDate(2024, 1, 32), JulianDate(2024, 2, 1)) << "linear in the day";
}

// The almanac's Julian-date formula as it has always been written, in
// floating point: the integer evaluation must give the same double for
// every month, for years far outside the accepted ones and for the
// un-normalised days the date expressions pass.
double JulianDateInDoubles(int y, int m, int d) {
    const double a = std::floor((y + 4715) * 365.25);
    const double b = std::floor(a + 31 * m + d);
    const double c = std::floor((std::floor((y - 1601) * 0.01) + 1) * 0.75);
    if (m < 3) return b - c - 1137.5;
    return b - c - std::floor(0.4 * m + 1.2) + IsLeapYear(y) - 1138.5;
}

TEST(JulianDate, IsTheFormulaInDoubles) {
    const int kDays[] = {-1000000, -146097, -366, -31, -1, 0, 1, 15, 28, 29, 31, 32, 400, 146097, 999999};
    for (int y = -3000; y <= 6000; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (const int d : kDays) {
                ASSERT_EQ(JulianDate(y, m, d), JulianDateInDoubles(y, m, d)) << y << '-' << m << '-' << d;
            }
        }
    }
    for (const int y : {-100000000, -1234567, 999999, 100000000}) {
        for (int m = 1; m <= 12; ++m) ASSERT_EQ(JulianDate(y, m, 1), JulianDateInDoubles(y, m, 1)) << y;
    }
}

TEST(Weekday, WorkedExamples) {
    EXPECT_EQ(Weekday(2000, 1, 1), 6);
    EXPECT_EQ(Weekday(2024, 6, 15), 6);
    EXPECT_EQ(Weekday(1600, 1, 1), 6);
    EXPECT_EQ(Weekday(2024, 1, 1), 1);
    EXPECT_EQ(Weekday(2026, 2, 1), 0);
}

TEST(CompareDates, NormalisesBothSides) {
    EXPECT_EQ(CompareDates(2024, 1, 32, 2024, 2, 1), 0);
    EXPECT_EQ(CompareDates(2023, 12, 31, 2024, 1, 1), +1);
    EXPECT_EQ(CompareDates(2024, 1, 2, 2024, 1, 1), -1);
    EXPECT_EQ(CompareDates(2024, 13, 1, 2025, 1, 1), 0);
    EXPECT_EQ(CompareDates(2024, 2, 1, 2024, 1, 31), -1);
}

TEST(DayFraction, GivenConstants) {
    EXPECT_EQ(DayFraction(12, 0, 0), 0.5);
    EXPECT_EQ(DayFraction(0, 1, 0), 0.0006944444444444445);
    EXPECT_EQ(DayFraction(0, 0, 1), 1.1574074074074073e-05);
    EXPECT_EQ(DayFraction(1, 0, 0), 0.041666666666666664);
}

// Every civil day: JulianDate steps by exactly 1 and Weekday by 1 (mod 7).
// NormalizeDate makes the step, JulianDate checks it; CompareDates orders it.
TEST(DayArithmetic, EveryDayFrom1600To2999) {
    int y = 1600, m = 1, d = 1;
    double prevJd = JulianDate(y, m, d) - 1;
    int prevWd = (Weekday(y, m, d) + 6) % 7;
    int py = 1599, pm = 12, pd = 31;
    while (y <= 2999) {
        const double jd = JulianDate(y, m, d);
        const int wd = Weekday(y, m, d);
        ASSERT_EQ(jd, prevJd + 1) << y << '-' << m << '-' << d;
        ASSERT_EQ(wd, (prevWd + 1) % 7) << y << '-' << m << '-' << d;
        ASSERT_EQ(CompareDates(py, pm, pd, y, m, d), 1) << y << '-' << m << '-' << d;
        ASSERT_LE(d, DaysInMonth(y, m));
        // The reverse, at both ends of the day.
        for (const double f : {0.0, 0.5, 0.9999}) {
            ASSERT_EQ(DateOfJulianDate(jd + f), (CalendarDate{y, m, d})) << y << '-' << m << '-' << d;
        }
        prevJd = jd;
        prevWd = wd;
        py = y, pm = m, pd = d;
        ++d;
        NormalizeDate(y, m, d);
    }
}

}  // namespace
}  // namespace kalendo
