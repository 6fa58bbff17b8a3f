// What the almanac asks of the sky, answered for one almanac mode: the
// shipped series (標準) or the ERFA ephemeris with ΔT (精密). The month
// numbering, the lunisolar date and everything read from the record's
// tables are shared by both; only where an event lies, and the longitudes
// and the moon's age shown for a day, differ. The table is chosen once from
// the mode a record was computed in, so no question reads a mode of its own.
#pragma once

#include "core/almanac_mode.h"
#include "core/month_record.h"
#include "platform/calendar_date.h"

namespace kalendo {

struct Astronomy {
    // rec.terms and rec.newMoons for rec.year[kTarget] (lunisolar.h).
    void (*computeSolarTerms)(MonthRecord& rec);
    void (*computeNewMoons)(MonthRecord& rec);
    // The JST day during which the sun's longitude reaches angleDeg
    // ([0, 360)), searched from `from`, a day at or before that one and
    // within a month of it (the day of the solar term before).
    CalendarDate (*sunReachesDate)(double angleDeg, const CalendarDate& from);
    // The principal phase code (lunisolar.h) that falls on the JST day, or
    // kNoPhase. Any date; an un-normalised one is normalised.
    int (*moonPhaseOfDay)(int y, int m, int d);
    // The moon's age in days at JST noon of `date`, counted from the new
    // moon that happens during the JST day `newMoonDay`.
    double (*ageAtNoonDays)(const CalendarDate& date, const CalendarDate& newMoonDay);
    // The longitudes shown for a day, degrees in [0, 360) at 0 h JST.
    double (*sunLongitudeShownDeg)(int y, int m, int d);
    double (*moonLongitudeShownDeg)(int y, int m, int d);
};

const Astronomy& AstronomyOf(AlmanacMode mode);

// The moon's age in days at noon of the date, in the almanac mode the record
// was computed in. The date must lie after rec.newMoons entry 0 and not
// after entry 35. A question: the record is only read.
double MoonAgeAtNoon(const MonthRecord& rec, int y, int m, int d);

}  // namespace kalendo
