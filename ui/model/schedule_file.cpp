#include "ui/model/schedule_file.h"

#include "defs/schedules.h"
#include "platform/file_io.h"
#include "platform/platform.h"

namespace kalendo {

bool SaveSchedules(const MonthRecord& rec, const std::string& path) {
    if (WriteFileAtomically(path, ScheduleFileBytes(rec))) return true;
    // Not fatal: ending the process here would take the newest edit with
    // it, while the table still holds it for the next save.
    ThePlatform().ShowMessage(kScheduleFileUnopenable);
    return false;
}

}  // namespace kalendo
