// The lower register's names that a calendar note of the same day already
// says. The shipped 暦日.Def has carried a few of them as notes since long
// before the lower register was computed (天赦日, the 甲子, 己巳 and 庚申
// days, the first days of 天一天上 and 八専), and a day never shows one name
// twice. CP932.
#pragma once

#include <string>
#include <vector>

#include "almanac/rekichu.h"

namespace kalendo {

// `notes` without the names one of `noteNames` (the day's calendar notes)
// says: a note of the name itself (天赦日, 天一天上, 八専), or a note named
// by the day's sign alone (甲子, 己巳, 庚申), which stands for that sign's
// day (甲子の日, 己巳の日, 庚申の日).
RekichuSet RekichuNotInNotes(RekichuSet notes, const std::vector<std::string>& noteNames);

}  // namespace kalendo
