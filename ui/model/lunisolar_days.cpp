#include "ui/model/lunisolar_days.h"

#include <charconv>

#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "astro/longitude_memo.h"
#include "ui/model/model_texts.h"

namespace kalendo {

LunisolarDays::LunisolarDays(const MonthRecord& rec) : reader_(rec), almanac_(rec.almanacMode) {}

LunisolarDay LunisolarDays::Of(const CalendarDate& date) {
    const LunisolarDate lunar = reader_.Lunisolar(date, almanac_);
    if (lunar.month == 0) return {};
    return LunisolarDay{lunar, RokuyoOf(lunar)};
}

namespace {

void AppendNumber(std::string& out, int n) {
    char digits[12];
    const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, n);
    out.append(digits, r.ptr);
}

}  // namespace

// Built by hand rather than through printf: the CLI writes 42 of these for
// every day it prints.
std::string LunarCellText(const LunisolarDay& day, bool withMonth) {
    std::string text;
    const LunisolarDate& date = day.date;
    if (date.month == 0) return text;
    if (withMonth || date.day == 1) {
        if (date.leap) text += kGridLunarLeapMark;
        AppendNumber(text, date.month);
        text += kGridLunarMonthDaySeparator;
    }
    AppendNumber(text, date.day);
    text += kGridLunarRokuyoSeparator;
    text += RokuyoName(day.rokuyo);
    return text;
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
    if (AlmanacCaching() && known_ && first == first_ && rec.almanacMode == almanac_) {
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
