// The close calls as JSON: the members every close call has (in the day
// object's "closeCalls" and in the lines of kalendo2-cli close-calls).
#pragma once

#include "astro/close_events.h"
#include "cli/json_writer.h"
#include "month/close_calls.h"

namespace kalendo {

// "kind" ("newMoon"/"solarTerm"), "term" (0-23 from 小寒, null for a new
// moon), "day", "otherDay", "instant" and "preciseInstant" (JST,
// "YYYY-MM-DDThh:mm:ss+09:00"), "distanceSeconds" and
// "preciseDistanceSeconds" (from the midnight between the two days,
// negative before it), "boundSeconds": members of an object already begun.
void WriteCloseCallMembers(JsonWriter& w, const CloseCall& call);

// The day's "closeCalls": [{the members above, "otherSide": {"lunarMonth",
// "lunarDay", "leapMonth", "rokuyo", "officer", "holiday",
// "generatedHoliday", "notes"}, "changes"}]. "changes" holds an object for
// every date the move changes among the day and the days whose holidays or
// notes move: {"date", then the other side's value of each member that
// differs on that date, the lower register's "kyusei" and "rekichu" last}.
void WriteCloseCallsKey(JsonWriter& w, const MonthRecord& rec,
                        const std::vector<DayCloseCall>& calls);

// One line of close-calls: the members and "days", the dates it changes.
void WriteCloseCallLine(JsonWriter& w, const CloseCallDays& call);

}  // namespace kalendo
