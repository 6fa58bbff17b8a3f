#include "ui/model/view_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "astro/astronomy.h"
#include "model_test_support.h"
#include "ui/model/view_layout.h"

namespace kalendo {
namespace {

using testing_support::ModelTest;
using testing_support::Utf;

class ViewStateTest : public ModelTest {};

TEST_F(ViewStateTest, BuildsEveryDisplayFromTheRecord) {
    LoadHolidayLines("こどもの日 ( 1949 - 3000 ) / 5/5 説明\n");
    LoadUserLines("記念日 2000 / 5/8 1\n");
    SetToday(2024, 5, 1);
    Select(2024, 5, 5);
    const ViewState v = BuildViewState(*rec_);
    EXPECT_EQ(v.datePane, DatePaneText(*rec_));
    EXPECT_EQ(v.grid, FillMonthGrid(*rec_));
    EXPECT_EQ(v.oldCalendarPane, OldCalendarPaneText(*rec_));
    EXPECT_EQ(v.yearSignPane, YearSignPaneText(*rec_));
    EXPECT_EQ(v.officer, OfficerPane(*rec_));
    EXPECT_EQ(v.mansion, MansionPane(*rec_));
    EXPECT_EQ(v.moonPane, MoonPaneText(*rec_));
    EXPECT_EQ(v.moonAge, MoonAgeAtNoon(*rec_, 2024, 5, 5)) << "the age astro gives when asked";
    EXPECT_EQ(v.eventList, FillEventList(*rec_));
    EXPECT_EQ(v.scheduleList, FillScheduleList(*rec_));
    EXPECT_EQ(Utf(v.title), "KalendoⅡ [ 2024/ 5/ 1(水) ]");
    ASSERT_EQ(v.eventList.size(), 1u);
    ASSERT_EQ(v.scheduleList.size(), 1u);
}

// The window's state is the plain one with its own parts added: on every
// day of a few months, either week start, the selected cell holds the
// target, the grid keeps its days and colours, and what is marked, said and
// listed matches what the cells and lists hold.
TEST_F(ViewStateTest, WindowStateAddsItsPartsToThePlainOne) {
    SetToday(2024, 6, 15);
    ViewBuilder views;
    for (const WeekStart start : {WeekStart::Sunday, WeekStart::Monday}) {
        ViewOptions o{start, true, true, {}, kDefaultRekichuPicks, {35.68, 139.77}};
        for (const CalendarDate d : {CalendarDate{2024, 6, 15}, {2024, 6, 1}, {2024, 6, 30}, {2026, 8, 12},
                                     {1600, 1, 1}, {2999, 12, 31}}) {
            Select(d.year, d.month, d.day);
            SCOPED_TRACE(testing::Message() << d.year << '-' << d.month << '-' << d.day);
            const ViewState plain = BuildViewState(*rec_, start);
            ViewState v = views.Build(*rec_, o);
            ASSERT_GE(v.selectedCell, 0);
            EXPECT_EQ(v.grid[static_cast<std::size_t>(v.selectedCell)].day, d.day);
            EXPECT_EQ(v.target, d);
            EXPECT_EQ(v.datePane, plain.datePane);
            EXPECT_EQ(Utf(v.spoken.headings[0]), start == WeekStart::Sunday ? "日曜日" : "月曜日");
            EXPECT_EQ(v.spoken.eventList.empty(), false) << "「なし」 at least";
            for (int k = 0; k < kGridCells; ++k) {
                DayCell c = v.grid[static_cast<std::size_t>(k)];
                EXPECT_TRUE(c.day < 0 || !c.lunarText.empty());
                c.lunarText.clear();
                EXPECT_TRUE(c.day > 0 || !(c.eclipseMark || c.rekichuMark)) << "marks only on the month's days";
                c.eclipseMark = c.rekichuMark = false;
                EXPECT_EQ(c, plain.grid[static_cast<std::size_t>(k)]);
            }
            for (int row = 0; row < kGridRows; ++row) {
                EXPECT_EQ(v.weekNumberTexts[row], std::to_string(v.weekNumbers[row]));
                EXPECT_EQ(Utf(v.spoken.weekNumbers[row]), "第" + v.weekNumberTexts[row] + "週");
            }
            const auto& names = views.CellNames(*rec_, v);
            EXPECT_EQ(Utf(names[static_cast<std::size_t>(v.selectedCell)]).find(Utf(SpokenDate(d, rec_->weekday[kTarget]))),
                      0u);
            EXPECT_EQ(v.closeCalls.mark.empty(), v.closeCalls.spoken.empty());
        }
    }
    const ViewState cli = views.Build(*rec_, {});
    EXPECT_TRUE(cli.rekichuLine.empty() && cli.spoken.grid.empty()) << "the window's parts only when asked";
}

TEST_F(ViewStateTest, BeforeAnyDateOnlyTheTitle) {
    const ViewState v = BuildViewState(*rec_);
    EXPECT_EQ(v.datePane, "");
    EXPECT_TRUE(v.eventList.empty());
    for (const DayCell& c : v.grid) EXPECT_EQ(std::make_tuple(c.day, c.text), std::make_tuple(0, ""));
    EXPECT_EQ(Utf(v.title), "KalendoⅡ [ 2024/ 6/15(土) ]");
}

TEST_F(ViewStateTest, FirstUpdateShowsTodayAndSweepsPastSchedules) {
    LoadScheduleLines("昨日 2024/06/14\t1\n{\n\n}\n今日 2024/06/15\t1\n{\n\n}\n");
    const ViewState v = ViewBuilder().First(*rec_, {}, {});
    EXPECT_EQ(std::make_tuple(rec_->year[kTarget], rec_->month[kTarget], rec_->day[kTarget]),
              std::make_tuple(2024, 6, 15));
    ASSERT_EQ(rec_->scheduleCount, 1);
    ASSERT_EQ(v.eventList.size(), 1u);
    EXPECT_EQ(Utf(v.eventList[0].text), "今日");
    EXPECT_EQ(Utf(v.datePane), "2024/令和 6年 6月15日");
}

TEST(ViewLayout, PlacesTheControls) {
    const ViewLayout normal = ViewLayoutFor(0, 0);
    EXPECT_EQ(normal.datePane, (ControlRect{0, 0, 175, 25}));
    EXPECT_EQ(normal.headings[6], (ControlRect{150, 25, 25, 25}));
    EXPECT_EQ(normal.cells[0], (ControlRect{0, 50, 25, 25}));
    EXPECT_EQ(normal.cells[41], (ControlRect{150, 175, 25, 25}));
    EXPECT_EQ(normal.moonPane, (ControlRect{175, 223, 180, 23}));
    EXPECT_EQ(normal.scheduleList, (ControlRect{175, 65, 183, 66}));
    EXPECT_EQ(normal.dayLines[2], (ControlRect{175, 177, 183, 23}));
    EXPECT_EQ(std::make_tuple(normal.logicalWidth, normal.logicalHeight), std::make_tuple(365, 352));
    const ViewLayout enlarged = ViewLayoutFor(1, 1);
    EXPECT_EQ(enlarged.headings[3], (ControlRect{90, 25, 30, 30}));
    EXPECT_EQ(enlarged.cells[41], (ControlRect{180, 205, 30, 30}));
    EXPECT_EQ(enlarged.mansionPane, (ControlRect{305, 235, 95, 25}));
    EXPECT_EQ(std::make_tuple(enlarged.headingFontTwips, enlarged.cellFontTwips,
                              enlarged.paneFontTenths, enlarged.listFontTenths),
              std::make_tuple(330, 320, 140, 110));
    EXPECT_EQ(std::make_tuple(enlarged.logicalWidth, enlarged.logicalHeight), std::make_tuple(220, 315));
    // In the monthly frame only the date pane, the headings and the grid show.
    EXPECT_LE(normal.cells[6].x + normal.cells[6].width, 185);
}

// Whatever the texts need, every control gets at least that, the cells
// stay alike and tile the left column, the right column still meets the
// grid's bottom, the view spans the bars, and needs within the table change
// nothing.
TEST(ViewLayout, GrowsOnlyWhereATextNeedsItAndStillTiles) {
    const LayoutNeeds kNeeds[] = {
        {20, 20, 20, 20, 20, 150, 150, 150, 80, 80, 150, 170},  // within the table
        {58, 31},                                               // the second line
        {0, 0, 0, 0, 26, 190, 0, 200},                          // a thicker frame
        {0, 0, 33, 28, 0, 0, 0, 0, 120, 70, 150, 442},          // wide panes and bars
        {0, 0, 0, 0, 30, 0, 0, 0, 0, 0, 0, 0, 0, 240},          // wide day lines
    };
    for (int size : {kSizeNormal, kSizeEnlarged}) {
        for (int view : {kViewFull, kViewMonthly}) {
            EXPECT_EQ(ViewLayoutFor(size, view, kNeeds[0]).cells, ViewLayoutFor(size, view).cells);
            EXPECT_EQ(ViewContentSize(size, view, kNeeds[0]), ViewContentSize(size, view));
            for (const LayoutNeeds& n : kNeeds) {
                SCOPED_TRACE(testing::Message() << size << view << " " << n.cellWidth);
                const ViewLayout l = ViewLayoutFor(size, view, n);
                const ControlRect& c0 = l.cells[0];
                EXPECT_GE(c0.width, std::max(n.cellWidth, n.headingWidth));
                EXPECT_GE(c0.height, n.cellHeight);
                EXPECT_GE(l.headings[0].height, n.headingHeight);
                EXPECT_GE(l.datePane.width, n.datePaneWidth);
                for (int k = 0; k < kGridCells; ++k) {
                    EXPECT_EQ(l.cells[k], (ControlRect{c0.width * (k % kGridColumns),
                                                       c0.y + c0.height * (k / kGridColumns),
                                                       c0.width, c0.height}));
                }
                const int left = kGridColumns * c0.width;
                const int gridBottom = c0.y + kGridRows * c0.height;
                EXPECT_EQ(l.datePane, (ControlRect{0, 0, left, l.headings[0].y}));
                EXPECT_EQ(c0.y, l.headings[0].y + l.headings[0].height);
                const FrameSize content = ViewContentSize(size, view, n);
                const int right = view == kViewMonthly ? left : l.eventList.x + l.eventList.width;
                EXPECT_EQ(content.width, right) << "no strip";
                EXPECT_GE(content.width, n.barsWidth);
                if (view == kViewMonthly) continue;
                for (const auto& [r, need] :
                     {std::pair{l.yearSignPane, n.yearSignWidth}, {l.officerPane, n.officerWidth},
                      {l.mansionPane, n.mansionWidth}, {l.moonPane, n.moonWidth}}) {
                    EXPECT_GE(r.width, need);
                    EXPECT_GE(r.height, n.paneHeight);
                }
                EXPECT_EQ(l.yearSignPane, (ControlRect{0, gridBottom, left, l.yearSignPane.height}));
                EXPECT_EQ(l.mansionPane.x, left + l.officerPane.width);
                EXPECT_EQ(l.scheduleList.y, l.eventList.height);
                // The day's lines tile the right column's foot below the lists.
                EXPECT_EQ(l.scheduleList.y + l.scheduleList.height, l.dayLines[0].y);
                for (int i = 0; i < 3; ++i) {
                    const int h = l.yearSignPane.height, top = gridBottom - (3 - i) * h;
                    EXPECT_EQ(l.dayLines[i], (ControlRect{l.eventList.x, top, l.eventList.width, h}));
                    EXPECT_GE(l.dayLines[i].width, n.dayLineWidth);
                }
            }
        }
    }
}

TEST(ViewLayout, ListColumns) {
    EXPECT_EQ(EventListColumnWidth(179), 162);
    EXPECT_EQ(ScheduleListDayColumnWidth(179), 35);
    EXPECT_EQ(ScheduleListTextColumnWidth(179), 126);  // 716 / 5 = 143, - 17
}

}  // namespace
}  // namespace kalendo
