// Two changes to the schedule table at once: the user's, in the window, and
// one made to Schedule.Def meanwhile by an editor or another program. Both
// are kept where they do not touch the same schedule; where they do, the
// user's change is not written over the other (the caller keeps the file
// and says so).
#pragma once

#include <vector>

#include "core/month_record.h"

namespace kalendo {

struct ScheduleMerge {
    // The file's schedules in its order, less those the user removed or
    // edited, then those the user added or edited, in table order.
    std::vector<CSchedule> table;
    // The index in base of the first schedule the user removed or edited
    // that the file no longer holds as it was (changed or removed there
    // too), or -1. Schedules dated before today are no collision: the
    // sweep removes them whatever the file did.
    int collision = -1;
};

// base: the schedules as last read from or written to the file; mine: the
// table now (count schedules); theirs: the schedules of the file now.
// Schedules are matched by value (name, note, date and period), each once.
ScheduleMerge MergeSchedules(const std::vector<CSchedule>& base, const CSchedule* mine,
                             int count, const std::vector<CSchedule>& theirs,
                             const MonthRecord& rec);

}  // namespace kalendo
