// The record's target (selected) date as one value: what the panes, the
// grid and the commands all start from.
#pragma once

#include "core/month_record.h"
#include "platform/calendar_date.h"

namespace kalendo {

inline CalendarDate TargetDate(const MonthRecord& rec) {
    return {rec.year[kTarget], rec.month[kTarget], rec.day[kTarget]};
}

}  // namespace kalendo
