#include "ui/model/grid_rekichu.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "month/compute_month.h"
#include "platform/text_codec.h"
#include "tests/ui/model/model_test_support.h"
#include "ui/model/rekichu_view.h"
#include "ui/model/spoken_names.h"

namespace kalendo {
namespace {

class GridRekichuTest : public testing_support::ModelTest {};

// The published days of 2026 (64 一粒万倍日, six 天赦日), walking the months
// as 翌月 does, and what a screen reader says of them.
TEST_F(GridRekichuTest, MarksThePublishedDaysOf2026) {
    const std::vector<std::vector<int>> ichiryu{
        {1, 2, 5, 14, 17, 26, 29}, {8, 13, 20, 25}, {4, 5, 12, 17, 24, 29}, {8, 11, 20, 23},
        {2, 5, 6, 17, 18, 29, 30}, {12, 13, 24, 25}, {6, 7, 10, 19, 22, 31}, {3, 13, 18, 25, 30},
        {6, 7, 14, 19, 26}, {1, 11, 14, 23, 26}, {4, 7, 8, 19, 20}, {1, 2, 15, 16, 27, 28}};
    std::set<std::pair<int, int>> want{{3, 5}, {5, 4}, {5, 20}, {7, 19}, {10, 1}, {12, 16}}, got;
    for (int m = 1; m <= 12; ++m) {
        for (int d : ichiryu[static_cast<std::size_t>(m - 1)]) want.insert({m, d});
    }
    GridRekichu marks;
    for (int m = 1; m <= 12; ++m) {
        Select(2026, m, 1);
        const MonthGrid grid = FillMonthGrid(*rec_);
        const auto set = marks.OfGrid(*rec_, grid, {}, kDefaultRekichuPicks);
        for (int k = 0; k < kGridCells; ++k) {
            if (set[static_cast<std::size_t>(k)] != 0) got.insert({m, grid[static_cast<std::size_t>(k)].day});
        }
    }
    EXPECT_EQ(got, want);
    EXPECT_EQ(SpokenRekichu(0), "");
    EXPECT_EQ(Utf8FromCp932(SpokenRekichu(kDefaultRekichuPicks)), "、天赦日、一粒万倍日");
}

// Whatever is picked, in both modes and the other readings, over the first
// and last computed years and one with a leap month: a day of the month
// carries exactly the picked notes a reader of any day finds (on a record
// of its own), neighbouring days none, and a step within the month the same.
TEST_F(GridRekichuTest, EveryDayCarriesThePickedNotesTheReaderFinds) {
    const RekichuReadings readings{IchiryuReading::OneBranch, DaimyoReading::TwentyOne};
    GridRekichu marks;
    for (AlmanacMode mode : {AlmanacMode::Standard, AlmanacMode::Precise}) {
        for (const RekichuSet picks : {(RekichuSet{1} << kRekichuCount) - 1, kDefaultRekichuPicks}) {
            for (int n = 0; n < 3 * 12; ++n) {
                const int y = n < 12 ? 1600 : n < 24 ? 2033 : 2999, m = n % 12 + 1;
                ASSERT_EQ(ComputeMonth(*rec_, y, m, 1, {mode}), 1);
                PickedRekichu reader(*rec_, readings, picks);
                const MonthGrid grid = FillMonthGrid(*rec_);
                const auto set = marks.OfGrid(*rec_, grid, readings, picks);
                ASSERT_EQ(ComputeMonth(*rec_, y, m, 20, {mode}), 1);
                EXPECT_EQ(marks.OfGrid(*rec_, grid, readings, picks), set);
                for (int k = 0; k < kGridCells; ++k) {
                    const int day = grid[static_cast<std::size_t>(k)].day;
                    EXPECT_EQ(set[static_cast<std::size_t>(k)], day > 0 ? reader.Of({y, m, day}) : 0)
                        << y << '-' << m << '-' << day;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kalendo
