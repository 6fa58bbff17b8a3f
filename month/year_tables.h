// The year's astronomical tables (solar terms, new moons, lunar month
// numbers, officer anchors), computed once per year and almanac mode and
// copied into the month record afterwards.
//
// They are a pure function of the key: the searches read nothing but the
// target year (and, through the longitude series, the mode), so a copy is
// bit for bit what a fresh computation leaves in the record.
#pragma once

#include "astro/longitude_memo.h"
#include "core/almanac_mode.h"
#include "core/month_record.h"

namespace kalendo {

struct YearKey {
    int year = 0;
    AlmanacMode mode = AlmanacMode::Standard;

    friend bool operator==(const YearKey&, const YearKey&) = default;
};

// Sets rec.terms, rec.newMoons, rec.lunarMonthNumber and entries 0-13 of
// rec.anchorStart and rec.anchorFirst for key.year, which must be
// rec.year[kTarget]: from the cache, or computed (and then kept) when the
// key is not among the last years asked for. The cache holds a few years,
// so that stepping back and forth across 1 January computes nothing.
void UseYearTables(MonthRecord& rec, YearKey key);

// Kept only while AlmanacCaching() (astro/longitude_memo.h) is on; off,
// every month computation computes its year afresh and touches no cache.

// Forgets the kept years (month/almanac_caches.h forgets every cache).
void ForgetYearTables();

}  // namespace kalendo
