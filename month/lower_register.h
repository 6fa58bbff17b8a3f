// A day's reading of the lower register and the nine stars: its sign of the
// sixty, its solar month (節月) and the day in it, the stars of year, month
// and day and the notes (暦注) that fall on it. A value computed from the
// year tables of the record's almanac mode (the days of the solar terms) and
// the day's lunisolar date; nothing is written into the month record or the
// loaded definition tables.
#pragma once

#include "almanac/rekichu.h"
#include "core/lunisolar_date.h"
#include "core/month_record.h"
#include "platform/calendar_date.h"

namespace kalendo {

struct KyuseiStars {
    int year = 0;   // 1 一白 ... 9 九紫
    int month = 0;
    int day = 0;
    friend bool operator==(const KyuseiStars&, const KyuseiStars&) = default;
};

struct LowerRegister {
    int sexagenary = 0;     // 0 (甲子) ... 59 (癸亥)
    int solarMonth = 0;     // 1 (寅) ... 12 (丑)
    int solarMonthDay = 0;  // 1 on the month's 節入り day
    KyuseiStars kyusei;
    RekichuSet rekichu = 0;
};

// The reading of `date` from `tables`, a record that holds the year tables
// of date.year (rec.terms of that year, in its almanac mode), and the day's
// lunisolar date (a leap month takes the row of the month it repeats).
LowerRegister ReadLowerRegister(const MonthRecord& tables, const CalendarDate& date, const LunisolarDate& lunar,
                                RekichuReadings readings);

// The reading of the record's target date (ComputeMonth accepted it).
LowerRegister LowerRegisterOfTarget(const MonthRecord& rec, RekichuReadings readings);

// Readings of any dates of 1600-2999 near the record's month (the grid's
// days), in the record's almanac mode, on a record of its own that shares
// the slot tables of `rec` (only year tables are loaded into it), so the
// record handed in is never moved.
class LowerRegisterReader {
public:
    explicit LowerRegisterReader(const MonthRecord& rec);
    LowerRegister Of(const CalendarDate& date, RekichuReadings readings);

private:
    MonthRecord scratch_;
};

}  // namespace kalendo
