// Solar terms, new moons, the numbering of lunar months with leap months,
// the lunisolar date, principal moon phases and the moon's age. Every test
// is made at 0 h JST of a day: an event belongs to the day it happens in.
#pragma once

#include "core/lunisolar_date.h"
#include "core/month_record.h"
#include "platform/calendar_date.h"

namespace kalendo {

// Principal phase codes: the angle by which the moon is ahead of the sun.
inline constexpr int kNoPhase = -1;
inline constexpr int kNewMoonPhase = 0;
inline constexpr int kFirstQuarterPhase = 90;
inline constexpr int kFullMoonPhase = 180;
inline constexpr int kLastQuarterPhase = 270;

// Fill rec.terms / rec.newMoons / rec.lunarMonthNumber for the target year
// rec.year[kTarget]. NumberLunarMonths ends the process with "旧暦計算エラー"
// (platform Fatal) when an anchor cannot be placed.
void ComputeSolarTerms(MonthRecord& rec);
void ComputeNewMoons(MonthRecord& rec);
void NumberLunarMonths(MonthRecord& rec);
// The same without ending the process: false when an anchor cannot be
// placed (the numbers are then incomplete). For tables that were changed on
// purpose, such as one event moved to the day beside its own.
bool TryNumberLunarMonths(MonthRecord& rec);

// The index in rec.terms of the last solar term at or before springScaleDeg,
// an ecliptic longitude of the sun in degrees on the scale where 0 is the
// spring equinox of the target year: -15 is the term before it (entry 28),
// 345 the last of Y and 360 the next spring equinox. Any angle from -435 to
// below 645 gives a valid entry (0-71); -180 <= springScaleDeg < 360 gives
// 17-52.
int SolarTermIndexAtOrBefore(double springScaleDeg);
// The angle of entry `index` on that scale (15 index - 435).
double SolarTermSpringScaleDeg(int index);

// The lunisolar date of a day of the target year, from rec.newMoons and
// rec.lunarMonthNumber. A question: the record is only read.
LunisolarDate LunisolarDateOf(const MonthRecord& rec, int y, int m, int d);

// The principal phase (kNewMoonPhase ... kLastQuarterPhase) that falls on the
// day by the shipped series, or kNoPhase. Any date; needs no table.
int MoonPhaseOfDay(int y, int m, int d);

// The day the sun reaches angleDeg (0-360) by the shipped series at 0 h of
// each day, from the day `from` on (see Astronomy::sunReachesDate).
CalendarDate SunReachesDate(double angleDeg, const CalendarDate& from);

// The moon's age in days at noon of `date` by the shipped series, counted
// from the minute of the new moon on `newMoonDay`.
double AgeAtNoonFromNewMoonDays(const CalendarDate& date, const CalendarDate& newMoonDay);

}  // namespace kalendo
