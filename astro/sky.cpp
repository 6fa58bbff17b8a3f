#include "astro/sky.h"

#include <cassert>
#include <cmath>
#include <numbers>

#include "astro/delta_t.h"
#include "astro/ephemeris.h"
#include "astro/longitude_memo.h"
#include "astro/sky_ephemeris.h"

namespace kalendo {
namespace {

constexpr double kDegPerRad = 180.0 / std::numbers::pi;

// The positions are evaluated at a few instants and interpolated by the
// polynomial through them, as almanac makers tabulate an ephemeris and
// interpolate it:
//  - the moon at five instants a quarter of a day apart, 0 h to 24 h JST.
//    Its geocentric vector turns once in 27.3 days: the fifth derivative of
//    a component is below 2e-6 au/day^5, so the interpolation is good to
//    1e-10 au (0.01" of the moon) anywhere in the day;
//  - the sun at the four midnights from the day before to the day after
//    next. Its vector turns once a year (the fourth derivative is below
//    1e-7 au/day^4) and nutation moves the frame by 0.2" in 13.7 days at
//    the fastest: the cubic is good to 0.001". The earth's position is the
//    costly part of the ephemeris; at midnights it serves four days in a
//    row (ApparentSunRemembered).
constexpr int kMoonNodeCount = 5;
constexpr double kMoonFirstNodeDays = 0, kMoonNodeStepDays = 0.25;
constexpr int kSunNodeCount = 4;
constexpr double kSunFirstNodeDays = -1, kSunNodeStepDays = 1;
constexpr int kMostNodes = kMoonNodeCount;

// The day is sampled at this step for changes of sign; a pair of crossings
// closer than a step (a body grazing the horizon) is found at the extreme
// between them (DayTrack::AddCrossings).
constexpr double kSampleStepDays = 15.0 / 1440;
constexpr int kSampleCount = 97;  // 0 h to 24 h JST
static_assert((kSampleCount - 1) * kSampleStepDays == 1.0);

// Roots and extremes are refined to a millisecond: 0.015" of the sun's or
// the moon's altitude at the fastest.
constexpr double kRootToleranceDays = 1e-3 / kSecondsPerDay;
// An instant belongs to the day of the JST second it rounds to.
constexpr double kHalfSecondDays = 0.5 / kSecondsPerDay;

// The sun at an instant, the last few asked remembered: days are mostly
// asked in a row (a range of days, a month printed), and each midnight is
// a node of four of them. The value is a function of the instant alone, so
// it cannot go stale; with the almanac's caching off it is computed afresh.
SkyVector ApparentSunRemembered(double jdUt) {
    struct Kept {
        double jdUt = 0;
        SkyVector sun{};
    };
    thread_local Kept kept[kSunNodeCount];
    thread_local int oldest = 0;
    if (!AlmanacCaching()) return ApparentSunAt(jdUt);
    for (const Kept& k : kept) {
        if (k.jdUt == jdUt) return k.sun;
    }
    const SkyVector sun = ApparentSunAt(jdUt);
    kept[oldest] = {jdUt, sun};
    oldest = (oldest + 1) % kSunNodeCount;
    return sun;
}

struct Vec3 {
    double x, y, z;
};
double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

enum class Body { Sun, Moon };

// What the searches ask of a body at an instant.
struct Look {
    double altitudeDeg;     // centre, topocentric, airless
    double distanceAu;      // geocentric
    double westOfMeridian;  // the sine of the geocentric hour angle, times cos(declination)
};

// A body's apparent vector through the day, interpolated from its nodes.
class Track {
public:
    // Nodes at jdStart + firstDays + k * stepDays, k < nodeCount.
    template <class Source>
    Track(double jdStart, int nodeCount, double firstDays, double stepDays, Source source)
        : nodeCount_(nodeCount), firstDays_(firstDays), stepDays_(stepDays) {
        for (int k = 0; k < nodeCount; ++k) node_[k] = source(jdStart + NodeDays(k));
    }

    // x: days from the day's 0 h JST, in [0, 1] (half a second beyond is
    // harmless). Lagrange's form of the interpolating polynomial.
    Vec3 At(double x) const {
        double p[3] = {0, 0, 0};
        for (int k = 0; k < nodeCount_; ++k) {
            double weight = 1;
            for (int j = 0; j < nodeCount_; ++j) {
                if (j != k) weight *= (x - NodeDays(j)) / ((k - j) * stepDays_);
            }
            for (int i = 0; i < 3; ++i) p[i] += weight * node_[k].au[i];
        }
        return {p[0], p[1], p[2]};
    }

private:
    double NodeDays(int k) const { return firstDays_ + k * stepDays_; }
    int nodeCount_;
    double firstDays_, stepDays_;
    SkyVector node_[kMostNodes];
};

class DaySearch {
public:
    DaySearch(double jdStart, GeoPosition where)
        : jdStart_(jdStart),
          sun_(jdStart, kSunNodeCount, kSunFirstNodeDays, kSunNodeStepDays, ApparentSunRemembered),
          moon_(jdStart, kMoonNodeCount, kMoonFirstNodeDays, kMoonNodeStepDays, ApparentMoonAt) {
        const ObserverVector o = ObserverVectorOf(where);
        observer_ = {o.au[0], o.au[1], o.au[2]};
        const double lat = where.latitudeDeg / kDegPerRad, lon = where.longitudeDeg / kDegPerRad;
        up_ = {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
        east_ = {-std::sin(lon), std::cos(lon), 0};
        for (int i = 0; i < kSampleCount; ++i) {
            sampleX_[i] = -kHalfSecondDays + i * kSampleStepDays;
            sunSamples_[i] = LookAt(Body::Sun, sampleX_[i]);
            moonSamples_[i] = LookAt(Body::Moon, sampleX_[i]);
        }
    }

    Look LookAt(Body body, double x) const {
        const Vec3 p = body == Body::Sun ? sun_.At(x) : moon_.At(x);
        // Into the terrestrial frame: the intermediate frame turned about
        // the pole by the earth rotation angle.
        const double era = EarthRotationAngleRad(jdStart_ + x);
        const double c = std::cos(era), s = std::sin(era);
        const Vec3 geo = {c * p.x + s * p.y, -s * p.x + c * p.y, p.z};
        const Vec3 topo = {geo.x - observer_.x, geo.y - observer_.y, geo.z - observer_.z};
        const double distance = std::sqrt(Dot(geo, geo));
        return {std::asin(Dot(topo, up_) / std::sqrt(Dot(topo, topo))) * kDegPerRad, distance,
                -Dot(geo, east_) / distance};
    }

    // Every instant of the day at which value(Look) changes sign: from
    // below to above into `rising`, from above to below into `setting`
    // (either may be null). The samples show the sign changes; a sample
    // that is an extreme among its neighbours, with their sign, is searched
    // for the true extreme, which may cross zero and back between them.
    template <class Value>
    void AddCrossings(Body body, Value value, SkyEvents* rising, SkyEvents* setting) const {
        const Look* samples = body == Body::Sun ? sunSamples_ : moonSamples_;
        const auto f = [&](double x) { return value(LookAt(body, x)); };
        double fs[kSampleCount];
        for (int i = 0; i < kSampleCount; ++i) fs[i] = value(samples[i]);
        for (int i = 0; i + 1 < kSampleCount; ++i) {
            // Between its neighbours f strays from the parabola through the
            // three samples by far less than their second difference, and
            // that parabola from fs[i] by at most half of it: a sample
            // farther from zero than the whole second difference hides no
            // crossing (a culmination high above the horizon, an hour
            // angle of 90 deg), and the costly search is spared.
            if (i > 0 && (fs[i] - fs[i - 1]) * (fs[i + 1] - fs[i]) < 0 &&
                (fs[i] > 0) == (fs[i - 1] > 0) && (fs[i] > 0) == (fs[i + 1] > 0) &&
                std::abs(fs[i]) <= std::abs(fs[i - 1] - 2 * fs[i] + fs[i + 1])) {
                const double xe = Extreme(f, sampleX_[i - 1], sampleX_[i + 1], fs[i] > fs[i - 1]);
                const double fe = f(xe);
                if ((fe > 0) != (fs[i] > 0)) {
                    AddRoot(body, f, sampleX_[i - 1], fs[i - 1], xe, fe, rising, setting);
                    AddRoot(body, f, xe, fe, sampleX_[i + 1], fs[i + 1], rising, setting);
                }
            }
            if ((fs[i] > 0) != (fs[i + 1] > 0)) {
                AddRoot(body, f, sampleX_[i], fs[i], sampleX_[i + 1], fs[i + 1], rising, setting);
            }
        }
    }

private:
    // The extreme of f in [a, b] by golden-section search; f has one there.
    template <class F>
    static double Extreme(F f, double a, double b, bool isMaximum) {
        const double ratio = (std::sqrt(5.0) - 1) / 2;
        double c = b - ratio * (b - a), d = a + ratio * (b - a);
        double fc = f(c), fd = f(d);
        while (b - a > kRootToleranceDays) {
            if ((fc > fd) == isMaximum) {
                b = d, d = c, fd = fc;
                c = b - ratio * (b - a);
                fc = f(c);
            } else {
                a = c, c = d, fc = fd;
                d = a + ratio * (b - a);
                fd = f(d);
            }
        }
        return (a + b) / 2;
    }

    // The root of f in a bracket [a, b] by the Illinois variant of regula
    // falsi (a few steps, since f is smooth), ending when the bracket is a
    // millisecond wide or a step lands within a microsecond of the root's
    // line. Invariant: fa and fb lie on either side of zero.
    template <class F>
    void AddRoot(Body body, F f, double a, double fa, double b, double fb, SkyEvents* rising,
                 SkyEvents* setting) const {
        SkyEvents* into = fa <= 0 ? rising : setting;
        if (into == nullptr) return;
        int side = 0;
        double x = (a + b) / 2;
        while (b - a > kRootToleranceDays) {
            x = (a * fb - b * fa) / (fb - fa);
            const double fx = f(x);
            if (fx == 0) break;
            if ((fx > 0) == (fb > 0)) {
                b = x, fb = fx;
                if (side == 1) fa /= 2;
                side = 1;
            } else {
                a = x, fa = fx;
                if (side == -1) fb /= 2;
                side = -1;
            }
            if (std::abs(fx) < 1e-12) break;
        }
        assert(into->count < kMostSkyEventsOfAKind);
        if (into->count < kMostSkyEventsOfAKind) {
            into->at[into->count++] = {jdStart_ + x, LookAt(body, x).altitudeDeg};
        }
    }

    double jdStart_;
    Track sun_, moon_;
    Vec3 observer_, up_, east_;
    double sampleX_[kSampleCount];
    Look sunSamples_[kSampleCount], moonSamples_[kSampleCount];
};

}  // namespace

double SunriseAltitudeDeg(double distanceAu) {
    return -(kHorizontalRefractionDeg + kSunSemiDiameterAt1AuArcsec / 3600.0 / distanceAu);
}

DaySky ComputeDaySky(int y, int m, int d, GeoPosition where) {
    // The samples run from half a second before 0 h to half a second
    // before 24 h: the instants that round into the day.
    const DaySearch search(JstMidnightJd(y, m, d), where);
    DaySky sky;
    search.AddCrossings(
        Body::Sun, [](const Look& l) { return l.altitudeDeg - SunriseAltitudeDeg(l.distanceAu); },
        &sky.sunrise, &sky.sunset);
    search.AddCrossings(
        Body::Sun, [](const Look& l) { return l.altitudeDeg - kTwilightSunAltitudeDeg; },
        &sky.dawn, &sky.dusk);
    search.AddCrossings(
        Body::Moon, [](const Look& l) { return l.altitudeDeg + kHorizontalRefractionDeg; },
        &sky.moonrise, &sky.moonset);
    // The hour angle grows through the day: its sine goes from negative to
    // positive on the upper meridian (a transit) and back on the lower
    // one, a "setting" crossing that is not kept. The observer lies in the
    // meridian plane, so the topocentric centre crosses it at the same
    // instant as the geocentric one.
    const auto west = [](const Look& l) { return l.westOfMeridian; };
    search.AddCrossings(Body::Sun, west, &sky.sunTransit, nullptr);
    search.AddCrossings(Body::Moon, west, &sky.moonTransit, nullptr);
    return sky;
}

}  // namespace kalendo
