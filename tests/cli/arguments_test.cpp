#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/text_codec.h"

namespace kalendo {
namespace {

using Args = std::vector<std::string>;

TEST(ParseIsoDate, ExactlyFourTwoAndTwoDigits) {
    struct Case { const char* text; bool parses; CalendarDate want; };
    const Case cases[] = {
        {"2024-02-03", true, {2024, 2, 3}},
        {"2023-02-30", true, {2023, 2, 30}},  // as typed: the month computation refuses it
        {"2023-00-10", true, {2023, 0, 10}},
        {"0999-12-31", true, {999, 12, 31}},
        {"2024-2-03", false, {}},
        {"2024-02-3", false, {}},
        {"24-02-03", false, {}},
        {"20240203", false, {}},
        {"2024/02/03", false, {}},
        {"2024-02-03 ", false, {}},
        {"+024-02-03", false, {}},
        {"2024-0a-03", false, {}},
        {"２０２４-02-03", false, {}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto date = ParseIsoDate(c.text);
        ASSERT_EQ(date.has_value(), c.parses);
        if (c.parses) {
            EXPECT_EQ(*date, c.want);
        }
    }
}

TEST(ParseCommandLine, OptionsMayStandAnywhere) {
    const Args lines[] = {
        {"--data", "/d", "--today", "2024-06-15", "day", "2024-02-03", "2024-02-05"},
        {"day", "--data", "/d", "2024-02-03", "--today", "2024-06-15", "2024-02-05"},
        {"day", "2024-02-03", "2024-02-05", "--today", "2024-06-15", "--data", "/d"},
    };
    for (const Args& line : lines) {
        SCOPED_TRACE(line[0] + " " + line[1]);
        const ParsedCommandLine p = ParseCommandLine(line);
        ASSERT_EQ(p.usageError, "");
        EXPECT_EQ(p.options.command, CliCommand::Day);
        EXPECT_EQ(p.options.dataFolder, "/d");
        EXPECT_EQ(p.options.today, (CalendarDate{2024, 6, 15}));
        EXPECT_EQ(p.options.first, (CalendarDate{2024, 2, 3}));
        EXPECT_EQ(p.options.last, (CalendarDate{2024, 2, 5}));
    }
}

// Without --mode the standard almanac, whatever the window stored.
TEST(ParseCommandLine, Mode) {
    const struct {
        Args line;
        std::optional<AlmanacMode> mode;
    } cases[] = {
        {{"year", "2024"}, std::nullopt},
        {{"--mode", "standard", "year", "2024"}, AlmanacMode::Standard},
        {{"day", "2035-01-09", "--mode", "precise"}, AlmanacMode::Precise},
    };
    for (const auto& c : cases) {
        const ParsedCommandLine p = ParseCommandLine(c.line);
        ASSERT_EQ(p.usageError, "");
        EXPECT_EQ(p.options.mode, c.mode);
    }
}

// --reading, repeatable, on year, day and ics; the last reading of a name wins.
TEST(ParseCommandLine, Readings) {
    const struct {
        Args line;
        RekichuReadings want;
        const char* error;
    } cases[] = {
        {{"day", "2024-01-01"}, {}, ""},
        {{"--reading", "一粒万倍日=一支", "year", "2024"}, {IchiryuReading::OneBranch, {}}, ""},
        {{"ics", "2024-01-01", "2024-01-02", "--reading", "大明日=21日", "--reading", "一粒万倍日=併用"},
         {IchiryuReading::Combined, DaimyoReading::TwentyOne}, ""},
        {{"day", "2024-01-01", "--reading"}, {}, "--reading needs NAME=READING"},
        {{"day", "2024-01-01", "--reading", "大明日=一支"}, {},
         "--reading: not 一粒万倍日=併用|一支 or 大明日=25日|21日: 大明日=一支"},
        {{"day", "2024-01-01", "--reading", "天赦日"}, {},
         "--reading: not 一粒万倍日=併用|一支 or 大明日=25日|21日: 天赦日"},
        {{"close-calls", "2024-01-01", "2024-01-02", "--reading", "大明日=21日"}, {},
         "--reading belongs to day, year, ics and feed"},
        {{"ics", "2024-01-01", "2024-01-02", "--rekichu", "天赦日"}, {},
         "--rekichu belongs to ics or feed with rekichu in --include"},
        {{"ics", "2024-01-01", "2024-01-02", "--include", "rekichu", "--rekichu", "天赦日,x"}, {},
         "--rekichu: not a list of names of the lower register: 天赦日,x"},
    };
    for (const auto& c : cases) {
        const ParsedCommandLine p = ParseCommandLine(c.line);
        EXPECT_EQ(p.usageError, c.error) << c.line.back();
        if (p.usageError.empty()) {
            EXPECT_EQ(p.options.readings, c.want) << c.line.back();
        }
    }
}

// --rekichu may stand before or after --include.
TEST(ParseCommandLine, RekichuPicksSurviveTheIncludeList) {
    for (const Args& line : {Args{"ics", "2024-01-01", "2024-01-02", "--rekichu", "不成就日", "--include", "rekichu"},
                             Args{"ics", "2024-01-01", "2024-01-02", "--include", "rekichu", "--rekichu", "不成就日"}}) {
        const ParsedCommandLine p = ParseCommandLine(line);
        ASSERT_EQ(p.usageError, "");
        EXPECT_EQ(p.options.include.rekichuPicks, RekichuBit(RekichuName::Fujoju));
    }
}

TEST(ParseCommandLine, Commands) {
    ParsedCommandLine p = ParseCommandLine({"year", "2033"});
    ASSERT_EQ(p.usageError, "");
    EXPECT_EQ(p.options.command, CliCommand::Year);
    EXPECT_EQ(p.options.year, 2033);
    EXPECT_FALSE(p.options.dataFolder);
    EXPECT_FALSE(p.options.today);

    p = ParseCommandLine({"year", "0999"});
    ASSERT_EQ(p.usageError, "") << "a year out of range is the month computation's refusal";
    EXPECT_EQ(p.options.year, 999);

    p = ParseCommandLine({"day", "2023-03-22"});
    ASSERT_EQ(p.usageError, "");
    EXPECT_EQ(p.options.first, (CalendarDate{2023, 3, 22}));
    EXPECT_EQ(p.options.last, p.options.first) << "LAST defaults to FIRST";

    p = ParseCommandLine({"--data", "--today", "year", "2024"});
    ASSERT_EQ(p.usageError, "");
    EXPECT_EQ(p.options.dataFolder, "--today") << "an option's value is the next argument";
}

TEST(ParseCommandLine, HelpWinsAnywhere) {
    for (const Args& line : {Args{"--help"}, Args{"year", "20", "--help"}, Args{"--bad", "--help"}}) {
        const ParsedCommandLine p = ParseCommandLine(line);
        EXPECT_EQ(p.usageError, "");
        EXPECT_EQ(p.options.command, CliCommand::Help);
    }
}

// -h is --help; --version stands anywhere too; the first of them decides,
// and an option's value that reads like one still counts as one.
TEST(ParseCommandLine, HelpAndVersionRequests) {
    struct Case { Args line; CliCommand want; };
    const Case cases[] = {
        {{"-h"}, CliCommand::Help},
        {{"day", "2024-13-45", "-h"}, CliCommand::Help},
        {{"--version"}, CliCommand::Version},
        {{"--frobnicate", "--version"}, CliCommand::Version},
        {{"year", "24", "--version"}, CliCommand::Version},
        {{"--data", "--version"}, CliCommand::Version},
        {{"--version", "--help"}, CliCommand::Version},
        {{"-h", "--version"}, CliCommand::Help},
        {{"--help", "--version"}, CliCommand::Help},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.line) line += a + " ";
        SCOPED_TRACE(line);
        const ParsedCommandLine p = ParseCommandLine(c.line);
        EXPECT_EQ(p.usageError, "");
        EXPECT_EQ(p.options.command, c.want);
    }
}

TEST(ParseCommandLine, LookalikesOfHelpAndVersionAreUnknownOptions) {
    struct Case { Args line; const char* error; };
    const Case cases[] = {
        {{"-help", "year", "2024"}, "unknown option: -help"},
        {{"-v", "year", "2024"}, "unknown option: -v"},
        {{"-V", "year", "2024"}, "unknown option: -V"},
        {{"--vers", "year", "2024"}, "unknown option: --vers"},
        {{"--version=1", "year", "2024"}, "unknown option: --version=1"},
        {{"-H", "year", "2024"}, "unknown option: -H"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line[0]);
        EXPECT_EQ(ParseCommandLine(c.line).usageError, c.error);
    }
}

TEST(CliVersion, NamesTheProgramAndItsVersionOnOneLine) {
    EXPECT_EQ(CliVersion(), "kalendo2-cli 1.18\n");
}

TEST(CliUsage, NamesEveryOptionAndCommand) {
    const std::string usage = CliUsage();
    for (const char* word : {"--data DIR", "--today YYYY-MM-DD", "-h, --help", "--version",
                             " year YYYY", " day FIRST [LAST]", "kalendo2-cli(1)"}) {
        EXPECT_NE(usage.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(usage.back(), '\n');
}

TEST(ParseCommandLine, UsageErrors) {
    struct Case { Args line; const char* error; };
    const Case cases[] = {
        {{}, "missing command: year, day, ics, close-calls or feed"},
        {{"--today", "2024-06-15"}, "missing command: year, day, ics, close-calls or feed"},
        {{"week", "2024-06-15"}, "unknown command: week"},
        {{"year"}, "year takes one operand: YYYY"},
        {{"year", "2024", "2025"}, "year takes one operand: YYYY"},
        {{"year", "24"}, "not a year YYYY: 24"},
        {{"year", "20245"}, "not a year YYYY: 20245"},
        {{"year", "2024-01-01"}, "not a year YYYY: 2024-01-01"},
        {{"day"}, "day takes one or two operands: FIRST [LAST]"},
        {{"day", "2024-01-01", "2024-01-02", "2024-01-03"},
         "day takes one or two operands: FIRST [LAST]"},
        {{"day", "2024-1-01"}, "not a date YYYY-MM-DD: 2024-1-01"},
        {{"day", "2024-01-01", "tomorrow"}, "not a date YYYY-MM-DD: tomorrow"},
        {{"--data"}, "--data needs a folder"},
        {{"year", "2024", "--data"}, "--data needs a folder"},
        {{"--data", "", "year", "2024"}, "--data needs a folder"},
        {{"--data", "/a", "--data", "/b", "year", "2024"}, "--data given twice"},
        {{"year", "2024", "--today"}, "--today needs a date YYYY-MM-DD"},
        {{"--today", "2024-6-15", "year", "2024"}, "--today: not a date YYYY-MM-DD: 2024-6-15"},
        {{"--today", "2023-02-29", "year", "2024"}, "--today: no such day: 2023-02-29"},
        {{"--today", "2024-13-01", "year", "2024"}, "--today: no such day: 2024-13-01"},
        {{"--today", "2024-06-00", "year", "2024"}, "--today: no such day: 2024-06-00"},
        {{"--today", "2024-06-15", "--today", "2024-06-16", "year", "2024"},
         "--today given twice"},
        {{"--verbose", "year", "2024"}, "unknown option: --verbose"},
        {{"year", "2024", "--mode"}, "--mode needs standard or precise"},
        {{"--mode", "Precise", "year", "2024"}, "--mode: not standard or precise: Precise"},
        {{"--mode", "", "year", "2024"}, "--mode: not standard or precise: "},
        {{"--mode", "standard", "--mode", "precise", "year", "2024"}, "--mode given twice"},
        {{"close-calls", "2024-01-01"}, "close-calls takes two operands: FIRST LAST"},
        {{"close-calls", "2024-02-30", "2024-03-01"}, "no such day: 2024-02-30"},
        {{"close-calls", "2024-03-01", "2024-02-01"}, "LAST is before FIRST"},
        {{"year", "-2024"}, "unknown option: -2024"},
        {{"--data=/d", "year", "2024"}, "unknown option: --data=/d"},
        {{"day", "2024-05-01", "--week-start"}, "--week-start needs sunday or monday"},
        {{"--week-start", "Monday", "day", "2024-05-01"}, "--week-start: not sunday or monday: Monday"},
        {{"--week-start", "monday", "ics", "2024-05-01", "2024-05-02"},
         "--week-start belongs to day and year"},
        {{"close-calls", "2024-05-01", "2024-05-02", "--week-start", "sunday"},
         "--week-start belongs to day and year"},
    };
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.line) line += a + " ";
        SCOPED_TRACE(line);
        EXPECT_EQ(ParseCommandLine(c.line).usageError, c.error);
    }
}

TEST(ParseCommandLine, TodayAcceptsLeapDays) {
    const ParsedCommandLine p = ParseCommandLine({"--today", "2024-02-29", "year", "2024"});
    ASSERT_EQ(p.usageError, "");
    EXPECT_EQ(p.options.today, (CalendarDate{2024, 2, 29}));
}

// The window's --print-pdf line: the three almanac options as for the CLI,
// anywhere; FILE and one or two months of 1600-2999 in order.
TEST(ParsePrintPdfLine, AcceptedLinesAndUsageErrors) {
    struct Case { Args line; const char* error; PrintMonth first, last; };
    const Case cases[] = {
        {{"--print-pdf", "o.pdf", "2024-01", "2024-12"}, "", {2024, 1}, {2024, 12}},
        {{"--print-pdf", "o.pdf", "2024-05"}, "", {2024, 5}, {2024, 5}},
        {{"o.pdf", "--mode", "precise", "1600-01", "--print-pdf", "2999-12"}, "", {1600, 1}, {2999, 12}},
        {{"--print-pdf", "o.pdf"}, "--print-pdf takes FILE FIRST-MONTH [LAST-MONTH]", {}, {}},
        {{"--print-pdf", "o.pdf", "2024-01", "2024-02", "2024-03"}, "--print-pdf takes FILE FIRST-MONTH [LAST-MONTH]", {}, {}},
        {{"--print-pdf", "--print-pdf", "o.pdf", "2024-01"}, "--print-pdf given twice", {}, {}},
        {{"--print-pdf", "", "2024-01"}, "--print-pdf needs a file", {}, {}},
        {{"--print-pdf", "o.pdf", "2024-13"}, "not a month YYYY-MM of 1600-2999: 2024-13", {}, {}},
        {{"--print-pdf", "o.pdf", "2024-01", "3000-01"}, "not a month YYYY-MM of 1600-2999: 3000-01", {}, {}},
        {{"--print-pdf", "o.pdf", "2024-05-01"}, "not a month YYYY-MM of 1600-2999: 2024-05-01", {}, {}},
        {{"--print-pdf", "o.pdf", "2024-05", "2024-04"}, "LAST-MONTH is before FIRST-MONTH", {}, {}},
        {{"--print-pdf", "o.pdf", "2024-05", "--today", "2024-02-30"}, "--today: no such day: 2024-02-30", {}, {}},
        {{"--print-pdf", "o.pdf", "2024-05", "-platform", "xcb"}, "unknown option: -platform", {}, {}},
        {{"--place", "那覇", "--rekichu", "天赦日", "--week-start", "monday", "--reading", "大明日=21日", "--print-pdf",
          "o.pdf", "2024-05"}, "", {2024, 5}, {2024, 5}},
        {{"--print-pdf", "o.pdf", "2024-05", "--rekichu", "吉日"}, "--rekichu: not a list of names of the lower register: 吉日", {}, {}},
        {{"--print-pdf", "o.pdf", "2024-05", "--week-start", "monday", "--week-start", "sunday"}, "--week-start given twice", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        ASSERT_TRUE(AsksForPrintPdf(c.line));
        const ParsedPrintPdfLine p = ParsePrintPdfLine(c.line);
        EXPECT_EQ(p.usageError, c.error);
        if (p.usageError.empty()) {
            EXPECT_EQ(std::tie(p.options.file, p.options.first, p.options.last), std::tie("o.pdf", c.first, c.last));
        }
    }
    EXPECT_FALSE(AsksForPrintPdf({"--print-pdfs", "o.pdf", "2024-05"}));
    // The settings' options as the day objects take them.
    const CliOptions settings = ParsePrintPdfLine(cases[std::size(cases) - 3].line).options.almanac;
    EXPECT_EQ(Utf8FromCp932(settings.place.value().name), "那覇");
    EXPECT_EQ(settings.include.rekichuPicks, RekichuBit(RekichuName::Tensha));
    EXPECT_EQ(settings.weekStart, WeekStart::Monday);
    EXPECT_EQ(settings.readings.daimyo, DaimyoReading::TwentyOne);
}

// --place: a listed name (UTF-8 on the line) or LAT,LON within the bounds;
// every refusal names the argument.
TEST(ParseCommandLine, Place) {
    struct Case { Args line; const char* error; const char* nameUtf8 = ""; double lat = 0, lon = 0; };
    const Case cases[] = {
        {{"day", "2026-01-01", "--place", "札幌"}, "", "札幌", 43.0643, 141.3469},
        {{"--place", "35.5,-139.25", "day", "2026-01-01"}, "", "35.5,-139.25", 35.5, -139.25},
        {{"--place", "+65,180", "day", "2026-01-01"}, "", "+65,180", 65, 180},
        {{"--place", "-65.0,-180", "day", "2026-01-01"}, "", "-65.0,-180", -65, -180},
        {{"--place", ".5,0.", "day", "2026-01-01"}, "", ".5,0.", 0.5, 0},
        {{"--place", "大宮", "day", "2026-01-01"}, "--place: no such place (kalendo2-cli places lists them): 大宮"},
        {{"--place", "65.01,0", "day", "2026-01-01"}, "--place: latitude not within -65..65: 65.01,0"},
        {{"--place", "0,-180.5", "day", "2026-01-01"}, "--place: longitude not within -180..180: 0,-180.5"},
        {{"--place", "35,139,0", "day", "2026-01-01"}, "--place: not LAT,LON in decimal degrees: 35,139,0"},
        {{"--place", "nan,5", "day", "2026-01-01"}, "--place: not LAT,LON in decimal degrees: nan,5"},
        {{"day", "2026-01-01", "--place"}, "--place needs a place name or LAT,LON"},
        {{"--place", "", "day", "2026-01-01"}, "--place needs a place name or LAT,LON"},
        {{"--place", "那覇", "--place", "那覇", "day", "2026-01-01"}, "--place given twice"},
        {{"--place", "那覇", "year", "2026"}, "--place belongs to day, eclipses, ics and feed"},
        {{"--place", "那覇", "places"}, "--place belongs to day, eclipses, ics and feed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line[1] + " " + c.error);
        const ParsedCommandLine p = ParseCommandLine(c.line);
        EXPECT_EQ(p.usageError, c.error);
        if (*c.error != '\0') continue;
        ASSERT_TRUE(p.options.place.has_value());
        EXPECT_EQ(Utf8FromCp932(p.options.place->name), c.nameUtf8);
        EXPECT_EQ(p.options.place->position.latitudeDeg, c.lat);
        EXPECT_EQ(p.options.place->position.longitudeDeg, c.lon);
    }
    EXPECT_FALSE(ParseCommandLine({"day", "2026-01-01"}).options.place.has_value());
    EXPECT_EQ(ParseCommandLine({"places"}).options.command, CliCommand::Places);
    EXPECT_EQ(ParseCommandLine({"places", "x"}).usageError, "places takes no operand");
}

// "feed": a file or a vdir, and the months in range.
TEST(FeedCommandLine, AFileOrAFolderAndCountsInRange) {
    const CliOptions o = ParseCommandLine({"feed", "--vdir", "d", "--months", "3"}).options;
    EXPECT_EQ(std::tie(o.command, o.feedFolder, o.months, o.include),
              std::make_tuple(CliCommand::Feed, "d", 3, IcsInclude::All()));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"feed"}, {"feed", "a", "--vdir", "d"}, {"feed", "a", "--months", "0"},
             {"feed", "a", "--months", "1201"}, {"feed", "a", "--past-months", "-1"}}) {
        EXPECT_NE(ParseCommandLine(args).usageError, "") << args.back();
    }
}

// "eclipses FIRST LAST": real dates of the computed years, in order; the
// place is --place's or, without it, none (the command takes 東京).
TEST(CliArguments, EclipsesRange) {
    const struct {
        Args line;
        const char* error;
    } cases[] = {
        {{"eclipses", "1600-01-01", "2999-12-31"}, ""},
        {{"eclipses", "2030-06-01", "2030-06-01", "--place", "札幌"}, ""},
        {{"eclipses", "2030-06-01"}, "eclipses takes two operands: FIRST LAST"},
        {{"eclipses", "1599-12-31", "2000-01-01"},
         "eclipses: not within 1600-01-01..2999-12-31: 1599-12-31"},
        {{"eclipses", "2000-01-01", "3000-01-01"},
         "eclipses: not within 1600-01-01..2999-12-31: 3000-01-01"},
        {{"eclipses", "2001-02-29", "2001-03-01"}, "no such day: 2001-02-29"},
        {{"eclipses", "2001-03-01", "2001-2-28"}, "not a date YYYY-MM-DD: 2001-2-28"},
        {{"eclipses", "2001-03-02", "2001-03-01"}, "LAST is before FIRST"},
        {{"eclipses", "2001-03-01", "2001-03-02", "--place", "91,0"},
         "--place: latitude not within -65..65: 91,0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line[1] + " " + c.error);
        const ParsedCommandLine p = ParseCommandLine(c.line);
        EXPECT_EQ(p.usageError, c.error);
        if (*c.error == '\0') {
            EXPECT_EQ(p.options.command, CliCommand::Eclipses);
        }
    }
}

}  // namespace
}  // namespace kalendo
