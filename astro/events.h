// Instants of the solar terms and the principal moon phases, found by Newton
// steps on an ephemeris. Instants are Julian dates in UT (ephemeris.h).
#pragma once

namespace kalendo {

// The instant nearest `guessJdUt` at which the sun's apparent longitude is
// angleDeg, to within a second of the ERFA ephemeris' own solution. The
// guess must lie within a few days of it (a term is 15 days from the next).
double SolarTermInstant(double angleDeg, double guessJdUt);

// The instant nearest `guessJdUt` at which the moon is phaseDeg ahead of
// the sun in longitude (0 new moon, 90 first quarter, 180 full, 270 last
// quarter), to within a second; the guess must lie within a week of it.
double MoonPhaseInstant(double phaseDeg, double guessJdUt);

// The first guesses of the two searches above: the same events from the
// almanac's own series, searched in TT and brought back to UT, to within a
// minute of the series' solution. Over 1600-2999 they lie within
// kSeriesErrorBoundDays of the ERFA instants (54 min at worst, in 2998, where
// the series' truncation grows with T^2; 10 min or less around 2000).
inline constexpr double kSeriesErrorBoundDays = 1.5 / 24;
double SolarTermSeriesInstant(double angleDeg, double guessJdUt);
double MoonPhaseSeriesInstant(double phaseDeg, double guessJdUt);

// The instants at which the standard almanac's series reach the angle, on
// their own time (JST minus 9 h, no ΔT), to within a second: where the
// standard almanac places the event. The guess must lie within a few days.
double SolarTermStandardInstant(double angleDeg, double guessJdUt);
double MoonPhaseStandardInstant(double phaseDeg, double guessJdUt);

}  // namespace kalendo
