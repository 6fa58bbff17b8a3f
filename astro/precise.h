// The precise almanac: the year's tables and the day questions of
// lunisolar.h computed from the events of the ERFA ephemeris. The tables
// have the same layout and meaning, so the month numbering, the lunisolar
// date and everything read from the tables are shared with the shipped
// almanac; only where an event lies differs.
#pragma once

#include "astro/ephemeris.h"
#include "core/month_record.h"

namespace kalendo {

// rec.terms and rec.newMoons for the target year: the JST days on which the
// sun reaches (285 + 15 k) mod 360 deg from January of Y - 1 on, and the
// days of the 36 new moons from 1 January of Y - 1 on.
void ComputeSolarTermsPrecise(MonthRecord& rec);
void ComputeNewMoonsPrecise(MonthRecord& rec);

// The principal phase code (lunisolar.h) of the phase that happens during
// the JST day, or kNoPhase. Any date; un-normalised ones are normalised.
int MoonPhaseOfDayPrecise(int y, int m, int d);

// The instant (JD, UT) of the new moon that happens during the JST day
// `day`, located to the second with the ephemeris.
double NewMoonInstantOfDay(const CalendarDate& day);

// The moon's age in days at JST noon of `date`, counted from the new moon of
// the JST day `newMoonDay` (MoonAge chooses that day from the record).
double PreciseAgeAtNoonDays(const CalendarDate& date, const CalendarDate& newMoonDay);

// The JST day during which the sun reaches angleDeg (0-360), for a day
// `from` that lies within a few weeks before that instant (the search's
// first guess is the 0 h after it).
CalendarDate SunReachesDatePrecise(double angleDeg, const CalendarDate& from);

// ERFA's apparent longitudes at 0 h JST of a day.
double SunLongitudePrecise(int y, int m, int d);
double MoonLongitudePrecise(int y, int m, int d);

}  // namespace kalendo
