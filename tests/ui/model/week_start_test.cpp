#include "ui/model/week_start.h"

#include <gtest/gtest.h>

#include "core/day_arith.h"
#include "model_test_support.h"
#include "ui/model/month_view.h"

namespace kalendo {
namespace {

TEST(IsoWeekOf, WorkedExamplesAtTheYearsEdges) {
    struct Case { int y, m, d; IsoWeek want; const char* why; };
    const Case cases[] = {
        {2024, 12, 30, {2025, 1}, "a December Monday in week 1 of the next year"},
        {2021, 1, 3, {2020, 53}, "a January Sunday in week 53 of the year before"},
        {2999, 12, 31, {3000, 1}, "the last day computed"},
    };
    for (const Case& c : cases) EXPECT_EQ(IsoWeekOf(c.y, c.m, c.d), c.want) << c.why;
}

// Every day of 1600-2999: the week changes only on Mondays, by one or to
// week 1 of the next year after week 52, or 53 when the year began on a
// Thursday (a Wednesday in a leap year); 4 January is always in week 1.
TEST(IsoWeekOf, EveryDayFrom1600To2999) {
    IsoWeek previous = IsoWeekOf(1600, 1, 1);
    for (int y = 1600, m = 1, d = 2; y <= 2999; NormalizeDate(y, m, ++d)) {
        const IsoWeek week = IsoWeekOf(y, m, d);
        const int jan1 = Weekday(previous.year, 1, 1);
        const int weeks = jan1 == 4 || (jan1 == 3 && IsLeapYear(previous.year)) ? 53 : 52;
        const IsoWeek next = previous.week == weeks ? IsoWeek{previous.year + 1, 1}
                                                    : IsoWeek{previous.year, previous.week + 1};
        ASSERT_EQ(week, Weekday(y, m, d) == 1 ? next : previous) << y << '-' << m << '-' << d;
        ASSERT_TRUE(m != 1 || d != 4 || week == (IsoWeek{y, 1})) << y;
        previous = week;
    }
}

class WeekGridTest : public testing_support::ModelTest {};

// Every month of 1600-2999 in both week starts: each cell's date (counted
// on from the week's first day on or before the 1st) lies in its column's
// weekday, its colour follows the weekday, and each row's number is the
// ISO week of the row's Monday.
TEST_F(WeekGridTest, EveryMonthFrom1600To2999InBothWeekStarts) {
    for (const WeekStart start : {WeekStart::Sunday, WeekStart::Monday}) {
        for (int y = 1600; y <= 2999; ++y) {
            for (int m = 1; m <= 12; ++m) {
                rec_->year[kTarget] = y, rec_->month[kTarget] = m, rec_->day[kTarget] = 15;
                rec_->weekday[kTarget] = Weekday(y, m, 15);
                const MonthGrid g = FillMonthGrid(*rec_, start);
                const GridWeekNumbers weeks = WeekNumbersOfGrid(*rec_, start);
                int cy = y, cm = m, cd = 1 - LeadingDays(Weekday(y, m, 1), start);
                NormalizeDate(cy, cm, cd);
                for (int k = 0; k < kGridCells; ++k, NormalizeDate(cy, cm, ++cd)) {
                    const int weekday = Weekday(cy, cm, cd);
                    ASSERT_EQ(weekday, WeekdayOfColumn(k % 7, start)) << y << '-' << m << ' ' << k;
                    ASSERT_EQ(g[k].day, cm == m ? cd : -cd) << y << '-' << m << ' ' << k;
                    const Rgb fg = cm != m ? kOtherMonthText : weekday == 0 ? kSundayText
                                   : weekday == 6 ? kSaturdayText : kWeekdayText;
                    ASSERT_EQ(g[k].fg, fg) << y << '-' << m << ' ' << k;
                    ASSERT_TRUE(weekday != 1 || weeks[k / 7] == IsoWeekOf(cy, cm, cd).week) << y << m;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kalendo
