#include "astro/close_events.h"

#include <cmath>

#include "astro/delta_t.h"
#include "astro/ephemeris.h"
#include "astro/events.h"
#include "astro/longitude_memo.h"
#include "astro/lunisolar.h"
#include "astro/lunisolar_detail.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

constexpr double kNoonDays = 0.5;
// A new moon near 6 January 2000 (JD, 18 h UT), for numbering lunations.
constexpr double kReferenceNewMoonJd = 2451550.26;
// Within this of a midnight the standard almanac's day is taken from the
// longitudes at that midnight, as its tables do, not from the instant.
constexpr double kMidnightTestDays = 30 / kSecondsPerDay;

double AngleOf(EventKind kind, int term) {
    return kind == EventKind::NewMoon ? 0.0
                                      : std::fmod(kFirstTermDeg + kTermStepDeg * term, kFullCircleDeg);
}

double NearestMidnightJd(double jdUt) {
    // 0 h JST falls where the civil Julian date (JST) ends in .5.
    return std::floor(jdUt + kJstOffsetDays) + kNoonDays - kJstOffsetDays;
}

// The day the standard almanac's tables give an event its series place at
// `jdUt`: near a midnight the tables' own test at that 0 h decides (the sun
// at or past the angle, or the moon already ahead of the sun: the event
// belongs to the day before).
CalendarDate StandardDayOf(EventKind kind, double angleDeg, double jdUt) {
    const double midnight = NearestMidnightJd(jdUt);
    if (std::fabs(jdUt - midnight) > kMidnightTestDays) return JstDateOf(jdUt);
    const CalendarDate after = JstDateOf(midnight + kNoonDays);
    const double sunDeg = SunLongitudeAtMidnight(after.year, after.month, after.day);
    bool before;
    if (kind == EventKind::SolarTerm) {
        double pastDeg = std::fmod(sunDeg - angleDeg, kFullCircleDeg);
        if (pastDeg > kHalfCircleDeg) pastDeg -= kFullCircleDeg;
        if (pastDeg <= -kHalfCircleDeg) pastDeg += kFullCircleDeg;
        before = pastDeg >= 0;
    } else {
        double eDeg =
            std::fmod(sunDeg - MoonLongitudeAtMidnight(after.year, after.month, after.day),
                      kFullCircleDeg);
        while (eDeg < 0) eDeg += kFullCircleDeg;
        before = eDeg > kHalfCircleDeg;
    }
    return before ? DayAfter(after, -1) : after;
}

EventSides ComputeEvent(EventKind kind, int term, const CalendarDate& aboutDay) {
    EventSides e;
    e.kind = kind;
    e.term = kind == EventKind::SolarTerm ? term : -1;
    const double angleDeg = AngleOf(kind, term);
    const double guess = JstMidnightJd(aboutDay.year, aboutDay.month, aboutDay.day) + kNoonDays;
    e.standardJdUt = kind == EventKind::SolarTerm ? SolarTermStandardInstant(angleDeg, guess)
                                                  : MoonPhaseStandardInstant(angleDeg, guess);
    e.standardDay = StandardDayOf(kind, angleDeg, e.standardJdUt);
    const double year = DecimalYearAt(e.standardJdUt);
    e.boundSeconds = DeltaTUncertaintySeconds(year) +
                     (kind == EventKind::SolarTerm ? kTermEphemerisSeconds : kNewMoonEphemerisSeconds);
    // The series' estimate of the precise instant (searched in TT, as the
    // precise almanac's first guess); ERFA only where it, widened by the
    // series' error and the bound, reaches a midnight.
    const double estimate = e.standardJdUt - DeltaTDaysAt(e.standardJdUt);
    const double reach = kSeriesErrorBoundDays + e.boundSeconds / kSecondsPerDay;
    if (std::fabs(estimate - NearestMidnightJd(estimate)) < reach) {
        e.preciseJdUt = kind == EventKind::SolarTerm ? SolarTermInstant(angleDeg, estimate)
                                                     : MoonPhaseInstant(angleDeg, estimate);
        e.preciseRefined = true;
    } else {
        e.preciseJdUt = estimate;
    }
    e.preciseDay = JstDateOf(e.preciseJdUt);
    return e;
}

// The events asked for, by their number: a term by its year and index, a
// new moon by its lunation. Neighbouring years' tables hold the same
// events, so each is computed once while the range walked stays within the
// slots (some 40 years of terms, 80 of new moons).
struct RememberedEvent {
    long long key = -1;
    EventSides sides;
};
constexpr int kRememberedEvents = 1024;
RememberedEvent rememberedTerms[kRememberedEvents];
RememberedEvent rememberedNewMoons[kRememberedEvents];

}  // namespace

CalendarDate DayAfter(CalendarDate day, int days) {
    day.day += days;
    NormalizeDate(day.year, day.month, day.day);
    return day;
}

EventSides EventNear(EventKind kind, int term, const CalendarDate& aboutDay) {
    if (!AlmanacCaching()) return ComputeEvent(kind, term, aboutDay);
    const double jd = JulianDate(aboutDay.year, aboutDay.month, aboutDay.day);
    const long long key =
        kind == EventKind::SolarTerm
            ? static_cast<long long>(aboutDay.year) * kSolarTermsPerYear + term
            : std::llround((jd - kReferenceNewMoonJd) / kMeanSynodicMonthDays) + 100000;
    RememberedEvent* table = kind == EventKind::SolarTerm ? rememberedTerms : rememberedNewMoons;
    RememberedEvent& slot = table[key % kRememberedEvents];
    if (slot.key != key) {
        slot.sides = ComputeEvent(kind, term, aboutDay);
        slot.key = key;
    }
    return slot.sides;
}

void ForgetCloseEvents() {
    for (RememberedEvent& slot : rememberedTerms) slot = RememberedEvent{};
    for (RememberedEvent& slot : rememberedNewMoons) slot = RememberedEvent{};
}

std::optional<CloseCall> CloseCallOf(const EventSides& e, AlmanacMode mode) {
    const double preciseMidnight = NearestMidnightJd(e.preciseJdUt);
    const double preciseDistance = (e.preciseJdUt - preciseMidnight) * kSecondsPerDay;
    const bool preciseClose = e.preciseRefined && std::fabs(preciseDistance) <= e.boundSeconds;
    CloseCall c;
    c.event = e;
    if (mode == AlmanacMode::Precise) {
        if (!preciseClose) return std::nullopt;
        c.day = e.preciseDay;
        c.instantJdUt = e.preciseJdUt;
    } else {
        const bool differs = !(e.standardDay == e.preciseDay);
        if (!differs && !preciseClose) return std::nullopt;
        c.day = e.standardDay;
        c.instantJdUt = e.standardJdUt;
        if (differs) {
            // The other side is the precise day; the midnight is the 0 h
            // between the two days.
            c.otherDay = e.preciseDay;
            const CalendarDate later =
                CompareDates(c.day.year, c.day.month, c.day.day, c.otherDay.year, c.otherDay.month,
                             c.otherDay.day) > 0 ? c.otherDay : c.day;
            c.midnightJdUt = JstMidnightJd(later.year, later.month, later.day);
        }
    }
    if (c.midnightJdUt == 0) {
        c.midnightJdUt = preciseMidnight;
        c.otherDay = DayAfter(c.day, e.preciseJdUt < preciseMidnight ? 1 : -1);
    }
    c.distanceSeconds = (c.instantJdUt - c.midnightJdUt) * kSecondsPerDay;
    c.preciseDistanceSeconds = (e.preciseJdUt - c.midnightJdUt) * kSecondsPerDay;
    return c;
}

}  // namespace kalendo
