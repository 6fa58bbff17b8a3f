#include "ui/model/document.h"

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
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) ThePlatform().Fatal(unreadableCp932);
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

DefinitionPaths OpenDocument(MonthRecord& rec, const std::string& folder) {
    const DefinitionPaths paths = DefinitionPathsIn(folder);
    OpenDocument(rec, paths);
    return paths;
}

}  // namespace kalendo
