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

}  // namespace kalendo
