// One face for the sources of the sun's and the moon's positions: the
// event searches ask an Ephemeris and do not know which series stands behind
// it. Instants are Julian dates in Universal Time (JST minus 9 h); each
// source turns them into its own time scale.
#pragma once

#include "platform/calendar_date.h"

namespace kalendo {

// An apparent geocentric ecliptic longitude of date and how fast it moves.
struct EclipticLongitude {
    double deg;        // [0, 360)
    double degPerDay;  // the rate, good to a part in 10^4: enough for a Newton step
};

class Ephemeris {
public:
    virtual ~Ephemeris() = default;
    virtual EclipticLongitude Sun(double jdUt) const = 0;
    virtual EclipticLongitude Moon(double jdUt) const = 0;
};

// The almanac's own truncated series, with its own time convention (JST
// minus 9 h taken as the series' time, no ΔT). Its rates are the mean
// motions; it serves as the cheap first guess of the searches.
const Ephemeris& SeriesEphemeris();

// ERFA: the earth's position and velocity from eraEpv00 (VSOP2000-fitted,
// light time of the sun below 0.01"), annual aberration with eraAb, the moon
// from eraMoon98 with its 1.3 s light time, the mean ecliptic and equinox of
// date by IAU 2006 precession (eraEcm06) and the nutation in longitude by
// IAU 2000B (eraNut00b, within 1 mas of 2000A). TT = UT + ΔT (delta_t.h);
// UT1 - UTC (below 0.9 s) is ignored.
const Ephemeris& ErfaEphemeris();

// JST is UT + 9 h.
inline constexpr double kJstOffsetDays = 9.0 / 24.0;

// Julian date (UT) of 0 h JST of a civil date.
double JstMidnightJd(int y, int m, int d);

// The JST civil date in which an instant falls.
CalendarDate JstDateOf(double jdUt);

// An instant rounded to the JST second: the civil day and the second of it
// (0-86399; an instant that rounds up to midnight belongs to the next day).
struct JstSecond {
    CalendarDate day;
    long long secondOfDay;
};
JstSecond JstSecondOf(double jdUt);

}  // namespace kalendo
