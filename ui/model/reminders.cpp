#include "ui/model/reminders.h"

#include <algorithm>
#include <cstdio>

#include "almanac/sign_names.h"
#include "core/day_arith.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "month/compute_month.h"
#include "ui/model/lists.h"
#include "ui/model/month_view.h"
#include "ui/model/reminder_texts.h"
#include "ui/model/rekichu_view.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {


// "今日: …", "明日: …", "n日後: …".
std::string DaysAheadLine(int daysAhead, const char* name) {
    if (daysAhead == 0) return FormatText(kReminderTodayFormat, name);
    if (daysAhead == 1) return FormatText(kReminderTomorrowFormat, name);
    return FormatText(kReminderDaysAheadFormat, daysAhead, name);
}

}  // namespace

std::optional<Reminder> ReminderOf(MonthRecord& rec, const AppSettings& s) {
    const CalendarDate today{rec.year[kToday], rec.month[kToday], rec.day[kToday]};
    const CalendarDate shown = TargetDate(rec);
    const MonthOptions options = MonthOptionsOf(s);
    if (ComputeMonth(rec, today.year, today.month, today.day, MonthOptions{options.almanac, kViewFull}) != 1) {
        return std::nullopt;  // a clock outside 1600-2999: nothing is known of today
    }
    Reminder r{today, FormatText(kReminderSummaryFormat, today.month, today.day,
                                 WeekdayName(Weekday(today.year, today.month, today.day))),
               {}};
    // The event list's holiday: a holiday hides a generated one.
    for (const ListRow& row : FillEventList(rec)) {
        if (row.kind == kHolidayRow || row.kind == kGeneratedHolidayRow) {
            r.lines.push_back(FormatText(kReminderHolidayFormat, row.text.c_str()));
        }
    }
    if (const std::string notes = PickedRekichu(rec, s.rekichuReadings, s.rekichuPicks).NamesOf(today);
        !notes.empty()) {
        r.lines.push_back(FormatText(kReminderRekichuFormat, notes.c_str()));
    }
    // Today's own entries, then the schedule list's days 1-27 counted from
    // today: the entries whose notice has begun, by day, a yearly event
    // before the schedule of the same index.
    const int entries = std::max(rec.userEntryCount, rec.scheduleCount);
    for (int n = 0; n <= kScheduleListDaysAhead; ++n) {
        int y = today.year, m = today.month, d = today.day + n;
        NormalizeDate(y, m, d);
        for (int j = 0; j < entries; ++j) {
            if (j < rec.userEntryCount && (n == 0 || UserEntryInPeriod(rec, j, n) >= 0) &&
                UserEntryFallsOn(rec, j, y, m, d) >= 0) {
                r.lines.push_back(DaysAheadLine(n, rec.tables.userEntries[j].name));
            }
            if (j < rec.scheduleCount && (n == 0 || ScheduleInPeriod(rec, j, n) >= 0) &&
                ScheduleFallsOn(rec, j, y, m, d) >= 0) {
                r.lines.push_back(DaysAheadLine(n, rec.tables.schedules[j].name));
            }
        }
    }
    ComputeMonth(rec, shown.year, shown.month, shown.day, options);
    if (r.lines.empty()) return std::nullopt;
    return r;
}

bool ReminderDue(const AppSettings& s, CalendarDate today, int minutesNow, bool atStart) {
    if (!s.reminderOn || s.reminderLastDay == today) return false;
    return atStart || minutesNow >= s.reminderMinutes;
}

std::chrono::milliseconds NextWakeDelay(std::chrono::milliseconds midnightDelay,
                                        std::chrono::milliseconds untilDailyTime, const AppSettings& s,
                                        CalendarDate today) {
    if (!s.reminderOn || s.reminderLastDay == today || untilDailyTime <= std::chrono::milliseconds(0)) {
        return midnightDelay;
    }
    // The same margin as midnight's: a tick a few milliseconds early would
    // find the time not yet reached and wait for the next day.
    return std::min(midnightDelay, untilDailyTime + kPastMidnightMargin);
}

}  // namespace kalendo
