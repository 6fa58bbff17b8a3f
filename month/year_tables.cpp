#include "month/year_tables.h"

#include <cstring>

#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "astro/longitude_memo.h"
#include "astro/lunisolar.h"

namespace kalendo {
namespace {

// The officer anchors use 14 of their 15 slots; the last is never written.

struct YearTables {
    DateList<kTermCount> terms;
    DateList<kNewMoonCount> newMoons;
    int lunarMonthNumber[kNewMoonCount];
    DateList<kAnchorCapacity> anchorStart;
    DateList<kAnchorCapacity> anchorFirst;
};

// Four years: the target year, the two beside it (a step across 1 January
// either way) and one more, so that going back and forth between two years
// far apart computes nothing either. The least recently used slot goes.
constexpr int kSlots = 4;

struct Slot {
    bool used = false;
    YearKey key;
    unsigned lastUse = 0;
    YearTables tables;
};

Slot slots[kSlots];
unsigned useClock = 0;

template <int N>
void CopyDates(DateList<N>& to, const DateList<N>& from, int count) {
    std::memcpy(to.years, from.years, count * sizeof(int));
    std::memcpy(to.months, from.months, count * sizeof(int));
    std::memcpy(to.days, from.days, count * sizeof(int));
}

// Between the record and a slot (both name the tables alike): exactly the
// entries the four steps write, no more, so that a slot the steps leave
// alone keeps whatever it held, as in a fresh computation.
template <typename To, typename From>
void CopyYearTables(To& to, const From& from) {
    CopyDates(to.terms, from.terms, kTermCount);
    CopyDates(to.newMoons, from.newMoons, kNewMoonCount);
    std::memcpy(to.lunarMonthNumber, from.lunarMonthNumber, sizeof to.lunarMonthNumber);
    CopyDates(to.anchorStart, from.anchorStart, kAnchorCount);
    CopyDates(to.anchorFirst, from.anchorFirst, kAnchorCount);
}

// The steps in the order the record depends on: the month numbers read the
// terms and new moons, the anchors the terms.
// The two almanac modes differ only in where the events of the tables lie;
// the numbering and the anchors read the tables alike.
void ComputeYearTables(MonthRecord& rec, AlmanacMode mode) {
    const Astronomy& sky = AstronomyOf(mode);
    sky.computeSolarTerms(rec);
    sky.computeNewMoons(rec);
    NumberLunarMonths(rec);
    ComputeOfficerAnchors(rec);
}

}  // namespace

void UseYearTables(MonthRecord& rec, YearKey key) {
    if (!AlmanacCaching()) {
        ComputeYearTables(rec, key.mode);
        return;
    }
    ++useClock;
    Slot* oldest = &slots[0];
    for (Slot& slot : slots) {
        if (slot.used && slot.key == key) {
            slot.lastUse = useClock;
            CopyYearTables(rec, slot.tables);
            return;
        }
        if (!slot.used || (oldest->used && slot.lastUse < oldest->lastUse)) oldest = &slot;
    }
    // Kept only once all four steps are done: a fatal month numbering
    // leaves nothing behind.
    ComputeYearTables(rec, key.mode);
    oldest->used = true;
    oldest->key = key;
    oldest->lastUse = useClock;
    CopyYearTables(oldest->tables, rec);
}

void ForgetYearTables() {
    for (Slot& slot : slots) slot = Slot{};
}

}  // namespace kalendo
