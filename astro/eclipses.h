// Solar and lunar eclipses seen from a place, 1600-2999.
//
// Solar eclipses are computed for the observer: topocentric, on the
// ellipsoid at height 0, the moon's limb a circle of radius kMoonLimbEarthRadii
// equatorial earth radii and the sun's of kSunRadiusKm. Lunar eclipses are
// geocentric: the moon (radius kMoonRadiusKm) passes through the shadow cones
// of a sphere of radius kShadowEarthRadiusKm, the solid earth and 88 km of air
// that stop the sunlight. Instants are Julian dates in UT (JST minus 9 h).
#pragma once

#include <optional>

#include "astro/geo_position.h"

namespace kalendo {

inline constexpr double kSunRadiusKm = 695700.0;
inline constexpr double kMoonRadiusKm = 1737.4;
inline constexpr double kMoonLimbEarthRadii = 0.2725076;
inline constexpr double kShadowEarthRadiusKm = 6371.0 + 88.0;

enum class EclipseKind { kSolar, kLunar };
enum class EclipseType { kPartial, kAnnular, kTotal, kPenumbral };

// The contacts of both kinds, in the order they happen within a kind.
enum class ContactName {
    kEclipseBegin,     // solar: 食の始め
    kAnnularBegin,     // 金環食の始め
    kTotalBegin,       // 皆既食の始め (solar and lunar)
    kMaximum,          // 食の最大
    kAnnularEnd,       // 金環食の終わり
    kTotalEnd,         // 皆既食の終わり (solar and lunar)
    kEclipseEnd,       // solar: 食の終わり
    kPenumbralBegin,   // lunar: 半影食の始め
    kPartialBegin,     // 部分食の始め
    kPartialEnd,       // 部分食の終わり
    kPenumbralEnd,     // 半影食の終わり
};

struct EclipseContact {
    ContactName name;
    double jdUt;
    // Topocentric geometric altitude of the centre of the sun or moon, deg.
    double altitudeDeg;
    // Above the horizon as rise and set define it (sky.h: the sun's upper
    // limb, the moon's centre, with the horizontal refraction).
    bool up;
};

// The sun or moon rising or setting while the eclipse is in progress
// (日出帯食, 日入帯食, 月出帯食, 月入帯食): when (the sunrise, sunset, moonrise
// or moonset of sky.h), and the magnitude then.
struct HorizonCrossing {
    bool happens = false;
    double jdUt = 0;
    double magnitude = 0;
};

inline constexpr int kMaxContacts = 7;

struct Eclipse {
    EclipseKind kind;
    EclipseType type;
    EclipseContact contacts[kMaxContacts];  // in time order, below the horizon too
    int contactCount;
    // Solar: the fraction of the sun's diameter covered at the maximum.
    // Lunar: the umbral magnitude, or the penumbral one of a penumbral eclipse.
    double magnitude;
    double obscuration;  // solar: the share of the sun's area covered; lunar: 0
    HorizonCrossing rise, set;

    const EclipseContact& Maximum() const;
};

// The first eclipse seen from `place` whose maximum lies in [fromJdUt,
// beforeJdUt): a solar eclipse whose sun is up at some moment between its
// first and last contacts, a lunar one whose moon's centre (topocentric,
// geometric) is above the horizon at some moment between 半影食の始め and
// 半影食の終わり. Meaningful for 1600-2999.
std::optional<Eclipse> FirstEclipseSeenFrom(const GeoPosition& place, double fromJdUt,
                                            double beforeJdUt);

}  // namespace kalendo
