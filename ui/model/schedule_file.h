// Writing the schedule file: the edge where the bytes defs/ formats
// (ScheduleFileBytes) become a file, and where a failed write is decided.
#pragma once

#include <string>

#include "core/month_record.h"

namespace kalendo {

// Replaces the file at path (UTF-8) with ScheduleFileBytes(rec),
// atomically (WriteFileAtomically): the previous file stays whole unless the
// new one is complete. When it cannot be written, kScheduleFileUnopenable
// ("スケジュール定義ファイルが開けません.") is shown and false returned; the
// program goes on with the table as it is, so the edit that could not be
// saved is not lost: every later save writes the whole table again.
bool SaveSchedules(const MonthRecord& rec, const std::string& path);

}  // namespace kalendo
