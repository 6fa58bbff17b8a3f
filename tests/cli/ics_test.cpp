// "kalendo2-cli ics": its command line, the calendar text as libical reads
// it back, and the built program against its own JSON for the same days,
// stable UIDs and byte-identical exports under SOURCE_DATE_EPOCH.
#include <gtest/gtest.h>
#include <libical/ical.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "almanac/sign_names.h"
#include "cli/arguments.h"
#include "cli_fixture.h"
#include "ics_lines.h"
#include "json_members.h"
#include "platform/text_codec.h"
#include "ui/ics/ics_calendar.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

// ---- The command line -------------------------------------------------

TEST(IcsCommandLine, AcceptsTheRangeAndTheList) {
    const ParsedCommandLine p =
        ParseCommandLine({"ics", "2024-01-01", "2024-12-31", "--include", "holidays,rokuyo"});
    ASSERT_EQ(p.usageError, "");
    EXPECT_EQ(p.options.command, CliCommand::Ics);
    EXPECT_EQ(p.options.first, (CalendarDate{2024, 1, 1}));
    EXPECT_EQ(p.options.last, (CalendarDate{2024, 12, 31}));
    EXPECT_EQ(p.options.include, IcsInclude::Of({IcsWord::Holidays, IcsWord::Rokuyo}));
    // Without --include: the four kinds of definition entries.
    EXPECT_EQ(ParseCommandLine({"--include", "moon", "ics", "2024-01-01", "2024-01-01"}).usageError, "");
    EXPECT_EQ(ParseCommandLine({"ics", "2024-01-01", "2024-01-02"}).options.include, IcsInclude{});
}

TEST(IcsCommandLine, RefusesWhatCannotBeExported) {
    struct Case {
        std::vector<std::string> args;
        const char* why;
    };
    const Case cases[] = {
        {{"ics", "2024-01-01"}, "LAST is required"},
        {{"ics", "2024-01-01", "2024-01-02", "2024-01-03"}, "three dates"},
        {{"ics", "2024-1-01", "2024-01-02"}, "not YYYY-MM-DD"},
        {{"ics", "2023-02-29", "2023-03-01"}, "no such day"},
        {{"ics", "2024-05-04", "2024-05-03"}, "LAST before FIRST"},
        {{"ics", "2024-01-01", "2024-01-02", "--include"}, "--include without a list"},
        {{"ics", "2024-01-01", "2024-01-02", "--include", "holidays,stars"}, "unknown word"},
        {{"ics", "2024-01-01", "2024-01-02", "--include", ""}, "empty list"},
        {{"ics", "2024-01-01", "2024-01-02", "--include", "notes", "--include", "moon"}, "twice"},
        {{"day", "2024-01-01", "--include", "notes"}, "--include belongs to ics"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_NE(ParseCommandLine(c.args).usageError, "");
    }
}

// ---- The calendar text, read back by libical --------------------------

struct Parsed {
    std::string uid, start, end, summary, description, category, stamp;
};

std::string DateText(icaltimetype t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
    return buf;
}

// Every VEVENT of a calendar text; fails the test when libical cannot
// parse it or finds a property it had to repair.
std::vector<Parsed> ParseWithLibical(const std::string& text) {
    std::vector<Parsed> out;
    icalcomponent* cal = icalparser_parse_string(text.c_str());
    EXPECT_NE(cal, nullptr);
    if (cal == nullptr) return out;
    EXPECT_EQ(icalcomponent_isa(cal), ICAL_VCALENDAR_COMPONENT);
    EXPECT_EQ(icalcomponent_count_errors(cal), 0);
    for (icalcomponent* ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); ev != nullptr;
         ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        Parsed p;
        p.uid = icalcomponent_get_uid(ev);
        const icaltimetype start = icalcomponent_get_dtstart(ev);
        const icaltimetype end = icalcomponent_get_dtend(ev);
        EXPECT_TRUE(start.is_date && end.is_date) << p.uid;
        p.start = DateText(start);
        p.end = DateText(end);
        p.summary = icalcomponent_get_summary(ev);
        if (const char* d = icalcomponent_get_description(ev)) p.description = d;
        icalproperty* cat = icalcomponent_get_first_property(ev, ICAL_CATEGORIES_PROPERTY);
        EXPECT_NE(cat, nullptr) << p.uid;
        if (cat != nullptr) p.category = icalproperty_get_categories(cat);
        p.stamp = icaltime_as_ical_string(icalcomponent_get_dtstamp(ev));
        out.push_back(p);
    }
    icalcomponent_free(cal);
    return out;
}

IcsEvent Event(CalendarDate date, IcsKind kind, int index, const char* nameUtf8, const char* textUtf8) {
    return IcsEvent{date, kind, index, Cp932FromUtf8(nameUtf8), Cp932FromUtf8(textUtf8), {}};
}

TEST(IcsCalendarText, TextsSurviveEscapingAndFolding) {
    const std::string longText =
        "二百十日は立春から数えて二百十日目、台風の来る頃で、農家の厄日とされてきた。"
        "八朔、二百二十日と並ぶ三大厄日の一つ。";
    const std::string x73(73, 'x');
    struct Case {
        const char* name;
        std::string description;  // as held, CR LF between lines
        const char* wantDescription;
        const char* why;
    };
    const Case cases[] = {
        {"鏡開き,蔵開き", "", "", "comma in a name"},
        {"A;B", "x;y,z", "x;y,z", "semicolons and commas"},
        {"C:\\temp", "a\\nb", "a\\nb", "a backslash is not an escape of ours"},
        {"三行", "一\r\n二\r\n三", "一\n二\n三", "CR LF lines become the text's lines"},
        {"CR", "一\r二", "一\n二", "a lone CR is a line break too"},
        {"制御", "a\x01" "b\tc\x7f", "ab\tc", "control characters other than tab are left out"},
        {"長文", longText, longText.c_str(), "folded across multibyte characters"},
        {"73", x73, x73.c_str(),
         "73 octets after the fold: libical cut between the line's CR and LF"},
    };
    std::vector<IcsEvent> events;
    for (const Case& c : cases) {
        events.push_back(Event({2024, 9, 1}, IcsKind::Note, static_cast<int>(events.size()), c.name,
                               c.description.c_str()));
    }
    const std::string text = IcsCalendarText(events, 1700000000);
    // RFC 5545: lines of at most 75 octets, each ending in CR LF (no CR or
    // LF of their own), never cut inside a UTF-8 character.
    EXPECT_EQ(LineFault(text), "");
    const std::vector<Parsed> parsed = ParseWithLibical(text);
    ASSERT_EQ(parsed.size(), std::size(cases));
    for (std::size_t i = 0; i < parsed.size(); ++i) {
        SCOPED_TRACE(cases[i].why);
        EXPECT_EQ(parsed[i].summary, cases[i].name);
        EXPECT_EQ(parsed[i].description, cases[i].wantDescription);
        EXPECT_EQ(parsed[i].category, "暦日");
        EXPECT_EQ(parsed[i].stamp, "20231114T221320Z");
    }
    EXPECT_NE(text.find("SUMMARY:鏡開き\\,蔵開き\r\n"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:A\\;B\r\n"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:C:\\\\temp\r\n"), std::string::npos);
    EXPECT_NE(text.find("DESCRIPTION:一\\n二\\n三\r\n"), std::string::npos);
    // An empty description is left out, not written empty.
    EXPECT_EQ(text.find("DESCRIPTION:\r\n CATEGORIES"), std::string::npos);
}

TEST(IcsCalendarText, AllDayEventsEndOnTheNextDay) {
    const std::vector<Parsed> parsed = ParseWithLibical(IcsCalendarText(
        {Event({2024, 12, 31}, IcsKind::Holiday, 0, "大晦日", ""),
         Event({2024, 2, 28}, IcsKind::Rokuyo, 5, "赤口", ""),
         Event({2023, 2, 28}, IcsKind::Moon, 180, "満月", "")},
        0));
    ASSERT_EQ(parsed.size(), 3u);
    EXPECT_EQ(parsed[0].end, "2025-01-01");
    EXPECT_EQ(parsed[1].end, "2024-02-29");
    EXPECT_EQ(parsed[2].end, "2023-03-01");
    EXPECT_EQ(parsed[0].stamp, "19700101T000000Z");
}

TEST(IcsUid, PinnedAndDistinct) {
    // The UID of an entry must never change between versions: an update
    // of the program would otherwise duplicate every event in a client.
    const IcsEvent base = Event({2024, 5, 3}, IcsKind::Holiday, 0, "憲法記念日", "x");
    EXPECT_EQ(IcsUid(base), "20240503-holiday-0-" + std::string("bd1a79fbdac7e438") + "@kalendo2")
        << "if this changed, every exported event changes its UID";
    IcsEvent otherText = base;
    otherText.description = "y";
    EXPECT_EQ(IcsUid(otherText), IcsUid(base)) << "the description is not part of the UID";
    std::set<std::string> uids{IcsUid(base)};
    IcsEvent e = base;
    e.date.day = 4;
    uids.insert(IcsUid(e));
    e = base;
    e.kind = IcsKind::Note;
    uids.insert(IcsUid(e));
    e = base;
    e.index = 1;
    uids.insert(IcsUid(e));
    e = base;
    e.name = Cp932FromUtf8("憲法記念日２");
    uids.insert(IcsUid(e));
    EXPECT_EQ(uids.size(), 5u);
}

TEST(IcsExportTime, SourceDateEpoch) {
    struct Case {
        const char* value;
        bool ok;
        std::time_t want;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"1700000000", true, 1700000000},
        {"253402300799", true, 253402300799},  // the last second of 9999
        {"253402300800", false, 0},
        {"", false, 0},
        {"-1", false, 0},
        {"12a", false, 0},
        {" 12", false, 0},
        {"99999999999999999999999", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        setenv("SOURCE_DATE_EPOCH", c.value, 1);
        const std::optional<std::time_t> got = IcsExportTime();
        ASSERT_EQ(got.has_value(), c.ok);
        if (c.ok) {
            EXPECT_EQ(*got, c.want);
        }
    }
    unsetenv("SOURCE_DATE_EPOCH");
    const std::time_t before = std::time(nullptr);
    const std::optional<std::time_t> now = IcsExportTime();
    ASSERT_TRUE(now.has_value());
    EXPECT_GE(*now, before);
    EXPECT_LE(*now, std::time(nullptr));
}

// ---- The built program ------------------------------------------------

class IcsBinaryTest : public ::testing::Test {
protected:
    struct Run {
        int status = -1;
        std::string out, err;
    };

    // kalendo2-cli with `env` ("NAME=value …" or "") in front of it.
    Run Cli(const std::vector<std::string>& args, const std::string& env = "SOURCE_DATE_EPOCH=1700000000") {
        std::string command = "env -u SOURCE_DATE_EPOCH " + env + " " + Quoted(BinFolder() + "kalendo2-cli");
        for (const std::string& a : args) {
            command += ' ';
            command += Quoted(a);
        }
        const std::string outPath = folder_.path() + "out.txt", errPath = folder_.path() + "err.txt";
        command += " </dev/null >";
        command += outPath;
        command += " 2>";
        command += errPath;
        Run run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadFileBytes(outPath);
        run.err = ReadFileBytes(errPath);
        return run;
    }
    // The shipped files with the fixture schedules, today 2024-06-15.
    Run Shipped(std::vector<std::string> args, const std::string& env = "SOURCE_DATE_EPOCH=1700000000") {
        args.insert(args.begin(), {"--data", folder_.path(), "--today", "2024-06-15"});
        return Cli(args, env);
    }
    // The calendar notes and user events of tests/data/ics instead.
    void UseEscapingFixtures() {
        const std::string from = std::string(std::getenv("K2_TEST_DATA")) + "/ics/";
        for (const char* name : {"暦日.Def", "Usr.Def"}) {
            std::ofstream(folder_.path() + name, std::ios::binary) << Cp932FromUtf8(ReadFileBytes(from + name));
        }
    }

    DefinitionFolder folder_;
};

// The JSON value of a key, parsed as one string (JSON escapes undone for
// what the CLI writes: \" \\ \n \r \t).
std::string JsonString(const std::string& raw) {
    std::string s;
    for (std::size_t i = 1; i + 1 < raw.size(); ++i) {
        if (raw[i] != '\\') {
            s += raw[i];
            continue;
        }
        const char c = raw[++i];
        s += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return s;
}

// (date, category, summary) of what the JSON of each day says the export
// must hold, in the export's order within a day.
std::multiset<std::string> ExpectedFromJson(const std::string& dayLines) {
    std::multiset<std::string> want;
    std::istringstream lines(dayLines);
    for (std::string line; std::getline(lines, line);) {
        const std::string date = JsonString(ValueOf(line, "date"));
        auto add = [&](const std::string& category, const std::string& summary) {
            want.insert(date + " " + category + " " + summary);
        };
        auto nameOf = [](const std::string& object) { return JsonString(ValueOf(object, "name")); };
        if (ValueOf(line, "holiday") != "null") {
            add("祝日", nameOf(ValueOf(line, "holiday")));
        } else if (ValueOf(line, "generatedHoliday") != "null") {
            add("休日", nameOf(ValueOf(line, "generatedHoliday")));
        }
        for (const auto& [key, category] : {std::pair{"notes", "暦日"}, std::pair{"userEntries", "行事"},
                                            std::pair{"schedules", "予定"}}) {
            for (const std::string& e : ElementsOf(ValueOf(line, key))) add(category, nameOf(e));
        }
        const int rokuyo = std::stoi(ValueOf(line, "rokuyo"));
        if (rokuyo >= 0) add("六曜", Utf8FromCp932(RokuyoName(rokuyo)));
        const int month = std::stoi(ValueOf(line, "lunarMonth"));
        const std::string day = ValueOf(line, "lunarDay");
        add("旧暦", month < 0 ? "旧暦 閏" + std::to_string(-month) + "月" + day + "日"
                              : "旧暦 " + std::to_string(month) + "月" + day + "日");
        const std::map<std::string, std::string> phases{{"0", "新月"}, {"90", "上弦"}, {"180", "満月"},
                                                        {"270", "下弦"}};
        if (const auto it = phases.find(ValueOf(line, "moonPhase")); it != phases.end()) add("月相", it->second);
    }
    return want;
}

constexpr char kEverything[] = "holidays,notes,users,schedules,rokuyo,lunar,moon";

TEST_F(IcsBinaryTest, EveryEventAgreesWithTheJsonOfItsDay) {
    // 2024 with every kind, and 2033 with its leap month after the 11th.
    for (const auto& [first, last] : {std::pair{"2024-01-01", "2024-12-31"}, std::pair{"2033-11-01", "2034-02-28"}}) {
        SCOPED_TRACE(first);
        const Run ics = Shipped({"ics", first, last, "--include", kEverything});
        const Run day = Shipped({"day", first, last});
        ASSERT_EQ(ics.status, 0) << ics.err;
        ASSERT_EQ(day.status, 0) << day.err;
        EXPECT_EQ(ics.err, "");
        EXPECT_EQ(LineFault(ics.out), "") << "every line CR LF, at most 75 octets, no character cut";
        std::multiset<std::string> got;
        for (const Parsed& p : ParseWithLibical(ics.out)) got.insert(p.start + " " + p.category + " " + p.summary);
        EXPECT_EQ(got, ExpectedFromJson(day.out));
    }
}

// Eclipses: one timed event per line of "eclipses" over the same range and
// place, from the first to the last moment seen, in JST of the one zone
// written before the first of them.
TEST_F(IcsBinaryTest, EclipsesAreTimedEventsOfTheEclipsesCommand) {
    for (const char* place : {"東京", "札幌"}) {
        SCOPED_TRACE(place);
        const Run ics = Shipped({"ics", "2019-01-01", "2022-12-31", "--include", "eclipses", "--place", place});
        const Run lines = Shipped({"eclipses", "2019-01-01", "2022-12-31", "--place", place});
        ASSERT_EQ(ics.status, 0) << ics.err;
        EXPECT_EQ(LineFault(ics.out), "");
        auto count = [](const std::string& text, const std::string& what) {
            std::size_t n = 0;
            for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
            return n;
        };
        EXPECT_EQ(count(ics.out, "BEGIN:VTIMEZONE\r\nTZID:Asia/Tokyo\r\n"), 1u);
        EXPECT_LT(ics.out.find("BEGIN:VTIMEZONE"), ics.out.find("BEGIN:VEVENT"));
        EXPECT_EQ(count(ics.out, "BEGIN:VEVENT"), count(lines.out, "\n"));
        EXPECT_EQ(count(ics.out, "DTSTART;TZID=Asia/Tokyo:"), count(lines.out, "\n"));
        EXPECT_GT(count(lines.out, "\n"), 3u);
    }
    // The total lunar eclipse of 2022-11-08 was seen whole from Tokyo.
    const Run tokyo = Shipped({"ics", "2022-11-08", "2022-11-08", "--include", "eclipses"});
    EXPECT_NE(tokyo.out.find("DTSTART;TZID=Asia/Tokyo:20221108T170149\r\n"
                             "DTEND;TZID=Asia/Tokyo:20221108T225620\r\nSUMMARY:皆既月食\r\n"
                             "DESCRIPTION:食分 1.364\\n半影食の始め 17:01:49"),
              std::string::npos)
        << tokyo.out;
}

TEST_F(IcsBinaryTest, TheDoneCheckYear) {
    const Run run = Shipped({"ics", "2024-01-01", "2024-12-31", "--include", "holidays,rokuyo"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::map<std::string, int> perCategory;
    std::set<std::string> uids;
    std::string constitutionDay;
    for (const Parsed& p : ParseWithLibical(run.out)) {
        ++perCategory[p.category];
        uids.insert(p.uid);
        if (p.start == "2024-05-03" && p.category == "祝日") constitutionDay = p.summary;
    }
    EXPECT_EQ(perCategory["六曜"], 366);
    EXPECT_GE(perCategory["祝日"], 16);
    EXPECT_EQ(constitutionDay, "憲法記念日");
    EXPECT_EQ(uids.size(), static_cast<std::size_t>(perCategory["六曜"] + perCategory["祝日"] + perCategory["休日"]));
}

// The VEVENT blocks of a calendar text by UID.
std::map<std::string, std::string> BlocksByUid(const std::string& text) {
    std::map<std::string, std::string> blocks;
    std::size_t from = 0;
    while ((from = text.find("BEGIN:VEVENT\r\n", from)) != std::string::npos) {
        const std::size_t end = text.find("END:VEVENT\r\n", from);
        const std::string block = text.substr(from, end - from);
        const std::size_t uid = block.find("UID:");
        blocks[block.substr(uid + 4, block.find("\r\n", uid) - uid - 4)] = block;
        from = end;
    }
    return blocks;
}

TEST_F(IcsBinaryTest, StableAcrossRunsAndRanges) {
    const Run a = Shipped({"ics", "2024-04-01", "2024-06-30", "--include", kEverything});
    const Run b = Shipped({"ics", "2024-04-01", "2024-06-30", "--include", kEverything});
    ASSERT_EQ(a.status, 0);
    EXPECT_EQ(a.out, b.out) << "SOURCE_DATE_EPOCH makes two exports byte-identical";
    EXPECT_NE(a.out.find("DTSTAMP:20231114T221320Z\r\n"), std::string::npos);
    // A shifted range: the days both cover give the same events with the
    // same UIDs, whatever the first day of the export.
    const Run c = Shipped({"ics", "2024-05-15", "2024-08-31", "--include", kEverything});
    const std::map<std::string, std::string> early = BlocksByUid(a.out), late = BlocksByUid(c.out);
    int common = 0;
    for (const auto& [uid, block] : late) {
        if (uid.compare(0, 8, "20240630") > 0) continue;
        ++common;
        ASSERT_EQ(early.count(uid), 1u) << uid;
        EXPECT_EQ(early.at(uid), block);
    }
    for (const auto& [uid, block] : early) {
        if (uid.compare(0, 8, "20240515") >= 0) {
            EXPECT_EQ(late.count(uid), 1u) << uid;
        }
    }
    EXPECT_GT(common, 2 * 47);  // at least the rokuyo and lunar date of 47 days
    // Without SOURCE_DATE_EPOCH the stamp is the time of the export.
    const Run now = Shipped({"ics", "2024-05-03", "2024-05-03"}, "");
    ASSERT_EQ(now.status, 0);
    EXPECT_EQ(now.out.find("DTSTAMP:20231114T221320Z"), std::string::npos);
    EXPECT_NE(now.out.find("Z\r\nDTSTART;VALUE=DATE:20240503"), std::string::npos);
}

TEST_F(IcsBinaryTest, EscapedNamesAndMultiLineNotes) {
    UseEscapingFixtures();
    const Run run = Shipped({"ics", "2024-01-01", "2024-12-31", "--include", "notes,users"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::map<std::string, Parsed> byName;
    for (const Parsed& p : ParseWithLibical(run.out)) byName[p.summary] = p;
    ASSERT_EQ(byName.count("鏡開き,蔵開き"), 1u);
    EXPECT_EQ(byName["鏡開き,蔵開き"].start, "2024-01-11");
    EXPECT_EQ(byName["鏡開き,蔵開き"].description, "鏡餅を割る;包丁は使わない\nお汁粉,雑煮\nC:\\年神様");
    EXPECT_EQ(byName["誕生日,記念日"].description, "花束;ケーキ\n予約は一週間前");
    EXPECT_EQ(byName["誕生日,記念日"].category, "行事");
    EXPECT_EQ(byName["七夕"].description, "短冊");
    EXPECT_EQ(byName["十日夜"].description, "");
    EXPECT_NE(run.out.find("SUMMARY:鏡開き\\,蔵開き\r\n"), std::string::npos);
    EXPECT_NE(run.out.find("花束\\;ケーキ\\n予約は一週間前"), std::string::npos);
}

TEST_F(IcsBinaryTest, PastSchedulesGiveNoEvents) {
    // The fixture's schedules of 12-14 June are before today (15 June).
    const Run run = Shipped({"ics", "2024-06-01", "2024-12-31", "--include", "schedules"});
    ASSERT_EQ(run.status, 0);
    std::vector<std::string> got;
    for (const Parsed& p : ParseWithLibical(run.out)) got.push_back(p.start + " " + p.summary + " " + p.description);
    EXPECT_EQ(got, (std::vector<std::string>{"2024-06-15 誕生会 花束\nケーキ", "2024-12-24 忘年会 "}));
}

TEST_F(IcsBinaryTest, ACenturyInTheMemoryOfADay) {
    if (kSanitized) GTEST_SKIP() << "no address-space limit under the sanitizers";
    // A hundred years of every kind: 22 MB of calendar, which the whole
    // calendar held in memory took some 300 MB to build. Written as it is
    // computed it fits in 160 MB of address space, libraries included.
    const std::string out = folder_.path() + "century.ics";
    const std::string command = "ulimit -v 163840 && env SOURCE_DATE_EPOCH=1700000000 " +
                                Quoted(BinFolder() + "kalendo2-cli") + " --data " + Quoted(folder_.path()) +
                                " --today 2024-06-15 ics 1900-01-01 1999-12-31 --include " + kEverything +
                                " >" + Quoted(out) + " 2>/dev/null";
    const int raw = std::system(("sh -c " + Quoted(command)).c_str());
    ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << "status " << raw;
    const std::string text = ReadFileBytes(out);
    EXPECT_EQ(LineFault(text), "");
    ASSERT_GT(text.size(), 20'000'000u);
    EXPECT_EQ(text.compare(text.size() - 15, 15, "END:VCALENDAR\r\n"), 0);
    std::size_t events = 0;
    for (std::size_t at = 0; (at = text.find("BEGIN:VEVENT\r\n", at)) != std::string::npos; ++at) ++events;
    EXPECT_GT(events, 36524u * 2) << "at least the rokuyo and the lunisolar date of every day";
}

TEST_F(IcsBinaryTest, RefusalsAndTheirStatuses) {
    struct Case {
        std::vector<std::string> args;
        std::string env;
        int status;
        const char* errStart;
    };
    const Case cases[] = {
        {{"ics", "1599-12-31", "1600-01-31"}, "", 1, "ERROR : 年月の設定範囲が不適切です."},
        {{"ics", "2999-12-01", "3000-01-01"}, "", 1, "ERROR : 年月の設定範囲が不適切です."},
        {{"ics", "2024-05-04", "2024-05-03"}, "", 2, "kalendo2-cli: LAST is before FIRST"},
        {{"ics", "2024-05-03", "2024-05-03", "--include", "stars"}, "", 2, "kalendo2-cli: --include"},
        {{"ics", "2024-05-03", "2024-05-03"}, "SOURCE_DATE_EPOCH=yesterday", 2,
         "kalendo2-cli: SOURCE_DATE_EPOCH is not a number of seconds: yesterday"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.env);
        const Run run = Shipped(c.args, c.env);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "") << "no calendar at all rather than a wrong one";
        EXPECT_EQ(run.err.rfind(c.errStart, 0), 0u) << run.err;
    }
}

}  // namespace
}  // namespace kalendo
