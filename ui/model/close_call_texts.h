// The words of the close calls the selected day hangs on (month/close_calls.h):
// the mark beside the old-calendar pane, and one sentence per close call for
// the detail dialog (below its almanac text) and for the pane's accessible
// name. Code page 932, like every screen text.
#pragma once

#include <string>
#include <vector>

#include "core/month_record.h"
#include "month/close_calls.h"

namespace kalendo {

// "12月28日の朔は午前0時の 3 分 56 秒後（精密では 1 分 30 秒前, 誤差 ±35
// 秒）: 前日ならこの日は旧暦 11月30日 大安, 十二直 満." — the event and its
// distance from midnight; in the standard almanac also the precise
// almanac's; the bound; then the lunisolar date with rokuyo and the 十二直
// the day would have, and its holiday when that would differ.
std::string CloseCallSentence(const MonthRecord& rec, const DayCloseCall& call);

struct CloseCallTexts {
    std::string mark;     // "※" on a day that hangs on a close call, else empty
    std::string detail;   // "※ " and a sentence, CR LF after each; empty on other days
    std::string spoken;   // the sentences one after another, for the accessible name
};

// The texts of the record's target. Computes its close calls (the record is
// left as it was).
CloseCallTexts BuildCloseCallTexts(MonthRecord& rec);

}  // namespace kalendo
