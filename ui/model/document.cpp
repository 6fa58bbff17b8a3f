#include "ui/model/document.h"

#include <optional>
#include <string_view>

#include "almanac/era.h"
#include "almanac/era_texts.h"
#include "core/load_problem.h"
#include "defs/defs_texts.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "month/compute_month.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

using Loader = std::optional<LoadProblem> (*)(MonthRecord&, std::string_view);

// Reads one file into rec, or ends the process with the reader's message.
void LoadOrExit(MonthRecord& rec, const std::string& path, const char* unreadableCp932,
                Loader load) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) ThePlatform().Fatal(unreadableCp932);
    if (const std::optional<LoadProblem> problem = load(rec, *bytes)) {
        ThePlatform().Fatal(problem->message);
    }
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
    LoadOrExit(rec, paths.eras, EraFileUnreadableMessage(), LoadEras);
    LoadOrExit(rec, paths.holidays, kHolidayFileOpenError, LoadHolidays);
    LoadOrExit(rec, paths.notes, kNoteFileUnopenable, LoadNotes);
    LoadOrExit(rec, paths.userEntries, kUserFileUnopenable, LoadUserEntries);
    LoadOrExit(rec, paths.schedules, kScheduleFileUnopenable, LoadSchedules);
    UpdateToday(rec);
}

DefinitionPaths OpenDocument(MonthRecord& rec, const std::string& folder) {
    const DefinitionPaths paths = DefinitionPathsIn(folder);
    OpenDocument(rec, paths);
    return paths;
}

}  // namespace kalendo
