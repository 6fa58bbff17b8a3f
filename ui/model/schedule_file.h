// Writing the schedule file: the edge where the bytes defs/ formats
// (ScheduleFileBytes) become a file, and where a failed write is decided.
#pragma once

#include <string>

#include "core/month_record.h"
#include "defs/file_encoding.h"

namespace kalendo {

// The encoding the schedule file at path (UTF-8) is written in: the one it
// is in now (DefinitionFileEncoding), so that a file the user keeps in
// UTF-8 stays UTF-8, with or without its byte-order mark; CP932 for a file
// that does not exist or cannot be read (a new one).
FileEncoding ScheduleFileEncoding(const std::string& path);

// Replaces the file at path (UTF-8) with ScheduleFileBytes(rec) in
// ScheduleFileEncoding(path) (the CP932 bytes as they are when the text
// holds a byte that is no CP932 character, which UTF-8 cannot carry),
// atomically (WriteFileAtomically): the previous file stays whole unless the
// new one is complete. When it cannot be written, kScheduleFileUnopenable
// ("スケジュール定義ファイルが開けません.") is shown and false returned; the
// program goes on with the table as it is, so the edit that could not be
// saved is not lost: every later save writes the whole table again.
bool SaveSchedules(const MonthRecord& rec, const std::string& path);

}  // namespace kalendo
