// The user's change and a change made to the file meanwhile: both kept
// unless they touch the same schedule.
#include "defs/schedule_merge.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "defs/schedules.h"

namespace kalendo {
namespace {

CSchedule S(const char* name, int day) {
    CSchedule s{};
    CopyText(s.name, name);
    s.year = 2024, s.month = 7, s.day = day, s.displayPeriod = 1;
    return s;
}

std::vector<std::string> Names(const std::vector<CSchedule>& table) {
    std::vector<std::string> names;
    for (const CSchedule& s : table) names.emplace_back(s.name);
    return names;
}

struct MergeCase {
    std::vector<CSchedule> base, mine, theirs;
    std::vector<std::string> want;  // names of the merged table
    int collision;
    const char* why;
};

TEST(MergeSchedules, BothChangesKeptUnlessTheyMeet) {
    auto rec = std::make_unique<MonthRecord>();
    rec->year[kToday] = 2024, rec->month[kToday] = 7, rec->day[kToday] = 10;
    const CSchedule a = S("a", 11), b = S("b", 12), c = S("c", 13), x = S("x", 14);
    const CSchedule a2 = S("a2", 11), aTheirs = S("aT", 11), past = S("past", 1);
    const MergeCase kCases[] = {
        {{a, b}, {a, b}, {a, b, c}, {"a", "b", "c"}, -1, "added outside, nothing here"},
        {{a, b}, {b}, {a, b, c}, {"b", "c"}, -1, "removed here, added outside"},
        {{a, b}, {a2, b}, {c, a, b}, {"c", "b", "a2"}, -1, "edited here, reordered outside"},
        {{a, b}, {a2, b}, {aTheirs, b}, {}, 0, "edited on both sides: a collision"},
        {{a, b}, {a, x}, {a}, {}, 1, "removed outside, edited here"},
        {{past, a}, {a}, {a, c}, {"a", "c"}, -1, "the sweep's removal of a past one"},
        {{a, a}, {a}, {a, a, c}, {"a", "c"}, -1, "equal schedules matched once each"},
    };
    for (const MergeCase& c : kCases) {
        SCOPED_TRACE(c.why);
        const ScheduleMerge m = MergeSchedules(c.base, c.mine.data(),
                                               static_cast<int>(c.mine.size()), c.theirs, *rec);
        EXPECT_EQ(m.collision, c.collision);
        if (c.collision < 0) {
            EXPECT_EQ(Names(m.table), c.want);
        }
    }
}

}  // namespace
}  // namespace kalendo
