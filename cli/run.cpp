#include "cli/run.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/close_call_json.h"
#include "cli/day_json.h"
#include "cli/eclipse_json.h"
#include "cli/json_writer.h"
#include "cli/place_json.h"
#include "cli/year_json.h"
#include "core/almanac_mode.h"
#include "core/day_arith.h"
#include "defs/schedules.h"
#include "month/compute_month.h"
#include "month/month_texts.h"
#include "month/read_day.h"
#include "platform/console_platform.h"
#include "platform/terminal_text.h"
#include "platform/text_codec.h"
#include "ui/ics/ics_calendar.h"
#include "ui/ics/ics_feed.h"
#include "ui/model/document.h"
#include "ui/model/file_locations.h"
#include "ui/model/settings.h"

namespace kalendo {
namespace {

// Room of stdout's buffer: a whole range of days reaches the kernel in
// writes of this size rather than one per line.
constexpr std::size_t kOutputBufferBytes = 64 * 1024;

// One object and its line break, into stdout's buffer. A range message or
// a fatal message flushes what stands before it (ConsolePlatform), so when
// both streams go to one place the message still stands between the right
// lines; a write error stays in the stream's error flag for the end.
void PrintLine(JsonWriter& w, std::FILE* out) {
    const std::string& line = w.Text();
    std::fwrite(line.data(), 1, line.size(), out);
    std::fputc('\n', out);
    w.Clear();
}

std::string WithTrailingSlash(std::string folder) {
    if (folder.back() != '/') folder += '/';
    return folder;
}

// Why `folder` cannot be read as the folder of the definition files
// (strerror's text), or "" when it can: it must be a folder the program may
// list and open files in.
std::string UnreadableFolderReason(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    close(fd);
    if (access(folder.c_str(), X_OK) != 0) return std::strerror(errno);
    return "";
}

// The command itself; RunCli adds the check of stdout.
int RunCommand(int argc, const char* const* argv, ConsolePlatform& platform) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (!parsed.usageError.empty()) {
        PrintTerminalLine("kalendo2-cli: " + parsed.usageError);
        std::fputs(CliUsage(), stderr);
        return kCliUsageError;
    }
    const CliOptions& options = parsed.options;
    if (options.command == CliCommand::Help) {
        std::fputs(CliUsage(), stdout);
        return kCliDone;
    }
    if (options.command == CliCommand::Version) {
        std::fputs(CliVersion().c_str(), stdout);
        return kCliDone;
    }
    if (options.command == CliCommand::Places) {
        PrintPlaces(stdout);
        return kCliDone;
    }
    if (options.command == CliCommand::Eclipses) {
        PrintEclipses(options.first, options.last, options.place
                          ? options.place->position
                          : ListedPlaces()[kDefaultPlaceIndex].position, stdout);
        return kCliDone;
    }
    std::time_t stamp = 0;
    if (options.command == CliCommand::Ics) {
        const std::optional<std::time_t> exportTime = IcsExportTime();
        if (!exportTime) {
            std::string line = "kalendo2-cli: SOURCE_DATE_EPOCH is not a number of seconds: ";
            line += std::getenv("SOURCE_DATE_EPOCH");
            PrintTerminalLine(line);
            std::fputs(CliUsage(), stderr);
            return kCliUsageError;
        }
        stamp = *exportTime;
    }
    if (const auto& t = options.today) {
        platform.FixToday(*t);
    }
    MonthRecord& rec = TheMonthRecord();
    if (const std::string error = OpenDefinitionFiles(rec, options.dataFolder); !error.empty()) {
        PrintTerminalLine("kalendo2-cli: " + error);
        return kFatalExitStatus;
    }
    const AlmanacMode almanac = options.mode.value_or(AlmanacMode::Standard);
    if (options.command == CliCommand::Year) return PrintYear(rec, options.year, almanac, stdout);
    if (options.command == CliCommand::Ics) {
        IcsInclude include = options.include;
        include.readings = options.readings;
        return PrintIcs(rec, options.first, options.last, include, almanac, stamp, stdout,
                        options.place ? &options.place->position : nullptr);
    }
    if (options.command == CliCommand::CloseCalls) {
        return PrintCloseCalls(rec, options.first, options.last, almanac, stdout);
    }
    if (options.command == CliCommand::Feed) return RunFeed(rec, options, almanac);
    return PrintDays(rec, options.first, options.last, almanac, stdout,
                     DayObjectOptions{options.readings, options.weekStart.value_or(WeekStart::Sunday),
                                      options.place ? &*options.place : nullptr});
}

}  // namespace

std::string OpenDefinitionFiles(MonthRecord& rec, const std::optional<std::string>& dataFolder) {
    if (dataFolder) {
        // Else each of the five files would be reported as unopenable,
        // the first one's message alone, with no word of the folder.
        const std::string reason = UnreadableFolderReason(*dataFolder);
        if (!reason.empty()) return *dataFolder + ": " + reason;
    }
    // The window's files, as the window finds them, unless --data names a
    // folder. Nothing is created: before the window's first start an
    // installed copy reads the shipped Usr.Def and Schedule.Def.
    const DefinitionPaths paths =
        dataFolder ? DefinitionPathsIn(WithTrailingSlash(*dataFolder)) : FindFileLocations().definitions;
    OpenDocument(rec, paths);
    return "";
}

int PrintYear(MonthRecord& rec, int year, AlmanacMode almanac, std::FILE* out) {
    const int accepted = ComputeMonth(rec, year, 1, 1, {almanac, kViewFull});
    // As the window sweeps after its first month computation.
    RemovePastSchedules(rec);
    if (!accepted) return kCliRefusedDate;
    JsonWriter w;
    WriteYearObject(w, rec);
    PrintLine(w, out);
    return kCliDone;
}

int PrintDays(MonthRecord& rec, CalendarDate first, CalendarDate last, AlmanacMode almanac,
              std::FILE* out, const DayObjectOptions& options) {
    int status = kCliDone;
    // As the window sweeps at its start, before any day is read.
    RemovePastSchedules(rec);
    JsonWriter w;
    ViewBuilder views;
    const auto reader = std::make_unique<DayReader>(rec);
    const DayQuestions questions = DayObjectQuestions(options);
    int y = first.year, m = first.month, d = first.day;
    while (CompareDates(y, m, d, last.year, last.month, last.day) >= 0) {
        if (const std::optional<DayOfAlmanac> day = reader->Read({y, m, d}, {almanac, kViewFull}, questions)) {
            WriteDayObject(w, *day, reader->LastRead(), views, options);
        } else {
            ThePlatform().ShowMessage(kRangeErrorMessage);
            WriteRefusedDayObject(w, y, m, d);
            status = kCliRefusedDate;
        }
        PrintLine(w, out);
        ++d;
        NormalizeDate(y, m, d);
    }
    return status;
}

int PrintIcs(MonthRecord& rec, CalendarDate first, CalendarDate last, IcsInclude include,
             AlmanacMode almanac, std::time_t stamp, std::FILE* out, const GeoPosition* place) {
    RemovePastSchedules(rec);
    // Checked without moving the record, so that the first month
    // computation is FIRST's, as for "day FIRST LAST".
    if (!IcsRangeAccepted(first, last)) {
        ThePlatform().ShowMessage(kRangeErrorMessage);
        return kCliRefusedDate;
    }
    // Into stdout's buffer as each event is made: a century takes the
    // memory of a day. A failed write stops the export; the end of RunCli
    // reports it.
    ExportIcs(
        rec, first, last, include, almanac, stamp,
        [out](std::string_view bytes) {
            return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::ferror(out) == 0;
        },
        place);
    std::fflush(out);
    return kCliDone;
}

int PrintCloseCalls(MonthRecord& rec, CalendarDate first, CalendarDate last, AlmanacMode almanac,
                    std::FILE* out) {
    if (!ComputeMonthAccepts(first.year, first.month, first.day) ||
        !ComputeMonthAccepts(last.year, last.month, last.day)) {
        ThePlatform().ShowMessage(kRangeErrorMessage);
        return kCliRefusedDate;
    }
    JsonWriter w;
    for (int y = first.year; y <= last.year; ++y) {
        for (const CloseCallDays& c : CloseCallsOfYear(rec, y, almanac)) {
            const CalendarDate& d = c.call.day;
            if (CompareDates(first.year, first.month, first.day, d.year, d.month, d.day) < 0 ||
                CompareDates(d.year, d.month, d.day, last.year, last.month, last.day) < 0) {
                continue;
            }
            WriteCloseCallLine(w, c);
            PrintLine(w, out);
        }
    }
    return kCliDone;
}

int RunFeed(MonthRecord& rec, const CliOptions& options, AlmanacMode almanac) {
    RemovePastSchedules(rec);
    const CalendarDate today{rec.year[kToday], rec.month[kToday], rec.day[kToday]};
    const std::optional<FeedWindow> window = FeedWindowAround(today, options.pastMonths, options.months);
    if (!window || !IcsRangeAccepted(window->first, window->last)) {
        ThePlatform().ShowMessage(kRangeErrorMessage);
        return kCliRefusedDate;
    }
    IcsInclude include = options.include;
    include.readings = options.readings;
    const GeoPosition* place = options.place ? &options.place->position : nullptr;
    const FeedResult result =
        options.feedFolder.empty()
            ? WriteFeedFile(rec, *window, include, almanac, options.feedFile, place)
            : WriteFeedFolder(rec, *window, include, almanac, options.feedFolder, place);
    if (!result.ok) {
        PrintTerminalLine("kalendo2-cli: " + result.failedPath + ": " + std::strerror(result.error));
        return kFatalExitStatus;
    }
    return kCliDone;
}

int RunCli(int argc, const char* const* argv) {
    static ConsolePlatform platform;
    SetPlatform(&platform);
    std::setvbuf(stdout, nullptr, _IOFBF, kOutputBufferBytes);
    if (const std::string error = OpenTextCodec(); !error.empty()) {
        std::fprintf(stderr, "kalendo2-cli: %s\n", error.c_str());
        return kFatalExitStatus;
    }
    const int status = RunCommand(argc, argv, platform);
    // stdout is fully buffered: a failed write shows in its error flag, and
    // errno still holds the reason when nothing failed since.
    const int earlierError = errno;
    if (const std::optional<int> error = FinishStandardOutput(earlierError)) {
        PrintTerminalLine(std::string("kalendo2-cli: write error: ") + std::strerror(*error));
        return kFatalExitStatus;
    }
    return status;
}

std::optional<int> FinishStandardOutput(int earlierError) {
    const bool failedBefore = std::ferror(stdout) != 0;
    if (std::fflush(stdout) != 0) {
        const int error = errno;
        std::fclose(stdout);
        return error;
    }
    if (std::fclose(stdout) != 0) return failedBefore && earlierError != 0 ? earlierError : errno;
    if (failedBefore) return earlierError != 0 ? earlierError : EIO;
    return std::nullopt;
}

}  // namespace kalendo
