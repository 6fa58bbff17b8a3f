// "sky" of a day object (day --place): the place and the day's rises,
// sets, transits, dawn and dusk there, JST rounded to the second.
#pragma once

#include "astro/places.h"
#include "astro/sky.h"
#include "cli/json_writer.h"

namespace kalendo {

// {"place":{…},"sunrise":…,"sunTransit":…,"sunTransitAltitude":…,
//  "sunset":…,"dawn":…,"dusk":…,"moonrise":…,"moonTransit":…,"moonset":…}
// Each time "HH:MM:SS", null on a day without one, a list of them on a day
// with more; the altitude in degrees likewise.
void WriteSkyKey(JsonWriter& w, const NamedPlace& place, const DaySky& sky);

}  // namespace kalendo
