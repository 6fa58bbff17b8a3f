// The new moons and solar terms that lie so near a JST midnight that their
// day is a close call: where the standard almanac's series place them, where
// the ERFA ephemeris with ΔT places them, and how far the latter may be off.
// Every lunisolar date, rokuyo, 十二直 and equinox holiday rests on the day
// such an event falls on, so the almanac says which of them hang on one.
#pragma once

#include <optional>

#include "core/almanac_mode.h"
#include "platform/calendar_date.h"

namespace kalendo {

enum class EventKind { NewMoon, SolarTerm };

// How far the ERFA instants may be from the true ones, besides ΔT: the
// largest difference from the independent reference events of 1900-2100
// (tests/data/ephemeris: 57 s for the solar terms, 21 s for the new moons,
// most of it the reference's own truncated solar series), rounded up.
inline constexpr double kTermEphemerisSeconds = 60;
inline constexpr double kNewMoonEphemerisSeconds = 30;

// One event as both almanacs place it. Instants are Julian dates in UT (the
// standard almanac's series take JST minus 9 h as their time).
struct EventSides {
    EventKind kind = EventKind::NewMoon;
    int term = -1;  // solar terms: 0 (小寒, 285 deg) ... 23 (冬至); -1 for a new moon
    double standardJdUt = 0;     // to a second
    CalendarDate standardDay{};  // the day the standard almanac's tables give it
    // ERFA's instant to a second when the series put the event near a
    // midnight; elsewhere their estimate, which lies on the same day.
    double preciseJdUt = 0;
    bool preciseRefined = false;
    CalendarDate preciseDay{};
    double boundSeconds = 0;  // of the precise instant: ΔT's uncertainty and the ephemeris'
};

// The event of `kind` (for a solar term, term `term`) that the tables of
// either almanac place on `aboutDay` or within a day of it.
EventSides EventNear(EventKind kind, int term, const CalendarDate& aboutDay);

// An event whose day hangs on a midnight, as one almanac mode reads it.
struct CloseCall {
    EventSides event;
    CalendarDate day;       // where the mode places it
    CalendarDate otherDay;  // the day across the midnight
    double midnightJdUt = 0;     // 0 h JST between day and otherDay
    double instantJdUt = 0;      // the mode's instant
    double distanceSeconds = 0;  // instant minus midnight: negative before it
    double preciseDistanceSeconds = 0;
};

// The close call of the event in `mode`, or nullopt. Precise: the precise
// instant ± its bound contains a midnight. Standard: that, or the standard
// and precise instants fall on different days.
std::optional<CloseCall> CloseCallOf(const EventSides& event, AlmanacMode mode);

// Forgets the events kept (for measuring a cold start).
void ForgetCloseEvents();

// The day `days` after `day` (before it when negative).
CalendarDate DayAfter(CalendarDate day, int days);

}  // namespace kalendo
