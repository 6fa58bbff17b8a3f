#include "ui/model/week_start.h"

#include <gtest/gtest.h>

#include "core/day_arith.h"
#include "model_test_support.h"
#include "ui/model/month_view.h"

namespace kalendo {
namespace {

using testing_support::ModelTest;
using testing_support::Utf;

struct IsoCase {
    int y, m, d, wantYear, wantWeek;
    const char* why;
};
constexpr IsoCase kIsoCases[] = {
    {2024, 12, 30, 2025, 1, "a Monday of December in week 1 of the next year"},
    {2021, 1, 3, 2020, 53, "a Sunday of January in week 53 of the year before"},
    {2021, 1, 4, 2021, 1, "the next day, a Monday, opens week 1"},
    {2026, 12, 31, 2026, 53, "2026 begins on a Thursday: 53 weeks"},
    {2020, 12, 31, 2020, 53, "a leap year beginning on a Wednesday: 53 weeks"},
    {2019, 12, 30, 2020, 1, "29-31 December may belong to the next year"},
    {2010, 1, 3, 2009, 53, "1-3 January may belong to the year before"},
    {2024, 5, 1, 2024, 18, "an ordinary week inside the year"},
    {1600, 1, 1, 1599, 52, "the first day the almanac computes, a Saturday"},
    {2999, 12, 31, 3000, 1, "the last day, a Tuesday, in week 1 of 3000"},
};

TEST(IsoWeekOf, WorkedExamples) {
    for (const IsoCase& c : kIsoCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(IsoWeekOf(c.y, c.m, c.d), (IsoWeek{c.wantYear, c.wantWeek}));
    }
}

// Every day of 1600-2999: the week changes exactly on Mondays, by one or
// to week 1 of the next year; 4 January is always in week 1 of its year;
// and a year has 53 weeks exactly when it begins on a Thursday, or on a
// Wednesday in a leap year (counted independently of IsoWeekOf).
TEST(IsoWeekOf, EveryDayFrom1600To2999) {
    int y = 1600, m = 1, d = 1;
    IsoWeek previous = IsoWeekOf(y, m, d);
    d = 2;
    while (y <= 2999) {
        const IsoWeek week = IsoWeekOf(y, m, d);
        if (Weekday(y, m, d) != 1) {
            ASSERT_EQ(week, previous) << y << '-' << m << '-' << d;
        } else if (week.year == previous.year) {
            ASSERT_EQ(week.week, previous.week + 1) << y << '-' << m << '-' << d;
        } else {
            const int jan1 = Weekday(previous.year, 1, 1);
            const int weeks = jan1 == 4 || (jan1 == 3 && IsLeapYear(previous.year)) ? 53 : 52;
            ASSERT_EQ(previous.week, weeks) << previous.year;
            ASSERT_EQ(week, (IsoWeek{previous.year + 1, 1})) << y << '-' << m << '-' << d;
        }
        if (m == 1 && d == 4) {
            ASSERT_EQ(week, (IsoWeek{y, 1})) << y;
        }
        previous = week;
        ++d;
        NormalizeDate(y, m, d);
    }
}

TEST(WeekStart, ColumnsAndWeekdaysAreInverse) {
    for (const WeekStart start : {WeekStart::Sunday, WeekStart::Monday}) {
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(ColumnOfWeekday(WeekdayOfColumn(c, start), start), c);
        }
        EXPECT_EQ(WeekdayOfColumn(0, start), static_cast<int>(start));
    }
    EXPECT_EQ(WeekdayOfColumn(6, WeekStart::Monday), 0) << "Sunday closes a Monday-first row";
}

class WeekGridTest : public ModelTest {};

TEST_F(WeekGridTest, May2024BeginsOnMonday29April) {
    Select(2024, 5, 10);
    const MonthGrid g = FillMonthGrid(*rec_, WeekStart::Monday);
    EXPECT_EQ(g[0].day, -29);
    EXPECT_EQ(g[1].day, -30);
    EXPECT_EQ(g[2].day, 1) << "1 May 2024 is a Wednesday";
    EXPECT_EQ(g[6].fg, kSundayText) << "5 May, a Sunday, in the last column";
    EXPECT_EQ(g[5].fg, kSaturdayText) << "4 May, a Saturday, in the sixth";
    const char* const kMondayFirst[] = {"月", "火", "水", "木", "金", "土", "日"};
    for (int c = 0; c < 7; ++c) {
        const WeekdayHeading h = HeadingForColumn(c, WeekStart::Monday);
        EXPECT_EQ(Utf(h.text), kMondayFirst[c]);
        EXPECT_EQ(h.fg, c == 6 ? kSundayText : c == 5 ? kSaturdayText : kWeekdayText);
    }
}

TEST_F(WeekGridTest, SundayFirstRowsTakeTheWeekOfTheirMonday) {
    // January 2021: the first row runs Sunday 27 December (ISO 2020-W52)
    // to Saturday 2 January; its Monday, 28 December, is in week 53. The
    // second row's Sunday, 3 January, is still in week 53, its Monday in 1.
    Select(2021, 1, 15);
    const GridWeekNumbers sunday = WeekNumbersOfGrid(*rec_, WeekStart::Sunday);
    EXPECT_EQ(sunday, (GridWeekNumbers{53, 1, 2, 3, 4, 5}));
    const GridWeekNumbers monday = WeekNumbersOfGrid(*rec_, WeekStart::Monday);
    EXPECT_EQ(monday, (GridWeekNumbers{53, 1, 2, 3, 4, 5})) << "28 Dec, 4 Jan, ... open the rows";
}

// Every month of 1600-2999 in both week starts: cell 0 is the week's first
// day on or before the 1st, each cell's date lies in its column's weekday,
// the days run on one by one, the colours follow the weekday, and the rows'
// week numbers step by one but where a new ISO year begins.
TEST_F(WeekGridTest, EveryMonthFrom1600To2999InBothWeekStarts) {
    for (const WeekStart start : {WeekStart::Sunday, WeekStart::Monday}) {
        for (int y = 1600; y <= 2999; ++y) {
            for (int m = 1; m <= 12; ++m) {
                rec_->year[kTarget] = y;
                rec_->month[kTarget] = m;
                rec_->day[kTarget] = 15;
                rec_->weekday[kTarget] = Weekday(y, m, 15);
                const MonthGrid g = FillMonthGrid(*rec_, start);
                int cy = y, cm = m, cd = 1 - LeadingDays(Weekday(y, m, 1), start);
                NormalizeDate(cy, cm, cd);
                ASSERT_LE(1 - LeadingDays(Weekday(y, m, 1), start), 1);
                for (int k = 0; k < kGridCells; ++k) {
                    const int weekday = WeekdayOfColumn(k % 7, start);
                    ASSERT_EQ(Weekday(cy, cm, cd), weekday) << y << '-' << m << " cell " << k;
                    ASSERT_EQ(g[k].day, cm == m ? cd : -cd) << y << '-' << m << " cell " << k;
                    if (cm == m) {
                        const Rgb want = weekday == 0 ? kSundayText : weekday == 6 ? kSaturdayText
                                                                                   : kWeekdayText;
                        ASSERT_EQ(g[k].fg, want) << y << '-' << m << " cell " << k;
                    }
                    ++cd;
                    NormalizeDate(cy, cm, cd);
                }
                const GridWeekNumbers weeks = WeekNumbersOfGrid(*rec_, start);
                for (int row = 1; row < kGridRows; ++row) {
                    ASSERT_TRUE(weeks[row] == weeks[row - 1] + 1 || weeks[row] == 1)
                        << y << '-' << m << " row " << row;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kalendo
