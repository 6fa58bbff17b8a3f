// Reuse of date-expression results within the month computation.
//
// An expression's result (the entry's year, month, day, oldCalendar and
// leapFlag) is a function of its text, the target year, the solar-term
// table and, for some expressions, the target month, the target day or the
// days off; the evaluator reports which of the last three it read
// (ExpressionReads). An entry whose text, target year and almanac mode, and
// the target month and day when it read them, are those of its last
// evaluation gets that evaluation's result again, the very values a fresh
// evaluation would store. An entry that read the days off is evaluated every
// time: the days off it sees change during the holiday step and carry over
// from the previous month computation.
#pragma once

#include "core/almanac_mode.h"
#include "core/month_record.h"

namespace kalendo {

// While one exists, rec.terms are the solar terms of (rec.year[kTarget],
// mode), and EvaluateEntry may reuse results for rec. The month computation
// holds one around its definition steps, right after it set the year's
// tables; outside one, every evaluation is fresh.
class ReuseScope {
public:
    ReuseScope(const MonthRecord& rec, AlmanacMode mode);
    ~ReuseScope();
    ReuseScope(const ReuseScope&) = delete;
    ReuseScope& operator=(const ReuseScope&) = delete;
};

// EvaluateExpression(rec, table, index), or the result of that entry's last
// evaluation when nothing it read has changed. `table` is rec.holidays,
// rec.notes or rec.userEntries; any other table is always evaluated.
void EvaluateEntry(MonthRecord& rec, DefinitionEntry* table, int index);

}  // namespace kalendo
