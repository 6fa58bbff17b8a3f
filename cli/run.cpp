#include "cli/run.h"

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/day_json.h"
#include "cli/json_writer.h"
#include "cli/year_json.h"
#include "core/compute_month.h"
#include "core/day_arith.h"
#include "defs/schedules.h"
#include "platform/console_platform.h"
#include "ui/model/document.h"
#include "ui/model/file_locations.h"
#include "ui/model/settings.h"

namespace kalendo {
namespace {

// One object and its line break; flushed at once, so that a script reading
// the lines sees each as it is done and a range message on stderr stands
// between the right lines when both streams go to one place.
void PrintLine(JsonWriter& w, std::FILE* out) {
    std::string line = w.Text();
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out);
    std::fflush(out);
    w.Clear();
}

std::string WithTrailingSlash(std::string folder) {
    if (folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

int PrintYear(MonthRecord& rec, int year, std::FILE* out) {
    const int accepted = ComputeMonth(rec, year, 1, 1);
    // As the window sweeps after its first month computation.
    RemovePastSchedules(rec);
    if (!accepted) return kCliRefusedDate;
    JsonWriter w;
    WriteYearObject(w, rec);
    PrintLine(w, out);
    return kCliDone;
}

int PrintDays(MonthRecord& rec, CalendarDate first, CalendarDate last, std::FILE* out) {
    int status = kCliDone;
    bool swept = false;
    JsonWriter w;
    int y = first.year, m = first.month, d = first.day;
    while (CompareDates(y, m, d, last.year, last.month, last.day) >= 0) {
        const int accepted = ComputeMonth(rec, y, m, d);
        if (!swept) {
            RemovePastSchedules(rec);
            swept = true;
        }
        if (accepted) {
            WriteDayObject(w, rec);
        } else {
            WriteRefusedDayObject(w, y, m, d);
            status = kCliRefusedDate;
        }
        PrintLine(w, out);
        ++d;
        NormalizeDate(y, m, d);
    }
    return status;
}

int RunCli(int argc, const char* const* argv) {
    static ConsolePlatform platform;
    SetPlatform(&platform);

    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (!parsed.usageError.empty()) {
        std::fprintf(stderr, "kalendo2-cli: %s\n%s", parsed.usageError.c_str(), CliUsage());
        return kCliUsageError;
    }
    const CliOptions& options = parsed.options;
    if (options.command == CliCommand::Help) {
        std::fputs(CliUsage(), stdout);
        return kCliDone;
    }
    if (const auto& t = options.today) {
        platform.FixToday({t->year, t->month, t->day, Weekday(t->year, t->month, t->day)});
    }
    // The window's files, as the window finds them, unless --data names a
    // folder. Nothing is created: before the window's first start an
    // installed copy reads the shipped Usr.Def and Schedule.Def.
    const DefinitionPaths paths = options.dataFolder
                                      ? DefinitionPathsIn(WithTrailingSlash(*options.dataFolder))
                                      : FindFileLocations().definitions;

    MonthRecord& rec = TheMonthRecord();
    DisplayModeFlag() = kViewFull;
    CurrentAlmanacMode() = options.mode.value_or(AlmanacMode::Standard);
    OpenDocument(rec, paths);
    if (options.command == CliCommand::Year) return PrintYear(rec, options.year, stdout);
    return PrintDays(rec, options.first, options.last, stdout);
}

}  // namespace kalendo
