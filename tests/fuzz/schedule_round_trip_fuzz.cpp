// Schedules never lose data: a table as any file loads it (a UTF-8 file
// converted as the document converts it), saved in the file's encoding and
// loaded again, is the same table (every schedule dated today or later, in
// order, with its name, date, period and note), and saving that gives the
// same bytes; the window's save, which keeps the file's own bytes, writes
// the original file back unchanged.
#include <cstring>
#include <string>

#include "core/day_arith.h"
#include "defs/file_encoding.h"
#include "defs/schedule_file_image.h"
#include "defs/schedules.h"
#include "tests/fuzz/fuzz_support.h"

using namespace kalendo;

namespace {

void SetToday(MonthRecord& rec) {
    rec.year[kToday] = 2024;
    rec.month[kToday] = 6;
    rec.day[kToday] = 15;
}

bool DatedTodayOrLater(const MonthRecord& rec, const CSchedule& s) {
    return CompareDates(s.year, s.month, s.day, rec.year[kToday], rec.month[kToday],
                        rec.day[kToday]) <= 0;
}

bool SameSchedule(const CSchedule& a, const CSchedule& b) {
    return std::strcmp(a.name, b.name) == 0 && std::strcmp(a.text, b.text) == 0 &&
           a.year == b.year && a.month == b.month && a.day == b.day &&
           a.displayPeriod == b.displayPeriod;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<MonthRecord> first = fuzz::EmptyRecord();
    static std::unique_ptr<MonthRecord> second = fuzz::EmptyRecord();
    static int usedFirst = 0;
    static int usedSecond = 0;
    fuzz::StartInput();
    fuzz::ResetSchedules(first->TablesToChange().schedules, usedFirst);
    fuzz::ResetSchedules(second->TablesToChange().schedules, usedSecond);
    SetToday(*first);
    SetToday(*second);

    const FileEncoding encoding = DefinitionFileEncoding(fuzz::Bytes(data, size));
    const std::optional<std::string> text = fuzz::DefinitionText(data, size);
    if (!text) return 0;
    const auto problem = LoadSchedules(*first, *text);
    usedFirst = first->scheduleCount;
    if (problem) return 0;

    // Written back as SaveSchedules writes it: in the encoding the file was
    // read in, or as the CP932 bytes themselves when UTF-8 cannot carry them
    // (a lone CR takes the byte after it, which may split a character), with
    // the coding line or mark where the rule would misread the bytes; then
    // read again as the document reads it.
    const std::string saved = ScheduleFileBytes(*first);
    const std::optional<std::string> written = DefinitionFileBytes(saved, encoding);
    std::string again =
        ReadableAs(written.value_or(saved), written ? encoding : FileEncoding::Cp932, "\n");
    const FileEncoding readAs = DefinitionFileEncoding(again);
    fuzz::FuzzCheck(!ToDefinitionText(again, "x").has_value() &&
                        (again == saved || again == std::string(kCp932CodingLine) + "\n" + saved),
                    "the written file reads as the text that was saved");
    fuzz::FuzzCheck(readAs == (written ? encoding : FileEncoding::Cp932) ||
                        (readAs == FileEncoding::Utf8WithByteOrderMark && encoding == FileEncoding::Utf8),
                    "the written file is read in the encoding it was written in");
    const auto reloaded = LoadSchedules(*second, again);
    usedSecond = second->scheduleCount;
    fuzz::FuzzCheck(!reloaded.has_value(), "a saved file loads");

    int j = 0;
    for (int i = 0; i < first->scheduleCount; ++i) {
        const CSchedule& s = first->tables.schedules[i];
        if (!DatedTodayOrLater(*first, s)) continue;
        fuzz::FuzzCheck(j < second->scheduleCount, "no saved schedule is lost");
        fuzz::FuzzCheck(SameSchedule(s, second->tables.schedules[j]),
                        "a saved schedule loads with the same name, date, period and note");
        ++j;
    }
    fuzz::FuzzCheck(j == second->scheduleCount, "saving adds no schedule");
    fuzz::FuzzCheck(ScheduleFileBytes(*second) == saved, "saving again writes the same bytes");

    // Against the original file itself, so that a loss on the first read is
    // caught too: the save that keeps the file's own bytes (the window's)
    // writes every entry dated today or later exactly as it stands, so with
    // no past entry it is the original bytes (a line end added to a last
    // line without one).
    const std::string original(fuzz::Bytes(data, size));
    const std::optional<ScheduleFileImage> image = ReadScheduleFileImage(original);
    fuzz::FuzzCheck(image.has_value(), "a file the document reads has an image");
    fuzz::FuzzCheck(static_cast<int>(image->entries.size()) == first->scheduleCount,
                    "the image holds every entry the reader read");
    const std::optional<std::string> kept = ScheduleFileBytesKeeping(*first, *image);
    fuzz::FuzzCheck(kept.has_value(), "an unchanged table is always written");
    // The window's save, read again, is the same table.
    std::string keptText = *kept;
    fuzz::FuzzCheck(!ToDefinitionText(keptText, "x").has_value(),
                    "the window's save reads in the encoding it was written in");
    fuzz::ResetSchedules(second->TablesToChange().schedules, usedSecond);
    fuzz::FuzzCheck(!LoadSchedules(*second, keptText).has_value(), "the window's save loads");
    usedSecond = second->scheduleCount;
    fuzz::FuzzCheck(ScheduleFileBytes(*second) == saved, "the window's save is the same table");
    if (j == first->scheduleCount) {
        const bool ended = original.empty() || original.back() == '\n' || original.back() == '\r';
        const bool onlyMark = original == kUtf8ByteOrderMark;
        fuzz::FuzzCheck(original.empty() || onlyMark ||
                            *kept == (ended ? original : original + image->lineEnd),
                        "an unchanged table is written as the original bytes");
    }
    return 0;
}
