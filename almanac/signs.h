// The cyclic signs of a day: sexagenary number, stems and branches of year,
// month and day, rokuyo, the twelve day officers and the 28 lunar mansions.
// Their names, readings and descriptions are in almanac/sign_names.h.
//
// The day signs count whole days of the Julian date at 0 h of the civil day
// (JulianDate, always ending in .5): over the supported years 1600-2999 it is
// positive, so its truncation is the floor and every cycle is a plain
// remainder. Dates may be passed un-normalised (day 0, day 32, month 13):
// every day sign denotes the day the date normalises to.
#pragma once

#include "core/lunisolar_date.h"
#include "core/month_record.h"

namespace kalendo {

int SexagenaryDay(int y, int m, int d);  // 1 (甲子) ... 60 (癸亥)
int DayStemIndex(int y, int m, int d);   // 0 (甲) ... 9 (癸)
int DayBranchIndex(int y, int m, int d); // 0 (子) ... 11 (亥)

// The Gregorian year and month numbers are used directly: the year sign
// changes on 1 January, and month 1 is always 寅, month 11 子, month 12 丑.
int YearStemIndex(int y);                // 0 ... 9
int YearBranchIndex(int y);              // 0 ... 11
int MonthStemIndex(int y, int m);        // 0 ... 9
int MonthBranchIndex(int m);             // 0 ... 11

int MansionIndex(int y, int m, int d);   // 0 (角) ... 27 (軫)

// 0 (先勝) ... 5 (赤口) of a lunisolar date (a leap month takes the sign of
// its month number); -1 for a month outside 1 ... 12.
int RokuyoOf(const LunisolarDate& date);
// RokuyoOf the record's target date.
int RokuyoIndex(const MonthRecord& rec);

// Fills rec.anchorStart (S) and rec.anchorFirst (F) from rec.terms of the
// target year: S[k] (k = 0 ... 13) is the solar-month start at 255° + 30°k,
// from 大雪 of the year before to 小寒 of the year after, and F[k] is the
// first day on or after S[k] whose day branch is k mod 12 (the first 建 of
// that solar month). Entries from kAnchorCount on are left as they are.
inline constexpr int kAnchorCount = 14;
void ComputeOfficerAnchors(MonthRecord& rec);

// 0 (建) ... 11 (閉) from the anchors of the target year, or -1 outside
// [F[0], F[13]). Any day of the target year lies inside.
int OfficerIndex(const MonthRecord& rec, int y, int m, int d);

}  // namespace kalendo
