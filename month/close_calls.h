// What hangs on a close call: the days whose lunisolar date, rokuyo, 十二直,
// holiday or calendar notes would read otherwise if one new moon or solar
// term fell on the JST day across its midnight. Each close call is moved
// alone and the month numbering and the day's steps are run again with it,
// on a copy of the year's tables in a record of its own that reads the same
// definition tables; the record itself is left as it was.
#pragma once

#include <bitset>
#include <string>
#include <vector>

#include "almanac/rekichu.h"
#include "astro/close_events.h"
#include "core/almanac_mode.h"
#include "core/lunisolar_date.h"
#include "core/month_record.h"
#include "month/lower_register.h"

namespace kalendo {

// What a close call can change in a day's reading.
struct DayReading {
    int lunarMonth = 0;  // negative in a leap month
    int lunarDay = 0;
    int leapMonth = 0;
    LunisolarDate lunisolar() const { return LunisolarDateFromSignedMonth(lunarMonth, lunarDay); }
    int rokuyo = -1;
    int officer = -1;
    int holiday = -1;           // index into the holidays, or -1
    int generatedHoliday = -1;  // index into the generated holidays, or -1
    std::bitset<kNoteCapacity> notes;  // the calendar notes falling on the day
    // The lower register under the caller's readings: a moved 節 moves the
    // solar month, a moved new moon the lunisolar days 不成就日 hangs on, a
    // moved solstice the day the day stars turn.
    RekichuSet rekichu = 0;
    KyuseiStars kyusei;
    bool operator==(const DayReading&) const = default;
};

// The reading of the record's target as the month computation left it;
// without `lowerRegister` its 暦注 and 九星 are left empty (a fifth of the cost).
DayReading ReadingOfTarget(const MonthRecord& rec, RekichuReadings readings = {}, bool lowerRegister = true);

// A day a close call changes: how it reads in the record's almanac and
// how it would read with the event moved across its midnight.
struct DayChange {
    CalendarDate date;
    DayReading here;
    DayReading other;
    // The generated holiday's name on each side (CP932), empty when none:
    // the moved side's generated table is not kept.
    std::string hereGenerated;
    std::string otherGenerated;
};

// A close call the target depends on, with the target's reading on its
// other side, and the days it changes that a reader is told of, in date
// order: the target, and every other day of the target year whose
// holidays or notes would differ (the lunisolar dates of the lunation
// around a moved new moon all follow from the target's).
struct DayCloseCall {
    CloseCall call;
    DayReading other;
    std::vector<DayChange> changes;
};

// The close calls (in the record's mode) among the events of the target
// year's tables that the target depends on, in the order of their instants.
// The record must have been moved to its target by ComputeMonth; the other
// side is computed on records of this function's own that read the same
// tables, so the record is left as it was. Only a day
// whose lunisolar date or 十二直 the move changes, or on which a holiday or
// note falls in either case by its date for the year, is computed whole;
// so is the target of a moved solstice whose day star would differ. The
// 暦注 are read under `readings`.
std::vector<DayCloseCall> CloseCallsOfTarget(const MonthRecord& rec, RekichuReadings readings = {});

// A close call with every day of 1600-2999 whose reading it changes.
struct CloseCallDays {
    CloseCall call;
    std::vector<CalendarDate> days;
};

// The close calls in `mode` of the new moons and solar terms the mode
// places in `year` (1600-2999), in the order of their instants, each with
// the days it changes: in its own year and, for an event early or late in
// the year, in the year beside it. `rec` reads the definition files and is
// left as it was. The days are found from the year's lunisolar dates,
// rokuyo and 十二直 and from the dates the holidays and notes get for the
// year; a note that depends on the target day itself is compared on those.
std::vector<CloseCallDays> CloseCallsOfYear(const MonthRecord& rec, int year, AlmanacMode mode);

// Forgets the close calls kept per year (for measuring a cold start).
void ForgetCloseCalls();

}  // namespace kalendo
