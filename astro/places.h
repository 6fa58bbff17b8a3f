// The places whose sky the almanac names: the old observatory site in
// Tokyo and the 47 prefectural offices, and the bounds of a place of the
// user's own.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "astro/geo_position.h"

namespace kalendo {

// A place as shown: its name in code page 932 (for a place given by its
// coordinates, the coordinates as the user wrote them) and where it is.
struct NamedPlace {
    std::string name;
    GeoPosition position;
};

// One of the listed places; `name` points into the program's CP932 texts.
struct ListedPlace {
    const char* name;
    GeoPosition position;
};

inline constexpr int kListedPlaceCount = 48;
// 「東京」, the observatory site in 麻布台: the place when none was chosen.
inline constexpr int kDefaultPlaceIndex = 0;

// Every listed place, the default first, then the prefectural offices by
// prefecture code.
std::span<const ListedPlace, kListedPlaceCount> ListedPlaces();

// The index of the listed place named exactly `cp932Name`, or -1.
int FindListedPlace(std::string_view cp932Name);

NamedPlace NamedPlaceOf(const ListedPlace& place);

// A place of the user's own: latitudes beyond 65 deg have days on which
// the sun neither rises nor sets for weeks, and the almanac's day-by-day
// events are not defined for them; longitudes are east positive.
inline constexpr double kLargestPlaceLatitudeDeg = 65.0;
inline constexpr double kLargestPlaceLongitudeDeg = 180.0;
bool PlaceLatitudeAccepted(double latitudeDeg);
bool PlaceLongitudeAccepted(double longitudeDeg);

// "LAT,LON" in decimal degrees as scripts and settings files write them,
// whatever the locale: each an optional sign, digits and an optional
// fraction ("35", "-7.5", "+139.74", ".5"); nothing else, no blanks.
enum class PlaceTextProblem { None, NotCoordinates, LatitudeOutOfRange, LongitudeOutOfRange };
struct ReadPlace {
    PlaceTextProblem problem;
    GeoPosition position;  // when problem is None
};
ReadPlace ReadPlaceCoordinates(std::string_view text);

}  // namespace kalendo
