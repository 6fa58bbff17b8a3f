// The notes of the lower register the month grid marks: those the user
// picked in 設定, on the days of the displayed month. Only the displayed
// month's days are read, from the year tables the record already holds
// (its target year), and they are kept while the month, the almanac mode,
// the readings and the picks stay, so a step to another day of the month
// reads nothing again.
#pragma once

#include <array>

#include "almanac/rekichu.h"
#include "core/almanac_mode.h"
#include "core/month_record.h"
#include "ui/model/month_view.h"

namespace kalendo {

class GridRekichu {
public:
    // For each cell of `grid` (FillMonthGrid of the record's month): the
    // picked notes of its day when it is a day of the month, else none.
    // All none before a month is computed.
    std::array<RekichuSet, kGridCells> OfGrid(const MonthRecord& rec, const MonthGrid& grid,
                                              RekichuReadings readings, RekichuSet picks);

private:
    void ReadMonth(const MonthRecord& rec, RekichuReadings readings, RekichuSet picks);

    bool known_ = false;
    int year_ = 0, month_ = 0;
    AlmanacMode almanac_{};
    RekichuReadings readings_{};
    RekichuSet picks_ = 0;
    std::array<RekichuSet, 32> ofDay_{};  // [d]: day d of the month, 1-31
};

}  // namespace kalendo
