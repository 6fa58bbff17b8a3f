#include "ui/model/schedule_file.h"

#include <optional>

#include "defs/file_encoding.h"
#include "defs/schedules.h"
#include "platform/file_io.h"
#include "platform/platform.h"

namespace kalendo {

namespace {

FileEncoding ScheduleFileEncoding(const std::string& path) {
    const std::optional<std::string> old = ReadWholeFile(path);
    return old ? DefinitionFileEncoding(*old) : FileEncoding::Cp932;
}

}  // namespace

bool SaveSchedules(const MonthRecord& rec, const std::string& path) {
    const std::string cp932 = ScheduleFileBytes(rec);
    // A text UTF-8 cannot carry whole (a byte of a CP932 file that is no
    // character) is written in CP932 rather than replaced.
    const std::optional<std::string> bytes = DefinitionFileBytes(cp932, ScheduleFileEncoding(path));
    if (WriteFileAtomically(path, bytes.value_or(cp932))) return true;
    // Not fatal: ending the process here would take the newest edit with
    // it, while the table still holds it for the next save.
    ThePlatform().ShowMessage(kScheduleFileUnopenable);
    return false;
}

}  // namespace kalendo
