// 「毎日のお知らせ」: what the window announces on the desktop about today,
// and when. The announcement names today's holiday, today's picked notes
// of the lower register (設定's picks and readings) and every schedule and
// yearly event whose advance notice has begun, as the schedule list counts
// it from today ("明日: 歯医者", "3日後: …"), today's own among them. It is
// made at start and at the daily time the user sets, and never twice for
// one day, also across restarts: the day last announced is kept in the
// settings file (AppSettings::reminderLastDay). No toolkit, no bus here:
// the window hands the texts to the desktop's notification service.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "core/month_record.h"
#include "platform/calendar_date.h"
#include "ui/model/daily_time.h"
#include "ui/model/settings.h"

namespace kalendo {

struct Reminder {
    CalendarDate day;                // today, the day a click shows
    std::string summary;             // "12月10日（木）の暦", CP932
    std::vector<std::string> lines;  // "祝日: 元日", "暦注: …", "今日: …", "明日: …", "3日後: …"
};

// Today's announcement, from the record's today: nullopt when there is
// nothing to say (no holiday, no picked note, no schedule in its notice).
// The record is moved to today in the full display and back to its target
// day in the window's modes afterwards, as the feed does.
std::optional<Reminder> ReminderOf(MonthRecord& rec, const AppSettings& s);

// Whether today is to be announced now: 「毎日のお知らせ」 on, today not yet
// announced, and either the window's start or the daily time reached
// (`minutesNow`: minutes since local midnight).
bool ReminderDue(const AppSettings& s, CalendarDate today, int minutesNow, bool atStart);

// The date timer's next wake-up with the daily time among its instants:
// `midnightDelay` (NextTickDelay), or the daily time when today is still to
// be announced and that comes first. `untilDailyTime`: from now to today's
// daily time on the local clock, negative once it has passed.
std::chrono::milliseconds NextWakeDelay(std::chrono::milliseconds midnightDelay,
                                        std::chrono::milliseconds untilDailyTime, const AppSettings& s,
                                        CalendarDate today);


}  // namespace kalendo
