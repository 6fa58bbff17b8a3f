#include "ui/model/grid_eclipses.h"

#include "astro/ephemeris.h"
#include "astro/places.h"
#include "ui/model/eclipse_texts.h"
#include "ui/model/eclipse_words.h"

namespace kalendo {

const Eclipse* GridEclipses::OnDay(const GeoPosition& where, int y, int m, int d) {
    if (y != year_ || where.latitudeDeg != where_.latitudeDeg ||
        where.longitudeDeg != where_.longitudeDeg) {
        eclipses_.clear();
        const double end = JstMidnightJd(y + 1, 1, 1);
        double from = JstMidnightJd(y, 1, 1);
        while (const std::optional<Eclipse> e = FirstEclipseSeenFrom(where, from, end)) {
            eclipses_.push_back(*e);
            from = e->Maximum().jdUt + 0.5;  // the next syzygy is two weeks on
        }
        year_ = y;
        where_ = where;
    }
    for (const Eclipse& e : eclipses_) {
        if (JstDateOf(e.Maximum().jdUt) == CalendarDate{y, m, d}) return &e;
    }
    return nullptr;
}

std::array<const Eclipse*, kGridCells> GridEclipses::OfGrid(const GeoPosition& where, int y, int m,
                                                            const MonthGrid& grid) {
    std::array<const Eclipse*, kGridCells> marks{};
    for (int k = 0; k < kGridCells; ++k) {
        const int day = grid[static_cast<std::size_t>(k)].day;
        if (day > 0) marks[static_cast<std::size_t>(k)] = OnDay(where, y, m, day);
    }
    return marks;
}


std::string SpokenEclipse(const Eclipse& e) {
    return std::string(kEclipseSpokenSeparator) + std::string(EclipseKindText(e));
}

}  // namespace kalendo
