// Writing the schedule file: the edge where the bytes defs/ formats
// (ScheduleFileBytes) become a file, and where a failed write is decided.
#pragma once

#include <string>

#include "core/month_record.h"

namespace kalendo {

// Replaces the file at path (UTF-8) with ScheduleFileBytes(rec) in the
// encoding the file is in now (DefinitionFileEncoding), so that a file the
// user keeps in UTF-8 stays UTF-8, with or without its byte-order mark; a
// file that does not exist or cannot be read (a new one) in CP932, and so
// is a text holding a byte that is no CP932 character, which UTF-8 cannot
// carry without replacing it. Atomically (WriteFileAtomically): the
// previous file stays whole unless the new one is complete. When it cannot
// be written, kScheduleFileUnopenable
// ("スケジュール定義ファイルが開けません.") is shown and false returned; the
// program goes on with the table as it is, so the edit that could not be
// saved is not lost: every later save writes the whole table again.
bool SaveSchedules(const MonthRecord& rec, const std::string& path);

}  // namespace kalendo
