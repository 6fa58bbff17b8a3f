// Where on the earth an observer stands, for the sky over a town (rise, set,
// transit) and the eclipses seen from it. The observer is on the reference
// ellipsoid at height 0: no horizon dip and no terrain, as the national
// almanac's published times assume.
#pragma once

namespace kalendo {

struct GeoPosition {
    double latitudeDeg;   // geodetic, north positive, [-90, 90]
    double longitudeDeg;  // east positive, [-180, 180]
};

}  // namespace kalendo
