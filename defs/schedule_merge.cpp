#include "defs/schedule_merge.h"

#include "defs/schedules.h"

namespace kalendo {
namespace {

// The index of the first entry of `in` not yet taken that equals s, or -1.
int Take(const CSchedule& s, const std::vector<CSchedule>& in, std::vector<bool>& taken) {
    for (std::size_t k = 0; k < in.size(); ++k) {
        if (!taken[k] && SameScheduleValues(in[k], s)) {
            taken[k] = true;
            return static_cast<int>(k);
        }
    }
    return -1;
}

}  // namespace

ScheduleMerge MergeSchedules(const std::vector<CSchedule>& base, const CSchedule* mine,
                             int count, const std::vector<CSchedule>& theirs,
                             const MonthRecord& rec) {
    ScheduleMerge merge;
    // What the user changed: schedules of the base no longer in the table
    // (removed, or the old values of an edit) and schedules of the table
    // not in the base (added, or the new values of an edit).
    std::vector<bool> kept(base.size(), false);
    std::vector<const CSchedule*> added;
    for (int i = 0; i < count; ++i) {
        if (Take(mine[i], base, kept) < 0) added.push_back(&mine[i]);
    }
    std::vector<bool> removed(theirs.size(), false);
    for (std::size_t b = 0; b < base.size(); ++b) {
        if (kept[b] || Take(base[b], theirs, removed) >= 0) continue;
        if (IsScheduleBeforeToday(rec, base[b])) continue;
        merge.collision = static_cast<int>(b);
        return merge;
    }
    for (std::size_t k = 0; k < theirs.size(); ++k) {
        if (!removed[k]) merge.table.push_back(theirs[k]);
    }
    for (const CSchedule* s : added) merge.table.push_back(*s);
    return merge;
}

}  // namespace kalendo
