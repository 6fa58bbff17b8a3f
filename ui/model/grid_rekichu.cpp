#include "ui/model/grid_rekichu.h"

#include <optional>

#include "astro/longitude_memo.h"
#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "core/day_arith.h"
#include "month/compute_month.h"
#include "month/lower_register.h"
#include "ui/model/lunisolar_days.h"

namespace kalendo {

void GridRekichu::ReadMonth(const MonthRecord& rec, RekichuReadings readings, RekichuSet picks) {
    const int y = rec.year[kTarget], m = rec.month[kTarget];
    const int lastDay = DaysInMonth(y, m);
    ofDay_ = {};
    if (picks != 0) {
        // Only 不成就日 asks the lunisolar date; the others follow from the
        // day's sign, its mansion and the solar month, so without it no new
        // moon is read.
        std::optional<LunisolarDays> lunar;
        if (Contains(picks, RekichuName::Fujoju)) lunar.emplace(rec);
        // The month's first and last days are read whole; the days between
        // follow by counting: the sign and the mansion advance by one a day,
        // and the solar month changes at most once in a civil month (its
        // opening terms lie 29-32 days apart), on the day the last day's
        // count of its solar month says.
        const LowerRegister first = ReadLowerRegister(rec, {y, m, 1}, {}, readings);
        const LowerRegister last = ReadLowerRegister(rec, {y, m, lastDay}, {}, readings);
        const int openingDay = last.solarMonth == first.solarMonth ? lastDay + 1
                                                                   : lastDay - last.solarMonthDay + 1;
        const int firstMansion = MansionIndex(y, m, 1);
        for (int d = 1; d <= lastDay; ++d) {
            RekichuDay facts;
            facts.sexagenary = (first.sexagenary + d - 1) % kSexagenaryCycle;
            facts.mansion = (firstMansion + d - 1) % kMansionNameCount;
            if (d < openingDay) {
                facts.solarMonth = first.solarMonth;
                facts.solarMonthDay = first.solarMonthDay + d - 1;
            } else {
                facts.solarMonth = last.solarMonth;
                facts.solarMonthDay = d - openingDay + 1;
            }
            if (lunar) {
                const LunisolarDate l = lunar->Of({y, m, d}).date;
                facts.lunarMonth = l.month;  // a leap month takes its model's row
                facts.lunarDay = l.day;
            }
            ofDay_[static_cast<std::size_t>(d)] = RekichuOf(facts, readings, picks);
        }
    }
    known_ = true;
    year_ = y;
    month_ = m;
    almanac_ = rec.almanacMode;
    readings_ = readings;
    picks_ = picks;
}

std::array<RekichuSet, kGridCells> GridRekichu::OfGrid(const MonthRecord& rec,
                                                       const MonthGrid& grid,
                                                       RekichuReadings readings,
                                                       RekichuSet picks) {
    std::array<RekichuSet, kGridCells> marks{};
    const int y = rec.year[kTarget];
    if (y < kFirstComputedYear || y > kLastComputedYear || grid[0].day == 0) return marks;
    if (!(AlmanacCaching() && known_ && year_ == y && month_ == rec.month[kTarget] &&
          almanac_ == rec.almanacMode && readings_ == readings && picks_ == picks)) {
        ReadMonth(rec, readings, picks);
    }
    for (int k = 0; k < kGridCells; ++k) {
        const int day = grid[static_cast<std::size_t>(k)].day;
        if (day > 0) marks[static_cast<std::size_t>(k)] = ofDay_[static_cast<std::size_t>(day)];
    }
    return marks;
}

}  // namespace kalendo
