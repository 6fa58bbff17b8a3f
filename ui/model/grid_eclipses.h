// The eclipses the month grid marks: those seen from the place whose
// maximum falls on a day of the displayed month. A year's eclipses are
// found once (about a millisecond) and kept, keyed by the year and the
// place, so a step within the year asks the sky nothing new.
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

private:
    int year_ = 0;
    GeoPosition where_{0, 0};
    std::vector<Eclipse> eclipses_;  // of year_, in time order
};

// What a screen reader says after the day's name: "、部分日食" (CP932).
std::string SpokenEclipse(const Eclipse& e);

}  // namespace kalendo
