// The eclipses the month grid marks: those seen from the place whose
// maximum falls on a day of the displayed month. A year's eclipses are
// found once (about a millisecond) and kept, keyed by the year and the
// place, so a step within the year asks the sky nothing new; the three
// years used last are kept, so that the window can find the years beside
// the shown one while it waits for the next key (PrefetchYear), and a step
// into them asks nothing either.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "astro/eclipses.h"
#include "astro/geo_position.h"
#include "astro/places.h"
#include "ui/model/month_view.h"

namespace kalendo {

class GridEclipses {
public:
    // The eclipse seen from `where` on the JST day y-m-d (1600-2999), or null.
    const Eclipse* OnDay(const GeoPosition& where, int y, int m, int d);

    // For each cell of `grid` (FillMonthGrid of month y-m): the eclipse of
    // its day when it is a day of the month, else null.
    std::array<const Eclipse*, kGridCells> OfGrid(const GeoPosition& where, int y, int m,
                                                  const MonthGrid& grid);

    // Whether the eclipses of `year` (1600-2999) seen from `where` are kept.
    bool Keeps(const GeoPosition& where, int year) const;
    // Finds and keeps them unless kept (a millisecond or so).
    void PrefetchYear(const GeoPosition& where, int year) { (void)EclipsesOfYear(where, year); }

private:
    struct KeptYear {
        int year = 0;  // 0: empty
        GeoPosition where{0, 0};
        unsigned lastUse = 0;
        std::vector<Eclipse> eclipses;  // in time order
        std::vector<CalendarDate> days;  // the JST day of each one's maximum
    };
    static constexpr int kKeptYears = 3;
    const KeptYear& EclipsesOfYear(const GeoPosition& where, int year);
    std::array<KeptYear, kKeptYears> kept_{};
    unsigned clock_ = 0;
};

// What a screen reader says after the day's name: "、部分日食" (CP932).
std::string SpokenEclipse(const Eclipse& e);

}  // namespace kalendo
