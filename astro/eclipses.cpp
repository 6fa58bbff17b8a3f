#include "astro/eclipses.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "astro/delta_t.h"
#include "astro/ephemeris.h"
#include "astro/events.h"
#include "astro/sky.h"
#include "astro/sky_span.h"
#include "core/calendar_constants.h"

namespace kalendo {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegPerRad = 180.0 / kPi;
constexpr double kEarthEquatorKm = 6378.137;  // GRS80
constexpr double kMoonLimbKm = kMoonLimbEarthRadii * kEarthEquatorKm;
constexpr double kKmPerAu = 149597870.7;

// A mean new moon (2000 January 6, 18:14 UT): syzygy h (even: new moon, odd:
// full moon) is guessed at this plus h half synodic months; the series then
// find the true one, which lies within a day of the guess.
constexpr double kMeanNewMoonJdUt = 2451550.26;
constexpr double kHalfSynodicDays = kMeanSynodicMonthDays / 2;

// The moon's mean argument of latitude (its mean distance from the
// ascending node) at that mean new moon, and its gain per half synodic
// month, degrees. An eclipse needs the moon within about 18 deg of a node at
// the true syzygy, which lies within 14 h (8 deg of argument) of the mean
// one, and the true argument differs from the mean by under 2 deg: a mean
// argument beyond kMeanLatitudeArgumentLimitDeg from both nodes leaves no
// eclipse, and such a syzygy is passed over without asking the series.
constexpr double kMeanLatitudeArgumentDeg = 160.7108;
constexpr double kLatitudeArgumentPerHalfMonthDeg = 390.67050284 / 2;
constexpr double kMeanLatitudeArgumentLimitDeg = 30;

bool FarFromANode(long long h) {
    const double f = std::fmod(kMeanLatitudeArgumentDeg + h * kLatitudeArgumentPerHalfMonthDeg,
                               kHalfCircleDeg);
    const double fromNode = std::min(std::abs(f), kHalfCircleDeg - std::abs(f));
    return fromNode > kMeanLatitudeArgumentLimitDeg;
}

// Beyond this ecliptic latitude at the syzygy the moon misses the sun seen
// from anywhere on the earth (1.58 deg at most) and the penumbra (1.57 deg at
// most), even with the series' hour of error in the syzygy's instant.
constexpr double kEclipseLatitudeLimitDeg = 1.8;

// Contacts are first bracketed on a ten-minute grid over the span, then
// bisected to a twentieth of a second; no contact is ten minutes from
// another of the same sign change, and no phase of an eclipse is shorter
// than that except at grazing central paths, where the bisection between the
// maximum and the grid point still brackets it.
constexpr double kGridDays = 10.0 / 1440;
constexpr double kSolveDays = 0.05 / kSecondsPerDay;
constexpr int kGridSteps = static_cast<int>(2 * kSkySpanHalfDays / kGridDays);

double Dot(const SkyVector& a, const SkyVector& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double Norm(const SkyVector& a) { return std::sqrt(Dot(a, a)); }
SkyVector Minus(const SkyVector& a, const SkyVector& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
double AngleRad(const SkyVector& a, const SkyVector& b) {
    const SkyVector c = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                         a[0] * b[1] - a[1] * b[0]};
    return std::atan2(Norm(c), Dot(a, b));
}
double AltitudeDeg(const SkyVector& toBody, const SkyVector& zenith) {
    return std::asin(Dot(toBody, zenith) / Norm(toBody)) * kDegPerRad;
}

// The zero of f in [a, b], where f(a) and f(b) differ in sign.
template <class F>
double Bisect(F f, double a, double b) {
    const bool aNegative = f(a) < 0;
    while (b - a > kSolveDays) {
        const double m = 0.5 * (a + b);
        if ((f(m) < 0) == aNegative) {
            a = m;
        } else {
            b = m;
        }
    }
    return 0.5 * (a + b);
}

// The minimum of a function with one minimum in [a, b], by golden section.
template <class F>
double Minimum(F f, double a, double b) {
    const double g = (std::sqrt(5.0) - 1) / 2;
    double c = b - g * (b - a), d = a + g * (b - a);
    double fc = f(c), fd = f(d);
    while (b - a > kSolveDays) {
        if (fc < fd) {
            b = d, d = c, fd = fc;
            c = b - g * (b - a), fc = f(c);
        } else {
            a = c, c = d, fc = fd;
            d = a + g * (b - a), fd = f(d);
        }
    }
    return 0.5 * (a + b);
}

// The grid instant where `distance` is least, refined between its
// neighbours. The moon gains on the sun or the shadow by 0.45 deg/h or more,
// and the observer's turning moves it by 0.26 deg/h at most, so the distance
// falls and then rises across the span: a grid of half hours finds the dip.
constexpr double kMinimumGridDays = 30.0 / 1440;
constexpr int kMinimumGridSteps = static_cast<int>(2 * kSkySpanHalfDays / kMinimumGridDays);
template <class F>
double MinimumOverSpan(F distance, double startJd) {
    int best = 0;
    double bestValue = distance(startJd);
    for (int i = 1; i <= kMinimumGridSteps; ++i) {
        const double v = distance(startJd + i * kMinimumGridDays);
        if (v < bestValue) best = i, bestValue = v;
    }
    return Minimum(distance, startJd + std::max(best - 1, 0) * kMinimumGridDays,
                   startJd + std::min(best + 1, kMinimumGridSteps) * kMinimumGridDays);
}

// The instant before (direction -1) or after (+1) `inside`, where f < 0,
// at which f becomes 0; nullopt when f stays negative to the span's end.
template <class F>
std::optional<double> Contact(F f, double insideJd, int direction, double startJd) {
    const double endJd = startJd + kGridSteps * kGridDays;
    double previous = insideJd;
    for (double t = insideJd + direction * kGridDays;; t += direction * kGridDays) {
        const double clamped = std::clamp(t, startJd, endJd);
        if (f(clamped) >= 0) {
            return direction < 0 ? Bisect(f, clamped, previous) : Bisect(f, previous, clamped);
        }
        if (clamped != t) return std::nullopt;
        previous = clamped;
    }
}

// The body's rising and setting between the first and last contacts:
// `aboveDeg` is its altitude over the one that defines rise and set.
template <class F>
void FindHorizonCrossings(F aboveDeg, double firstJd, double lastJd, double& riseJd,
                          bool& rises, double& setJd, bool& sets) {
    rises = sets = false;
    double a = firstJd;
    double fa = aboveDeg(a);
    while (a < lastJd) {
        const double b = std::min(a + kGridDays, lastJd);
        const double fb = aboveDeg(b);
        if (fa < 0 && fb >= 0 && !rises) {
            rises = true;
            riseJd = Bisect(aboveDeg, a, b);
        } else if (fa >= 0 && fb < 0 && !sets) {
            sets = true;
            setJd = Bisect(aboveDeg, a, b);
        }
        a = b, fa = fb;
    }
}

// Whether `aboveDeg` is positive at some moment in [firstJd, lastJd].
template <class F>
bool AboveSomewhere(F aboveDeg, double firstJd, double lastJd) {
    for (double t = firstJd;; t += kGridDays) {
        if (aboveDeg(std::min(t, lastJd)) > 0) return true;
        if (t >= lastJd) return false;
    }
}

// The event of `kind` in the day's sky nearest `jdUt`, where a crossing of
// the same altitude was bracketed: the times the sky over the place shows.
double SkyEventNear(const GeoPosition& where, double jdUt, SkyEvents DaySky::*kind) {
    const CalendarDate day = JstDateOf(jdUt);
    const SkyEvents events = ComputeDaySky(day.year, day.month, day.day, where).*kind;
    double best = jdUt;
    for (int i = 0; i < events.count; ++i) {
        if (i == 0 || std::abs(events.at[i].jdUt - jdUt) < std::abs(best - jdUt)) {
            best = events.at[i].jdUt;
        }
    }
    assert(events.count > 0 && std::abs(best - jdUt) < 1.0 / 1440);
    return best;
}

// --- solar ------------------------------------------------------------

struct SolarDisc {
    double separationRad, sunRadiusRad, moonRadiusRad, sunAltitudeDeg, sunDistanceAu;
    double Magnitude() const {
        return (sunRadiusRad + moonRadiusRad - separationRad) / (2 * sunRadiusRad);
    }
};

SolarDisc SolarDiscAt(const SkySpan& span, const EarthFixedSite& place, double t) {
    const SiteOfDate site = span.Site(place, t);
    const SkyVector sun = Minus(span.Sun(t), site.positionKm);
    const SkyVector moon = Minus(span.Moon(t), site.positionKm);
    return {AngleRad(sun, moon), std::asin(kSunRadiusKm / Norm(sun)),
            std::asin(kMoonLimbKm / Norm(moon)), AltitudeDeg(sun, site.zenith),
            Norm(sun) / kKmPerAu};
}

// The share of the sun's disc (radius R) the moon's (radius r) covers at a
// separation d of their centres: the lens of the two circles.
double Obscuration(const SolarDisc& disc) {
    const double d = disc.separationRad, R = disc.sunRadiusRad, r = disc.moonRadiusRad;
    if (d >= R + r) return 0;
    if (d <= std::abs(R - r)) return r >= R ? 1.0 : (r * r) / (R * R);
    const double lens = r * r * std::acos((d * d + r * r - R * R) / (2 * d * r)) +
                        R * R * std::acos((d * d + R * R - r * r) / (2 * d * R)) -
                        0.5 * std::sqrt((-d + r + R) * (d + r - R) * (d - r + R) * (d + r + R));
    return lens / (kPi * R * R);
}

double SunAboveRiseAltitudeDeg(const SolarDisc& disc) {
    return disc.sunAltitudeDeg - SunriseAltitudeDeg(disc.sunDistanceAu);
}

std::optional<Eclipse> SolarEclipseAt(const SkySpan& span, const EarthFixedSite& place,
                                      const GeoPosition& where) {
    const double start = span.centreJdUt() - kSkySpanHalfDays;
    auto disc = [&](double t) { return SolarDiscAt(span, place, t); };
    auto outside = [&](double t) {
        const SolarDisc s = disc(t);
        return s.separationRad - (s.sunRadiusRad + s.moonRadiusRad);
    };
    auto notCentral = [&](double t) {
        const SolarDisc s = disc(t);
        return s.separationRad - std::abs(s.sunRadiusRad - s.moonRadiusRad);
    };
    const double maximum =
        MinimumOverSpan([&](double t) { return disc(t).separationRad; }, start);
    const SolarDisc atMaximum = disc(maximum);
    if (outside(maximum) >= 0) return std::nullopt;
    const std::optional<double> first = Contact(outside, maximum, -1, start);
    const std::optional<double> last = Contact(outside, maximum, +1, start);
    assert(first && last);
    if (!first || !last) return std::nullopt;
    auto above = [&](double t) { return SunAboveRiseAltitudeDeg(disc(t)); };
    if (!AboveSomewhere(above, *first, *last)) return std::nullopt;

    Eclipse e{};
    e.kind = EclipseKind::kSolar;
    e.type = EclipseType::kPartial;
    e.magnitude = atMaximum.Magnitude();
    e.obscuration = Obscuration(atMaximum);
    auto add = [&](ContactName name, double t) {
        const SolarDisc s = disc(t);
        e.contacts[e.contactCount++] = {name, t, s.sunAltitudeDeg, SunAboveRiseAltitudeDeg(s) > 0};
    };
    add(ContactName::kEclipseBegin, *first);
    std::optional<double> centralBegin, centralEnd;
    if (notCentral(maximum) < 0) {
        centralBegin = Contact(notCentral, maximum, -1, start);
        centralEnd = Contact(notCentral, maximum, +1, start);
        assert(centralBegin && centralEnd);
    }
    const bool total = atMaximum.moonRadiusRad > atMaximum.sunRadiusRad;
    if (centralBegin && centralEnd) {
        e.type = total ? EclipseType::kTotal : EclipseType::kAnnular;
        add(total ? ContactName::kTotalBegin : ContactName::kAnnularBegin, *centralBegin);
    }
    add(ContactName::kMaximum, maximum);
    if (centralBegin && centralEnd) {
        add(total ? ContactName::kTotalEnd : ContactName::kAnnularEnd, *centralEnd);
    }
    add(ContactName::kEclipseEnd, *last);
    FindHorizonCrossings(above, *first, *last, e.rise.jdUt, e.rise.happens, e.set.jdUt,
                         e.set.happens);
    if (e.rise.happens) {
        e.rise.jdUt = SkyEventNear(where, e.rise.jdUt, &DaySky::sunrise);
        e.rise.magnitude = std::max(0.0, disc(e.rise.jdUt).Magnitude());
    }
    if (e.set.happens) {
        e.set.jdUt = SkyEventNear(where, e.set.jdUt, &DaySky::sunset);
        e.set.magnitude = std::max(0.0, disc(e.set.jdUt).Magnitude());
    }
    return e;
}

// --- lunar ------------------------------------------------------------

// Where the moon's centre stands against the shadow, in the plane across the
// shadow's axis through the moon, km.
struct ShadowPlane {
    double moonFromAxis, umbraRadius, penumbraRadius;
    double UmbralMagnitude() const {
        return (umbraRadius + kMoonRadiusKm - moonFromAxis) / (2 * kMoonRadiusKm);
    }
    double PenumbralMagnitude() const {
        return (penumbraRadius + kMoonRadiusKm - moonFromAxis) / (2 * kMoonRadiusKm);
    }
};

ShadowPlane ShadowPlaneAt(const SkySpan& span, double t) {
    const SkyVector sun = span.Sun(t), moon = span.Moon(t);
    const double sunDistance = Norm(sun);
    const SkyVector axis = {-sun[0] / sunDistance, -sun[1] / sunDistance, -sun[2] / sunDistance};
    const double behind = Dot(moon, axis);  // the moon's distance along the axis
    const SkyVector across = {moon[0] - behind * axis[0], moon[1] - behind * axis[1],
                              moon[2] - behind * axis[2]};
    // The umbra is the cone tangent to sun and earth that closes behind the
    // earth, the penumbra the one that crosses between them.
    const double sinUmbra = (kSunRadiusKm - kShadowEarthRadiusKm) / sunDistance;
    const double sinPenumbra = (kSunRadiusKm + kShadowEarthRadiusKm) / sunDistance;
    const double umbraApex = kShadowEarthRadiusKm / sinUmbra;
    const double penumbraApex = kShadowEarthRadiusKm / sinPenumbra;
    return {Norm(across), (umbraApex - behind) * std::tan(std::asin(sinUmbra)),
            (penumbraApex + behind) * std::tan(std::asin(sinPenumbra))};
}

double MoonAltitudeDeg(const SkySpan& span, const EarthFixedSite& place, double t) {
    const SiteOfDate site = span.Site(place, t);
    return AltitudeDeg(Minus(span.Moon(t), site.positionKm), site.zenith);
}

std::optional<Eclipse> LunarEclipseAt(const SkySpan& span, const EarthFixedSite& place,
                                      const GeoPosition& where) {
    const double start = span.centreJdUt() - kSkySpanHalfDays;
    auto shadow = [&](double t) { return ShadowPlaneAt(span, t); };
    auto outsidePenumbra = [&](double t) {
        const ShadowPlane s = shadow(t);
        return s.moonFromAxis - (s.penumbraRadius + kMoonRadiusKm);
    };
    auto outsideUmbra = [&](double t) {
        const ShadowPlane s = shadow(t);
        return s.moonFromAxis - (s.umbraRadius + kMoonRadiusKm);
    };
    auto notWhollyInUmbra = [&](double t) {
        const ShadowPlane s = shadow(t);
        return s.moonFromAxis - (s.umbraRadius - kMoonRadiusKm);
    };
    const double maximum =
        MinimumOverSpan([&](double t) { return shadow(t).moonFromAxis; }, start);
    if (outsidePenumbra(maximum) >= 0) return std::nullopt;
    const std::optional<double> first = Contact(outsidePenumbra, maximum, -1, start);
    const std::optional<double> last = Contact(outsidePenumbra, maximum, +1, start);
    assert(first && last);
    if (!first || !last) return std::nullopt;
    if (!AboveSomewhere([&](double t) { return MoonAltitudeDeg(span, place, t); }, *first,
                        *last)) {
        return std::nullopt;
    }

    Eclipse e{};
    e.kind = EclipseKind::kLunar;
    const bool umbral = outsideUmbra(maximum) < 0;
    const bool total = notWhollyInUmbra(maximum) < 0;
    e.type = total ? EclipseType::kTotal : umbral ? EclipseType::kPartial : EclipseType::kPenumbral;
    auto magnitudeAt = [&](double t) {
        const ShadowPlane s = shadow(t);
        // Rising or setting still in the penumbra, an umbral eclipse has
        // none of its umbral magnitude yet (or any more): 0, not below.
        return umbral ? std::max(0.0, s.UmbralMagnitude()) : s.PenumbralMagnitude();
    };
    e.magnitude = umbral ? shadow(maximum).UmbralMagnitude() : shadow(maximum).PenumbralMagnitude();
    e.obscuration = 0;
    auto add = [&](ContactName name, double t) {
        const double altitude = MoonAltitudeDeg(span, place, t);
        e.contacts[e.contactCount++] = {name, t, altitude, altitude + kHorizontalRefractionDeg > 0};
    };
    std::optional<double> u1, u4, u2, u3;
    if (umbral) {
        u1 = Contact(outsideUmbra, maximum, -1, start);
        u4 = Contact(outsideUmbra, maximum, +1, start);
    }
    if (total) {
        u2 = Contact(notWhollyInUmbra, maximum, -1, start);
        u3 = Contact(notWhollyInUmbra, maximum, +1, start);
    }
    add(ContactName::kPenumbralBegin, *first);
    if (u1) add(ContactName::kPartialBegin, *u1);
    if (u2) add(ContactName::kTotalBegin, *u2);
    add(ContactName::kMaximum, maximum);
    if (u3) add(ContactName::kTotalEnd, *u3);
    if (u4) add(ContactName::kPartialEnd, *u4);
    add(ContactName::kPenumbralEnd, *last);
    FindHorizonCrossings(
        [&](double t) { return MoonAltitudeDeg(span, place, t) + kHorizontalRefractionDeg; }, *first,
        *last, e.rise.jdUt, e.rise.happens, e.set.jdUt, e.set.happens);
    if (e.rise.happens) {
        e.rise.jdUt = SkyEventNear(where, e.rise.jdUt, &DaySky::moonrise);
        e.rise.magnitude = magnitudeAt(e.rise.jdUt);
    }
    if (e.set.happens) {
        e.set.jdUt = SkyEventNear(where, e.set.jdUt, &DaySky::moonset);
        e.set.magnitude = magnitudeAt(e.set.jdUt);
    }
    return e;
}

}  // namespace

const EclipseContact& Eclipse::Maximum() const {
    for (int i = 0; i < contactCount; ++i) {
        if (contacts[i].name == ContactName::kMaximum) return contacts[i];
    }
    assert(false && "an eclipse always has its maximum");
    return contacts[0];
}

std::optional<Eclipse> FirstEclipseSeenFrom(const GeoPosition& position, double fromJdUt,
                                            double beforeJdUt) {
    // A maximum lies within the span of its syzygy, so the syzygies from
    // a span before `fromJdUt` to a span after `beforeJdUt` are enough.
    const EarthFixedSite place = EarthFixedSiteOf(position);
    long long h = static_cast<long long>(
        std::floor((fromJdUt - 1 - kMeanNewMoonJdUt) / kHalfSynodicDays));
    for (;; ++h) {
        const double guess = kMeanNewMoonJdUt + h * kHalfSynodicDays;
        if (guess > beforeJdUt + 1) return std::nullopt;
        if (FarFromANode(h)) continue;
        const bool full = (h % 2 + 2) % 2 == 1;
        const double syzygy = MoonPhaseSeriesInstant(full ? kHalfCircleDeg : 0.0, guess);
        if (std::abs(MoonLatitudeJ2000Deg(syzygy)) > kEclipseLatitudeLimitDeg) continue;
        if (syzygy + kSkySpanHalfDays < fromJdUt || syzygy - kSkySpanHalfDays >= beforeJdUt) {
            continue;
        }
        const SkySpan span(syzygy);
        std::optional<Eclipse> e = full ? LunarEclipseAt(span, place, position)
                                            : SolarEclipseAt(span, place, position);
        if (e && e->Maximum().jdUt >= fromJdUt && e->Maximum().jdUt < beforeJdUt) return e;
    }
}

}  // namespace kalendo
