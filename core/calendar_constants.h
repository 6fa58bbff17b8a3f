// Facts of the calendar and of the circle that more than one layer counts
// with. Each is a fixed property of what is counted, never a tuning: the
// Gregorian year has 12 months and the week 7 days in every year the
// almanac covers; the stems and branches are the two day-and-year cycles of
// the traditional calendar, and together they make the 60 sexagenary signs
// (the least common multiple of 10 and 12).
#pragma once

namespace kalendo {

inline constexpr int kMonthsPerYear = 12;
inline constexpr int kDaysPerWeek = 7;

// The Gregorian calendar repeats every 400 years, which hold exactly this
// many days (and a whole number of weeks) whatever month they start from:
// (y, m, d) and (y + 400, m, d) fall on the same weekday, and whole cycles
// of days can become years before a date is normalised month by month.
inline constexpr int kGregorianCycleYears = 400;
inline constexpr int kGregorianCycleDays = 146097;
static_assert(kGregorianCycleDays % kDaysPerWeek == 0);

inline constexpr int kStemCount = 10;    // 甲 ... 癸
inline constexpr int kBranchCount = 12;  // 子 ... 亥
inline constexpr int kSexagenaryCycle = 60;
static_assert(kSexagenaryCycle == kStemCount * kBranchCount / 2);

// The solar terms: 24 a year, one each 15 deg of the sun's longitude.
inline constexpr int kSolarTermsPerYear = 24;
// The mean synodic month: for guessing where the next new moon lies and for
// counting lunations, never for a new moon's day.
inline constexpr double kMeanSynodicMonthDays = 29.530589;

// Longitudes and elongations are in degrees; a full turn is this many.
inline constexpr double kFullCircleDeg = 360.0;
inline constexpr double kHalfCircleDeg = kFullCircleDeg / 2;

}  // namespace kalendo
