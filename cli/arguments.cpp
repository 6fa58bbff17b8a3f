#include "cli/arguments.h"

#include <algorithm>
#include <cstddef>

#include "core/day_arith.h"
#include "month/compute_month.h"
#include "platform/text_codec.h"
#include "ui/model/settings.h"  // kProgramVersion

namespace kalendo {
namespace {

bool AllDigits(const std::string& text, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

int Number(const std::string& text, std::size_t from, std::size_t count) {
    return std::stoi(text.substr(from, count));
}

std::optional<int> ParseYear(const std::string& text) {
    if (text.size() != 4 || !AllDigits(text, 0, 4)) return std::nullopt;
    return Number(text, 0, 4);
}

bool IsRealDate(const CalendarDate& date) {
    return date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= DaysInMonth(date.year, date.month);
}

// An option's value: the next argument, whatever it looks like.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string& value) {
    if (i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
}

// --data, --today or --mode at args[i], its value taken: "" when it is
// valid, else the usage error; nullopt when args[i] is none of them.
std::optional<std::string> TakeAlmanacOption(const std::vector<std::string>& args, std::size_t& i,
                                             CliOptions& options) {
    const std::string& arg = args[i];
    std::string value;
    if (arg == "--data") {
        if (options.dataFolder) return "--data given twice";
        if (!TakeValue(args, i, value) || value.empty()) return "--data needs a folder";
        options.dataFolder = value;
    } else if (arg == "--today") {
        if (options.today) return "--today given twice";
        if (!TakeValue(args, i, value)) return "--today needs a date YYYY-MM-DD";
        const std::optional<CalendarDate> today = ParseIsoDate(value);
        if (!today) return "--today: not a date YYYY-MM-DD: " + value;
        if (!IsRealDate(*today)) return "--today: no such day: " + value;
        options.today = today;
    } else if (arg == "--mode") {
        if (options.mode) return "--mode given twice";
        if (!TakeValue(args, i, value)) return "--mode needs standard or precise";
        if (value == "standard") {
            options.mode = AlmanacMode::Standard;
        } else if (value == "precise") {
            options.mode = AlmanacMode::Precise;
        } else {
            return "--mode: not standard or precise: " + value;
        }
    } else {
        return std::nullopt;
    }
    return "";
}

// --reading at args[i], its value taken and applied: "" when valid, else
// the usage error naming the argument.
std::string TakeReading(const std::vector<std::string>& args, std::size_t& i, CliOptions& options) {
    std::string value;
    if (!TakeValue(args, i, value)) return "--reading needs NAME=READING";
    if (!ApplyReading(Cp932FromUtf8(value), options.readings)) {
        return "--reading: not 一粒万倍日=併用|一支 or 大明日=25日|21日: " + value;
    }
    return "";
}

// Which of the options that stand for the window's settings a line gave.
struct SettingsGiven {
    bool reading = false;
    bool picks = false;
};

// --place, --reading, --rekichu or --week-start at args[i], its value taken
// and applied: "" when valid, else the usage error; nullopt when args[i]
// is none of them.
std::optional<std::string> TakeSettingsOption(const std::vector<std::string>& args, std::size_t& i,
                                              CliOptions& options, SettingsGiven& given) {
    const std::string& arg = args[i];
    std::string value;
    if (arg == "--place") {
        if (options.place) return "--place given twice";
        if (!TakeValue(args, i, value) || value.empty()) return "--place needs a place name or LAT,LON";
        NamedPlace place;
        if (std::string error = ParsePlaceArgument(value, place); !error.empty()) return error;
        options.place = place;
    } else if (arg == "--reading") {
        if (std::string error = TakeReading(args, i, options); !error.empty()) return error;
        given.reading = true;
    } else if (arg == "--rekichu") {
        if (given.picks) return "--rekichu given twice";
        if (!TakeValue(args, i, value)) return "--rekichu needs a list of names";
        const std::optional<RekichuSet> picks = ParseRekichuPicks(value);
        if (!picks) return "--rekichu: not a list of names of the lower register: " + value;
        options.include.rekichuPicks = *picks;
        given.picks = true;
    } else if (arg == "--week-start") {
        if (options.weekStart) return "--week-start given twice";
        if (!TakeValue(args, i, value)) return "--week-start needs sunday or monday";
        if (value == "sunday") options.weekStart = WeekStart::Sunday;
        else if (value == "monday") options.weekStart = WeekStart::Monday;
        else return "--week-start: not sunday or monday: " + value;
    } else {
        return std::nullopt;
    }
    return "";
}

std::string OperandError(const std::vector<std::string>& operands, CliOptions& options) {
    if (operands.empty()) return "missing command: year, day, ics, close-calls or feed";
    const std::string& command = operands[0];
    if (command == "places") {
        if (operands.size() != 1) return "places takes no operand";
        options.command = CliCommand::Places;
        return "";
    }
    if (command == "year") {
        if (operands.size() != 2) return "year takes one operand: YYYY";
        const std::optional<int> year = ParseYear(operands[1]);
        if (!year) return "not a year YYYY: " + operands[1];
        options.command = CliCommand::Year;
        options.year = *year;
        return "";
    }
    if (command == "day") {
        if (operands.size() < 2 || operands.size() > 3) {
            return "day takes one or two operands: FIRST [LAST]";
        }
        const std::optional<CalendarDate> first = ParseIsoDate(operands[1]);
        if (!first) return "not a date YYYY-MM-DD: " + operands[1];
        std::optional<CalendarDate> last = first;
        if (operands.size() == 3) {
            last = ParseIsoDate(operands[2]);
            if (!last) return "not a date YYYY-MM-DD: " + operands[2];
        }
        options.command = CliCommand::Day;
        options.first = *first;
        options.last = *last;
        return "";
    }
    if (command == "eclipses") {
        if (operands.size() != 3) return "eclipses takes two operands: FIRST LAST";
        for (const std::string& operand : {operands[1], operands[2]}) {
            const std::optional<CalendarDate> date = ParseIsoDate(operand);
            if (!date) return "not a date YYYY-MM-DD: " + operand;
            if (!IsRealDate(*date)) return "no such day: " + operand;
            // The eclipses are computed for the almanac's years only.
            if (!ComputeMonthAccepts(date->year, date->month, date->day)) {
                return "eclipses: not within 1600-01-01..2999-12-31: " + operand;
            }
        }
        options.command = CliCommand::Eclipses;
        options.first = *ParseIsoDate(operands[1]);
        options.last = *ParseIsoDate(operands[2]);
        if (CompareDates(options.first.year, options.first.month, options.first.day,
                         options.last.year, options.last.month, options.last.day) < 0) {
            return "LAST is before FIRST";
        }
        return "";
    }
    if (command == "ics" || command == "close-calls") {
        if (operands.size() != 3) return command + " takes two operands: FIRST LAST";
        const std::optional<CalendarDate> first = ParseIsoDate(operands[1]);
        if (!first) return "not a date YYYY-MM-DD: " + operands[1];
        const std::optional<CalendarDate> last = ParseIsoDate(operands[2]);
        if (!last) return "not a date YYYY-MM-DD: " + operands[2];
        // A calendar file of a range that is not there would be an empty
        // file reported as done.
        if (!IsRealDate(*first)) return "no such day: " + operands[1];
        if (!IsRealDate(*last)) return "no such day: " + operands[2];
        if (CompareDates(first->year, first->month, first->day, last->year, last->month,
                         last->day) < 0) {
            return "LAST is before FIRST";
        }
        options.command = command == "ics" ? CliCommand::Ics : CliCommand::CloseCalls;
        options.first = *first;
        options.last = *last;
        return "";
    }
    if (command == "feed") {
        const bool toFolder = !options.feedFolder.empty();
        if (operands.size() != (toFolder ? 1u : 2u)) return "feed takes one of FILE and --vdir DIR";
        if (!toFolder && operands[1].empty()) return "feed needs a file";
        if (!toFolder) options.feedFile = operands[1];
        options.command = CliCommand::Feed;
        return "";
    }
    return "unknown command: " + command;
}

// A count of months for --past-months (from 0) or --months (from 1), up
// to kFeedMaxMonths, in plain decimal digits.
std::optional<int> ParseMonthCount(const std::string& text, int least) {
    if (text.empty() || text.size() > 4 || !AllDigits(text, 0, text.size())) return std::nullopt;
    const int n = Number(text, 0, text.size());
    if (n < least || n > kFeedMaxMonths) return std::nullopt;
    return n;
}

}  // namespace

std::string ParsePlaceArgument(const std::string& value, NamedPlace& place) {
    const std::size_t comma = value.find(',');
    if (comma == std::string::npos) {
        const ExactCp932 name = Cp932FromUtf8Exact(value);
        const int index = name.Held() ? FindListedPlace(name.cp932) : -1;
        if (index < 0) return "--place: no such place (kalendo2-cli places lists them): " + value;
        place = NamedPlaceOf(ListedPlaces()[index]);
        return "";
    }
    const ReadPlace read = ReadPlaceCoordinates(value);
    switch (read.problem) {
        case PlaceTextProblem::None:
            break;
        case PlaceTextProblem::NotCoordinates:
            return "--place: not LAT,LON in decimal degrees: " + value;
        case PlaceTextProblem::LatitudeOutOfRange:
            return "--place: latitude not within -65..65: " + value;
        case PlaceTextProblem::LongitudeOutOfRange:
            return "--place: longitude not within -180..180: " + value;
    }
    // Digits, signs, a point and a comma: the same bytes in code page 932.
    place = {value, read.position};
    return "";
}

std::optional<CalendarDate> ParseIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !AllDigits(text, 0, 4) ||
        !AllDigits(text, 5, 2) || !AllDigits(text, 8, 2)) {
        return std::nullopt;
    }
    return CalendarDate{Number(text, 0, 4), Number(text, 5, 2), Number(text, 8, 2)};
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") return parsed;  // command Help
        if (arg == "--version") {
            parsed.options.command = CliCommand::Version;
            return parsed;
        }
    }
    CliOptions& options = parsed.options;
    std::vector<std::string> operands;
    bool includeGiven = false;
    SettingsGiven given;
    std::vector<std::string> feedOptions;  // those given, only feed takes them
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (const std::optional<std::string> error = TakeAlmanacOption(args, i, options)) {
            if (!error->empty()) return {options, *error};
        } else if (arg == "--include") {
            if (includeGiven) return {options, "--include given twice"};
            if (!TakeValue(args, i, value)) return {options, "--include needs a list"};
            const std::optional<IcsInclude> include = ParseIcsInclude(value);
            if (!include) return {options, "--include: not a list of " + IcsIncludeList(IcsInclude::All()) + ": " + value};
            const RekichuSet picks = options.include.rekichuPicks;  // --rekichu may stand before
            options.include = *include;
            options.include.rekichuPicks = picks;
            includeGiven = true;
        } else if (const std::optional<std::string> error = TakeSettingsOption(args, i, options, given)) {
            if (!error->empty()) return {options, *error};
        } else if (arg == "--vdir" || arg == "--past-months" || arg == "--months") {
            if (std::find(feedOptions.begin(), feedOptions.end(), arg) != feedOptions.end()) {
                return {options, arg + " given twice"};
            }
            feedOptions.push_back(arg);
            if (arg == "--vdir") {
                if (!TakeValue(args, i, value) || value.empty()) return {options, "--vdir needs a folder"};
                options.feedFolder = value;
            } else {
                const int least = arg == "--months" ? 1 : 0;
                const std::optional<int> n = TakeValue(args, i, value) ? ParseMonthCount(value, least) : std::nullopt;
                if (!n) {
                    return {options, arg + " needs a number of months " + std::to_string(least) + "-" +
                                         std::to_string(kFeedMaxMonths)};
                }
                (arg == "--months" ? options.months : options.pastMonths) = *n;
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            return {options, "unknown option: " + arg};
        } else {
            operands.push_back(arg);
        }
    }
    parsed.usageError = OperandError(operands, options);
    if (parsed.usageError.empty() && includeGiven && options.command != CliCommand::Ics &&
        options.command != CliCommand::Feed) {
        parsed.usageError = "--include belongs to ics and feed";
    }
    if (parsed.usageError.empty() && options.place && options.command != CliCommand::Day &&
        options.command != CliCommand::Eclipses && options.command != CliCommand::Ics &&
        options.command != CliCommand::Feed) {
        parsed.usageError = "--place belongs to day, eclipses, ics and feed";
    }
    // A feed is the whole almanac unless asked for less.
    if (options.command == CliCommand::Feed && !includeGiven) options.include = IcsInclude::All();
    // Picks without the kind would export nothing of them, silently.
    if (parsed.usageError.empty() && given.picks &&
        ((options.command != CliCommand::Ics && options.command != CliCommand::Feed) ||
         !options.include.Has(IcsWord::Rekichu))) {
        parsed.usageError = "--rekichu belongs to ics or feed with rekichu in --include";
    }
    if (parsed.usageError.empty() && given.reading && options.command != CliCommand::Day &&
        options.command != CliCommand::Year && options.command != CliCommand::Ics &&
        options.command != CliCommand::Feed) {
        parsed.usageError = "--reading belongs to day, year, ics and feed";
    }
    if (parsed.usageError.empty() && options.weekStart && options.command != CliCommand::Day &&
        options.command != CliCommand::Year) {
        parsed.usageError = "--week-start belongs to day and year";
    }
    if (parsed.usageError.empty() && !feedOptions.empty() && options.command != CliCommand::Feed) {
        parsed.usageError = feedOptions.front() + " belongs to feed";
    }
    return parsed;
}

namespace {

constexpr char kPrintPdfOption[] = "--print-pdf";

// Exactly "YYYY-MM" with digits, a month 1-12 of the years the almanac
// computes.
std::optional<PrintMonth> ParseYearMonth(const std::string& text) {
    if (text.size() != 7 || text[4] != '-' || !AllDigits(text, 0, 4) || !AllDigits(text, 5, 2)) {
        return std::nullopt;
    }
    const PrintMonth month{Number(text, 0, 4), Number(text, 5, 2)};
    if (!PrintRangeAccepted(month, month)) return std::nullopt;
    return month;
}

}  // namespace

bool AsksForPrintPdf(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == kPrintPdfOption) return true;
    }
    return false;
}

ParsedPrintPdfLine ParsePrintPdfLine(const std::vector<std::string>& args) {
    ParsedPrintPdfLine parsed;
    PrintPdfOptions& options = parsed.options;
    std::vector<std::string> operands;
    bool printGiven = false;
    SettingsGiven given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (const std::optional<std::string> error = TakeAlmanacOption(args, i, options.almanac)) {
            if (!error->empty()) return {options, *error};
        } else if (const std::optional<std::string> error = TakeSettingsOption(args, i, options.almanac, given)) {
            if (!error->empty()) return {options, *error};
        } else if (arg == kPrintPdfOption) {
            if (printGiven) return {options, "--print-pdf given twice"};
            printGiven = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return {options, "unknown option: " + arg};
        } else {
            operands.push_back(arg);
        }
    }
    if (!printGiven) return {options, "missing --print-pdf"};
    if (operands.size() < 2 || operands.size() > 3) {
        return {options, "--print-pdf takes FILE FIRST-MONTH [LAST-MONTH]"};
    }
    if (operands[0].empty()) return {options, "--print-pdf needs a file"};
    options.file = operands[0];
    const std::string& lastText = operands.back();
    const std::optional<PrintMonth> first = ParseYearMonth(operands[1]);
    if (!first) return {options, "not a month YYYY-MM of 1600-2999: " + operands[1]};
    const std::optional<PrintMonth> last = ParseYearMonth(lastText);
    if (!last) return {options, "not a month YYYY-MM of 1600-2999: " + lastText};
    options.first = *first;
    options.last = *last;
    if (!PrintRangeAccepted(*first, *last)) return {options, "LAST-MONTH is before FIRST-MONTH"};
    return parsed;
}

const char* CliUsage() {
    return "Usage: kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] year YYYY\n"
           "       kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] day FIRST [LAST]\n"
           "       kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] ics FIRST LAST\n"
           "                    [--include LIST] [--rekichu NAMES]\n"
           "       kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] close-calls\n"
           "                    FIRST LAST\n"
           "       kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] day FIRST [LAST]\n"
           "                    --place PLACE\n"
           "       kalendo2-cli places\n"
           "       kalendo2-cli eclipses FIRST LAST [--place PLACE]\n"
           "       kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] feed\n"
           "                    (FILE | --vdir DIR) [--include LIST] [--past-months N]\n"
           "                    [--months M]\n"
           "       kalendo2-cli --help | -h | --version\n"
           "year, day and ics also take [--reading NAME=READING]...\n"
           "Prints the almanac as JSON, one object per line: of a year, or of every\n"
           "day from FIRST to LAST (LAST defaults to FIRST). Dates are YYYY-MM-DD.\n"
           "ics prints one iCalendar (RFC 5545) file of the days FIRST to LAST: an\n"
           "all-day event per entry of each kind LIST names, a comma list of\n"
           "holidays,notes,users,schedules,rokuyo,lunar,moon,rekichu,eclipses (default:\n"
           "the first four); rekichu: one event a day naming the notes of NAMES that\n"
           "fall on it, a comma list (default: 天赦日,一粒万倍日); eclipses: timed JST\n"
           "events, those seen from --place or 東京.\n"
           "DTSTAMP is SOURCE_DATE_EPOCH when it is set, else the time of the export.\n"
           "feed writes the kinds LIST names (default: all) of a window of whole\n"
           "months around today (N before today's month, 1 by default, and M from\n"
           "it, 24 by default) into FILE, or one file per event into the vdir DIR\n"
           "(created when missing), for calendar programs to subscribe to: UIDs and\n"
           "every byte stay the same from run to run, and a file whose events did\n"
           "not change is left alone. The systemd user timer kalendo2-feed.timer\n"
           "runs it daily: systemctl --user enable --now kalendo2-feed.timer\n"
           "close-calls prints one line per new moon or solar term of FIRST to LAST\n"
           "whose day hangs on a midnight (closeCalls in a day object: those the day\n"
           "depends on), with the days it changes.\n"
           "places prints the listed places, one {name, latitude, longitude} a line.\n"
           "eclipses prints one line per solar or lunar eclipse seen from PLACE (default\n"
           "東京) whose maximum falls on FIRST to LAST (1600-2999): kind, type, date,\n"
           "contacts (JST), magnitude, altitudes, visible, rise/set; with --place, day\n"
           "objects gain the day's eclipse.\n"
           "  --place PLACE       day: add the sky over PLACE (sunrise, sunset, moonrise,\n"
           "                      moonset, transits, dawn and dusk, JST): a name that\n"
           "                      places lists, or LAT,LON in decimal degrees (north\n"
           "                      and east positive, latitude within -65..65)\n"
           "  --data DIR          read the definition files from DIR (default: the\n"
           "                      window's files: beside this program, or for an\n"
           "                      installed copy $XDG_DATA_HOME/Kalendo2, then the\n"
           "                      program's folder for the files not there)\n"
           "  --today YYYY-MM-DD  take this date as today instead of the clock\n"
           "  --mode MODE         standard (default): the almanac's own series;\n"
           "                      precise: events from the ERFA ephemeris, delta T applied\n"
           "  --reading NAME=READING\n"
           "                      where almanacs differ: 一粒万倍日=併用 (default) or\n"
           "                      一粒万倍日=一支, 大明日=25日 (default) or 大明日=21日\n"
           "  --week-start DAY    day, year: sunday (default) or monday, the weekday\n"
           "                      the day objects' grid begins its rows on\n"
           "  -h, --help          print this text and exit\n"
           "  --version           print the version and exit\n"
           "Exit status: 0 done; 1 a date was refused (years 1600-2999, real dates);\n"
           "2 usage error; 3 a definition file cannot be used or a file cannot be\n"
           "written.\n"
           "See kalendo2-cli(1).\n";
}

std::string CliVersion() { return std::string("kalendo2-cli ") + kProgramVersion + "\n"; }

}  // namespace kalendo
