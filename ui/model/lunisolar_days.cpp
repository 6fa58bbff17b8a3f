#include "ui/model/lunisolar_days.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "astro/lunisolar.h"
#include "core/day_arith.h"
#include "month/compute_month.h"
#include "month/year_tables.h"
#include "ui/model/model_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

constexpr int kLongestLunarMonthDays = 30;

}  // namespace

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
    if (scratch_.year[kTarget] != date.year) {
        // A grid spans at most two years, and the year tables keep the
        // years beside the target, so this is a copy, seldom a computation.
        scratch_.year[kTarget] = date.year;
        LoadYearTables(scratch_, YearKey{date.year, scratch_.almanacMode});
        monthStartJd_ = kNoMonthJd;
    }
    // No lunar month is shorter than 29 days: within them of the last
    // month's first day, read from the same year's tables, a date lies in
    // that month, and only its day is new.
    constexpr int kShortestLunarMonthDays = 29;
    const double jd = JulianDate(date.year, date.month, date.day);
    if (jd >= monthStartJd_ && jd < monthStartJd_ + kShortestLunarMonthDays) {
        scratch_.lunarDay = static_cast<int>(jd - monthStartJd_) + 1;
    } else {
        LunisolarDate(scratch_, date.year, date.month, date.day);
        monthStartJd_ = jd - (scratch_.lunarDay - 1);
    }
    const int month = scratch_.lunarMonth;
    return LunisolarDay{month < 0 ? -month : month, month < 0, scratch_.lunarDay,
                        RokuyoIndex(scratch_)};
}

std::string LunarCellText(const LunisolarDay& day, bool withMonth) {
    if (day.month == 0) return {};
    const char* rokuyo = RokuyoName(day.rokuyo);
    if (!withMonth && day.day != 1) {
        // Most cells of every grid: each of the 30 days with each 六曜,
        // formatted once.
        static const auto kPlainTexts = [] {
            std::array<std::array<std::string, kRokuyoNameCount>, kLongestLunarMonthDays + 1> t;
            for (int d = 1; d <= kLongestLunarMonthDays; ++d) {
                for (int k = 0; k < kRokuyoNameCount; ++k) {
                    t[d][k] = FormatText(kGridLunarDayFormat, d, RokuyoName(k));
                }
            }
            return t;
        }();
        if (day.day >= 1 && day.day <= kLongestLunarMonthDays && day.rokuyo >= 0 &&
            day.rokuyo < kRokuyoNameCount) {
            return kPlainTexts[day.day][day.rokuyo];
        }
        return FormatText(kGridLunarDayFormat, day.day, rokuyo);
    }
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
