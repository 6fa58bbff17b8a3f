// What the window shows of the lower register (暦注) and the nine stars:
// the detail dialog's section and the picked notes of any day near the
// record's month, under the readings chosen in 設定. Texts are CP932.
#pragma once

#include <string>

#include "almanac/rekichu.h"
#include "core/month_record.h"
#include "month/lower_register.h"
#include "platform/calendar_date.h"

namespace kalendo {

// For the record's target date: "九星：年 一白水星　月 …　日 …", then one
// line per note of the day in the fixed order ("天赦日：吉。…"), CR LF
// after every line.
std::string RekichuDetailText(const MonthRecord& rec, RekichuReadings readings);

// The picked notes of a day, their names joined by "・" ("" when none): what
// a printed cell carries. Reads the days on a record of its own
// (LowerRegisterReader), so `rec` is never moved.
class PickedRekichu {
public:
    PickedRekichu(const MonthRecord& rec, RekichuReadings readings, RekichuSet picks);
    RekichuSet Of(const CalendarDate& date);
    std::string NamesOf(const CalendarDate& date);

private:
    LowerRegisterReader reader_;
    RekichuReadings readings_;
    RekichuSet picks_;
};

// The names of a set of notes in the fixed order, joined by "・".
std::string RekichuNames(RekichuSet notes);

}  // namespace kalendo
