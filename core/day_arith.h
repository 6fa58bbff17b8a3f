// Proleptic Gregorian day arithmetic: the small stateless operations every
// other part rests on. Dates are three signed ints (year, month 1-12, day);
// the month computation accepts 1600-2999 and every formula here is exact
// over that range. To move a date, add to one field and normalise; to count
// days between dates, subtract their Julian dates.
#pragma once

#include "platform/calendar_date.h"

namespace kalendo {

// 1 when y is a Gregorian leap year, else 0.
int IsLeapYear(int y);

// Length of month m (1-12) of year y.
int DaysInMonth(int y, int m);

// Rewrites (y, m, d) to the valid date it denotes; any month and day value
// is accepted, zero and negative ones included (day 0 is the last day of the
// month before, month 13 is January of the next year). The year must stay
// an int: |y| + |m| / 12 + |d| / 365 below 2^31 (2 * 10^9) is enough.
void NormalizeDate(int& y, int& m, int& d);

// Julian date at 0 h of the civil date, ending in .5 (2000-01-01 gives
// 2451544.5). m must be 1-12; the result is linear in d, so day 32 of January
// gives 1 February.
double JulianDate(int y, int m, int d);

// The civil date during which the Julian date jd falls, 0 h included (the
// reverse of JulianDate: DateOfJulianDate(JulianDate(y, m, d) + f) is
// (y, m, d) for a valid date and 0 <= f < 1). Any jd of years -10^6..10^6.
CalendarDate DateOfJulianDate(double jd);

// 0 = Sunday ... 6 = Saturday. m must be 1-12.
int Weekday(int y, int m, int d);

// +1 when the first date is earlier, 0 when equal, -1 when later. Both are
// normalised (on copies) first, so un-normalised dates compare by the days
// they denote.
int CompareDates(int y1, int m1, int d1, int y2, int m2, int d2);

// h/24 + mi/1440 + s/86400 as a fraction of a day.
double DayFraction(int h, int mi, int s);

}  // namespace kalendo
