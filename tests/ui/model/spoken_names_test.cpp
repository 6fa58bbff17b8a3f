#include "ui/model/spoken_names.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>

#include "almanac/era.h"
#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "model_test_support.h"
#include "ui/ics/ics_calendar.h"
#include "ui/ics/ics_feed.h"
#include "ui/model/lists.h"
#include "ui/model/lunisolar_days.h"
#include "ui/model/print_layout.h"

namespace kalendo {
namespace {

using testing_support::Cp;
using testing_support::ModelTest;
using testing_support::Utf;

class SpokenNamesTest : public ModelTest {
protected:
    // "100/Sat100": the target day when it is a Saturday, so only a
    // computation of each day itself finds it.
    static void LoadFiles(MonthRecord& rec) {
        ASSERT_FALSE(LoadEras(rec, Cp(testing_support::kTestEras)));
        ASSERT_FALSE(LoadHolidays(rec, Cp("憲法記念日 ( 1949 - 3000 ) / 5/3 憲法の施行\n"
                                          "元日 ( 1949 - 3000 ) / 1/1 年のはじめ\n")));
        ASSERT_FALSE(LoadNotes(rec, Cp("土曜の印 100/Sat100\n八十八夜 5/1\n旧暦の印 旧4/1\n")));
        ASSERT_FALSE(LoadUserEntries(rec, Cp("結婚記念日 2000 / 5/6 1\n")));
        ASSERT_FALSE(LoadSchedules(rec, Cp("会議                2024/05/06\t1\n{\n資料\n}\n")));
    }
};

// What asks about other days reads the window's tables on a record of its
// own: the window's record, its scalar part and the tables it reads, is the
// same byte for byte afterwards, over a year's end and both almanacs.
TEST_F(SpokenNamesTest, OtherDaysLeaveTheWindowsRecordAsItWas) {
    LoadFiles(*rec_);
    Select(2024, 5, 4);  // a Saturday: "100/Sat100" falls on the target only
    const auto day = [](int y, int m, int d) { return CalendarDate{y, m, d}; };
    const std::pair<const char*, std::function<void(const MonthRecord&)>> asks[] = {
        {"lunisolar line", [](const MonthRecord& r) {
             MonthGrid grid = FillMonthGrid(r);
             AddLunarTexts(r, grid);
         }},
        {"spoken names", [](const MonthRecord& r) { GridDayNames().Of(r); }},
        {"print", [](const MonthRecord& r) {
             BuildPrintPages(r, {2023, 12}, {2024, 2}, AlmanacMode::Precise);
         }},
        {"export", [&day](const MonthRecord& r) {
             ExportIcs(r, day(2023, 12, 20), day(2024, 1, 10), IcsInclude{}, AlmanacMode::Precise, 0,
                       [](std::string_view) { return true; });
         }},
        {"feed", [&day](const MonthRecord& r) {
             FeedCalendarText(r, {day(2023, 12, 20), day(2024, 1, 10)}, IcsInclude::All(), AlmanacMode::Standard);
         }},
    };
    const auto scalars = std::make_unique<std::array<char, sizeof(MonthRecord)>>();
    const auto tables = std::make_unique<SlotTables>(rec_->tables);
    std::memcpy(scalars->data(), static_cast<const void*>(rec_.get()), sizeof(MonthRecord));
    for (const auto& [what, ask] : asks) {
        SCOPED_TRACE(what);
        ask(*rec_);
        EXPECT_EQ(std::memcmp(scalars->data(), static_cast<const void*>(rec_.get()), sizeof(MonthRecord)), 0);
        EXPECT_EQ(std::memcmp(tables.get(), &rec_->tables, sizeof(SlotTables)), 0);
    }
}

// Every cell's name is its date and weekday, the month mark of a
// neighbouring month's day, then exactly what the event list and the panes
// show when that day is selected, in both almanacs, across a year's end
// and at both ends of the range (whose outer cells have only the date).
TEST_F(SpokenNamesTest, EveryCellSaysWhatSelectingItShows) {
    LoadFiles(*rec_);
    struct Month { int y, m; };
    const Month months[] = {{2024, 5}, {2024, 12}, {2025, 1}, {2023, 3}, {1600, 1}, {2999, 12}};
    MonthRecord other;  // the same definitions, computed day by day
    LoadFiles(other);
    GridDayNames names;
    for (const AlmanacMode mode : {AlmanacMode::Standard, AlmanacMode::Precise}) {
        for (const Month& mo : months) {
            SCOPED_TRACE(testing::Message() << mo.y << "-" << mo.m << " mode " << static_cast<int>(mode));
            ASSERT_EQ(ComputeMonth(*rec_, mo.y, mo.m, 15, {mode, kViewFull}), 1);
            const MonthGrid grid = FillMonthGrid(*rec_);
            const auto got = names.Of(*rec_);
            for (int k = 0; k < kGridCells; ++k) {
                const CalendarDate date = CellClickTarget(*rec_, grid[k].day);
                std::string want = SpokenDate(date, k % kGridColumns);
                if (grid[k].day < 0) want += Cp(k < kGridColumns ? " 前月の日" : " 翌月の日");
                if (ComputeMonthAccepts(date.year, date.month, date.day)) {
                    const MonthRecord& o = other;
                    ASSERT_EQ(ComputeMonth(other, date.year, date.month, date.day, {mode, kViewFull}), 1);
                    for (const ListRow& row : FillEventList(o)) want += " " + row.text;
                    want += std::string(" ") + RokuyoName(RokuyoIndex(o)) + " ";
                    const LunisolarDate lunar = TargetLunisolarDate(o);
                    want += Cp(lunar.leap ? "旧暦閏" : "旧暦") + std::to_string(lunar.month) + Cp("月") +
                            std::to_string(lunar.day) + Cp("日");
                }
                EXPECT_EQ(Utf(got[k]), Utf(want)) << "cell " << k;
            }
            EXPECT_EQ(TargetDate(*rec_), (CalendarDate{mo.y, mo.m, 15}));  // never moved
        }
    }
}

// The names as a listener hears them: nothing before any month; then a
// holiday, a target-dependent note on every Saturday, a user event and a
// schedule, the days of April and June; the grid, the date pane and the lists.
TEST_F(SpokenNamesTest, MayTwentyTwentyFour) {
    LoadFiles(*rec_);
    for (const std::string& name : GridDayNames().Of(*rec_)) EXPECT_EQ(name, "");
    EXPECT_EQ(GridName(*rec_), "");
    Select(2024, 5, 3);
    const auto names = GridDayNames().Of(*rec_);
    const struct { int cell; const char* want; } cases[] = {
        {0, "2024年4月28日 日曜日 前月の日 仏滅 旧暦3月20日"},
        {5, "2024年5月3日 金曜日 憲法記念日 先負 旧暦3月25日"},
        {6, "2024年5月4日 土曜日 土曜の印 仏滅 旧暦3月26日"},
        {8, "2024年5月6日 月曜日 結婚記念日 会議 赤口 旧暦3月28日"},
        {10, "2024年5月8日 水曜日 旧暦の印 仏滅 旧暦4月1日"},
        {41, "2024年6月8日 土曜日 翌月の日 土曜の印 先勝 旧暦5月3日"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf(names[c.cell]), c.want) << c.cell;
    EXPECT_EQ(Utf(GridName(*rec_)), "2024年5月");
    EXPECT_EQ(Utf(DatePaneName(*rec_)), "2024年5月3日 金曜日");
    EXPECT_EQ(Utf(SpokenRows(FillEventList(*rec_))), "憲法記念日");
    EXPECT_EQ(Utf(SpokenRows(FillScheduleList(*rec_))), "6日 結婚記念日、6日 会議");
    EXPECT_EQ(Utf(SpokenRows({})), "なし");
}

}  // namespace
}  // namespace kalendo
