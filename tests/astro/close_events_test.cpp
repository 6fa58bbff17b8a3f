// The events near midnight against the tables both almanacs compute: each
// side lies on the day its own tables give, and a close call's numbers hold
// together whatever the mode.
#include "astro/close_events.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "astro/delta_t.h"
#include "astro/lunisolar.h"
#include "astro/precise.h"
#include "core/month_record.h"

namespace kalendo {
namespace {

// Every 7th year of the range (both modes' tables of a year take a few
// milliseconds), the first and the last year included.
constexpr int kYears[] = {1600, 1607, 1803, 1913, 2035, 2097, 2499, 2998, 2999};

// Calls check(event, its standard and precise tables' days) for every solar term and new
// moon of those years' standard tables.
template <class Check>
void ForEachEvent(Check check) {
    auto standard = std::make_unique<MonthRecord>();
    auto precise = std::make_unique<MonthRecord>();
    for (const int y : kYears) {
        SCOPED_TRACE(y);
        standard->year[kTarget] = precise->year[kTarget] = y;
        ComputeSolarTerms(*standard);
        ComputeNewMoons(*standard);
        ComputeSolarTermsPrecise(*precise);
        ComputeNewMoonsPrecise(*precise);
        for (int k = 0; k < kTermCount; ++k) {
            SCOPED_TRACE(testing::Message() << "term " << k);
            const CalendarDate day = EntryAt(standard->terms, k);
            check(EventNear(EventKind::SolarTerm, k % 24, day), day, EntryAt(precise->terms, k));
        }
        for (int n = 0; n < kNewMoonCount; ++n) {
            SCOPED_TRACE(testing::Message() << "new moon " << n);
            const CalendarDate day = EntryAt(standard->newMoons, n);
            check(EventNear(EventKind::NewMoon, -1, day), day, EntryAt(precise->newMoons, n));
        }
    }
}

// Each side lies on its own table's day; a new moon asked for from its
// precise day is the same event.
TEST(CloseEvents, EachSideFallsOnTheDayItsTablesGive) {
    ForEachEvent([](const EventSides& e, const CalendarDate& standardDay, const CalendarDate& preciseDay) {
        EXPECT_EQ(e.standardDay, standardDay);
        EXPECT_EQ(e.preciseDay, preciseDay);
        if (e.kind == EventKind::NewMoon) {
            EXPECT_EQ(EventNear(EventKind::NewMoon, -1, preciseDay).standardDay, e.standardDay);
        }
    });
}

// A close call's midnight separates its day from the other day, its
// distances are measured from it, and the mode's own test holds.
TEST(CloseEvents, CloseCallsHoldTogether) {
    int counted[2] = {0, 0};
    ForEachEvent([&counted](const EventSides& e, const CalendarDate&, const CalendarDate&) {
        for (const AlmanacMode mode : {AlmanacMode::Standard, AlmanacMode::Precise}) {
            const std::optional<CloseCall> c = CloseCallOf(e, mode);
            if (!c) continue;
            ++counted[static_cast<int>(mode)];
            EXPECT_EQ(c->day, mode == AlmanacMode::Standard ? e.standardDay : e.preciseDay);
            const bool later = c->distanceSeconds >= 0;
            EXPECT_EQ(JstDateOf(c->midnightJdUt + 0.01), later ? c->day : c->otherDay);
            EXPECT_EQ(JstDateOf(c->midnightJdUt - 0.01), later ? c->otherDay : c->day);
            EXPECT_NEAR(c->preciseDistanceSeconds, (e.preciseJdUt - c->midnightJdUt) * kSecondsPerDay, 1e-3);
            const bool preciseClose = std::fabs(c->preciseDistanceSeconds) <= e.boundSeconds;
            EXPECT_TRUE(preciseClose || (mode == AlmanacMode::Standard && c->otherDay == e.preciseDay));
        }
    });
    // The standard almanac has every precise close call and more.
    EXPECT_GT(counted[0], counted[1]);
}

// The bound's ΔT part: the published errors of the telescopic era are
// covered, and it grows away from 1820 both ways.
TEST(CloseEvents, DeltaTUncertainty) {
    struct Case {
        double year, atLeastSeconds, atMostSeconds;
    };
    constexpr Case kCases[] = {
        {1600, 20, 21}, {1700, 5, 7}, {1820, 1, 1}, {1900, 3, 4}, {2000, 13, 15}, {2100, 32, 33}, {2999, 550, 560},
    };
    for (const Case& c : kCases) {
        EXPECT_GE(DeltaTUncertaintySeconds(c.year), c.atLeastSeconds) << c.year;
        EXPECT_LE(DeltaTUncertaintySeconds(c.year), c.atMostSeconds) << c.year;
    }
    for (double y = 1600; y < 2999; y += 10) {  // the nearer year of each pair is the surer
        const bool before1820 = y < 1820;
        EXPECT_LT(DeltaTUncertaintySeconds(before1820 ? y + 10 : y), DeltaTUncertaintySeconds(before1820 ? y : y + 10)) << y;
    }
}

}  // namespace
}  // namespace kalendo
