// The places as JSON: the object of one place ({"name","latitude",
// "longitude"}, degrees north and east) and "kalendo2-cli places".
#pragma once

#include <cstdio>

#include "astro/places.h"
#include "cli/json_writer.h"

namespace kalendo {

void WritePlaceObject(JsonWriter& w, const NamedPlace& place);

// "places": every listed place, one object a line, the default first.
void PrintPlaces(std::FILE* out);

}  // namespace kalendo
