// The words of an eclipse seen from a place, in code page 932: the names of
// its contacts, its kind (部分日食 ... 皆既月食) and of a rise or set within
// it (日出帯食 ...), for the window, the export and the CLI alike; and the
// eclipses of a month, for the grid and the printed month.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "astro/eclipses.h"
#include "astro/geo_position.h"

namespace kalendo {

std::string_view ContactNameText(ContactName name);
std::string_view EclipseKindText(const Eclipse& e);
// 日出帯食 or 月出帯食 for a rise, 日入帯食 or 月入帯食 for a set.
std::string_view RiseEclipseText(const Eclipse& e);
std::string_view SetEclipseText(const Eclipse& e);

// From the first to the last moment the eclipse is seen from the place:
// its first and last contacts, or the rise or set between them.
struct SeenSpan {
    double firstJdUt, lastJdUt;
};
SeenSpan SeenSpanOf(const Eclipse& e);

// "H:MM:SS" of an instant in JST.
std::string JstClockText(double jdUt);

// The lines of the detail and the export (CP932, CR LF between lines):
// 食分 (and the area share of a solar eclipse), each contact with its time
// and altitude, marked when below the horizon, and the rise or set within.
// The window shows a lunar eclipse's times to the tenth of a minute
// ("19:16.1"), a solar one's and the export's to the second.
enum class EclipseClock { kSeconds, kWindow };
std::string EclipseDescription(const Eclipse& e, EclipseClock clock = EclipseClock::kSeconds);

// The detail dialog's text: the kind and the place (「皆既月食（東京から見た
// 日食・月食）」), then EclipseDescription in the window's clock.
std::string EclipseDetailText(const Eclipse& e, std::string_view placeName);

// A magnitude as shown, to 0.001 ("0.421"); C rules, whatever the locale.
std::string MagnitudeText(double magnitude);

// The eclipses seen from `where` whose maximum falls in the JST month y-m
// (1600-2999), in time order.
std::vector<Eclipse> EclipsesOfMonth(int y, int m, const GeoPosition& where);

}  // namespace kalendo
