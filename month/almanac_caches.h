// Every value the almanac remembers, in one place above the caches: the
// kept years' tables and close calls (month/), the close events and the
// longitudes at 0 h and new-moon minutes (astro/). Each is a function of
// its key alone, so forgetting them changes no result, only the time the
// next computation takes. Whether they are kept at all is the one switch
// SetAlmanacCaching (astro/longitude_memo.h), which every cache reads.
#pragma once

namespace kalendo {

// Forgets every kept year and remembered value (for measuring a cold start).
void ForgetAlmanacCaches();

}  // namespace kalendo
