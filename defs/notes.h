// Calendar notes (暦日.Def) and the user's recurring events (Usr.Def).
//
// A calendar note names a day of the almanac (a solar term, a seasonal day,
// a festival, a lunisolar date); a user entry is the user's own yearly day,
// valid from a start year on and announced some weeks ahead. Both carry a
// date expression that is evaluated afresh for every target date, and an
// optional text block as their description.
//
// Loaders take the file's bytes (CP932) and return a problem instead of
// ending the process; the edge shows kNoteFileUnopenable /
// kUserFileUnopenable when the file cannot be read at all.
#pragma once

#include <optional>
#include <string_view>

#include "core/load_problem.h"
#include "core/month_record.h"
#include "defs/notes_texts.h"  // kNoteFileUnopenable, kUserFileUnopenable, file names

namespace kalendo {

// Entry lines "%s %s %s": name and expression; a third word is ignored.
// Text blocks become descriptions. Sets rec.noteCount.
std::optional<LoadProblem> LoadNotes(MonthRecord& rec, std::string_view fileBytes);

// Entry lines "%s %d / %s %d": name, start year, expression, display period
// (weeks of notice; outside 0-4, or missing, it becomes 1). Sets
// rec.userEntryCount.
std::optional<LoadProblem> LoadUserEntries(MonthRecord& rec, std::string_view fileBytes);

// Every note's and user entry's date for the target, into rec.evaluated.
// The month computation evaluates these after both holiday tables, which a
// "平日"/"休日" keyword asks through IsDayOff.
void EvaluateNotes(MonthRecord& rec);
void EvaluateUserEntries(MonthRecord& rec);

// i when note i falls on the target date, else -1. The note's evaluated
// year must be the target year. A lunisolar note is compared with the target's
// lunisolar date: "旧M/D" never in a leap month, "旧閏M/D" only in the leap
// month M.
int NoteFallsOnTarget(const MonthRecord& rec, int i);

// i when user entry i falls on (y, m, d), else -1. From the start year on,
// the entry's month and day are compared as a Gregorian day of year y
// (both normalised); an entry that falls on no day (day 0 or less) never
// matches.
int UserEntryFallsOn(const MonthRecord& rec, int i, int y, int m, int d);

// i when user entry i is announced n (>= 1) days ahead: n <= 7 * period,
// or n <= 1 for period 0; else -1.
int UserEntryInPeriod(const MonthRecord& rec, int i, int n);

}  // namespace kalendo
