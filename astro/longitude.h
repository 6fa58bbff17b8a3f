// Geocentric ecliptic longitudes of the sun and the moon, degrees in
// [0, 360), for a civil date and clock time in Japan Standard Time.
//
// Truncated periodic series in T, Julian centuries of 36525 d from
// JD 2451545.0, taken from JST minus 9 h with no ΔT (TT - UT) correction.
// The date need not be normalised in the day and the hour may pass 23: both
// enter linearly. The month must be 1-12.
#pragma once

namespace kalendo {

double SunLongitude(int year, int month, int day, int hour, int minute, int second);
double MoonLongitude(int year, int month, int day, int hour, int minute, int second);

}  // namespace kalendo
