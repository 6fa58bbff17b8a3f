#include "ui/model/eclipse_texts.h"

#include <cmath>
#include <cstdio>

#include "astro/ephemeris.h"
#include "core/day_arith.h"
#include "ui/model/eclipse_words.h"

namespace kalendo {

std::string_view ContactNameText(ContactName name) {
    return kEclipseContactNames[static_cast<int>(name)];
}

std::string_view EclipseKindText(const Eclipse& e) {
    const int type = static_cast<int>(e.type);
    return e.kind == EclipseKind::kSolar ? kSolarEclipseNames[type] : kLunarEclipseNames[type];
}

std::string_view RiseEclipseText(const Eclipse& e) {
    return e.kind == EclipseKind::kSolar ? kSunriseEclipse : kMoonriseEclipse;
}

std::string_view SetEclipseText(const Eclipse& e) {
    return e.kind == EclipseKind::kSolar ? kSunsetEclipse : kMoonsetEclipse;
}

std::string MagnitudeText(double magnitude) {
    // Thousandths as an integer: "%.3f" would follow LC_NUMERIC.
    const long long thousandths = std::llround(magnitude * 1000);
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", thousandths / 1000, thousandths % 1000);
    return text;
}

std::vector<Eclipse> EclipsesOfMonth(int y, int m, const GeoPosition& where) {
    int ny = y, nm = m + 1, nd = 1;
    NormalizeDate(ny, nm, nd);
    const double before = JstMidnightJd(ny, nm, nd);
    std::vector<Eclipse> found;
    double from = JstMidnightJd(y, m, 1);
    while (const std::optional<Eclipse> e = FirstEclipseSeenFrom(where, from, before)) {
        found.push_back(*e);
        // The next syzygy is two weeks on; half a day passes this one.
        from = e->Maximum().jdUt + 0.5;
    }
    return found;
}

}  // namespace kalendo
