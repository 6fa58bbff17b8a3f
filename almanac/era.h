// Eras (元号): the table read from 元号.Def, newest first. An entry's era
// covers the days after its date, up to and including the date of the next
// newer entry.
#pragma once

#include <optional>
#include <string_view>

#include "core/month_record.h"
#include "core/load_problem.h"

namespace kalendo {

// Reads the era file's bytes (CP932) into the era table. A problem (no
// entries, more than 512) is returned as data; the caller makes it fatal.
std::optional<LoadProblem> LoadEras(MonthRecord& rec, std::string_view fileBytes);

int EraIndex(const MonthRecord& rec, int y, int m, int d);
int EraStartYear(const MonthRecord& rec, int i);
const char* EraName(const MonthRecord& rec, int i);
int WesternYear(const MonthRecord& rec, const char* name, int eraYear);

}  // namespace kalendo
