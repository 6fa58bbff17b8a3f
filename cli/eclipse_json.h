// Eclipses as JSON: the object of one eclipse seen from a place, and
// "kalendo2-cli eclipses FIRST LAST", one object a line.
#pragma once

#include <cstdio>

#include "astro/eclipses.h"
#include "astro/places.h"
#include "cli/json_writer.h"
#include "platform/calendar_date.h"

namespace kalendo {

// {"kind","type","date","contacts","magnitude","obscuration" (solar),
// "altitudes","visible","rise"/"set" (帯食 only)}: contacts named in
// Japanese, instants "YYYY-MM-DDTHH:MM:SS+09:00", altitudes in degrees.
void WriteEclipseObject(JsonWriter& w, const Eclipse& e);

// The eclipse of the JST day y-m-d seen from `where`, when there is one,
// as the value of the day object's "eclipse" key.
void WriteDayEclipse(JsonWriter& w, int y, int m, int d, const GeoPosition& where);
bool DayHasEclipse(int y, int m, int d, const GeoPosition& where);

// Every eclipse seen from `where` whose maximum falls between the JST days
// FIRST and LAST, both included (real dates of 1600-2999, FIRST not after
// LAST: the command line's parser has made sure).
void PrintEclipses(CalendarDate first, CalendarDate last, const GeoPosition& where,
                   std::FILE* out);

}  // namespace kalendo
