#include "ui/model/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "defs/schedules.h"
#include "model_test_support.h"
#include "ui/model/lists.h"
#include "ui/model/lunisolar_days.h"

namespace kalendo {
namespace {

using testing_support::Cp;
using testing_support::ModelTest;
using testing_support::Utf;

class PrintLayoutTest : public ModelTest {
protected:
    PrintLayoutTest() {
        LoadHolidayLines(
            "憲法記念日 ( 1949 - 3000 ) / 5/3\n"
            "みどりの日 ( 2007 - 3000 ) / 5/4\n"
            "こどもの日 ( 1949 - 3000 ) / 5/5\n"
            "元日 ( 1949 - 3000 ) / 1/1\n");
        LoadNoteLines("端午の節句 5/5\n旧正月 旧1/1\n");
        LoadUserLines("結婚記念日 2000 / 5/6 1\n");
        SetToday(2024, 5, 1);
        LoadScheduleLines("会議                2024/05/06\t0\n{\n\n}\n");
        Select(2024, 5, 1);
        RemovePastSchedules(*rec_);
    }
};

// Every day of the printed months shows what the window shows for it: the
// grid's place and colour of its number, the grid's second line (with the
// month on the 1st), and the event list's rows in their colours, for
// months across a year's end, around the leap months of 2023 and 2033 and
// at both ends of the range, in both almanacs; the cells outside the month
// stay blank.
TEST_F(PrintLayoutTest, EveryDayShowsWhatTheWindowShowsForIt) {
    struct Range { PrintMonth first, last; };
    const Range ranges[] = {{{2023, 12}, {2024, 5}}, {{2033, 10}, {2034, 1}}, {{1600, 1}, {1600, 1}},
                            {{2999, 12}, {2999, 12}}};
    MonthRecord& window = *rec_;  // the pages are made before it moves again
    // Both week starts: the pages place the days as the window's grid does.
    for (const auto& [mode, start] : {std::pair{AlmanacMode::Standard, WeekStart::Sunday},
                                      std::pair{AlmanacMode::Precise, WeekStart::Sunday},
                                      std::pair{AlmanacMode::Standard, WeekStart::Monday}}) {
        for (const Range& r : ranges) {
            for (const PrintPage& page : BuildPrintPages(*rec_, r.first, r.last, mode, start)) {
                const PrintMonth m = page.month;
                SCOPED_TRACE(testing::Message() << m.year << "-" << m.month << " mode " << static_cast<int>(mode)
                                                << " week " << static_cast<int>(start));
                ASSERT_EQ(ComputeMonth(window, m.year, m.month, 1, {mode, kViewFull}), 1);
                const MonthGrid grid = FillMonthGrid(window, start);
                LunisolarDays lunar(window);
                for (int k = 0; k < kGridCells; ++k) {
                    const PrintCell& cell = page.cells[k];
                    if (grid[k].day <= 0) {
                        EXPECT_EQ(cell, PrintCell{}) << "cell " << k;
                        continue;
                    }
                    const int d = grid[k].day;
                    EXPECT_EQ(cell.day, d);
                    EXPECT_EQ(cell.dayColour, grid[k].fg) << d;
                    EXPECT_EQ(cell.lunarText, LunarCellText(lunar.Of({m.year, m.month, d}), d == 1)) << d;
                    ASSERT_EQ(ComputeMonth(window, m.year, m.month, d, {mode, kViewFull}), 1);
                    std::vector<PrintEntry> want;
                    for (const ListRow& row : FillEventList(window)) want.push_back({row.text, *RowTextColour(row.kind)});
                    EXPECT_EQ(cell.lines, want) << d;
                }
            }
        }
    }
}

TEST_F(PrintLayoutTest, HeadingSignAndFooter) {
    struct Case { PrintMonth month; AlmanacMode mode; const char* heading; const char* sign; const char* footer; };
    const Case cases[] = {
        {{2024, 5}, AlmanacMode::Standard, "2024年（令和6年）5月", "庚午の月", "標準の暦計算"},
        {{2019, 4}, AlmanacMode::Standard, "2019年（平成31年）4月", "己巳の月", "標準の暦計算"},
        {{2019, 5}, AlmanacMode::Precise, "2019年（令和1年）5月", "庚午の月", "精密な暦計算（ERFA 天体暦、ΔT 補正）"},
        {{1989, 1}, AlmanacMode::Standard, "1989年（昭和64年）1月", "丙寅の月", "標準の暦計算"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        const std::vector<PrintPage> pages = BuildPrintPages(*rec_, c.month, c.month, c.mode);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(Utf(pages[0].heading), c.heading);
        EXPECT_EQ(Utf(pages[0].monthSign), c.sign);
        EXPECT_EQ(Utf(pages[0].footer), c.footer);
    }
}

// Up to the capacity every line; beyond it the first capacity - 1 and the
// count of the others.
TEST(VisibleCellLines, AFullCellEndsWithTheCountOfTheRest) {
    std::vector<PrintEntry> lines;
    for (int n = 0; n <= 5; lines.push_back({std::to_string(n++), kSundayText})) {
        std::vector<PrintEntry> want(lines.begin(), lines.begin() + (n > 3 ? 2 : n));
        if (n > 3) want.push_back({Cp("ほか " + std::to_string(n - 2) + " 件"), kWeekdayText});
        EXPECT_EQ(VisibleCellLines(lines, 3), want) << n;
    }
}

// On the three papers (printable areas inside 10 mm margins) every box lies
// on the page and apart from the others, each cell's texts stand in their
// cell one under the other, and a cell holds at least a busy day's lines.
TEST(PrintGeometry, BoxesStayInsideAndApartOnEveryPaper) {
    constexpr double e = 1e-9;  // rounding of the sums
    auto inside = [](const PrintRect& a, const PrintRect& b) {
        return a.x >= b.x - e && a.y >= b.y - e && a.x + a.w <= b.x + b.w + e && a.y + a.h <= b.y + b.h + e;
    };
    auto apart = [](const PrintRect& a, const PrintRect& b) {
        return a.x + a.w <= b.x + e || b.x + b.w <= a.x + e || a.y + a.h <= b.y + e || b.y + b.h <= a.y + e;
    };
    struct Paper { const char* name; double w, h; int minLines; };
    const Paper papers[] = {{"A4 portrait", 538.6, 785.2, 8}, {"A4 landscape", 785.2, 538.6, 4}, {"Letter", 555.3, 735.3, 8}};
    for (const Paper& p : papers) {
        SCOPED_TRACE(p.name);
        const PrintGeometry g = LayoutPrintPage(p.w, p.h);
        EXPECT_GE(g.linesPerCell, p.minLines);
        std::vector<PrintRect> boxes = {g.heading, g.monthSign, g.footer};
        boxes.insert(boxes.end(), g.weekdays.begin(), g.weekdays.end());
        boxes.insert(boxes.end(), g.cells.begin(), g.cells.end());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_TRUE(inside(boxes[i], {0, 0, p.w, p.h})) << i;
            for (std::size_t j = i + 1; j < boxes.size(); ++j) EXPECT_TRUE(apart(boxes[i], boxes[j])) << i << " " << j;
        }
        for (int k = 0; k < kGridCells; ++k) {
            std::vector<PrintRect> texts = {CellDayRect(g, k), CellLunarRect(g, k)};
            for (int line = 0; line < g.linesPerCell; ++line) texts.push_back(CellLineRect(g, k, line));
            for (std::size_t i = 0; i < texts.size(); ++i) {
                EXPECT_TRUE(inside(texts[i], g.cells[k])) << k << " " << i;
                EXPECT_TRUE(i == 0 || texts[i - 1].y + texts[i - 1].h <= texts[i].y + e) << k << " " << i;
            }
        }
    }
}

}  // namespace
}  // namespace kalendo
