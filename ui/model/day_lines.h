// The selected day's three lines at the foot of the lists: its picked notes
// of the lower register, and the sun's and the moon's rising and setting
// over the place of the settings, rounded to the minute as almanacs print
// them. Texts are CP932.
#pragma once

#include <string>
#include <vector>

#include "almanac/rekichu.h"
#include "astro/sky.h"
#include "core/month_record.h"
#include "ui/model/lists.h"

namespace kalendo {

inline constexpr int kDayLineCount = 3;  // the notes, the sun, the moon

// The picked notes of the record's target day that no calendar note of the
// day already shows (`eventList`: the day's FillEventList), so the window
// never names one twice (RekichuNotInNotes, as the printed cells).
RekichuSet RekichuLineNotes(const MonthRecord& rec, const std::vector<ListRow>& eventList,
                            RekichuReadings readings, RekichuSet picks);

// "暦注 天赦日・一粒万倍日", "暦注 なし".
std::string RekichuLineText(RekichuSet notes);
// "日の出 6:51 日の入 16:39".
std::string SunLineText(const DaySky& sky);
// "月の出 10:02 月の入 22:45"; 「なし」 or two times ("0:09・23:58") as the
// day has them.
std::string MoonLineText(const DaySky& sky);

// The widest texts the lines are sized for: the default picks together,
// and times of two-digit hours. Longer lines (many picks, two moonrises)
// are drawn smaller by the pane.
std::vector<std::string> DayLineSizingTexts();

}  // namespace kalendo
