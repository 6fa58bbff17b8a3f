#include "ui/model/lunisolar_days.h"

#include <gtest/gtest.h>

#include "almanac/signs.h"
#include "model_test_support.h"

namespace kalendo {
namespace {

using testing_support::Cp;
using testing_support::ModelTest;

class LunisolarDaysTest : public ModelTest {};

// Every cell of the grid reads what a month computation of its own date
// reads, in both modes: across 1 January (December's days from their own
// year's numbering), through the leap months of 2023 and 2033, and at the
// ends of the range, where the cells outside it are empty.
TEST_F(LunisolarDaysTest, CellsReadWhatTheirOwnDateComputes) {
    struct Month { int y, m; };
    const Month months[] = {{1600, 1}, {2023, 3},  {2023, 4}, {2033, 11}, {2033, 12},
                            {2034, 1}, {2034, 12}, {2024, 5}, {2999, 12}};
    MonthRecord other;
    for (const AlmanacMode mode : {AlmanacMode::Standard, AlmanacMode::Precise}) {
        for (const Month& mo : months) {
            SCOPED_TRACE(testing::Message() << mo.y << "-" << mo.m << " mode "
                                            << static_cast<int>(mode));
            ASSERT_EQ(ComputeMonth(*rec_, mo.y, mo.m, 15, {mode, kViewFull}), 1);
            const MonthGrid grid = FillMonthGrid(*rec_);
            LunisolarDays days(*rec_);
            for (const DayCell& cell : grid) {
                const CalendarDate date = CellClickTarget(*rec_, cell.day);
                const LunisolarDay got = days.Of(date);
                if (!ComputeMonthAccepts(date.year, date.month, date.day)) {
                    EXPECT_EQ(got, LunisolarDay{});
                    continue;
                }
                ASSERT_EQ(ComputeMonth(other, date.year, date.month, date.day, {mode, kViewFull}), 1);
                const LunisolarDay want{TargetLunisolarDate(other), RokuyoIndex(other)};
                EXPECT_EQ(got, want) << date.year << "-" << date.month << "-" << date.day;
            }
            EXPECT_EQ(TargetDate(*rec_), (CalendarDate{mo.y, mo.m, 15}));  // never moved
        }
    }
}

TEST(LunarCellText, MonthOnlyOnTheFirstDayAndTheFirstCell) {
    struct Case { LunisolarDay day; bool withMonth; const char* want; };
    const Case cases[] = {
        {{{3, false, 25}, 1}, false, "25 友引"},
        {{{3, false, 25}, 1}, true, "3/25 友引"},
        {{{4, false, 1}, 5}, false, "4/1 赤口"},
        {{{2, true, 1}, 0}, false, "閏2/1 先勝"},
        {{{11, true, 30}, 4}, true, "閏11/30 大安"},
        {{}, true, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(LunarCellText(c.day, c.withMonth), Cp(c.want)) << c.want;
}

TEST_F(LunisolarDaysTest, TheGridTextsOfMay2024) {
    Select(2024, 5, 3);
    MonthGrid grid = FillMonthGrid(*rec_);
    AddLunarTexts(*rec_, grid);
    // 28 April (cell 0) is 3/20 仏滅; 3 May is 3/25 先負; 8 May 4/1 仏滅.
    EXPECT_EQ(grid[0].lunarText, Cp("3/20 仏滅"));
    EXPECT_EQ(grid[5].lunarText, Cp("25 先負"));
    EXPECT_EQ(grid[10].lunarText, Cp("4/1 仏滅"));
}

// The kept texts are always what AddLunarTexts gives: day by day through a
// month end, a jump of a month, and the same grid in the other almanac
// (2035-01-09 lies in a different lunar month in the two).
TEST_F(LunisolarDaysTest, KeptGridTextsEqualFreshOnes) {
    const struct {
        int y, m, d;
        AlmanacMode mode;
    } kSteps[] = {{2024, 5, 31, AlmanacMode::Standard}, {2024, 6, 1, AlmanacMode::Standard},
                  {2024, 7, 1, AlmanacMode::Standard},  {2035, 1, 9, AlmanacMode::Standard},
                  {2035, 1, 9, AlmanacMode::Precise},   {2035, 1, 10, AlmanacMode::Precise}};
    GridLunarTexts kept;
    for (const auto& s : kSteps) {
        SCOPED_TRACE(testing::Message() << s.y << "-" << s.m << "-" << s.d);
        ASSERT_EQ(ComputeMonth(*rec_, s.y, s.m, s.d, {s.mode, kViewFull}), 1);
        MonthGrid fresh = FillMonthGrid(*rec_), reused = fresh;
        AddLunarTexts(*rec_, fresh);
        kept.AddTo(*rec_, reused);
        EXPECT_EQ(reused, fresh);
    }
}

}  // namespace
}  // namespace kalendo
