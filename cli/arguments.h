// kalendo2-cli's command line:
//   kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] year YYYY
//   kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] day FIRST [LAST]
//   (day and year also take [--week-start sunday|monday])
//   kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] ics FIRST LAST [--include LIST]
//   kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] close-calls FIRST LAST
//   kalendo2-cli [--place PLACE] ... day FIRST [LAST]
//   kalendo2-cli places
//   kalendo2-cli [--place PLACE] eclipses FIRST LAST
//   kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] feed (FILE | --vdir DIR)
//                [--include LIST] [--past-months N] [--months M]
//   kalendo2-cli --help | -h | --version
// with [--reading NAME=READING]… on the lines of year, day and ics.
// Options may stand anywhere on the line. Dates are exactly YYYY-MM-DD
// (4, 2 and 2 digits). Scripts depend on this contract.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "almanac/rekichu.h"
#include "astro/places.h"
#include "core/almanac_mode.h"
#include "platform/calendar_date.h"
#include "ui/ics/ics_feed.h"
#include "ui/model/ics_events.h"
#include "ui/model/print_layout.h"
#include "ui/model/week_start.h"

namespace kalendo {

enum class CliCommand { Help, Version, Year, Day, Ics, CloseCalls, Places, Eclipses, Feed };

struct CliOptions {
    CliCommand command = CliCommand::Help;
    std::optional<std::string> dataFolder;  // --data, as given
    std::optional<CalendarDate> today;      // --today, a real date
    // --mode standard|precise; standard when not given, whatever the window
    // stored, so that scripts get stable output.
    std::optional<AlmanacMode> mode;
    int year = 0;                           // year: as typed, range unchecked
    CalendarDate first{0, 0, 0};            // day: as typed, not validated
    CalendarDate last{0, 0, 0};             // day: FIRST when not given; ics, close-calls: given
                                            // eclipses: both real dates of 1600-2999
    IcsInclude include;                     // ics: --include, the default without it; feed: all without it
    // day, eclipses, ics, feed: --place, the sky over it (eclipses: 東京 without it). A listed place by its name, or a
    // place of one's own as "LAT,LON" (the name is then the text as given).
    std::optional<NamedPlace> place;
    // --reading NAME=READING, repeatable (day, year, ics, feed): the readings of
    // the notes where almanacs differ; the defaults without it.
    RekichuReadings readings;
    // --week-start sunday|monday (day and year): the day objects' grid.
    // Sunday-first when not given, whatever the window uses, as the grid
    // always was.
    std::optional<WeekStart> weekStart;
    // feed: where it goes, FILE or --vdir DIR (one of them), and its window
    std::string feedFile;
    std::string feedFolder;
    int pastMonths = kFeedPastMonths;       // --past-months, 0-kFeedMaxMonths
    int months = kFeedMonths;               // --months, 1-kFeedMaxMonths
};

struct ParsedCommandLine {
    CliOptions options;
    std::string usageError;  // empty when the line is valid
};

// Parses the arguments after the program name. "--help" or "-h" anywhere
// asks for the usage text and "--version" for the version line, whatever
// else the line holds; the first of them on the line decides.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// Exactly "YYYY-MM-DD" with digits; the numbers as typed (2023-02-30 and
// 2023-00-10 parse). nullopt for anything else.
std::optional<CalendarDate> ParseIsoDate(const std::string& text);

// The value of --place: a listed place's name (UTF-8), or "LAT,LON" in
// decimal degrees, north and east positive, latitude within -65..65 and
// longitude within -180..180. "" when it is valid (and `place` is set),
// else the usage error naming the argument.
std::string ParsePlaceArgument(const std::string& value, NamedPlace& place);

// The window's printing without a window:
//   Kalendo2 [--data DIR] [--today YYYY-MM-DD] [--mode MODE] [--place PLACE]
//            [--reading NAME=READING]... [--rekichu NAMES] [--week-start sunday|monday]
//            --print-pdf FILE FIRST [LAST]
// FIRST and LAST are months YYYY-MM of 1600-2999, LAST (FIRST when not
// given) not before FIRST. The options mean what they mean to
// kalendo2-cli (the last four stand for the window's settings) and may
// stand anywhere; nothing else may.
struct PrintPdfOptions {
    std::string file;              // as given, not empty
    PrintMonth first, last;
    // dataFolder, today, mode, place, readings, include.rekichuPicks and
    // weekStart only
    CliOptions almanac;
};

struct ParsedPrintPdfLine {
    PrintPdfOptions options;
    std::string usageError;  // empty when the line is valid
};

// Whether the window is asked to print: "--print-pdf" is among the
// arguments after the program name.
bool AsksForPrintPdf(const std::vector<std::string>& args);

// Parses the arguments after the program name of a line AsksForPrintPdf.
ParsedPrintPdfLine ParsePrintPdfLine(const std::vector<std::string>& args);

// The usage text (several lines, ending with a line break).
const char* CliUsage();

// The version line: "kalendo2-cli 1.18" and a line break.
std::string CliVersion();

}  // namespace kalendo
