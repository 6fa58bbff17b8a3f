#include "ui/model/document.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include "almanac/era.h"
#include "almanac/era_texts.h"
#include "core/load_problem.h"
#include "defs/defs_texts.h"
#include "defs/file_encoding.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "month/compute_month.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "platform/text_codec.h"
#include "ui/model/file_error.h"
#include "ui/model/schedule_file.h"

namespace kalendo {
namespace {

using Loader = std::optional<LoadProblem> (*)(MonthRecord&, std::string_view);

// Ends the process (the recording platform throws).
void FatalProblem(const LoadProblem& problem) {
    if (problem.messageUtf8.empty()) ThePlatform().Fatal(problem.message);
    ThePlatform().FatalUtf8(problem.messageUtf8);
}

// Reads one file into rec, or ends the process with the reader's message.
// A UTF-8 file reaches the reader converted to code page 932
// (ToDefinitionText); one that cannot be converted whole is fatal like any
// file its reader refuses, so nothing is read, and Schedule.Def never
// written back, without a character of it.
// Returns the file's bytes as read.
std::string LoadOrExit(MonthRecord& rec, const std::string& path, const char* unreadableCp932,
                       const char* fileNameCp932, Loader load) {
    int error = 0;
    std::optional<std::string> bytes = ReadWholeFile(path, error);
    if (!bytes) ThePlatform().FatalUtf8(UnreadableFileMessage(unreadableCp932, path, error));
    std::string read = *bytes;
    if (const std::optional<LoadProblem> problem = ToDefinitionText(*bytes, fileNameCp932)) {
        FatalProblem(*problem);
    }
    if (const std::optional<LoadProblem> problem = load(rec, *bytes)) FatalProblem(*problem);
    return read;
}

}  // namespace

// The file names are the readers' own (code page 932, as their messages
// show them); on this system's file systems names are UTF-8.
DefinitionPaths DefinitionPathsIn(const std::string& folder) {
    return {
        folder + Utf8FromCp932(kEraFileName),
        folder + Utf8FromCp932(kHolidayFileName),
        folder + Utf8FromCp932(kNoteFileName),
        folder + Utf8FromCp932(kUserFileName),
        folder + Utf8FromCp932(kScheduleFileName),
    };
}

void OpenDocument(MonthRecord& rec, const DefinitionPaths& paths) {
    LoadOrExit(rec, paths.eras, EraFileUnreadableMessage(), kEraFileName, LoadEras);
    LoadOrExit(rec, paths.holidays, kHolidayFileOpenError, kHolidayFileName, LoadHolidays);
    LoadOrExit(rec, paths.notes, kNoteFileUnopenable, kNoteFileName, LoadNotes);
    LoadOrExit(rec, paths.userEntries, kUserFileUnopenable, kUserFileName, LoadUserEntries);
    RememberScheduleFile(paths.schedules, LoadOrExit(rec, paths.schedules, kScheduleFileUnopenable,
                                                     kScheduleFileName, LoadSchedules));
    UpdateToday(rec);
}

std::optional<LoadProblem> ReloadDefinitions(MonthRecord& rec, const DefinitionPaths& paths) {
    struct File {
        const std::string& path;
        const char* unreadable;
        const char* name;
        Loader load;
    };
    const File files[] = {
        {paths.eras, EraFileUnreadableMessage(), kEraFileName, LoadEras},
        {paths.holidays, kHolidayFileOpenError, kHolidayFileName, LoadHolidays},
        {paths.notes, kNoteFileUnopenable, kNoteFileName, LoadNotes},
        {paths.userEntries, kUserFileUnopenable, kUserFileName, LoadUserEntries},
    };
    // Read whole into a record of their own first: a file refused leaves
    // the tables as they were.
    auto scratch = std::make_unique<MonthRecord>();
    for (const File& f : files) {
        int error = 0;
        std::optional<std::string> bytes = ReadWholeFile(f.path, error);
        if (!bytes) return LoadProblem{"", UnreadableFileMessage(f.unreadable, f.path, error)};
        if (auto problem = ToDefinitionText(*bytes, f.name)) return problem;
        if (auto problem = f.load(*scratch, *bytes)) return problem;
    }
    SlotTables& to = rec.TablesToChange();
    const SlotTables& from = scratch->tables;
    for (int i = 0; i <= scratch->eraCount; ++i) {
        std::memcpy(to.eraName[i], from.eraName[i], sizeof to.eraName[i]);
        to.eraStartYear[i] = from.eraStartYear[i];
        to.eraStartMonth[i] = from.eraStartMonth[i];
        to.eraStartDay[i] = from.eraStartDay[i];
    }
    const auto copy = [](DefinitionEntry* out, const DefinitionEntry* in, int count) {
        for (int i = 0; i < count; ++i) out[i] = in[i];
    };
    copy(to.holidays, from.holidays, scratch->holidayCount);
    copy(to.notes, from.notes, scratch->noteCount);
    copy(to.userEntries, from.userEntries, scratch->userEntryCount);
    rec.eraCount = scratch->eraCount;
    rec.holidayCount = scratch->holidayCount;
    rec.noteCount = scratch->noteCount;
    rec.userEntryCount = scratch->userEntryCount;
    to.definitionsStamp = from.definitionsStamp;
    return std::nullopt;
}

DefinitionPaths OpenDocument(MonthRecord& rec, const std::string& folder) {
    const DefinitionPaths paths = DefinitionPathsIn(folder);
    OpenDocument(rec, paths);
    return paths;
}

}  // namespace kalendo
