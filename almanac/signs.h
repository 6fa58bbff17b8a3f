// The cyclic signs of a day: sexagenary number, stems and branches of year,
// month and day, rokuyo, the twelve day officers and the 28 lunar mansions.
// Texts are in almanac/sign_texts.txt (generated CP932 header
// "almanac/sign_texts.h").
#pragma once

#include "core/month_record.h"

namespace kalendo {

int SexagenaryDay(int y, int m, int d);  // 1 (甲子) ... 60 (癸亥); normalises first
int DayStemIndex(int y, int m, int d);   // 0 (甲) ... 9 (癸)
int DayBranchIndex(int y, int m, int d); // 0 (子) ... 11 (亥)
int YearStemIndex(int y);
int YearBranchIndex(int y);
int MonthStemIndex(int y, int m);
int MonthBranchIndex(int m);
int MansionIndex(int y, int m, int d);   // 0 (角) ... 27 (軫); normalises first

// 0 (先勝) ... 5 (赤口) from rec.lunarMonth / rec.lunarDay; -1 for a month
// outside ±1 ... ±12.
int RokuyoIndex(const MonthRecord& rec);

// Fills rec.anchorStart (S) and rec.anchorFirst (F) from rec.terms.
void ComputeOfficerAnchors(MonthRecord& rec);

// 0 (建) ... 11 (閉), or -1 outside [F[0], F[13]).
int OfficerIndex(const MonthRecord& rec, int y, int m, int d);

}  // namespace kalendo
