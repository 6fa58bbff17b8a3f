#include "astro/sky_ephemeris.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

#include "astro/delta_t.h"

namespace kalendo {
namespace {

constexpr double kMjdZero = 2400000.5;
constexpr double kMetresPerAu = ERFA_DAU;

// TT as the two-part Julian date ERFA takes.
struct TwoPartJd {
    double jd1, jd2;
};
TwoPartJd TerrestrialTime(double jdUt) {
    return {kMjdZero, jdUt - kMjdZero + DeltaTDaysAt(jdUt)};
}

// A GCRS vector in the intermediate frame of the date.
SkyVector InIntermediateFrame(const TwoPartJd& tt, double gcrs[3]) {
    double dpsi, deps;
    eraNut00b(tt.jd1, tt.jd2, &dpsi, &deps);
    double epsa, rb[3][3], rp[3][3], rbp[3][3], rn[3][3], rbpn[3][3];
    eraPn06(tt.jd1, tt.jd2, dpsi, deps, &epsa, rb, rp, rbp, rn, rbpn);
    double x, y, rc2i[3][3];
    eraBpn2xy(rbpn, &x, &y);
    eraC2ixys(x, y, eraS06(tt.jd1, tt.jd2, x, y), rc2i);
    SkyVector v;
    eraRxp(rc2i, gcrs, v.au);
    return v;
}

}  // namespace

SkyVector ApparentSunAt(double jdUt) {
    const TwoPartJd tt = TerrestrialTime(jdUt);
    // The sun as seen from the earth's centre: the heliocentric earth
    // reversed, light time (8.3 min, during which the sun moves 0.01")
    // ignored; then annual aberration by the earth's barycentric velocity.
    double pvh[2][3], pvb[2][3];
    eraEpv00(tt.jd1, tt.jd2, pvh, pvb);  // TDB - TT (< 2 ms) is ignored
    double toSun[3], unit[3], velocity[3], apparent[3], distance;
    eraSxp(-1.0, pvh[0], toSun);
    eraPn(toSun, &distance, unit);
    eraSxp(1.0 / ERFA_DC, pvb[1], velocity);
    const double bm1 = std::sqrt(1.0 - eraPm(velocity) * eraPm(velocity));
    eraAb(unit, velocity, distance, bm1, apparent);
    eraSxp(distance, apparent, apparent);
    return InIntermediateFrame(tt, apparent);
}

SkyVector ApparentMoonAt(double jdUt) {
    const TwoPartJd tt = TerrestrialTime(jdUt);
    // The moon moves with the earth, so its apparent place is where it was
    // when the light left it, relative to the earth: no annual aberration.
    double pv[2][3];
    eraMoon98(tt.jd1, tt.jd2, pv);
    double moon[3];
    eraPpsp(pv[0], -eraPm(pv[0]) / ERFA_DC, pv[1], moon);
    return InIntermediateFrame(tt, moon);
}

double EarthRotationAngleRad(double jdUt) { return eraEra00(kMjdZero, jdUt - kMjdZero); }

ObserverVector ObserverVectorOf(GeoPosition where) {
    double xyzMetres[3];
    eraGd2gc(ERFA_GRS80, where.longitudeDeg * ERFA_DD2R, where.latitudeDeg * ERFA_DD2R, 0.0,
             xyzMetres);
    ObserverVector v;
    for (int i = 0; i < 3; ++i) v.au[i] = xyzMetres[i] / kMetresPerAu;
    return v;
}

}  // namespace kalendo
