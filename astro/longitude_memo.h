// The longitudes at 0 h JST of a day, remembered per day, and the one switch
// for everything the almanac remembers (these longitudes, the new-moon
// minutes behind MoonAge, and the year tables of the month computation).
//
// Every day-by-day search of the almanac (solar terms, new moons, the day a
// solar longitude is passed, the principal phase of a day) evaluates the
// series at 0 h of a day, and neighbouring years search the same days. At
// 0 h the series depend on the date only through its Julian date, so a
// remembered value is the very double a fresh evaluation gives.
#pragma once

namespace kalendo {

// SunLongitude(y, m, d, 0, 0, 0) and MoonLongitude(y, m, d, 0, 0, 0),
// remembered for days of 1598-3002 (evaluated afresh outside), those of
// the some 180 years asked for last: a memory of fixed size, whatever range
// is read. The day need not be normalised; the month must be 1-12.
double SunLongitudeAtMidnight(int y, int m, int d);
double MoonLongitudeAtMidnight(int y, int m, int d);

// The same for the day whose 0 h is the Julian date jd (ending in .5): the
// series see the date only through it.
double SunLongitudeAtJulianMidnight(double jd);

// Whether the almanac remembers values; on by default. Off, every value is
// computed afresh and nothing is kept or read: the reference the tests
// compare the remembering path with. On again, what was kept before is used
// again: each value is a function of its key alone (a day, or a year and
// almanac mode), so it cannot go stale.
void SetAlmanacCaching(bool on);
bool AlmanacCaching();

// Forgets the remembered longitudes and new-moon minutes (for measuring a
// cold start).
void ForgetAstroMemo();

}  // namespace kalendo
