#include "ui/model/month_view.h"

#include <algorithm>
#include <charconv>

#include "almanac/sign_names.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"
#include "defs/day_off.h"
#include "defs/schedules.h"
#include "month/compute_month.h"
#include "ui/model/day_texts.h"

namespace kalendo {
namespace {

// A negative cell day above this belongs to the month before: the month
// after can show at most 14 days (two rows), the month before at most 6.
constexpr int kLastNextMonthDayShown = 14;

constexpr int kSunday = 0, kMonday = 1, kSaturday = 6;

CalendarDate Normalized(int y, int m, int d) {
    NormalizeDate(y, m, d);
    return {y, m, d};
}

int Compute(MonthRecord& rec, const CalendarDate& date, MonthOptions options) {
    return ComputeMonth(rec, date.year, date.month, date.day, options);
}

// The day number right-aligned in two columns ("%2d"); written without
// printf, since the grid asks for 42 of them on every refresh.
std::string DayText(int day) {
    char buf[16];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, day < 0 ? -day : day);
    std::string text(buf, r.ptr);
    if (text.size() < 2) text.insert(0, 2 - text.size(), ' ');
    return text;
}

}  // namespace

int CommandForKey(NavigationKey key) {
    switch (key) {
        case NavigationKey::Left: return kCmdPreviousDay;
        case NavigationKey::Right: return kCmdNextDay;
        case NavigationKey::Up: return kCmdPreviousWeek;
        case NavigationKey::Down: return kCmdNextWeek;
        case NavigationKey::PageUp: return kCmdPreviousMonth;
        case NavigationKey::PageDown: return kCmdNextMonth;
        case NavigationKey::Home: return kCmdToday;
    }
    return 0;
}

std::optional<CalendarDate> NavigationTarget(MonthRecord& rec, int commandId) {
    const CalendarDate t = TargetDate(rec);
    switch (commandId) {
        case kCmdPreviousDay: return Normalized(t.year, t.month, t.day - 1);
        case kCmdNextDay: return Normalized(t.year, t.month, t.day + 1);
        case kCmdPreviousWeek: return Normalized(t.year, t.month, t.day - kDaysPerWeek);
        case kCmdNextWeek: return Normalized(t.year, t.month, t.day + kDaysPerWeek);
        case kCmdPreviousMonth: return Normalized(t.year, t.month - 1, t.day);
        case kCmdNextMonth: return Normalized(t.year, t.month + 1, t.day);
        case kCmdPreviousYear: return Normalized(t.year - 1, t.month, t.day);
        case kCmdNextYear: return Normalized(t.year + 1, t.month, t.day);
        case kCmdToday:
            UpdateToday(rec);
            return CalendarDate{rec.year[kToday], rec.month[kToday], rec.day[kToday]};
        default:
            break;
    }
    if (commandId >= kCmdMonth1 && commandId <= kCmdMonth12) {
        // Not normalised: a day the chosen month lacks is refused.
        return CalendarDate{t.year, commandId - kCmdMonth1 + 1, t.day};
    }
    return std::nullopt;
}

int RunNavigationCommand(MonthRecord& rec, int commandId, MonthOptions options) {
    const std::optional<CalendarDate> target = NavigationTarget(rec, commandId);
    if (!target) return -1;
    return Compute(rec, *target, options);
}

CalendarDate CellClickTarget(const MonthRecord& rec, int dayNumber) {
    const CalendarDate t = TargetDate(rec);
    if (dayNumber > 0) return {t.year, t.month, dayNumber};
    const int e = -dayNumber;
    return Normalized(t.year, e > kLastNextMonthDayShown ? t.month - 1 : t.month + 1, e);
}

int RunCellLeftClick(MonthRecord& rec, int dayNumber, MonthOptions options) {
    if (dayNumber == 0) return 0;  // a cell of a view that shows no month
    return Compute(rec, CellClickTarget(rec, dayNumber), options);
}

TimerTickResult TimerTick(MonthRecord& rec, const AppSettings& s) {
    TimerTickResult result;
    const CalendarDate before{rec.year[kToday], rec.month[kToday], rec.day[kToday]};
    UpdateToday(rec);
    const CalendarDate today{rec.year[kToday], rec.month[kToday], rec.day[kToday]};
    if (!(today == before)) {
        // After midnight the selection stays in the full display; only the
        // today mark moves. The monthly display always shows today's month.
        if (s.viewMode == kViewMonthly) Compute(rec, today, MonthOptionsOf(s));
        RemovePastSchedules(rec);
        result.todayChanged = true;
    }
    result.title = FrameTitle(rec);
    return result;
}

std::chrono::milliseconds NextTickDelay(std::chrono::milliseconds untilMidnight, bool kernelReportsClockChanges) {
    if (untilMidnight < std::chrono::milliseconds(0)) return kDateCheckInterval;  // no clock
    const std::chrono::milliseconds midnight = untilMidnight + kPastMidnightMargin;
    return kernelReportsClockChanges ? midnight : std::min(midnight, kDateCheckInterval);
}

namespace {

// The day number, relative to the 1st, of cell 0 (in [-5, 1]); the first
// row holds LeadingDays cells of the month before.
int FirstCellDay(const MonthRecord& rec, WeekStart start) {
    // The weekday of the 1st from the target's: d - 1 days earlier.
    const int weekdayOfFirst =
        ((rec.weekday[kTarget] - (rec.day[kTarget] - 1)) % kDaysPerWeek + kDaysPerWeek) %
        kDaysPerWeek;
    return 1 - LeadingDays(weekdayOfFirst, start);
}

bool HasMonth(const MonthRecord& rec) {
    return rec.year[kTarget] >= 1 && rec.month[kTarget] >= 1 && rec.month[kTarget] <= kMonthsPerYear;
}

}  // namespace

MonthGrid FillMonthGrid(const MonthRecord& rec, WeekStart start) {
    MonthGrid grid{};
    const int y = rec.year[kTarget];
    const int m = rec.month[kTarget];
    const int selectedDay = rec.day[kTarget];
    if (!HasMonth(rec)) return grid;  // no month computed yet

    const int length = DaysInMonth(y, m);
    const int first = FirstCellDay(rec, start);

    for (int k = 0; k < kGridCells; ++k) {
        const int n = first + k;
        const int weekday = WeekdayOfColumn(k % kGridColumns, start);
        DayCell& cell = grid[k];
        if (n <= 0) {
            int py = y, pm = m, pd = n;
            NormalizeDate(py, pm, pd);
            cell.day = -pd;
        } else if (n > length) {
            cell.day = length - n;
        } else {
            cell.day = n;
        }
        cell.text = DayText(cell.day);
        if (cell.day < 0) {
            cell.fg = kOtherMonthText;
            cell.bg = kOtherMonthBackground;
            cell.ink = ColourRole::OtherMonthText;
            cell.ground = ColourRole::OtherMonthBackground;
            continue;
        }
        const bool holiday = FindHoliday(rec, m, n) >= 0 || FindGeneratedHoliday(rec, m, n) >= 0;
        if (weekday == kSunday || holiday) {
            cell.fg = kSundayText;
            cell.ink = ColourRole::SundayText;
        } else if (weekday == kSaturday) {
            cell.fg = kSaturdayText;
            cell.ink = ColourRole::SaturdayText;
        } else {
            cell.fg = kWeekdayText;
            cell.ink = ColourRole::WeekdayText;
        }
        cell.bg = kMonthDayBackground;
        cell.ground = ColourRole::MonthDayBackground;
    }

    const bool sameMonthAsToday = y == rec.year[kToday] && m == rec.month[kToday];
    const bool selectedIsToday = sameMonthAsToday && selectedDay == rec.day[kToday];
    for (DayCell& cell : grid) {
        if (!selectedIsToday && cell.day == selectedDay) {
            cell.bg = kSelectedDayBackground;
            cell.ground = ColourRole::SelectedDayBackground;
        }
        if (sameMonthAsToday && cell.day == rec.day[kToday]) {
            cell.bg = kTodayBackground;
            cell.ground = ColourRole::TodayBackground;
        }
    }
    return grid;
}

GridWeekNumbers WeekNumbersOfGrid(const MonthRecord& rec, WeekStart start) {
    GridWeekNumbers numbers{};
    if (!HasMonth(rec)) return numbers;
    const int mondayColumn = ColumnOfWeekday(kMonday, start);
    const int first = FirstCellDay(rec, start);
    for (int row = 0; row < kGridRows; ++row) {
        int y = rec.year[kTarget], m = rec.month[kTarget], d = first + row * kGridColumns + mondayColumn;
        NormalizeDate(y, m, d);
        numbers[static_cast<std::size_t>(row)] = IsoWeekOf(y, m, d).week;
    }
    return numbers;
}

WeekdayHeading HeadingForColumn(int column, WeekStart start) {
    const int weekday = WeekdayOfColumn(column, start);
    if (weekday == kSunday) return {WeekdayName(weekday), kSundayText, kHeadingBackground, ColourRole::SundayText};
    if (weekday == kSaturday) {
        return {WeekdayName(weekday), kSaturdayText, kHeadingBackground, ColourRole::SaturdayText};
    }
    return {WeekdayName(weekday), kWeekdayText, kHeadingBackground, ColourRole::WeekdayText};
}

}  // namespace kalendo
