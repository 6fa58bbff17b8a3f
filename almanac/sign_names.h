// Names, readings and descriptions of the cyclic signs: constant code page
// 932 strings, one per sign index. An index outside its table (the -1 of an
// officer or rokuyo that cannot be given) yields "", which the day panes
// print in its place.
#pragma once

#include "core/calendar_constants.h"

namespace kalendo {

inline constexpr int kWeekdayNameCount = kDaysPerWeek;
inline constexpr int kMonthNameCount = kMonthsPerYear;
inline constexpr int kRokuyoNameCount = 6;
inline constexpr int kStemNameCount = kStemCount;
inline constexpr int kBranchNameCount = kBranchCount;
inline constexpr int kOfficerNameCount = 12;
inline constexpr int kMansionNameCount = 28;

const char* WeekdayName(int weekday);    // 0 = Sunday "日" ... 6 = "土"

// Traditional month names of Gregorian months 1 ("睦月") ... 12 ("師走").
const char* MonthName(int m);
const char* MonthNameReading(int m);

const char* RokuyoName(int k);           // 0 "先勝" ... 5 "赤口"
const char* RokuyoReading(int k);

const char* StemName(int k);             // 0 "甲" ... 9 "癸"
const char* StemReading(int k);
const char* BranchName(int k);           // 0 "子" ... 11 "亥"
const char* BranchReading(int k);

const char* OfficerName(int k);          // 0 "建" ... 11 "閉"
const char* OfficerReading(int k);
const char* OfficerDescription(int k);   // paragraphs with "\r\n" breaks

const char* MansionName(int k);          // 0 "角" ... 27 "軫"
const char* MansionReading(int k);
const char* MansionDescription(int k);   // paragraphs with "\r\n" breaks

// The mansion rows of a date (MansionIndex); the date may be un-normalised.
const char* MansionNameOfDay(int y, int m, int d);
const char* MansionReadingOfDay(int y, int m, int d);
const char* MansionDescriptionOfDay(int y, int m, int d);

}  // namespace kalendo
