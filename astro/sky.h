// The sky over a place on a JST day: sunrise and sunset, the sun's transit
// and its altitude, dawn and dusk (夜明・日暮), moonrise, the moon's transit
// and moonset. Always from the ERFA ephemeris with ΔT, whatever the almanac
// mode: a rise or set is a matter of seconds, which the standard almanac's
// series (minutes off in the moon) cannot give.
//
// The definitions are the national almanac's:
//  - sunrise, sunset: the sun's upper limb on the horizon, with the
//    horizontal refraction 35'08": the centre's altitude (topocentric,
//    airless) is -(35'08" + the sun's semi-diameter);
//  - moonrise, moonset: the moon's centre on the horizon with the same
//    refraction, topocentric (the moon's parallax, about 1 deg, counts);
//  - transit (南中): the centre on the observer's meridian above the pole;
//  - dawn, dusk: the sun's centre at -7deg21'40";
//  - the observer on the reference ellipsoid at height 0: no dip of the
//    horizon and no terrain.
// An event belongs to the day whose JST second it rounds to. A day may
// hold none of a kind (the moon rises about 50 minutes later each day, so
// one day a month has no moonrise) or two (near the polar circles).
#pragma once

#include "astro/geo_position.h"

namespace kalendo {

inline constexpr double kHorizontalRefractionDeg = (35 * 60 + 8) / 3600.0;
inline constexpr double kTwilightSunAltitudeDeg = -(7 + 21 / 60.0 + 40 / 3600.0);
// The sun's semi-diameter at 1 au, arcseconds (the IAU value 959.63").
inline constexpr double kSunSemiDiameterAt1AuArcsec = 959.63;

// The centre's topocentric airless altitude at sunrise and sunset when the
// sun is `distanceAu` away.
double SunriseAltitudeDeg(double distanceAu);

struct SkyEvent {
    double jdUt;         // the instant, Julian date in UT
    double altitudeDeg;  // the centre's topocentric airless altitude then
};

// The events of one kind on one day, in time order.
inline constexpr int kMostSkyEventsOfAKind = 3;
struct SkyEvents {
    int count = 0;
    SkyEvent at[kMostSkyEventsOfAKind];
};

struct DaySky {
    SkyEvents sunrise, sunTransit, sunset, dawn, dusk, moonrise, moonTransit, moonset;
};

// The sky of the JST civil day y-m-d (1600-2999) at `where` (latitude
// within +-65 deg). Each event is found to within a millisecond of the
// ephemeris' own instant; its altitude is the definition's within 0.1".
DaySky ComputeDaySky(int y, int m, int d, GeoPosition where);

}  // namespace kalendo
