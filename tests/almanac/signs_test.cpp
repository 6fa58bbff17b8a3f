#include "almanac/signs.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/day_arith.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"

namespace kalendo {
namespace {

struct DaySignCase { int y, m, d, sexagenary, stem, branch, mansion; const char* why; };
constexpr DaySignCase kDaySignCases[] = {
    {2000, 1, 1, 55, 4, 6, 16, "JD 2451544.5: 戊午, mansion 胃"},
    {2024, 1, 1, 1, 0, 0, 18, "甲子, mansion 畢"},
    {1984, 2, 2, 3, 2, 2, 0, "丙寅, mansion 角"},
    {1600, 1, 1, 58, 7, 9, 23, "146097 days (400 years) before 2000-01-01: 辛酉, 柳"},
};

TEST(DaySigns, WorkedValues) {
    for (const DaySignCase& c : kDaySignCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(SexagenaryDay(c.y, c.m, c.d), c.sexagenary);
        EXPECT_EQ(DayStemIndex(c.y, c.m, c.d), c.stem);
        EXPECT_EQ(DayBranchIndex(c.y, c.m, c.d), c.branch);
        EXPECT_EQ(MansionIndex(c.y, c.m, c.d), c.mansion);
    }
}

struct UnnormalizedCase { int y, m, d, normY, normM, normD; const char* why; };
constexpr UnnormalizedCase kUnnormalizedCases[] = {
    {2000, 1, 0, 1999, 12, 31, "day 0 is the last day of the month before"},
    {2023, 12, 32, 2024, 1, 1, "day 32 runs into the next year"},
    {2023, 13, 1, 2024, 1, 1, "month 13 is January of the next year"},
    {2024, 3, 0, 2024, 2, 29, "day 0 of March in a leap year"},
    {2024, 0, 15, 2023, 12, 15, "month 0 is December of the year before"},
    {2023, 2, 29, 2023, 3, 1, "29 February of a common year"},
};

TEST(DaySigns, UnnormalizedDatesGiveTheSignsOfTheDayTheyDenote) {
    for (const UnnormalizedCase& c : kUnnormalizedCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(SexagenaryDay(c.y, c.m, c.d), SexagenaryDay(c.normY, c.normM, c.normD));
        EXPECT_EQ(DayStemIndex(c.y, c.m, c.d), DayStemIndex(c.normY, c.normM, c.normD));
        EXPECT_EQ(DayBranchIndex(c.y, c.m, c.d), DayBranchIndex(c.normY, c.normM, c.normD));
        EXPECT_EQ(MansionIndex(c.y, c.m, c.d), MansionIndex(c.normY, c.normM, c.normD));
    }
}

// Every civil day 1600-2999: the sexagenary number steps by one (mod 60)
// and the mansion by one (mod 28) from the day before, and stem and branch,
// counted by formulas of their own, agree with the sexagenary number.
TEST(DaySigns, EveryDayFrom1600To2999) {
    int y = 1600, m = 1, d = 1;
    int prevN = SexagenaryDay(y, m, d - 1);
    int prevMansion = MansionIndex(y, m, d - 1);
    while (y <= 2999) {
        const int n = SexagenaryDay(y, m, d);
        const int mansion = MansionIndex(y, m, d);
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 60);
        ASSERT_EQ(n, prevN % 60 + 1) << y << '-' << m << '-' << d;
        ASSERT_EQ(mansion, (prevMansion + 1) % 28) << y << '-' << m << '-' << d;
        ASSERT_EQ(DayStemIndex(y, m, d), (n - 1) % 10) << y << '-' << m << '-' << d;
        ASSERT_EQ(DayBranchIndex(y, m, d), (n - 1) % 12) << y << '-' << m << '-' << d;
        prevN = n;
        prevMansion = mansion;
        ++d;
        NormalizeDate(y, m, d);
    }
}

struct YearSignCase { int y, stem, branch; const char* why; };
constexpr YearSignCase kYearSignCases[] = {
    {1984, 0, 0, "甲子"},
    {2024, 0, 4, "甲辰"},
    {2044, 0, 0, "60 years after 1984: 甲子 again"},
    {1600, 6, 0, "庚子"},
    {2999, 5, 7, "己未"},
};

TEST(YearSigns, WorkedValues) {
    for (const YearSignCase& c : kYearSignCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(YearStemIndex(c.y), c.stem);
        EXPECT_EQ(YearBranchIndex(c.y), c.branch);
    }
}

struct MonthSignCase { int y, m, stem, branch; const char* why; };
constexpr MonthSignCase kMonthSignCases[] = {
    {1984, 1, 2, 2, "丙寅: month 1 always has branch 寅"},
    {1984, 12, 3, 1, "丁丑: month 12 has 丑"},
    {1984, 11, 2, 0, "丙子: month 11 has 子"},
    {2024, 11, 2, 0, "丙子"},
    {2024, 1, 2, 2, "丙寅: five years (60 months) after 1984 the month signs repeat"},
    {2024, 12, 3, 1, "丁丑"},
};

TEST(MonthSigns, WorkedValues) {
    for (const MonthSignCase& c : kMonthSignCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(MonthStemIndex(c.y, c.m), c.stem);
        EXPECT_EQ(MonthBranchIndex(c.m), c.branch);
    }
}

// Year signs advance one step a year and month signs one step a month, also
// from December into January: the cycles run on without a break.
TEST(MonthSigns, RunOnThroughTheYears) {
    for (int y = 1600; y <= 2999; ++y) {
        ASSERT_EQ(YearStemIndex(y + 1), (YearStemIndex(y) + 1) % 10) << y;
        ASSERT_EQ(YearBranchIndex(y + 1), (YearBranchIndex(y) + 1) % 12) << y;
        for (int m = 1; m <= 12; ++m) {
            const int nextY = m == 12 ? y + 1 : y;
            const int nextM = m == 12 ? 1 : m + 1;
            ASSERT_EQ(MonthStemIndex(nextY, nextM), (MonthStemIndex(y, m) + 1) % 10) << y << '-' << m;
            ASSERT_EQ(MonthBranchIndex(nextM), (MonthBranchIndex(m) + 1) % 12) << m;
        }
    }
}

struct RokuyoCase { int lunarMonth, lunarDay, rokuyo; const char* why; };
constexpr RokuyoCase kRokuyoCases[] = {
    {1, 1, 0, "1/1 is 先勝"},
    {2, 1, 1, "2/1 is 友引"},
    {4, 1, 3, "4/1 is 仏滅"},
    {-4, 1, 3, "leap 4th month takes the sign of the 4th month"},
    {-4, 2, 4, "leap 4/2 is 大安"},
    {1, 6, 5, "offset of month 1 is 5"},
    {2, 6, 0, "offset of month 2 is 0"},
    {7, 6, 5, "offset of month 7 is 5"},
    {8, 6, 0, "offset of month 8 is 0"},
    {12, 6, 4, "offset of month 12 is 4"},
    {-12, 30, 4, "leap 12/30"},
    {0, 1, -1, "month 0"},
    {13, 1, -1, "month 13"},
    {99, 1, -1, "a month the numbering left without a number"},
};

TEST(Rokuyo, FromTheLunarDate) {
    auto rec = std::make_unique<MonthRecord>();
    for (const RokuyoCase& c : kRokuyoCases) {
        SCOPED_TRACE(c.why);
        rec->lunarMonth = c.lunarMonth;
        rec->lunarDay = c.lunarDay;
        EXPECT_EQ(RokuyoIndex(*rec), c.rokuyo);
    }
}

struct LunarRokuyoCase { int y, m, d, lunarMonth, lunarDay, rokuyo; const char* why; };
constexpr LunarRokuyoCase kLunarRokuyoCases[] = {
    {2024, 2, 10, 1, 1, 0, "lunar new year 2024: 先勝"},
    {2024, 3, 10, 2, 1, 1, "lunar 2/1: 友引"},
    {2020, 4, 23, 4, 1, 3, "lunar 4/1 of 2020: 仏滅"},
    {2020, 5, 23, -4, 1, 3, "the leap 4th month of 2020 begins as the 4th did: 仏滅"},
    {2023, 3, 22, -2, 1, 1, "the leap 2nd month of 2023: 友引"},
};

// The rokuyo of the lunar date that the month computation gives the target.
TEST(Rokuyo, OfTheTargetDate) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    for (const LunarRokuyoCase& c : kLunarRokuyoCases) {
        SCOPED_TRACE(c.why);
        ASSERT_EQ(ComputeMonth(*rec, c.y, c.m, c.d, {}), 1);
        EXPECT_EQ(rec->lunarMonth, c.lunarMonth);
        EXPECT_EQ(rec->lunarDay, c.lunarDay);
        EXPECT_EQ(RokuyoIndex(*rec), c.rokuyo);
    }
}

}  // namespace
}  // namespace kalendo
