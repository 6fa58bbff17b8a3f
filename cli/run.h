// kalendo2-cli: the almanac of a year or of a run of days as JSON lines,
// computed by the same month record and definition files as the window.
// It reads the five definition files and never writes any.
#pragma once

#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

#include "cli/day_json.h"
#include "core/almanac_mode.h"
#include "core/month_record.h"
#include "platform/calendar_date.h"
#include "ui/model/ics_events.h"
#include "ui/model/week_start.h"

namespace kalendo {

struct CliOptions;

// Exit statuses. A definition file that cannot be used ends the program
// through the platform's Fatal with kFatalExitStatus (3).
inline constexpr int kCliDone = 0;
inline constexpr int kCliRefusedDate = 1;
inline constexpr int kCliUsageError = 2;

// Every command computes in the full display and in the almanac mode given
// (--mode; the standard almanac by default).
//
// "year Y": ComputeMonth(Y, 1, 1), the sweep of past schedules, then one
// object. A year outside 1600-2999 prints nothing to `out` (the month
// computation shows the range message) and gives kCliRefusedDate.
int PrintYear(MonthRecord& rec, int year, AlmanacMode almanac, std::FILE* out);

// "day FIRST LAST": from FIRST as typed, then a day later each time
// (normalised), for every date not after LAST (compared normalised), one
// ComputeMonth and one object per line, on the same record as a user
// stepping day by day. Past schedules are swept after the first
// ComputeMonth. A refused date prints {"date":…,"accepted":false} (the
// range message is shown) and the result is kCliRefusedDate once every
// date is done. LAST before FIRST prints nothing. `options`: --reading,
// --week-start and --place (each accepted day's object then ends with
// "sky" and the eclipse seen from it).
int PrintDays(MonthRecord& rec, CalendarDate first, CalendarDate last, AlmanacMode almanac,
              std::FILE* out, const DayObjectOptions& options = {});

// "ics FIRST LAST": the sweep of past schedules, then one iCalendar file
// of the range stamped `stamp`, written to `out` event by event as the
// days are computed (ExportIcs); a failed write stops it. A date outside 1600-2999 (the
// month computation shows the range message) prints nothing and gives
// kCliRefusedDate. FIRST and LAST are real dates, FIRST not after LAST.
int PrintIcs(MonthRecord& rec, CalendarDate first, CalendarDate last, IcsInclude include,
             AlmanacMode almanac, std::time_t stamp, std::FILE* out, const GeoPosition* place = nullptr);

// The definition files of `dataFolder` (--data) or where the window finds
// them (FileLocations), opened into `rec`; a file that cannot be used ends
// the program through the platform's Fatal. "" when done; for a folder
// that cannot be read "DIR: <reason>", and nothing is opened.
std::string OpenDefinitionFiles(MonthRecord& rec, const std::optional<std::string>& dataFolder);
// "close-calls FIRST LAST": one line per close call (in `almanac`) of the
// new moons and solar terms the almanac places from FIRST to LAST, in order,
// with the days it changes. FIRST and LAST are real dates, FIRST not after
// LAST; a date outside 1600-2999 prints nothing (the range message is
// shown) and gives kCliRefusedDate.
int PrintCloseCalls(MonthRecord& rec, CalendarDate first, CalendarDate last, AlmanacMode almanac,
                    std::FILE* out);

// "feed": the sweep of past schedules, then the feed of the window around
// today (FeedWindowAround) into options.feedFile or the vdir
// options.feedFolder (WriteFeedFile, WriteFeedFolder). Prints nothing when
// done; a file or folder that cannot be written prints
// "kalendo2-cli: PATH: <reason>" and gives kFatalExitStatus; a window
// outside 1600-2999 shows the range message and gives kCliRefusedDate.
int RunFeed(MonthRecord& rec, const CliOptions& options, AlmanacMode almanac);

// The program: arguments (program name first), console platform, today,
// the definition files of --data or where the window finds them
// (FileLocations), the command. Usage errors print a line and the usage
// text on stderr.
// --data DIR that is no readable folder prints "kalendo2-cli: DIR: <reason>"
// and gives kFatalExitStatus. Whatever the command, stdout is flushed and
// closed at the end; when any write to it failed (a full disk, a closed
// stdout), "kalendo2-cli: write error: <reason>" is printed on stderr and
// the status is kFatalExitStatus.
int RunCli(int argc, const char* const* argv);

// Flushes and closes stdout; the error (errno value) when that failed or
// when an earlier write had failed (its error flag is set), else nullopt.
// earlierError: errno as the last write left it, the reason given for an
// earlier failure when the flush has nothing left to fail on (EIO when it
// is 0).
std::optional<int> FinishStandardOutput(int earlierError);

}  // namespace kalendo
