#include "ui/model/lunisolar_days.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "astro/longitude_memo.h"
#include "astro/lunisolar.h"
#include "core/day_arith.h"
#include "month/compute_month.h"
#include "month/year_tables.h"
#include "ui/model/model_texts.h"

namespace kalendo {

LunisolarDays::LunisolarDays(const MonthRecord& rec) : scratch_(rec.tables) {
    scratch_.almanacMode = rec.almanacMode;
    // Most of a grid lies in the record's own year, whose tables the record
    // holds: the lunisolar date reads only its new moons and their month
    // numbers, so those are taken over instead of the whole year's tables.
    if (rec.year[kTarget] >= kFirstComputedYear && rec.year[kTarget] <= kLastComputedYear) {
        scratch_.year[kTarget] = rec.year[kTarget];
        scratch_.newMoons = rec.newMoons;
        std::copy(std::begin(rec.lunarMonthNumber), std::end(rec.lunarMonthNumber),
                  std::begin(scratch_.lunarMonthNumber));
    }
}

LunisolarDay LunisolarDays::Of(const CalendarDate& date) {
    if (date.year < kFirstComputedYear || date.year > kLastComputedYear) return {};
    const double jd = JulianDate(date.year, date.month, date.day);
    if (scratch_.year[kTarget] != date.year) {
        // A grid spans at most two years, and the year tables keep the
        // years beside the target, so this is a copy, seldom a computation.
        scratch_.year[kTarget] = date.year;
        UseYearTables(scratch_, YearKey{date.year, scratch_.almanacMode});
        monthEndJd_ = monthFirstJd_ = 0;
    }
    LunisolarDate lunar = first_;
    if (jd >= monthFirstJd_ && jd < monthEndJd_) {
        lunar.day = static_cast<int>(jd - monthFirstJd_) + 1;
    } else {
        lunar = LunisolarDateOf(scratch_, date.year, date.month, date.day);
        first_ = LunisolarDate{lunar.month, lunar.leap, 1};
        monthFirstJd_ = jd - (lunar.day - 1);
        monthEndJd_ = monthFirstJd_;  // an empty range until the next new moon is found
        for (int n = 0; n < kNewMoonCount; ++n) {
            const CalendarDate newMoon = EntryAt(scratch_.newMoons, n);
            const double newMoonJd = JulianDate(newMoon.year, newMoon.month, newMoon.day);
            if (newMoonJd > monthFirstJd_) {
                monthEndJd_ = newMoonJd;
                break;
            }
        }
    }
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
