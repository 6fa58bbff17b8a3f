// The document: the five definition files of the almanac, read once at
// start-up, in a fixed order, into the month record.
//
// The order matters beyond tidiness: the holiday, note and user files
// carry date expressions whose evaluation needs nothing loaded later, and
// the schedule file, the one the program writes back, comes last.
#pragma once

#include <optional>
#include <string>

#include "core/load_problem.h"

#include "core/month_record.h"

namespace kalendo {

// The five definition files (UTF-8 paths), in the order read.
struct DefinitionPaths {
    std::string eras;         // 元号.Def
    std::string holidays;     // 祝日.Def
    std::string notes;        // 暦日.Def
    std::string userEntries;  // Usr.Def
    std::string schedules;    // Schedule.Def
};

// The five paths in `folder`, which ends with "/".
DefinitionPaths DefinitionPathsIn(const std::string& folder);

// The document's start-up from the five paths as given (an installed copy
// reads them from two folders: FileLocations). A file that cannot be read
// ends the process with its reader's message ("祝日定義ファイルが開けません",
// …); a file its reader refuses, with the reader's message (exit status 3
// through the platform's Fatal either way). A file in UTF-8 is read as its
// text in code page 932 (defs/file_encoding.h); one holding a character
// CP932 cannot hold is fatal with the message that names it. Then today's
// date (UpdateToday).
void OpenDocument(MonthRecord& rec, const DefinitionPaths& paths);

// The era, holiday, calendar-note and user files read again while the
// window runs (an editor changed one): all four are read and checked as at
// start-up into a record of their own, and only when every one is usable
// do their tables replace rec's (the month is to be computed again);
// otherwise rec is untouched and the problem returned, not fatal.
std::optional<LoadProblem> ReloadDefinitions(MonthRecord& rec, const DefinitionPaths& paths);

// OpenDocument on the five files of `folder` (ending with "/"): the
// portable layout and --data. Returns the paths.
DefinitionPaths OpenDocument(MonthRecord& rec, const std::string& folder);

}  // namespace kalendo
