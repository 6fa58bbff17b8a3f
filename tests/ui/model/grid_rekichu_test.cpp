#include "ui/model/grid_rekichu.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "month/compute_month.h"
#include "ui/model/rekichu_view.h"
#include "ui/model/spoken_names.h"
#include "platform/text_codec.h"
#include "model_test_support.h"

namespace kalendo {
namespace {

using testing_support::ModelTest;

class GridRekichuTest : public ModelTest {
protected:
    // The marked days of year y under `picks`, as (month, day), walking
    // the months as the window's 翌月 does.
    std::set<std::pair<int, int>> MarkedDays(int y, RekichuSet picks, GridRekichu& marks) {
        std::set<std::pair<int, int>> days;
        for (int m = 1; m <= 12; ++m) {
            Select(y, m, 1);
            const MonthGrid grid = FillMonthGrid(*rec_);
            const auto set = marks.OfGrid(*rec_, grid, {}, picks);
            for (int k = 0; k < kGridCells; ++k) {
                if (set[static_cast<std::size_t>(k)] != 0) days.insert({m, grid[static_cast<std::size_t>(k)].day});
            }
        }
        return days;
    }
};

// The days the almanacs print for 2026: 64 一粒万倍日 and six 天赦日.
TEST_F(GridRekichuTest, MarksThePublishedDaysOf2026) {
    const std::map<int, std::vector<int>> ichiryu{
        {1, {1, 2, 5, 14, 17, 26, 29}}, {2, {8, 13, 20, 25}}, {3, {4, 5, 12, 17, 24, 29}},
        {4, {8, 11, 20, 23}}, {5, {2, 5, 6, 17, 18, 29, 30}}, {6, {12, 13, 24, 25}},
        {7, {6, 7, 10, 19, 22, 31}}, {8, {3, 13, 18, 25, 30}}, {9, {6, 7, 14, 19, 26}},
        {10, {1, 11, 14, 23, 26}}, {11, {4, 7, 8, 19, 20}}, {12, {1, 2, 15, 16, 27, 28}}};
    std::set<std::pair<int, int>> expected;
    for (const auto& [m, days] : ichiryu) {
        for (int d : days) expected.insert({m, d});
    }
    GridRekichu marks;
    EXPECT_EQ(expected.size(), 64u);
    EXPECT_EQ(MarkedDays(2026, RekichuBit(RekichuName::Ichiryu), marks), expected);
    EXPECT_EQ(MarkedDays(2026, RekichuBit(RekichuName::Tensha), marks),
              (std::set<std::pair<int, int>>{{3, 5}, {5, 4}, {5, 20}, {7, 19}, {10, 1}, {12, 16}}));
    EXPECT_TRUE(MarkedDays(2026, 0, marks).empty());
}

// Whatever is picked, in both almanac modes and either reading, over three
// years (the first and last computed and one with a leap month), a day of
// the month carries exactly the picked notes a reader of any day finds
// (PickedRekichu, on a record of its own), and days of the neighbouring
// months carry none; a step within the month gives the same marks.
TEST_F(GridRekichuTest, EveryDayCarriesThePickedNotesTheReaderFinds) {
    const RekichuSet everything = (RekichuSet{1} << kRekichuCount) - 1;
    const RekichuSet fujojuAndOthers = RekichuBit(RekichuName::Fujoju) |
                                       RekichuBit(RekichuName::Sanrinbo) | kDefaultRekichuPicks;
    GridRekichu marks;
    for (AlmanacMode mode : {AlmanacMode::Standard, AlmanacMode::Precise}) {
        for (const RekichuSet picks : {everything, fujojuAndOthers}) {
            const RekichuReadings readings{IchiryuReading::OneBranch, DaimyoReading::TwentyOne};
            for (int n = 0; n < 3 * 12; ++n) {
                const int y = (n < 12 ? 1600 : n < 24 ? 2033 : 2999), m = n % 12 + 1;
                ASSERT_EQ(ComputeMonth(*rec_, y, m, 1, {mode}), 1);
                PickedRekichu reader(*rec_, readings, picks);
                const MonthGrid grid = FillMonthGrid(*rec_);
                const auto set = marks.OfGrid(*rec_, grid, readings, picks);
                ASSERT_EQ(ComputeMonth(*rec_, y, m, 20, {mode}), 1);
                EXPECT_EQ(marks.OfGrid(*rec_, grid, readings, picks), set);
                for (int k = 0; k < kGridCells; ++k) {
                    const int day = grid[static_cast<std::size_t>(k)].day;
                    const RekichuSet want = day > 0 ? reader.Of({y, m, day}) : 0;
                    EXPECT_EQ(set[static_cast<std::size_t>(k)], want) << y << '-' << m << '-' << day;
                }
            }
        }
    }
}

TEST(SpokenRekichu, NamesThePickedNotesInTheFixedOrder) {
    EXPECT_EQ(SpokenRekichu(0), "");
    EXPECT_EQ(Utf8FromCp932(SpokenRekichu(kDefaultRekichuPicks | RekichuBit(RekichuName::Tora))),
              "、天赦日、一粒万倍日、寅の日");
}

}  // namespace
}  // namespace kalendo
