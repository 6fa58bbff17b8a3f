// Schedule.Def as it lies on disk, so that a save changes only what the user
// changed. The program rewrites the whole file after every edit; written
// from the table alone, every other entry would come back in the program's
// own layout and, in a UTF-8 file, through code page 932, which maps some
// characters to others (〜 U+301C comes back as ～ U+FF5E, − U+2212 as
// － U+FF0D). So each entry of the file keeps its own bytes (its entry line,
// its note block and the comment and blank lines after it, exactly as they
// stand), and a save writes an entry the table still holds unchanged as
// those bytes; only an added or edited one is formatted anew, in the file's
// encoding and with its line ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/month_record.h"
#include "defs/file_encoding.h"

namespace kalendo {

struct ScheduleFileImage {
    FileEncoding encoding = FileEncoding::Cp932;
    // The first line end of the file (LF, CR LF or a lone CR) ends the
    // lines a save writes; notes take the first line end seen inside a note,
    // or, in a file with none, CR LF after LF lines (the program's own
    // layout) and the file's line end otherwise.
    std::string lineEnd = "\n";
    std::string noteLineEnd = "\r\n";
    std::string preamble;  // the bytes before the first entry line (its header)
    struct Entry {
        CSchedule values;   // as the reader reads it
        std::string bytes;  // as it stands in the file, ending with a line end
    };
    std::vector<Entry> entries;  // in file order
};

// The image of a file's bytes as they lie on disk; nullopt when the
// document would refuse the file (defs/file_encoding.h, LoadSchedules).
std::optional<ScheduleFileImage> ReadScheduleFileImage(std::string_view fileBytes);

// The bytes a save writes, in the image's encoding: its preamble (the
// program's header for an empty file), then each schedule of the
// table dated today or later, in table order: as the bytes of an entry of
// the image that reads as the same schedule (each entry used once), else
// formatted anew (AppendScheduleEntry); with the coding line or mark
// ReadableAs adds where the rule would otherwise misread it. nullopt when a new entry cannot be
// written in a UTF-8 image's encoding (a byte that is no CP932 character).
std::optional<std::string> ScheduleFileBytesKeeping(const MonthRecord& rec,
                                                    const ScheduleFileImage& image);

}  // namespace kalendo
