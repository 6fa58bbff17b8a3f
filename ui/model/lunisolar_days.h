// The lunisolar day and 六曜 of any date near the record's month, in the
// almanac mode the record was computed in: what the grid's second line, the
// printed month and the day cells' spoken names show for days other than
// the target.
//
// Every date is read from its own year's tables, as a month computation of
// that date would: the last days of December belong to the lunar month the
// year they lie in numbers, which near a leap month need not be what the
// next year's tables say of them.
#pragma once

#include <array>
#include <string>

#include "core/lunisolar_date.h"
#include "core/month_record.h"
#include "month/read_day.h"
#include "platform/calendar_date.h"
#include "ui/model/month_view.h"

namespace kalendo {

struct LunisolarDay {
    LunisolarDate date;  // month 0 for a date outside the years the almanac computes
    int rokuyo = -1;     // 0 先勝 ... 5 赤口
    friend bool operator==(const LunisolarDay&, const LunisolarDay&) = default;
};

// Reads dates one by one through a DayReader of the window's record (only
// the year tables are loaded into the reader's record, no definition is
// evaluated), so the record handed in is never moved.
class LunisolarDays {
public:
    explicit LunisolarDays(const MonthRecord& rec);
    LunisolarDay Of(const CalendarDate& date);

private:
    DayReader reader_;
    AlmanacMode almanac_;
};

// The grid cell's second line, CP932: "25 先負" for an ordinary day; the
// month too on the first day of a lunar month and when `withMonth` (the
// grid's first cell): "4/1 仏滅", "閏4/1 仏滅". Empty outside the years.
std::string LunarCellText(const LunisolarDay& day, bool withMonth);

// Fills every cell's lunarText (the window asks for it only while the line
// is shown; the CLI always).
void AddLunarTexts(const MonthRecord& rec, MonthGrid& grid);

// AddLunarTexts for a view that refreshes again and again: the 42 days of
// a grid follow from its first day, so while the first day and the almanac
// mode stay, a step to another day of the month reuses the texts. They are
// a function of that key alone (the year tables are), and, like every
// remembered value, reused only while AlmanacCaching() is on.
class GridLunarTexts {
public:
    void AddTo(const MonthRecord& rec, MonthGrid& grid);

private:
    bool known_ = false;
    CalendarDate first_{};
    AlmanacMode almanac_{};
    std::array<std::string, kGridCells> texts_;
};

}  // namespace kalendo
