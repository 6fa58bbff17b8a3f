#include "ui/model/month_view.h"

#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

#include "core/day_arith.h"
#include "model_test_support.h"
#include "ui/model/lists.h"  // ContrastRatio

namespace kalendo {
namespace {

using testing_support::Cp;
using testing_support::ModelTest;
using testing_support::Utf;

constexpr char kRangeMessage[] = "ERROR : 年月の設定範囲が不適切です.";

std::tuple<int, int, int> Ymd(const CalendarDate& d) { return {d.year, d.month, d.day}; }

class MonthViewTest : public ModelTest {
protected:
    std::tuple<int, int, int> TargetNow() const {
        return {rec_->year[kTarget], rec_->month[kTarget], rec_->day[kTarget]};
    }
};

struct NavCase {
    int y, m, d, command, wantY, wantM, wantD;
    const char* why;
};
constexpr NavCase kNavCases[] = {
    {2024, 3, 1, kCmdPreviousDay, 2024, 2, 29, "previous day into a leap February"},
    {2024, 12, 31, kCmdNextDay, 2025, 1, 1, "next day into the next year"},
    {2024, 1, 3, kCmdPreviousWeek, 2023, 12, 27, "previous week into the year before"},
    {2024, 12, 28, kCmdNextWeek, 2025, 1, 4, "next week into the next year"},
    {2023, 3, 31, kCmdPreviousMonth, 2023, 3, 3, "31 February of a common year is 3 March"},
    {2024, 3, 31, kCmdPreviousMonth, 2024, 3, 2, "... and 2 March of a leap year"},
    {2023, 1, 31, kCmdNextMonth, 2023, 3, 3, "next month from 31 January, common year"},
    {2024, 1, 31, kCmdNextMonth, 2024, 3, 2, "next month from 31 January, leap year"},
    {2024, 12, 15, kCmdNextMonth, 2025, 1, 15, "next month into the next year"},
    {2024, 2, 29, kCmdNextYear, 2025, 3, 1, "next year from 29 February"},
    {2024, 2, 29, kCmdPreviousYear, 2023, 3, 1, "previous year from 29 February"},
    {2023, 1, 31, kCmdMonth1 + 1, 2023, 2, 31, "month command 2 is not normalised"},
    {2023, 5, 20, kCmdMonth12, 2023, 12, 20, "month command 12"},
};

TEST_F(MonthViewTest, NavigationTargets) {
    for (const NavCase& c : kNavCases) {
        SCOPED_TRACE(c.why);
        Select(c.y, c.m, c.d);
        const std::optional<CalendarDate> t = NavigationTarget(*rec_, c.command);
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(Ymd(*t), std::make_tuple(c.wantY, c.wantM, c.wantD));
    }
}

TEST_F(MonthViewTest, TodayCommandReadsTheClockFirst) {
    Select(2020, 1, 1);
    platform_->today = CalendarDate{2025, 11, 3};
    ASSERT_EQ(RunNavigationCommand(*rec_, kCmdToday, {}), 1);
    EXPECT_EQ(TargetNow(), std::make_tuple(2025, 11, 3));
    EXPECT_EQ(rec_->year[kToday], 2025);
}

TEST_F(MonthViewTest, RefusedCommandsKeepTheMonth) {
    struct Case { int y, m, d, command; const char* why; } const kCases[] = {
        {2023, 1, 31, kCmdMonth1 + 1, "month command 2 from 31 January"},
        {2024, 4, 31 - 1, kCmdMonth1 + 1, "30 February"},
        {2999, 12, 31, kCmdNextDay, "past the last supported day"},
        {1600, 1, 1, kCmdPreviousDay, "before the first supported day"},
        {2999, 6, 1, kCmdNextYear, "into the year 3000"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.why);
        Select(c.y, c.m, c.d);
        TakeMessages();
        EXPECT_EQ(RunNavigationCommand(*rec_, c.command, {}), 0);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{kRangeMessage});
        EXPECT_EQ(TargetNow(), std::make_tuple(c.y, c.m, c.d));
    }
}

TEST_F(MonthViewTest, UnknownCommandDoesNothing) {
    Select(2024, 6, 15);
    EXPECT_FALSE(NavigationTarget(*rec_, 32799).has_value());
    EXPECT_EQ(RunNavigationCommand(*rec_, 32799, {}), -1);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(MonthViewTest, KeysMapToCommands) {
    EXPECT_EQ(CommandForKey(NavigationKey::Left), 12778);
    EXPECT_EQ(CommandForKey(NavigationKey::Right), 12779);
    EXPECT_EQ(CommandForKey(NavigationKey::Up), 12780);
    EXPECT_EQ(CommandForKey(NavigationKey::Down), 12781);
    EXPECT_EQ(CommandForKey(NavigationKey::PageUp), 12783);
    EXPECT_EQ(CommandForKey(NavigationKey::PageDown), 12782);
    EXPECT_EQ(CommandForKey(NavigationKey::Home), 12786);
}

struct ClickCase {
    int y, m, d, cellDay, wantY, wantM, wantD;
    const char* why;
};
constexpr ClickCase kClickCases[] = {
    {2024, 6, 15, 3, 2024, 6, 3, "a day of the month"},
    {2024, 6, 15, -30, 2024, 5, 30, "a previous-month cell showing 30"},
    {2024, 6, 15, -3, 2024, 7, 3, "a next-month cell showing 3"},
    {2024, 1, 10, -31, 2023, 12, 31, "previous month across the year"},
    {2024, 12, 10, -14, 2025, 1, 14, "14 is still the next month"},
    {2024, 12, 10, -15, 2024, 11, 15, "15 is the previous month"},
};

TEST_F(MonthViewTest, CellClicks) {
    for (const ClickCase& c : kClickCases) {
        SCOPED_TRACE(c.why);
        Select(c.y, c.m, c.d);
        EXPECT_EQ(Ymd(CellClickTarget(*rec_, c.cellDay)), std::make_tuple(c.wantY, c.wantM, c.wantD));
        EXPECT_EQ(RunCellLeftClick(*rec_, c.cellDay, {}), 1);
        EXPECT_EQ(TargetNow(), std::make_tuple(c.wantY, c.wantM, c.wantD));
    }
}

// The day numbers of a grid, for comparing whole rows at once.
std::vector<int> Days(const MonthGrid& g, int from, int to) {
    std::vector<int> out;
    for (int k = from; k <= to; ++k) out.push_back(g[k].day);
    return out;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> out;
    for (int v = first; first <= last ? v <= last : v >= last; v += first <= last ? 1 : -1) {
        out.push_back(v);
    }
    return out;
}

TEST_F(MonthViewTest, GridOfFebruary2026) {
    // 1 February 2026 is a Sunday: 28 days fill rows 0-3, rows 4-5 show 1-14 March.
    Select(2026, 2, 10);
    const MonthGrid g = FillMonthGrid(*rec_);
    EXPECT_EQ(Days(g, 0, 27), Range(1, 28));
    EXPECT_EQ(Days(g, 28, 41), Range(-1, -14));
    EXPECT_EQ(g[0].text, " 1");
    EXPECT_EQ(g[27].text, "28");
    EXPECT_EQ(g[28].text, " 1");
    EXPECT_EQ(g[41].text, "14");
    for (int k = 28; k < 42; ++k) {
        EXPECT_EQ(g[k].fg, kOtherMonthText) << k << ": green whatever the weekday";
        EXPECT_EQ(g[k].bg, kOtherMonthBackground) << k;
    }
    EXPECT_EQ(g[9].bg, kSelectedDayBackground) << "the 10th is selected, today is elsewhere";
    for (int k = 0; k < 28; ++k) {
        if (k == 9) continue;
        EXPECT_EQ(g[k].bg, kMonthDayBackground) << k;
        const Rgb want = k % 7 == 0 ? kSundayText : k % 7 == 6 ? kSaturdayText : kWeekdayText;
        EXPECT_EQ(g[k].fg, want) << k;
    }
}

TEST_F(MonthViewTest, GridOf31DayMonthStartingOnSaturday) {
    // August 2026: the 1st in cell 6, the 31st in cell 36; all six rows used.
    Select(2026, 8, 31);
    const MonthGrid g = FillMonthGrid(*rec_);
    EXPECT_EQ(Days(g, 0, 5), Range(-26, -31)) << "26-31 July";
    EXPECT_EQ(Days(g, 6, 36), Range(1, 31));
    EXPECT_EQ(Days(g, 37, 41), Range(-1, -5));
    EXPECT_EQ(g[36].bg, kSelectedDayBackground);
    EXPECT_EQ(g[5].text, "31");
    EXPECT_EQ(g[6].text, " 1");
}

TEST_F(MonthViewTest, HolidaySaturdayAndSundayColours) {
    // 2024: 3 May (Fri), 4 May (Sat) and 5 May (Sun) are holidays, so the
    // substitute falls on Monday 6 May; 4 May also between two holidays.
    LoadHolidayLines(
        "憲法記念日 ( 1949 - 3000 ) / 5/3 説明\n"
        "みどりの日 ( 2007 - 3000 ) / 5/4 説明\n"
        "こどもの日 ( 1949 - 3000 ) / 5/5 説明\n");
    Select(2024, 5, 20);
    const MonthGrid g = FillMonthGrid(*rec_);
    // 1 May 2024 is a Wednesday: cell 3.
    auto cellOf = [](int day) { return day + 2; };
    struct Want { int day; Rgb fg; const char* why; } const kWants[] = {
        {3, kSundayText, "holiday on a Friday"},
        {4, kSundayText, "holiday on a Saturday is red, not blue"},
        {5, kSundayText, "holiday on a Sunday"},
        {6, kSundayText, "substitute holiday on a Monday"},
        {7, kWeekdayText, "a working Tuesday"},
        {11, kSaturdayText, "a Saturday without a holiday"},
        {12, kSundayText, "a Sunday without a holiday"},
    };
    for (const auto& w : kWants) {
        SCOPED_TRACE(w.why);
        ASSERT_EQ(g[cellOf(w.day)].day, w.day);
        EXPECT_EQ(g[cellOf(w.day)].fg, w.fg);
    }
    // In June the May holidays are other-month days: green.
    Select(2024, 6, 10);
    const MonthGrid june = FillMonthGrid(*rec_);
    EXPECT_EQ(june[0].day, -26) << "26 May 2024, a Sunday";
    EXPECT_EQ(june[0].fg, kOtherMonthText);
}

TEST_F(MonthViewTest, TodayAndSelectionMarks) {
    SetToday(2024, 6, 15);
    Select(2024, 6, 15);  // 1 June 2024 is a Saturday: day d in cell d + 5
    MonthGrid g = FillMonthGrid(*rec_);
    int today = 0, selected = 0;
    for (const DayCell& c : g) {
        today += c.bg == kTodayBackground;
        selected += c.bg == kSelectedDayBackground;
    }
    EXPECT_EQ(std::make_tuple(today, selected), std::make_tuple(1, 0)) << "selected = today";
    EXPECT_EQ(g[20].bg, kTodayBackground);

    Select(2024, 6, 3);
    g = FillMonthGrid(*rec_);
    EXPECT_EQ(g[20].bg, kTodayBackground);
    EXPECT_EQ(g[8].bg, kSelectedDayBackground);

    Select(2024, 7, 15);
    g = FillMonthGrid(*rec_);
    for (const DayCell& c : g) EXPECT_NE(c.bg, kTodayBackground) << "today's month not shown";
}

TEST_F(MonthViewTest, TimerTickFollowsTheDate) {
    SetToday(2024, 6, 15);
    Select(2024, 3, 1);
    LoadScheduleLines("会議                2024/06/15\t1\n{\n\n}\n");
    TimerTickResult r = TimerTick(*rec_, AppSettings{});
    EXPECT_FALSE(r.todayChanged);
    EXPECT_EQ(Utf(r.title), "KalendoⅡ [ 2024/ 6/15(土) ]");
    EXPECT_EQ(rec_->scheduleCount, 1);

    platform_->today = CalendarDate{2024, 6, 16};
    r = TimerTick(*rec_, AppSettings{});
    EXPECT_TRUE(r.todayChanged);
    EXPECT_EQ(Utf(r.title), "KalendoⅡ [ 2024/ 6/16(日) ]");
    EXPECT_EQ(TargetNow(), std::make_tuple(2024, 3, 1)) << "the selection stays";
    EXPECT_EQ(rec_->scheduleCount, 0) << "the schedule of yesterday is swept";

    // The monthly display shows the new today's month.
    platform_->today = CalendarDate{2024, 6, 17};
    r = TimerTick(*rec_, AppSettings{0, 0, 0, kViewMonthly});
    EXPECT_TRUE(r.todayChanged);
    EXPECT_EQ(TargetNow(), std::make_tuple(2024, 6, 17));
}

// The window wakes a few milliseconds after midnight; only where the
// kernel cannot report a clock set does it look again within a minute.
TEST(NextTickDelay, MidnightOrAMinute) {
    using std::chrono::milliseconds;
    struct Case { milliseconds untilMidnight; bool kernel; milliseconds delay; const char* why; };
    const Case cases[] = {
        {std::chrono::hours(5), true, std::chrono::hours(5) + milliseconds(5), "asleep until midnight"},
        {std::chrono::hours(5), false, milliseconds(60000), "far from midnight: the coarse check"},
        {milliseconds(59996), false, milliseconds(60000), "the check comes first"},
        {milliseconds(59995), false, milliseconds(60000), "exactly a minute"},
        {milliseconds(59994), false, milliseconds(59999), "midnight comes first"},
        {milliseconds(1), true, milliseconds(6), "just before midnight"},
        {milliseconds(0), false, milliseconds(5), "at midnight: after the margin"},
        {milliseconds(-1), true, milliseconds(60000), "no clock: the coarse check, no busy loop"},
        {milliseconds(-1), false, milliseconds(60000), "no clock, no kernel reports"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(NextTickDelay(c.untilMidnight, c.kernel), c.delay);
    }
}

TEST_F(MonthViewTest, WeekdayHeadings) {
    const char* const kNames[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int c = 0; c < 7; ++c) {
        const WeekdayHeading h = HeadingForColumn(c);
        EXPECT_EQ(Utf(h.text), kNames[c]);
        EXPECT_EQ(h.fg, c == 0 ? kSundayText : c == 6 ? kSaturdayText : kWeekdayText);
        EXPECT_EQ(h.bg, kHeadingBackground);
    }
}

TEST_F(MonthViewTest, EveryMonthFrom1600To2999) {
    // Cell 0 is the Sunday on or before the 1st, the month's days run 1 ... L
    // in order from the 1st's weekday column, the days before it count up
    // to the last day of the month before, and those after it from 1. The
    // grid reads only the target date and its weekday, so they are set
    // directly (selected day 1, whose weekday is that of the 1st).
    for (int y = 1600; y <= 2999; ++y) {
        for (int m = 1; m <= 12; ++m) {
            rec_->year[kTarget] = y;
            rec_->month[kTarget] = m;
            rec_->day[kTarget] = 1;
            rec_->weekday[kTarget] = Weekday(y, m, 1);
            const MonthGrid g = FillMonthGrid(*rec_);
            const int firstCell = rec_->weekday[kTarget];
            const int length = DaysInMonth(y, m);
            const int previousLength = DaysInMonth(m == 1 ? y - 1 : y, m == 1 ? 12 : m - 1);
            for (int k = 0; k < kGridCells; ++k) {
                const int want = k < firstCell                ? -(previousLength - firstCell + k + 1)
                                 : k < firstCell + length ? k - firstCell + 1
                                                          : -(k - firstCell - length + 1);
                ASSERT_EQ(g[k].day, want) << y << '-' << m << " cell " << k;
            }
        }
    }
}

// The focus mark stands out on every background it is drawn on, and the
// pane text stays readable on the focused pane's tint.
TEST(FocusMark, ReadableOnEveryBackgroundItMarks) {
    const struct { Rgb fore, back; const char* why; } pairs[] = {
        {kFocusMark, kSelectedDayBackground, "the selected day"},
        {kFocusMark, kTodayBackground, "today selected"},
        {kFocusMark, kFocusedPaneBackground, "a focused pane"},
        {kFocusMark, kListBackground, "a list"},
        {kPaneText, kFocusedPaneBackground, "a focused pane's text"},
    };
    for (const auto& p : pairs) EXPECT_GE(ContrastRatio(p.fore, p.back), 4.5) << p.why;
}

}  // namespace
}  // namespace kalendo
