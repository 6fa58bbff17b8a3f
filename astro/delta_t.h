// ΔT = TT - UT in seconds, from the polynomial expressions of Espenak and
// Meeus (Five Millennium Canon of Solar Eclipses, 2006), which fit the
// observed values of 1600-2005 and extrapolate beyond.
#pragma once

namespace kalendo {

inline constexpr double kSecondsPerDay = 86400.0;
inline constexpr double kJdOf2000Jan1 = 2451544.5;  // 0 h UT

// `decimalYear` is the year with its fraction (2000.5 is mid-2000). Defined
// for any value; meaningful as an estimate for roughly -2000 to 3000.
double DeltaTSeconds(double decimalYear);

// The decimal year of an instant given as a Julian date in UT, counted in
// mean Gregorian years from 2000.
double DecimalYearAt(double jdUt);

// ΔT in days at an instant given as a Julian date in UT.
double DeltaTDaysAt(double jdUt);

// How far the ΔT above may be from the true one, in seconds: five standard
// errors of the parabola of Morrison and Stephenson (2004), 0.8 u^2 s with
// u in centuries from 1820, plus one second for UT1 - UTC, which the precise
// almanac ignores. Over 1600-1820 it covers the telescopic-era errors of
// Stephenson and Houlden (1986: 20 s in 1600, 5 s in 1700); near the present
// it is 14 s in 2000 and 32 s in 2100; by 2999 it has grown to 9 minutes, the spread
// of the extrapolations of the earth's slowing rotation.
double DeltaTUncertaintySeconds(double decimalYear);

}  // namespace kalendo
