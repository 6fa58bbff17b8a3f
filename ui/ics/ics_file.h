// The window's export: the calendar written into a file as it is computed,
// the file replaced atomically, and what the user is told afterwards.
#pragma once

#include <ctime>
#include <string>

#include "core/almanac_mode.h"
#include "core/month_record.h"
#include "ui/model/file_error.h"  // FileErrorReason
#include "ui/model/ics_events.h"

namespace kalendo {

struct IcsFileResult {
    bool written = false;  // the file is in place, complete
    long long events = 0;  // the events it holds
    int error = 0;         // errno value when not written
};

// ExportIcs into the file at `path` (UTF-8) through AtomicFileWriter: a
// failure at any point (no folder, no permission, a full disk) leaves an
// existing file as it was and no temporary file; the export stops at the
// first failed write. A file that cannot even be created is known before
// any day is computed. The days are read on the tables of `rec`
// (VisitIcsEvents). Precondition: IcsRangeAccepted.
IcsFileResult ExportIcsFile(const MonthRecord& rec, CalendarDate first, CalendarDate last, IcsInclude include,
                            AlmanacMode almanac, std::time_t stamp, const std::string& path,
                            const GeoPosition* place = nullptr);

// The messages after an export (CP932): where the file went and how many
// events it holds; or which file could not be written and why.
std::string IcsExportDoneMessage(const std::string& pathUtf8, long long events);
std::string IcsExportFailedMessage(const std::string& pathUtf8, int error);

}  // namespace kalendo
