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

// ΔT in days at an instant given as a Julian date in UT.
double DeltaTDaysAt(double jdUt);

}  // namespace kalendo
