#include "astro/astronomy.h"

#include <cassert>

#include "astro/longitude_memo.h"
#include "astro/lunisolar.h"
#include "astro/precise.h"
#include "core/day_arith.h"

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

bool IsBefore(const CalendarDate& a, const CalendarDate& b) {
    return CompareDates(a.year, a.month, a.day, b.year, b.month, b.day) > 0;
}

}  // namespace

const Astronomy& AstronomyOf(AlmanacMode mode) {
    return mode == AlmanacMode::Precise ? kErfaEphemeris : kShippedSeries;
}


double MoonAgeAtNoon(const MonthRecord& rec, int y, int m, int d) {
    const CalendarDate date{y, m, d};
    // The rule that chooses the new moon is the same in both modes; the
    // precise almanac counts from its instant to the second.
    const auto ageAtNoonDays = AstronomyOf(rec.almanacMode).ageAtNoonDays;
    const auto ageFrom = [&](const CalendarDate& newMoonDay) {
        return ageAtNoonDays(date, newMoonDay);
    };
    // e: the first new-moon day on or after the date; n = e - 1 the last one
    // strictly before it.
    int e = 0;
    while (e < kNewMoonCount && IsBefore(EntryAt(rec.newMoons, e), date)) ++e;
    assert(e >= 1 && e < kNewMoonCount && "the date lies outside the new-moon table");
    const int n = e - 1;

    const CalendarDate previous = EntryAt(rec.newMoons, n);
    double ageDays = ageFrom(previous);

    // On a new-moon day the age counts from that day's new moon once it has
    // happened by noon; a new moon in the afternoon leaves the age counted
    // from the one before (a whole lunation less a few hours).
    const CalendarDate following = EntryAt(rec.newMoons, e);
    if (following == date) {
        const double sameDayAge = ageFrom(following);
        if (sameDayAge >= 0) ageDays = sameDayAge;
    }
    return ageDays;
}

}  // namespace kalendo
