// The sun and the moon as vectors, for the geometry of eclipses: apparent
// geocentric positions on the true equator and equinox of date, in
// kilometres, and the observer's place in the same frame, over a span of a
// few hours around an instant. Instants are Julian dates in UT (JST minus
// 9 h); TT = UT + ΔT (delta_t.h), UT1 - UTC ignored, as in ephemeris.h.
#pragma once

#include <array>

#include "astro/geo_position.h"

namespace kalendo {

using SkyVector = std::array<double, 3>;  // x towards the true equinox, z the pole; km

// An observer on the reference ellipsoid (GRS80/WGS84) at height 0, in the
// earth's own frame: computed once for a place, then turned with the earth.
struct EarthFixedSite {
    SkyVector positionKm;  // x towards longitude 0, z the pole
    double longitudeRad, cosLatitude, sinLatitude;
};
EarthFixedSite EarthFixedSiteOf(const GeoPosition& place);

// The observer in the frame of date at an instant, and the unit normal of
// the ellipsoid there (the local zenith).
struct SiteOfDate {
    SkyVector positionKm, zenith;
};

// Half the length of the span a SkySpan covers: an eclipse seen from one
// place lasts at most about four hours, and its middle lies within three
// hours of the geocentric syzygy, which the series find within an hour.
inline constexpr double kSkySpanHalfDays = 0.35;

class SkySpan {
public:
    // The span [centreJdUt - kSkySpanHalfDays, centreJdUt + kSkySpanHalfDays].
    explicit SkySpan(double centreJdUt);

    // The sun: geometric direction displaced by the annual aberration, at
    // its true distance. The moon: where it was when its light left it.
    SkyVector Sun(double jdUt) const;
    SkyVector Moon(double jdUt) const;
    SiteOfDate Site(const EarthFixedSite& site, double jdUt) const;

    double centreJdUt() const { return centreJdUt_; }

private:
    // Greenwich apparent sidereal time, radians.
    double SiderealRad(double jdUt) const;

    static constexpr int kMoonNodes = 10;
    double centreJdUt_;
    std::array<std::array<double, kMoonNodes>, 3> moonChebyshev_{};
    SkyVector sunKm_{}, sunVelocityKmPerDay_{}, sunAccelerationKmPerDay2_{};
    SkyVector earthVelocityOverC_{};
    std::array<std::array<double, 3>, 3> toDate_{};  // GCRS -> true equator of date
    double siderealMinusEraRad_ = 0;
};

// The moon's latitude over the ecliptic of J2000 at an instant, degrees:
// enough to pass over syzygies far from a node (the ecliptic of date stays
// within a few arcminutes of it over the supported years).
double MoonLatitudeJ2000Deg(double jdUt);

}  // namespace kalendo
