// What the sky over a place needs of the ephemeris: the apparent geocentric
// positions of the sun and the moon in the celestial intermediate frame
// (the true equator of date with the celestial intermediate origin), and
// the earth's rotation angle that turns that frame into the earth's own.
// Instants are Julian dates in UT (JST minus 9 h), as in ephemeris.h.
#pragma once

#include "astro/geo_position.h"

namespace kalendo {

// Geocentric apparent positions, astronomical units, intermediate frame:
//  - the sun: eraEpv00's earth and annual aberration (eraAb);
//  - the moon: eraMoon98, back along its velocity by the light time.
// Precession-nutation by IAU 2006 with IAU 2000B nutation (eraPn06), the
// intermediate origin from eraS06. TT = UT + ΔT (delta_t.h).
struct SkyVector {
    double au[3];
};
SkyVector ApparentSunAt(double jdUt);
SkyVector ApparentMoonAt(double jdUt);

// The earth rotation angle (radians, [0, 2π)) at an instant, UT1 taken as
// UT: the angle between the intermediate origin and the terrestrial one.
double EarthRotationAngleRad(double jdUt);

// The observer on the GRS80 (= WGS84 within 0.1 mm) ellipsoid at height 0,
// in the terrestrial frame, astronomical units. Polar motion (below 0.5")
// is ignored, so the terrestrial frame is the intermediate one turned by
// the earth rotation angle.
struct ObserverVector {
    double au[3];
};
ObserverVector ObserverVectorOf(GeoPosition where);

}  // namespace kalendo
