// The nine stars (九星) of a year, a solar month and a day: 1 一白水星 ...
// 9 九紫火星. Pure counting; the caller finds the days of 立春 and of the
// solstices in its almanac mode and hands in what follows from them.
#pragma once

namespace kalendo {

inline constexpr int kKyuseiCount = 9;

// The star of the year that starts on the 立春 day of `risshunYear` (the
// year of the last 立春 day on or before the date): 11 - (Y mod 9), brought
// into 1-9. The stars run backwards one a year.
int YearKyusei(int risshunYear);

// The star of solar month 1 (寅) ... 12 (丑) of that year: month 1 is 八白
// in 子午卯酉 years, 五黄 in 辰戌丑未 years, 二黒 in 寅申巳亥 years; each
// later month one less.
int MonthKyusei(int risshunYear, int solarMonth);

// How far from the solstice's day its switch day lies, in days (negative:
// before): the 甲子 day nearest the solstice, that is the 甲子 on or before
// it when the solstice's day sign is 0-29, else the next one.
// solsticeSexagenary: 0 (甲子) ... 59.
int SwitchDayOffset(int solsticeSexagenary);

// A stretch between two switch days: the first switch day is day 0.
struct KyuseiPeriod {
    bool ascending = true;  // a switch near 冬至 (陽遁): up from 一白
    int lengthDays = 180;   // to the next switch day: 180, or 240 (a 閏)
};

// The day star of day `dayInPeriod` (0 ... lengthDays - 1) of the period.
// In a 240-day period the count runs on for 210 days, day 210 (the 甲午
// 30 days before the next switch) repeats the star of day 209, and from
// there the count runs the other way, so the next switch still meets its
// 一白 or 九紫.
int DayKyusei(KyuseiPeriod period, int dayInPeriod);

// CP932 name of star 1-9 ("一白水星"); "" otherwise.
const char* KyuseiName(int star);

}  // namespace kalendo
