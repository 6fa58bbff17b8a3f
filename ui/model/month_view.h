// The month view's decisions: which date each navigation command, key and
// click hands to the month computation, what the date timer does, and the
// 42 day cells of the grid with their texts and colours.
//
// The month record moves only through ComputeMonth. Every command here
// returns ComputeMonth's answer (1 accepted, 0 refused with the range
// message shown); the GUI then rebuilds the whole view (BuildViewState)
// either way, so a refused date simply redraws the same month.
#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "core/calendar_constants.h"
#include "core/month_record.h"
#include "platform/calendar_date.h"
#include "ui/model/colour_scheme.h"
#include "ui/model/settings.h"
#include "ui/model/target_date.h"
#include "ui/model/week_start.h"

namespace kalendo {

// Navigation command ids.
inline constexpr int kCmdPreviousDay = 12778;    // "前日", Left arrow
inline constexpr int kCmdNextDay = 12779;        // "翌日", Right arrow
inline constexpr int kCmdPreviousWeek = 12780;   // "前週", Up arrow
inline constexpr int kCmdNextWeek = 12781;       // "翌週", Down arrow
inline constexpr int kCmdNextMonth = 12782;      // "翌月", Page Down
inline constexpr int kCmdPreviousMonth = 12783;  // "前月", Page Up
inline constexpr int kCmdNextYear = 12784;       // "翌年"
inline constexpr int kCmdPreviousYear = 12785;   // "前年"
inline constexpr int kCmdToday = 12786;          // "今日", Home
inline constexpr int kCmdMonth1 = 32771;         // "1" ... "12": 32771 ... 32782
inline constexpr int kCmdMonth12 = 32782;

// The keys of the accelerator table (no modifiers).
enum class NavigationKey { Left, Right, Up, Down, PageUp, PageDown, Home };
int CommandForKey(NavigationKey key);

// The date a navigation command hands to ComputeMonth; nullopt for an id
// that is not a navigation command. Days, weeks, months and years are added
// to one field of the target date and the result normalised (from 31 March
// "前月" gives 3 March of a common year). "今日" reads today first
// (UpdateToday). The month commands keep the target year and day and are
// not normalised, so a day the chosen month lacks is refused.
std::optional<CalendarDate> NavigationTarget(MonthRecord& rec, int commandId);

// NavigationTarget, then ComputeMonth. -1 for an id that is not a
// navigation command (nothing happens).
int RunNavigationCommand(MonthRecord& rec, int commandId, MonthOptions options);

// A left click on a cell with day number `dayNumber` (never 0): a positive
// day of the displayed month selects it; a negative one, -e, is day e of
// the previous month when e > 14 and of the next month otherwise
// (normalised).
CalendarDate CellClickTarget(const MonthRecord& rec, int dayNumber);
int RunCellLeftClick(MonthRecord& rec, int dayNumber, MonthOptions options);

// One tick of the date timer: today is read again; when its date changed,
// the monthly display computes today's month, past schedules are swept
// (in memory; the file is rewritten at the next save) and the view must be
// rebuilt. The title is set on every tick.
struct TimerTickResult {
    bool todayChanged = false;  // rebuild the view (BuildViewState)
    std::string title;          // FrameTitle, CP932
};
TimerTickResult TimerTick(MonthRecord& rec, const AppSettings& s);

// When the next tick comes: just after the next local midnight, so that
// caption and month follow the date at once. Nothing else is due, so a
// sleeping window wakes once a day. A clock set, a new time zone or a
// resume from suspend are not waited for: the kernel reports them
// (WallClockWatch), and the window ticks at once. Where it cannot
// (`kernelReportsClockChanges` false), or without a clock, the window
// looks again after kDateCheckInterval: they then show within a minute.
inline constexpr std::chrono::milliseconds kDateCheckInterval{60 * 1000};
// A tick aimed at midnight lands this much after it, so that a wall clock
// slewed by a few milliseconds against the timer's does not make it find
// the old date and take a second tick.
inline constexpr std::chrono::milliseconds kPastMidnightMargin{5};
// `untilMidnight`: Platform::UntilNextLocalMidnight() after the tick
// (negative without a clock).
std::chrono::milliseconds NextTickDelay(std::chrono::milliseconds untilMidnight, bool kernelReportsClockChanges);

// The grid: 6 rows of 7 cells, row-major, column 0 = Sunday (or Monday in
// a grid that begins the week on Monday).
inline constexpr int kGridColumns = kDaysPerWeek;
inline constexpr int kGridRows = 6;  // a month of 31 days starting on a Saturday needs all six
inline constexpr int kGridCells = kGridRows * kGridColumns;

struct DayCell {
    int day;           // > 0: day of the displayed month; -e: day e of the month before or after
    std::string text;  // "%2d" of the day (one-digit days get a leading blank)
    Rgb fg;            // text colour (bold text)
    Rgb bg;            // background
    std::string lunarText;  // the second line (AddLunarTexts); empty until asked for
    // What fg and bg mean, for the window's colour set (SchemeColour);
    // fg and bg themselves are the fixed colours below, as the CLI lists them.
    ColourRole ink = ColourRole::WeekdayText;
    ColourRole ground = ColourRole::MonthDayBackground;
    // The window's marks (ViewBuilder): an eclipse seen from its place, a
    // note of the lower register the user picked.
    bool eclipseMark = false;
    bool rekichuMark = false;
    friend bool operator==(const DayCell&, const DayCell&) = default;
};
using MonthGrid = std::array<DayCell, kGridCells>;

// The displayed month is the target's. Cell 0 is the Sunday on or before
// the 1st (the 1st itself when it is a Sunday), or with `start` Monday the
// Monday on or before it; the colours follow the weekday, not the column. Days of the month are red
// on Sundays and holidays (a holiday or, failing one, a generated holiday on
// that month and day), blue on other Saturdays, dark otherwise; days of the
// neighbouring months are green on grey. The selected day (when it is not
// today) is cyan, and today, when its month is displayed, yellow.
MonthGrid FillMonthGrid(const MonthRecord& rec, WeekStart start = WeekStart::Sunday);

// The ISO 8601 week number of each grid row: that of the row's Monday (in
// a Sunday-first row, the day after its Sunday). All 0 before a month is
// computed.
using GridWeekNumbers = std::array<int, 6>;
GridWeekNumbers WeekNumbersOfGrid(const MonthRecord& rec, WeekStart start);

// The fixed colours of the grid as the CLI lists them ("fg", "bg"); the
// window draws by meaning in its colour set (colour_scheme.h).
inline constexpr Rgb kSundayText{250, 20, 20};
inline constexpr Rgb kWeekdayText{20, 20, 20};
inline constexpr Rgb kSaturdayText{20, 20, 250};
inline constexpr Rgb kHeadingBackground{245, 250, 250};
inline constexpr Rgb kMonthDayBackground{235, 240, 245};
inline constexpr Rgb kOtherMonthText{20, 100, 20};
inline constexpr Rgb kOtherMonthBackground{220, 225, 230};
inline constexpr Rgb kSelectedDayBackground{180, 255, 255};
inline constexpr Rgb kTodayBackground{255, 255, 180};
inline constexpr Rgb kPaneText{0, 10, 20};
inline constexpr Rgb kPaneBackground{240, 250, 255};
inline constexpr Rgb kListBackground{240, 255, 245};
inline constexpr Rgb kListItemTextBackground{255, 245, 245};
// The mark of the focused control: the grid's frame inside the selected
// day, the lists' frame, the focused pane's frame with its background
// tinted. Over 4.5 : 1 on the selected day's cyan, today's yellow and the
// panes' backgrounds.
inline constexpr Rgb kFocusMark{0, 90, 180};
inline constexpr Rgb kFocusedPaneBackground{215, 235, 255};

// The weekday heading of column c (0 = Sunday "日" ... 6 = Saturday "土" in
// a Sunday-first grid, "月" ... "日" in a Monday-first one): bold text, red
// Sunday, blue Saturday, dark otherwise.
struct WeekdayHeading {
    const char* text;  // CP932
    Rgb fg;
    Rgb bg;
    ColourRole ink;  // fg's meaning; the ground is ColourRole::HeadingBackground
};
WeekdayHeading HeadingForColumn(int column, WeekStart start = WeekStart::Sunday);

}  // namespace kalendo
