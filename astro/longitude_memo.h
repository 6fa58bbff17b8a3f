// The longitudes at 0 h JST of a day, remembered per day, and the switch
// for everything the astronomy layer remembers.
//
// Every day-by-day search of the almanac (solar terms, new moons, the day a
// solar longitude is passed, the principal phase of a day) evaluates the
// series at 0 h of a day, and neighbouring years search the same days. At
// 0 h the series depend on the date only through its Julian date, so a
// remembered value is the very double a fresh evaluation gives.
#pragma once

namespace kalendo {

// SunLongitude(y, m, d, 0, 0, 0) and MoonLongitude(y, m, d, 0, 0, 0),
// remembered for the days of 1598-3002 (evaluated afresh outside). The day
// need not be normalised; the month must be 1-12.
double SunLongitudeAtMidnight(int y, int m, int d);
double MoonLongitudeAtMidnight(int y, int m, int d);

// Whether the astronomy layer remembers values (these longitudes, the
// new-moon minutes behind MoonAge and the precise almanac's located new
// moons and leads); on by default. Off, every value is
// computed afresh and nothing is kept or read; on again, what was kept
// before is used again (it cannot go stale: it depends on the day alone).
void SetAstroMemo(bool on);
bool AstroMemo();

// Forgets every remembered value (for measuring a cold start).
void ForgetAstroMemo();

}  // namespace kalendo
