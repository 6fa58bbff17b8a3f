// Writing the schedule file: the edge where the bytes defs/ formats
// (ScheduleFileBytes) become a file, and where a failed write is decided.
#pragma once

#include <string>
#include <string_view>

#include "core/month_record.h"

namespace kalendo {

// Replaces the file at path (UTF-8) with the table as it is now: each entry
// of the file that the table still holds unchanged keeps its exact bytes,
// and the file its header, encoding (UTF-8 with or without its byte-order
// mark, or CP932) and line ends (ScheduleFileBytesKeeping); added and edited
// entries are written in that encoding and with those line ends. A file
// that does not exist, cannot be read or would be refused on reading gets
// ScheduleFileBytes(rec) in its encoding (a new one in CP932, and so is a
// text holding a byte that is no CP932 character, which UTF-8 cannot carry
// without replacing it). Atomically (WriteFileAtomically): the
// previous file stays whole unless the new one is complete. When it cannot
// be written, kScheduleWriteErrorFormat with the reason and the path
// ("スケジュール定義ファイルを書き込めません（ディスクの空きが足りません）.") is
// shown and false returned; the
// program goes on with the table as it is, so the edit that could not be
// saved is not lost: every later save writes the whole table again.
//
// Before writing, the file is read: when its bytes are no longer those this
// process last read (RememberScheduleFile, at start-up) or wrote there,
// someone else changed it meanwhile. The user's change (what the table
// holds against the file as last known) is then applied to the file as it
// is now, and rec's table becomes that, so the window shows both; where
// the two changes touch the same schedule (kScheduleFileCollisionFormat),
// or the file cannot be read now (kScheduleFileUnreadableNowFormat: half
// written, or refused), the file is left as it is, the table keeps the
// user's change and false is returned.
bool SaveSchedules(MonthRecord& rec, const std::string& path);

// The bytes the document read from path: what the table is in step with.
void RememberScheduleFile(const std::string& path, std::string_view bytes);

// The window's watcher saw the file change: a change made by someone else
// (bytes other than those last read or written, read until they settle) is
// taken into rec's table the way a save would merge it, and true returned;
// false, nothing changed and nothing shown, when there is none, the file
// cannot be read now or it collides with a change not yet saved.
bool TakeOutsideScheduleChange(MonthRecord& rec, const std::string& path);

}  // namespace kalendo
