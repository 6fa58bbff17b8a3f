#include "ui/model/schedule_file.h"

#include <optional>

#include "defs/file_encoding.h"
#include "defs/schedule_file_image.h"
#include "defs/schedules.h"
#include "platform/file_io.h"
#include "platform/platform.h"

namespace kalendo {

namespace {

// What the file holds now: its entries' own bytes, its encoding and line
// ends are kept (defs/schedule_file_image.h). Without a file, or with one
// the document would refuse, the whole table in the program's layout: in
// the encoding the file is in (CP932 for a new one), or, for a text UTF-8
// cannot carry whole (a byte of a CP932 file that is no character), in
// CP932 rather than replaced.
std::string BytesToWrite(const MonthRecord& rec, const std::optional<std::string>& old) {
    if (old) {
        if (const std::optional<ScheduleFileImage> image = ReadScheduleFileImage(*old)) {
            if (std::optional<std::string> bytes = ScheduleFileBytesKeeping(rec, *image)) {
                return std::move(*bytes);
            }
        }
    }
    const std::string cp932 = ScheduleFileBytes(rec);
    const FileEncoding encoding = old ? DefinitionFileEncoding(*old) : FileEncoding::Cp932;
    return DefinitionFileBytes(cp932, encoding).value_or(cp932);
}

}  // namespace

bool SaveSchedules(const MonthRecord& rec, const std::string& path) {
    if (WriteFileAtomically(path, BytesToWrite(rec, ReadWholeFile(path)))) return true;
    // Not fatal: ending the process here would take the newest edit with
    // it, while the table still holds it for the next save.
    ThePlatform().ShowMessage(kScheduleFileUnopenable);
    return false;
}

}  // namespace kalendo
