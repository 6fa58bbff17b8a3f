#include "ui/model/schedule_file.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <thread>

#include "defs/file_encoding.h"
#include "defs/schedule_file_image.h"
#include "defs/schedule_merge.h"
#include "defs/schedules.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "platform/text_codec.h"
#include "ui/model/file_error.h"
#include "ui/model/file_error_texts.h"
#include "ui/model/model_texts.h"

namespace kalendo {

namespace {

// The bytes of each schedule file as this process last read or wrote them:
// what the table was in step with. A file whose bytes differ at the next
// save was changed by someone else meanwhile.
std::map<std::string, std::string>& KnownFiles() {
    static std::map<std::string, std::string> known;
    return known;
}

// A message with the file's path and perhaps a schedule's name, in UTF-8.
void ShowFileMessage(const char* formatCp932, const std::string& path, const char* nameCp932) {
    const std::string format = Utf8FromCp932(formatCp932);
    const std::string name = Utf8FromCp932(nameCp932);
    const int n = std::snprintf(nullptr, 0, format.c_str(), path.c_str(), name.c_str());
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
    std::snprintf(text.data(), text.size(), format.c_str(), path.c_str(), name.c_str());
    text.resize(text.size() - 1);
    ThePlatform().ShowMessageUtf8(text);
}

// The file read again until two reads a moment apart agree: an editor that
// does not replace files atomically truncates and then writes, and a file
// caught in between (empty, or cut anywhere) is not what it holds. Gives up
// after about half a second with the last read.
std::optional<std::string> SettledRead(const std::string& path, std::optional<std::string> first) {
    constexpr int kRereads = 16;
    constexpr auto kPause = std::chrono::milliseconds(30);
    for (int i = 0; i < kRereads; ++i) {
        std::this_thread::sleep_for(kPause);
        std::optional<std::string> again = ReadWholeFile(path);
        if (again == first) break;
        first = std::move(again);
    }
    return first;
}

// The user's change applied to the file as it is now (defs/schedule_merge.h),
// into rec's table. false, rec and the file untouched and the reason
// shown, when the file cannot be read now or the changes collide.
// quiet: nothing shown (the watcher's case: the next change or save tells).
bool MergeOutsideChange(MonthRecord& rec, const std::string& path, const std::string& known,
                        const std::string& now, bool quiet) {
    const std::optional<ScheduleFileImage> base = ReadScheduleFileImage(known);
    const std::optional<ScheduleFileImage> theirs = ReadScheduleFileImage(now);
    if (!base || !theirs) {
        // Half written by an editor that does not replace files atomically,
        // or refused: taken as it is, it would lose what it held.
        if (!quiet) ShowFileMessage(kScheduleFileUnreadableNowFormat, path, "");
        return false;
    }
    const auto values = [](const ScheduleFileImage& image) {
        std::vector<CSchedule> out;
        for (const ScheduleFileImage::Entry& e : image.entries) out.push_back(e.values);
        return out;
    };
    const ScheduleMerge merge = MergeSchedules(values(*base), rec.tables.schedules,
                                               rec.scheduleCount, values(*theirs), rec);
    if (merge.collision >= 0 || merge.table.size() > static_cast<std::size_t>(kScheduleCapacity)) {
        const int b = merge.collision >= 0 ? merge.collision : 0;
        if (quiet) return false;
        ShowFileMessage(kScheduleFileCollisionFormat, path,
                        base->entries.empty() ? "" : base->entries[b].values.name);
        return false;
    }
    for (std::size_t i = 0; i < merge.table.size(); ++i) {
        CopySchedule(rec.TablesToChange().schedules[i], merge.table[i]);
    }
    rec.scheduleCount = static_cast<int>(merge.table.size());
    return true;
}

// What the file holds now: its entries' own bytes, its encoding and line
// ends are kept (defs/schedule_file_image.h). Without a file, or with one
// the document would refuse, the whole table in the program's layout: in
// the encoding the file is in (CP932 for a new one), or, for a text UTF-8
// cannot carry whole (a byte of a CP932 file that is no character), in
// CP932 rather than replaced; either way with the coding line or mark
// ReadableAs adds where the encoding rule would read the bytes otherwise.
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
    if (std::optional<std::string> bytes = DefinitionFileBytes(cp932, encoding)) {
        return ReadableAs(std::move(*bytes), encoding, "\n");
    }
    return ReadableAs(cp932, FileEncoding::Cp932, "\n");
}

}  // namespace

void RememberScheduleFile(const std::string& path, std::string_view bytes) {
    KnownFiles()[path] = std::string(bytes);
}

bool TakeOutsideScheduleChange(MonthRecord& rec, const std::string& path) {
    const auto known = KnownFiles().find(path);
    if (known == KnownFiles().end()) return false;
    std::optional<std::string> now = ReadWholeFile(path);
    if (now == known->second) return false;
    now = SettledRead(path, now);
    if (!now || *now == known->second) return false;
    if (!MergeOutsideChange(rec, path, known->second, *now, true)) return false;
    // The table is in step with the file as it is now, plus any change of
    // the user's that a failed save left unwritten (the next save writes it).
    known->second = *now;
    return true;
}

bool SaveSchedules(MonthRecord& rec, const std::string& path) {
    std::optional<std::string> now = ReadWholeFile(path);
    const auto known = KnownFiles().find(path);
    if (known != KnownFiles().end() && now != known->second) now = SettledRead(path, now);
    if (now && known != KnownFiles().end() && *now != known->second &&
        !MergeOutsideChange(rec, path, known->second, *now, false)) {
        return false;
    }
    const std::string bytes = BytesToWrite(rec, now);
    int error = 0;
    if (WriteFileAtomically(path, bytes, error)) {
        RememberScheduleFile(path, bytes);
        return true;
    }
    // Not fatal: ending the process here would take the newest edit with
    // it, while the table still holds it for the next save.
    ThePlatform().ShowMessageUtf8(WriteErrorMessage(kScheduleWriteErrorFormat, path, error));
    return false;
}

}  // namespace kalendo
