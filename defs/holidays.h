// National holidays: the holiday file 祝日.Def, their dates in the target
// year and the substitute and citizens' holidays that follow from them.
// Which days they make off is asked of day_off.h.
//
// The edge reads the file (an unreadable one is fatal with
// kHolidayFileOpenError from "defs/defs_texts.h") and hands its bytes here.
#pragma once

#include <optional>
#include <string_view>

#include "core/load_problem.h"
#include "core/month_record.h"

namespace kalendo {

// One entry per non-empty line "%s ( %d - %d ) / %s %s": name, first valid
// year, first year no longer valid, date expression, one-word description.
// Fields a line does not reach keep their initial values (years -1: never
// valid). Sets rec.holidayCount. More than 512 lines is the problem
// "定義ファイル 祝日.Def の定義数が上限 512 件を超えています".
std::optional<LoadProblem> LoadHolidays(MonthRecord& rec, std::string_view fileBytes);

// Every holiday valid in the target year (fromYear <= Y < toYear) gets its
// month and day for that year in rec.evaluated.holidays, in file order; the
// others get -1. An entry using "平日"/"休日" therefore sees the holidays
// above it with their new dates, itself as evaluated so far, those below it
// not at all, and the generated holidays as the record's previous month
// computation left them. Needs rec.terms of the target year. A wrong
// expression is fatal.
void EvaluateHolidays(MonthRecord& rec);

// Rebuilds rec.evaluated.generated for the target year from the evaluated
// holidays: first the citizens' holidays (from 1986), then the substitute
// holidays (from 1973), at most 256 in all.
void GenerateHolidays(MonthRecord& rec);

// kSubstituteHolidayName or kCitizensHolidayName (CP932).
const char* GeneratedHolidayName(const GeneratedHoliday& g);

}  // namespace kalendo
