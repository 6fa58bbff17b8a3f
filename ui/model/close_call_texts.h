// The words of the close calls the selected day hangs on (month/close_calls.h):
// the mark beside the old-calendar pane, and one sentence per close call for
// the detail dialog (below its almanac text), the mark's tooltip and the
// pane's accessible name. Code page 932, like every screen text.
#pragma once

#include <string>
#include <vector>

#include "core/month_record.h"
#include "month/close_calls.h"

namespace kalendo {

// "立春は 2月4日 0時02分40秒（午前0時の2分40秒後）。精密な計算では 2月3日
// 23時58分45秒（誤差 ±1分18秒）。2月3日なら：節分は2月2日、この日の十二直は
// 定。" — the event's clock time on its date and its distance from the
// midnight (named by the date that midnight begins when the clock time lies
// on the day before); in the standard almanac the precise almanac's time
// and bound, in the precise almanac the bound; then only what would change
// with the event on the other day: the holidays and notes that would move
// (their days named by date, the target as "この日"), then the target's
// lunisolar date, 六曜, 十二直, 暦注 (all the other side's) and stars of
// year, month and day where they would differ.
std::string CloseCallSentence(const MonthRecord& rec, const DayCloseCall& call);

// The sentence's changes alone: "節分は2月2日、この日の十二直は定".
std::string CloseCallChangeWords(const MonthRecord& rec, const DayCloseCall& call);

struct CloseCallTexts {
    std::string mark;     // "※" on a day that hangs on a close call, else empty
    std::string detail;   // "※ " and a sentence, CR LF after each; empty on other days
    std::string spoken;   // the sentences one after another, for the accessible name
    std::string first;    // the first sentence, for the mark's tooltip
};

// The texts of the record's target, its 暦注 read under `readings`.
// Computes its close calls (the record is left as it was).
CloseCallTexts BuildCloseCallTexts(const MonthRecord& rec, RekichuReadings readings = {});

}  // namespace kalendo
