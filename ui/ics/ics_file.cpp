#include "ui/ics/ics_file.h"

#include "platform/file_io.h"
#include "platform/text_codec.h"
#include "ui/ics/ics_calendar.h"
#include "ui/model/file_error.h"
#include "ui/model/ics_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {

IcsFileResult ExportIcsFile(const MonthRecord& rec, CalendarDate first, CalendarDate last, IcsInclude include,
                            AlmanacMode almanac, std::time_t stamp, const std::string& path,
                            const GeoPosition* place) {
    IcsFileResult result;
    AtomicFileWriter file(path);
    if (!file.ok()) {
        result.error = file.error();
        return result;
    }
    const long long events = ExportIcs(rec, first, last, include, almanac, stamp,
                                       [&file](std::string_view bytes) { return file.Write(bytes); }, place);
    if (!file.Commit()) {
        result.error = file.error();
        return result;
    }
    result.written = true;
    result.events = events;
    return result;
}

std::string IcsExportDoneMessage(const std::string& pathUtf8, long long events) {
    return FormatText(kIcsExportDoneFormat, static_cast<long long>(events), Cp932FromUtf8(pathUtf8).c_str());
}

std::string IcsExportFailedMessage(const std::string& pathUtf8, int error) {
    return FormatText(kIcsWriteErrorFormat, FileErrorReason(error).c_str(), Cp932FromUtf8(pathUtf8).c_str());
}

}  // namespace kalendo
