// The twelve day officers: the anchor table S/F and OfficerIndex, first on
// a hand-made table of solar-month starts, then for every year of the range
// on the anchors the month computation builds from its own solar terms.
#include <gtest/gtest.h>

#include <memory>

#include "almanac/signs.h"
#include "core/day_arith.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"
#include "tests/calendar_date_print.h"

namespace kalendo {
namespace {

// The 14 sekki that bracket 2024, in JST: 大雪 2023 ... 大雪 2024, 小寒 2025.
constexpr CalendarDate kStarts2024[14] = {
    {2023, 12, 7}, {2024, 1, 6}, {2024, 2, 4}, {2024, 3, 5}, {2024, 4, 4},
    {2024, 5, 5}, {2024, 6, 5}, {2024, 7, 6}, {2024, 8, 7}, {2024, 9, 7},
    {2024, 10, 8}, {2024, 11, 7}, {2024, 12, 7}, {2025, 1, 5},
};

// Only every second term from entry 22 on is a solar-month start; the other
// entries are filled with a date the anchors must not pick up.
void FillTerms(MonthRecord& rec, const CalendarDate (&starts)[14]) {
    for (int i = 0; i < kTermCount; ++i) {
        rec.terms.years[i] = 1900;
        rec.terms.months[i] = 1;
        rec.terms.days[i] = 1;
    }
    for (int k = 0; k < 14; ++k) {
        rec.terms.years[22 + 2 * k] = starts[k].year;
        rec.terms.months[22 + 2 * k] = starts[k].month;
        rec.terms.days[22 + 2 * k] = starts[k].day;
    }
}

CalendarDate Start(const MonthRecord& rec, int k) {
    return {rec.anchorStart.years[k], rec.anchorStart.months[k], rec.anchorStart.days[k]};
}
CalendarDate First(const MonthRecord& rec, int k) {
    return {rec.anchorFirst.years[k], rec.anchorFirst.months[k], rec.anchorFirst.days[k]};
}
double Jd(CalendarDate x) { return JulianDate(x.year, x.month, x.day); }

// The officer by a formula of its own: the day branch counted from the
// branch of the solar month the day lies in (the last S[k] on or before it).
int OfficerByBranch(const MonthRecord& rec, CalendarDate x) {
    int k = -1;
    for (int i = 0; i < 14; ++i) {
        if (Jd(Start(rec, i)) <= Jd(x)) k = i;
    }
    return ((DayBranchIndex(x.year, x.month, x.day) - k) % 12 + 12) % 12;
}

// F[k] is the first day from S[k] on with day branch k mod 12.
void ExpectAnchorsConsistent(const MonthRecord& rec) {
    for (int k = 0; k < 14; ++k) {
        SCOPED_TRACE(k);
        const CalendarDate s = Start(rec, k), f = First(rec, k);
        const int steps = static_cast<int>(Jd(f) - Jd(s));
        ASSERT_GE(steps, 0);
        ASSERT_LE(steps, 11);
        ASSERT_EQ(DayBranchIndex(f.year, f.month, f.day), k % 12);
        for (int i = 0; i < steps; ++i) {
            ASSERT_NE(DayBranchIndex(s.year, s.month, s.day + i), k % 12);
        }
    }
}

class OfficerTest : public ::testing::Test {
protected:
    OfficerTest() : rec_(std::make_unique<MonthRecord>()) {
        FillTerms(*rec_, kStarts2024);
        ComputeOfficerAnchors(*rec_);
    }
    std::unique_ptr<MonthRecord> rec_;
};

TEST_F(OfficerTest, StartsAreEverySecondTermFromEntry22) {
    for (int k = 0; k < 14; ++k) EXPECT_EQ(Start(*rec_, k), kStarts2024[k]) << k;
    ExpectAnchorsConsistent(*rec_);
}

struct AnchorCase { int k; CalendarDate first; const char* why; };
constexpr AnchorCase kAnchorCases[] = {
    {0, {2023, 12, 8}, "大雪 2023-12-07 is 亥; 子 the next day"},
    {1, {2024, 1, 14}, "小寒 2024-01-06 is 巳; 丑 eight days on"},
    {2, {2024, 2, 8}, "立春 2024-02-04 is 戌; 寅 four days on"},
    {13, {2025, 1, 8}, "小寒 2025-01-05 is 戌; 丑 three days on"},
};

TEST_F(OfficerTest, FirstKenDays) {
    for (const AnchorCase& c : kAnchorCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(First(*rec_, c.k), c.first);
    }
}

struct OfficerCase { CalendarDate date; int officer; const char* why; };
constexpr OfficerCase kOfficerCases[] = {
    {{2023, 12, 7}, -1, "大雪 2023 itself lies before F[0]"},
    {{2023, 12, 8}, 0, "F[0] is 建"},
    {{2024, 1, 5}, 4, "子 month, 辰 day: 定"},
    {{2024, 1, 6}, 4, "小寒: the new solar month repeats the day before, 定"},
    {{2024, 1, 7}, 5, "then the count goes on: 執"},
    {{2024, 1, 13}, 11, "the day before F[1]: 閉"},
    {{2024, 1, 14}, 0, "F[1] is 建"},
    {{2024, 2, 3}, 8, "丑 month, 酉 day: 成"},
    {{2024, 2, 4}, 8, "立春 repeats 成"},
    {{2024, 2, 8}, 0, "F[2] is 建"},
    {{2024, 12, 6}, 5, "亥 month, 辰 day: 執"},
    {{2024, 12, 7}, 5, "大雪 2024 repeats 執"},
    {{2025, 1, 7}, 11, "after 小寒 2025, before F[13]: 閉"},
    {{2025, 1, 8}, -1, "F[13] itself is outside the anchored range"},
    {{2024, 1, 0}, 11, "un-normalised: 2023-12-31, a 亥 day in the 子 month, is 閉"},
};

TEST_F(OfficerTest, AroundSolarMonthStarts) {
    for (const OfficerCase& c : kOfficerCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(OfficerIndex(*rec_, c.date.year, c.date.month, c.date.day), c.officer);
    }
}

// When a solar month begins on a day of its own branch, F[k] = S[k] and the
// start day is 建, which the day before (the last day of the old month,
// one branch earlier) is as well.
TEST_F(OfficerTest, StartOnItsOwnBranchIsKen) {
    CalendarDate starts[14];
    for (int k = 0; k < 14; ++k) starts[k] = kStarts2024[k];
    starts[3] = {2024, 3, 4};
    ASSERT_EQ(DayBranchIndex(2024, 3, 4), 3) << "the moved start must fall on 卯";
    FillTerms(*rec_, starts);
    ComputeOfficerAnchors(*rec_);
    EXPECT_EQ(First(*rec_, 3), starts[3]);
    EXPECT_EQ(OfficerIndex(*rec_, 2024, 3, 4), 0);
    EXPECT_EQ(OfficerIndex(*rec_, 2024, 3, 3), 0);
    ExpectAnchorsConsistent(*rec_);
}

TEST_F(OfficerTest, EveryDayOfTheAnchoredRangeMatchesTheBranchCount) {
    const CalendarDate f0 = First(*rec_, 0), f13 = First(*rec_, 13);
    int days = 0;
    for (CalendarDate x = f0; !(x == f13); ++days) {
        ASSERT_EQ(OfficerIndex(*rec_, x.year, x.month, x.day), OfficerByBranch(*rec_, x)) << x;
        ++x.day;
        NormalizeDate(x.year, x.month, x.day);
    }
    EXPECT_EQ(days, 397);
}

TEST(OfficerIndex, NoAnchorsNoOfficer) {
    auto rec = std::make_unique<MonthRecord>();
    EXPECT_EQ(OfficerIndex(*rec, 2024, 6, 15), -1);
}

// The month computation builds the anchors from its own solar terms: for
// every year of the range, every day of the year gets an officer, the same
// as the branch count, and each solar-month start repeats the officer of
// the day before.
TEST(OfficerIndex, EveryDayOfEveryYearFrom1600To2999) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    for (int y = 1600; y <= 2999; ++y) {
        ASSERT_EQ(ComputeMonth(*rec, y, 1, 1, {}), 1);
        ASSERT_EQ(Start(*rec, 1).year, y) << "小寒 of the target year";
        ExpectAnchorsConsistent(*rec);
        for (CalendarDate x{y, 1, 1}; x.year == y;) {
            const int officer = OfficerIndex(*rec, x.year, x.month, x.day);
            ASSERT_GE(officer, 0) << x;
            ASSERT_LE(officer, 11) << x;
            ASSERT_EQ(officer, OfficerByBranch(*rec, x)) << x;
            ++x.day;
            NormalizeDate(x.year, x.month, x.day);
        }
        for (int k = 1; k < 13; ++k) {
            const CalendarDate s = Start(*rec, k);
            ASSERT_EQ(OfficerIndex(*rec, s.year, s.month, s.day),
                      OfficerIndex(*rec, s.year, s.month, s.day - 1))
                << s;
        }
    }
}

}  // namespace
}  // namespace kalendo
