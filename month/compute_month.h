// The month computation: the only operation that moves the month record to a
// new target date. It runs the year's steps in a fixed order; each step is
// owned by the layer below (astronomy, signs, definitions, eras).
#pragma once

#include "core/almanac_mode.h"
#include "core/month_record.h"

namespace kalendo {

// The years the month computation accepts.
inline constexpr int kFirstComputedYear = 1600;
inline constexpr int kLastComputedYear = 2999;

// Whether ComputeMonth accepts (y, m, d): a year of the range above and a
// real month and day.
bool ComputeMonthAccepts(int y, int m, int d);

// What a month computation is asked for besides the date: the astronomy
// and the display mode, both the user's choice, passed with every call.
struct MonthOptions {
    AlmanacMode almanac = AlmanacMode::Standard;
    int display = kViewFull;  // kViewMonthly: the record always describes today
};

// 1 when the record now describes (y, m, d), computed in options.almanac
// (kept as rec.almanacMode); 0 when the date was rejected (years
// 1600-2999, a real month and day): the range message is shown and the
// record is unchanged. In the monthly display the arguments are replaced by
// today's date first.
int ComputeMonth(MonthRecord& rec, int y, int m, int d, MonthOptions options);

// Whether ComputeMonth(rec, y, m, d, options) would give 1, asked before
// anything moves (a dialog that stays open on a refusal): the date it
// would compute, today's in the monthly display, is accepted.
bool ComputeMonthWouldAccept(const MonthRecord& rec, int y, int m, int d, MonthOptions options);

// Reads today's local date from the platform into element 1 of the date
// arrays; all four fields 0 (weekday -1) when the clock cannot be read.
void UpdateToday(MonthRecord& rec);

}  // namespace kalendo
