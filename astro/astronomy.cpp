#include "astro/astronomy.h"

#include "astro/longitude_memo.h"
#include "astro/lunisolar.h"
#include "astro/precise.h"

namespace kalendo {
namespace {

constexpr Astronomy kShippedSeries{
    ComputeSolarTerms,
    ComputeNewMoons,
    SunReachesDate,
    MoonPhaseOfDay,
    AgeAtNoonFromNewMoonDays,
    SunLongitudeAtMidnight,
    MoonLongitudeAtMidnight,
};

constexpr Astronomy kErfaEphemeris{
    ComputeSolarTermsPrecise,
    ComputeNewMoonsPrecise,
    SunReachesDatePrecise,
    MoonPhaseOfDayPrecise,
    PreciseAgeAtNoonDays,
    SunLongitudePrecise,
    MoonLongitudePrecise,
};

}  // namespace

const Astronomy& AstronomyOf(AlmanacMode mode) {
    return mode == AlmanacMode::Precise ? kErfaEphemeris : kShippedSeries;
}

}  // namespace kalendo
