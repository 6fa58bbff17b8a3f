// The JSON object of the record's target year (kalendo2-cli year): the
// year's tables as the month computation left them, then the definition
// tables. Keys come in groups, each written by one function.
#pragma once

#include "cli/json_writer.h"
#include "core/month_record.h"

namespace kalendo {

void WriteYearObject(JsonWriter& w, const MonthRecord& rec);

}  // namespace kalendo
