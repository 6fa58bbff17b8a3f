// Schedules: the user's one-off appointments, kept in Schedule.Def and
// written back after every change.
//
// The file is the one definition file the almanac writes, so what is
// written must read back as it was: an entry line "%s%*c%04d/%02d/%02d\t%d"
// (the name padded with blanks so that the date begins in byte column 21,
// one blank after a name of 20 bytes or more), then the note between a "{"
// line and a "}" line. The reader keeps every note line whole and closes a
// note only on a line that is exactly "}", so a note survives a save and a
// load byte for byte. What the file cannot carry is a name that is not one
// word (ScheduleNameFitsFile) and a note line that is exactly "}"
// (ScheduleNoteFitsFile): the editor refuses those.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/load_problem.h"
#include "core/month_record.h"
#include "defs/schedule_texts.h"  // kScheduleFileUnopenable, kScheduleFileName

namespace kalendo {

// The longest schedule name the file carries, in bytes: its entry line (the
// name, a blank, "YYYY/MM/DD", a TAB and the period: 13 bytes) must fit the
// 1023 bytes the reader takes as one line, or the date would be read as an
// entry of its own. A name beginning with "{" (only an indented line gives
// one) is written after a blank, so it may hold one byte less.
inline constexpr int kMaxScheduleNameBytes = 1010;

// Reads the file's bytes into rec.schedules and sets rec.scheduleCount.
// Entry lines "%s %04d/%02d/%02d %d" (a period outside 0-4 becomes 1).
// Past schedules are kept until the first sweep. An unopenable file is the
// edge's kScheduleFileUnopenable. So that every loaded schedule can be
// written back as it was read, nothing is cut: a line or a note over 1023
// bytes is the reader's problem (TextBlockMode::WholeLines), and a name
// over kMaxScheduleNameBytes is kScheduleNameTooLongFormat with the
// schedule's number (from 1).
std::optional<LoadProblem> LoadSchedules(MonthRecord& rec, std::string_view fileBytes);

// The whole file as it is written (the edge writes it: SaveSchedules in
// ui/model/schedule_file.h): the three header lines, then
// every schedule dated today (rec's element 1) or later, in table order.
// Line breaks inside a note are written as CR LF, whatever they were; a
// name longer than kMaxScheduleNameBytes is written cut to that length, and
// one that begins with "{" after a blank.
std::string ScheduleFileBytes(const MonthRecord& rec);

// Appends one schedule as ScheduleFileBytes writes it, with its lines ended
// by lineEnd and the line breaks of its note written as noteLineEnd.
void AppendScheduleEntry(std::string& out, const CSchedule& s, std::string_view lineEnd,
                         std::string_view noteLineEnd);

// Whether a and b have the same name, note, date and period.
bool SameScheduleValues(const CSchedule& a, const CSchedule& b);

// Whether s is dated before today (rec's element 1): the writer leaves it out.
bool IsScheduleBeforeToday(const MonthRecord& rec, const CSchedule& s);

// Appends a copy of schedule at slot scheduleCount. false, changing
// nothing, when all kScheduleCapacity slots are in use.
bool AddSchedule(MonthRecord& rec, const CSchedule& schedule);

// Removes schedule i (0 <= i < scheduleCount) and closes the gap; the slot
// after the last one in use keeps a stale copy. Other i: nothing happens.
void RemoveSchedule(MonthRecord& rec, int i);

// Removes every schedule dated before today (rec's element 1). The file is
// not written here.
void RemovePastSchedules(MonthRecord& rec);

// i when schedule i falls on (y, m, d): its own date only (both normalised),
// never the same day of another year; else -1.
int ScheduleFallsOn(const MonthRecord& rec, int i, int y, int m, int d);

// i when schedule i (< scheduleCount) is announced n (>= 1) days ahead:
// n <= 7 * period, or n <= 1 for period 0; else -1.
int ScheduleInPeriod(const MonthRecord& rec, int i, int n);

// Copies name, text, year, month, day and displayPeriod.
void CopySchedule(CSchedule& target, const CSchedule& source);

// Whether the file can carry the name as one schedule name: one word, not
// empty, no white space and no ";" (the reader's comment mark), not
// beginning with "{" (the reader's block mark).
bool ScheduleNameFitsFile(const char* name);

// Whether the file can carry the note: no line of it (lines split at CR LF,
// CR or LF) is exactly "}", the line that ends a note in the file.
bool ScheduleNoteFitsFile(const char* text);

}  // namespace kalendo
