// The display period of user entries and schedules: how many weeks ahead an
// entry is announced in the schedule list. 0 is "前日" (the day before only),
// 1-4 are one to four weeks. A file value outside 0-4 is read as 1.
#pragma once

#include "core/calendar_constants.h"

namespace kalendo {

inline constexpr int kMinDisplayPeriod = 0;
inline constexpr int kMaxDisplayPeriod = 4;
inline constexpr int kDefaultDisplayPeriod = 1;

// The value a file's display period is read as.
inline int DisplayPeriodFromFile(int value) {
    return value < kMinDisplayPeriod || value > kMaxDisplayPeriod ? kDefaultDisplayPeriod : value;
}

// How many days ahead an entry with this period is announced: 7 per week,
// or 1 for period 0.
inline int NoticeDays(int displayPeriod) {
    return displayPeriod == 0 ? 1 : kDaysPerWeek * displayPeriod;
}

}  // namespace kalendo
