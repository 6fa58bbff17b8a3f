#include "astro/sky_span.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

#include "astro/delta_t.h"

namespace kalendo {
namespace {

constexpr double kMjdZero = 2400000.5;
constexpr double kKmPerAu = ERFA_DAU / 1000.0;
// The sun's gravitational parameter in au^3/d^2 (the Gaussian constant
// squared): the earth's fall towards the sun bends the sun's geocentric path
// by some 600 km over the span, two thousandths of an arcsecond after the
// quadratic term.
constexpr double kGaussianConstant = 0.01720209895;
constexpr double kSunGmAu3PerDay2 = kGaussianConstant * kGaussianConstant;

double TtDays(double jdUt) { return jdUt - kMjdZero + DeltaTDaysAt(jdUt); }

SkyVector Rotated(const std::array<std::array<double, 3>, 3>& r, const SkyVector& p) {
    return {r[0][0] * p[0] + r[0][1] * p[1] + r[0][2] * p[2],
            r[1][0] * p[0] + r[1][1] * p[1] + r[1][2] * p[2],
            r[2][0] * p[0] + r[2][1] * p[1] + r[2][2] * p[2]};
}

// The Chebyshev nodes of the span, x in (-1, 1).
double NodeX(int j, int n) { return std::cos(ERFA_DPI * (j + 0.5) / n); }

}  // namespace

SkySpan::SkySpan(double centreJdUt) : centreJdUt_(centreJdUt) {
    const double tt = TtDays(centreJdUt);
    double dpsi, deps, epsa;
    double rb[3][3], rp[3][3], rbp[3][3], rn[3][3], rbpn[3][3];
    eraNut00b(kMjdZero, tt, &dpsi, &deps);
    eraPn06(kMjdZero, tt, dpsi, deps, &epsa, rb, rp, rbp, rn, rbpn);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) toDate_[i][j] = rbpn[i][j];
    }
    // Sidereal time is the earth rotation angle less the equation of the
    // origins, which changes by microarcseconds over the span.
    const double ut = centreJdUt - kMjdZero;
    siderealMinusEraRad_ = eraGst06(kMjdZero, ut, kMjdZero, tt, rbpn) - eraEra00(kMjdZero, ut);

    // The sun by its position, velocity and the sun's pull at the centre.
    double pvh[2][3], pvb[2][3];
    eraEpv00(kMjdZero, tt, pvh, pvb);  // TDB - TT (< 2 ms) is ignored
    const double r = eraPm(pvh[0]);
    for (int i = 0; i < 3; ++i) {
        sunKm_[i] = -pvh[0][i] * kKmPerAu;
        sunVelocityKmPerDay_[i] = -pvh[1][i] * kKmPerAu;
        sunAccelerationKmPerDay2_[i] = pvh[0][i] * kSunGmAu3PerDay2 / (r * r * r) * kKmPerAu;
        earthVelocityOverC_[i] = pvb[1][i] / ERFA_DC;
    }

    // The moon as a Chebyshev series of each coordinate over the span: its
    // path bends with periods of two weeks and more, so ten terms over
    // seventeen hours leave errors far below a metre.
    std::array<SkyVector, kMoonNodes> atNode;
    for (int j = 0; j < kMoonNodes; ++j) {
        const double t = tt + kSkySpanHalfDays * NodeX(j, kMoonNodes);
        double pv[2][3];
        eraMoon98(kMjdZero, t, pv);
        const double lightDays = eraPm(pv[0]) / ERFA_DC;
        SkyVector p;
        for (int i = 0; i < 3; ++i) p[i] = (pv[0][i] - lightDays * pv[1][i]) * kKmPerAu;
        atNode[j] = Rotated(toDate_, p);
    }
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < kMoonNodes; ++k) {
            double sum = 0;
            for (int j = 0; j < kMoonNodes; ++j) {
                sum += atNode[j][i] * std::cos(ERFA_DPI * k * (j + 0.5) / kMoonNodes);
            }
            moonChebyshev_[i][k] = 2.0 * sum / kMoonNodes;
        }
    }
}

SkyVector SkySpan::Sun(double jdUt) const {
    const double dt = jdUt - centreJdUt_;
    double p[3];
    for (int i = 0; i < 3; ++i) {
        p[i] = sunKm_[i] + dt * (sunVelocityKmPerDay_[i] + 0.5 * dt * sunAccelerationKmPerDay2_[i]);
    }
    double distanceKm, unit[3], apparent[3], v[3] = {earthVelocityOverC_[0],
                                                     earthVelocityOverC_[1],
                                                     earthVelocityOverC_[2]};
    eraPn(p, &distanceKm, unit);
    const double bm1 = std::sqrt(1.0 - eraPm(v) * eraPm(v));
    eraAb(unit, v, distanceKm / kKmPerAu, bm1, apparent);
    return Rotated(toDate_, {apparent[0] * distanceKm, apparent[1] * distanceKm,
                             apparent[2] * distanceKm});
}

SkyVector SkySpan::Moon(double jdUt) const {
    // Clenshaw's recurrence; x in [-1, 1] across the span.
    const double x = (jdUt - centreJdUt_) / kSkySpanHalfDays;
    SkyVector p;
    for (int i = 0; i < 3; ++i) {
        double b1 = 0, b2 = 0;
        for (int k = kMoonNodes - 1; k >= 1; --k) {
            const double b0 = 2 * x * b1 - b2 + moonChebyshev_[i][k];
            b2 = b1;
            b1 = b0;
        }
        p[i] = x * b1 - b2 + 0.5 * moonChebyshev_[i][0];
    }
    return p;
}

double SkySpan::SiderealRad(double jdUt) const {
    return eraEra00(kMjdZero, jdUt - kMjdZero) + siderealMinusEraRad_;
}

EarthFixedSite EarthFixedSiteOf(const GeoPosition& place) {
    double xyzM[3];
    const double latitudeRad = place.latitudeDeg * ERFA_DD2R;
    const double longitudeRad = place.longitudeDeg * ERFA_DD2R;
    eraGd2gc(ERFA_WGS84, longitudeRad, latitudeRad, 0.0, xyzM);
    return {{xyzM[0] / 1000.0, xyzM[1] / 1000.0, xyzM[2] / 1000.0},
            longitudeRad,
            std::cos(latitudeRad),
            std::sin(latitudeRad)};
}

SiteOfDate SkySpan::Site(const EarthFixedSite& site, double jdUt) const {
    // The earth turned by sidereal time about the pole of date (polar
    // motion, below 15 m, ignored).
    const double s = SiderealRad(jdUt);
    const double cosS = std::cos(s), sinS = std::sin(s);
    const SkyVector& p = site.positionKm;
    const double hourRad = site.longitudeRad + s;
    return {{p[0] * cosS - p[1] * sinS, p[0] * sinS + p[1] * cosS, p[2]},
            {site.cosLatitude * std::cos(hourRad), site.cosLatitude * std::sin(hourRad),
             site.sinLatitude}};
}

double MoonLatitudeJ2000Deg(double jdUt) {
    double pv[2][3];
    eraMoon98(kMjdZero, TtDays(jdUt), pv);
    const double eps = eraObl06(ERFA_DJ00, 0.0);
    const double aboveEcliptic = -std::sin(eps) * pv[0][1] + std::cos(eps) * pv[0][2];
    return std::asin(aboveEcliptic / eraPm(pv[0])) * ERFA_DR2D;
}

}  // namespace kalendo
