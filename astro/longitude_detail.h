// What the searches over the longitude series may assume about them.
#pragma once

namespace kalendo {

// An upper bound, in degrees per minute of clock time, on how fast
// SunLongitude - MoonLongitude can change between two minutes of the same
// day, for years 0-4000 (|T| <= 20 centuries). It is the sum of the rates
// of both mean longitudes and of every periodic term's largest slope,
// |amplitude| * rate * k, taken from the series tables themselves and
// widened by half for the rounding of T and of the sums. The true rate
// never exceeds about 0.011 deg/min: the moon's 15.4 deg/day at perigee.
// Whole turns of 360 deg that the reduction into [0, 360) adds or removes
// are not covered: a caller measures the distance around the circle.
double MaxElongationRateDegPerMinute();

// An upper bound, in degrees per day, on how far SunLongitude moves in a day
// (between 0 h of two days, before the reduction into [0, 360)), for years
// 0-4000; the true motion is at most about 1.02 deg, at perihelion.
double MaxSunRateDegPerDay();

}  // namespace kalendo
