#include "ui/model/grid_eclipses.h"

#include <algorithm>

#include "astro/ephemeris.h"
#include "astro/places.h"
#include "ui/model/eclipse_texts.h"
#include "ui/model/eclipse_words.h"

namespace kalendo {

namespace {

bool SamePlace(const GeoPosition& a, const GeoPosition& b) {
    return a.latitudeDeg == b.latitudeDeg && a.longitudeDeg == b.longitudeDeg;
}

}  // namespace

bool GridEclipses::Keeps(const GeoPosition& where, int year) const {
    return std::any_of(kept_.begin(), kept_.end(), [&](const KeptYear& k) {
        return k.year == year && SamePlace(k.where, where);
    });
}

const GridEclipses::KeptYear& GridEclipses::EclipsesOfYear(const GeoPosition& where, int year) {
    ++clock_;
    KeptYear* oldest = &kept_[0];
    for (KeptYear& k : kept_) {
        if (k.year == year && SamePlace(k.where, where)) {
            k.lastUse = clock_;
            return k;
        }
        if (k.lastUse < oldest->lastUse) oldest = &k;
    }
    oldest->eclipses.clear();
    oldest->days.clear();
    const double end = JstMidnightJd(year + 1, 1, 1);
    double from = JstMidnightJd(year, 1, 1);
    while (const std::optional<Eclipse> e = FirstEclipseSeenFrom(where, from, end)) {
        oldest->eclipses.push_back(*e);
        oldest->days.push_back(JstDateOf(e->Maximum().jdUt));
        from = e->Maximum().jdUt + 0.5;  // the next syzygy is two weeks on
    }
    oldest->year = year;
    oldest->where = where;
    oldest->lastUse = clock_;
    return *oldest;
}

const Eclipse* GridEclipses::OnDay(const GeoPosition& where, int y, int m, int d) {
    const KeptYear& kept = EclipsesOfYear(where, y);
    for (std::size_t i = 0; i < kept.days.size(); ++i) {
        if (kept.days[i] == CalendarDate{y, m, d}) return &kept.eclipses[i];
    }
    return nullptr;
}

std::array<const Eclipse*, kGridCells> GridEclipses::OfGrid(const GeoPosition& where, int y, int m,
                                                            const MonthGrid& grid) {
    std::array<const Eclipse*, kGridCells> marks{};
    // A handful of eclipses a year: each of the month's finds its cell.
    const KeptYear& kept = EclipsesOfYear(where, y);
    for (std::size_t i = 0; i < kept.days.size(); ++i) {
        if (kept.days[i].year != y || kept.days[i].month != m) continue;
        for (int k = 0; k < kGridCells; ++k) {
            if (grid[static_cast<std::size_t>(k)].day == kept.days[i].day) {
                marks[static_cast<std::size_t>(k)] = &kept.eclipses[i];
            }
        }
    }
    return marks;
}

std::string SpokenEclipse(const Eclipse& e) {
    return std::string(kEclipseSpokenSeparator) + std::string(EclipseKindText(e));
}

}  // namespace kalendo
