#include "ui/model/lunisolar_days.h"

#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "astro/lunisolar.h"
#include "month/compute_month.h"
#include "month/year_tables.h"
#include "ui/model/model_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {

LunisolarDays::LunisolarDays(const MonthRecord& rec) : scratch_(rec.tables) {
    scratch_.almanacMode = rec.almanacMode;
}

LunisolarDay LunisolarDays::Of(const CalendarDate& date) {
    if (date.year < kFirstComputedYear || date.year > kLastComputedYear) return {};
    if (scratch_.year[kTarget] != date.year) {
        // A grid spans at most two years, and the year tables keep the
        // years beside the target, so this is a copy, seldom a computation.
        scratch_.year[kTarget] = date.year;
        LoadYearTables(scratch_, YearKey{date.year, scratch_.almanacMode});
    }
    LunisolarDate(scratch_, date.year, date.month, date.day);
    const int month = scratch_.lunarMonth;
    return LunisolarDay{month < 0 ? -month : month, month < 0, scratch_.lunarDay,
                        RokuyoIndex(scratch_)};
}

std::string LunarCellText(const LunisolarDay& day, bool withMonth) {
    if (day.month == 0) return {};
    const char* rokuyo = RokuyoName(day.rokuyo);
    if (!withMonth && day.day != 1) return FormatText(kGridLunarDayFormat, day.day, rokuyo);
    return FormatText(day.leap ? kGridLunarLeapMonthDayFormat : kGridLunarMonthDayFormat,
                      day.month, day.day, rokuyo);
}

void AddLunarTexts(const MonthRecord& rec, MonthGrid& grid) {
    if (grid[0].day == 0) return;  // no month computed yet
    LunisolarDays days(rec);
    for (int k = 0; k < kGridCells; ++k) {
        DayCell& cell = grid[k];
        cell.lunarText = LunarCellText(days.Of(CellClickTarget(rec, cell.day)), k == 0);
    }
}

void GridLunarTexts::AddTo(const MonthRecord& rec, MonthGrid& grid) {
    if (grid[0].day == 0) return;
    const CalendarDate first = CellClickTarget(rec, grid[0].day);
    if (known_ && first == first_ && rec.almanacMode == almanac_) {
        for (int k = 0; k < kGridCells; ++k) grid[k].lunarText = texts_[k];
        return;
    }
    AddLunarTexts(rec, grid);
    for (int k = 0; k < kGridCells; ++k) texts_[k] = grid[k].lunarText;
    known_ = true;
    first_ = first;
    almanac_ = rec.almanacMode;
}

}  // namespace kalendo
