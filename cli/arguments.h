// kalendo2-cli's command line:
//   kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] year YYYY
//   kalendo2-cli [--data DIR] [--today YYYY-MM-DD] [--mode MODE] day FIRST [LAST]
//   kalendo2-cli --help
// Options may stand anywhere on the line. Dates are exactly YYYY-MM-DD
// (4, 2 and 2 digits). Scripts depend on this contract.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/almanac_mode.h"
#include "ui/model/month_view.h"  // CalendarDate

namespace kalendo {

enum class CliCommand { Help, Year, Day };

struct CliOptions {
    CliCommand command = CliCommand::Help;
    std::optional<std::string> dataFolder;  // --data, as given
    std::optional<CalendarDate> today;      // --today, a real date
    // --mode standard|precise; standard when not given, whatever the window
    // stored, so that scripts get stable output.
    std::optional<AlmanacMode> mode;
    int year = 0;                           // year: as typed, range unchecked
    CalendarDate first{0, 0, 0};            // day: as typed, not validated
    CalendarDate last{0, 0, 0};             // day: FIRST when not given
};

struct ParsedCommandLine {
    CliOptions options;
    std::string usageError;  // empty when the line is valid
};

// Parses the arguments after the program name. "--help" anywhere asks for
// the usage text, whatever else the line holds.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// Exactly "YYYY-MM-DD" with digits; the numbers as typed (2023-02-30 and
// 2023-00-10 parse). nullopt for anything else.
std::optional<CalendarDate> ParseIsoDate(const std::string& text);

// The usage text (several lines, ending with a line break).
const char* CliUsage();

}  // namespace kalendo
