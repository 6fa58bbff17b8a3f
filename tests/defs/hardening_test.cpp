// Definition files as users leave them: lines far longer than a line may be,
// bytes that are not CP932 (invalid sequences, NUL bytes, UTF-8 text, a
// UTF-8 byte-order mark), and schedule tables that the save must carry back
// unchanged. A reader either loads such a file, whatever its bytes mean, or
// refuses it with its own message; it never crashes or writes past a field.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "almanac/signs.h"
#include "astro/lunisolar.h"
#include "core/cp932.h"
#include "core/day_arith.h"
#include "defs/file_encoding.h"
#include "defs/day_off.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedule_file_image.h"
#include "defs/schedules.h"
#include "month/compute_month.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

// Whether a CP932 text ends on a character boundary: no lead byte is left
// without its trail byte.
bool WholeCharacters(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) i += IsCp932LeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return i == s.size();
}

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

std::string Utf8Source(const std::string& name) {
    const char* data = std::getenv("K2_TEST_DATA");
    const std::string path = std::string(data ? data : "tests/data") + "/../../data/" + name;
    const auto bytes = ReadWholeFile(path);
    if (!bytes) ADD_FAILURE() << "cannot read " << path;
    return bytes.value_or("");
}

std::string ShippedFile(const std::string& name) {
    const char* bin = std::getenv("K2_BIN_DIR");
    const std::string path = std::string(bin ? bin : "bin") + "/" + name;
    const auto bytes = ReadWholeFile(path);
    if (!bytes) ADD_FAILURE() << "cannot read " << path;
    return bytes.value_or("");
}

// One of the four readers of the common loop, seen through the names it
// stores.
struct Reader {
    const char* file;
    std::function<std::optional<LoadProblem>(MonthRecord&, std::string_view)> load;
    std::function<int(const MonthRecord&)> count;
    std::function<const char*(const MonthRecord&, int)> name;
    const char* fields;  // what follows a name on a full entry line
};

const Reader kReaders[] = {
    {"祝日.Def", LoadHolidays, [](const MonthRecord& r) { return r.holidayCount; },
     [](const MonthRecord& r, int i) -> const char* { return r.tables.holidays[i].name; },
     " ( 2000 - 3000 ) / 1/1 d"},
    {"暦日.Def", LoadNotes, [](const MonthRecord& r) { return r.noteCount; },
     [](const MonthRecord& r, int i) -> const char* { return r.tables.notes[i].name; }, " 1/1"},
    {"Usr.Def", LoadUserEntries, [](const MonthRecord& r) { return r.userEntryCount; },
     [](const MonthRecord& r, int i) -> const char* { return r.tables.userEntries[i].name; },
     " 2000 / 1/1 1"},
    {"Schedule.Def", LoadSchedules, [](const MonthRecord& r) { return r.scheduleCount; },
     [](const MonthRecord& r, int i) -> const char* { return r.tables.schedules[i].name; },
     " 2024/07/01\t1"},
};

std::vector<std::string> Names(const Reader& reader, const MonthRecord& rec) {
    std::vector<std::string> names;
    for (int i = 0; i < reader.count(rec); ++i) names.emplace_back(reader.name(rec, i));
    return names;
}

class HardeningTest : public ::testing::Test {
protected:
    ScopedRecordingPlatform platform_;
};

// ---- capacities ------------------------------------------------------------

// A 2000-byte run of double-byte characters as a name: the reader splits the
// line before the character that would straddle byte 1023, so both parts are
// whole characters, and the second part is an entry of its own with the
// line's fields. The schedule file, which is written back, is refused
// instead: its line cannot be read whole.
TEST_F(HardeningTest, OverlongDoubleByteLineIsCutBetweenCharacters) {
    const std::string a = Cp932FromUtf8("あ");
    const std::string run = Repeat(a, 1000);
    for (const Reader& reader : kReaders) {
        SCOPED_TRACE(reader.file);
        auto rec = std::make_unique<MonthRecord>();
        const auto problem = reader.load(*rec, run + reader.fields + "\n");
        if (std::string(reader.file) == "Schedule.Def") {
            ASSERT_TRUE(problem.has_value());
            EXPECT_EQ(Utf8FromCp932(problem->message),
                      "定義ファイル Schedule.Def の 1 行目が上限の 1023 バイトを超えています. "
                      "行を分けてください");
            continue;
        }
        ASSERT_FALSE(problem.has_value());
        const std::vector<std::string> names = Names(reader, *rec);
        ASSERT_EQ(names.size(), 2u);
        EXPECT_EQ(names[0], Repeat(a, 511));
        EXPECT_EQ(names[1], Repeat(a, 489)) << "the rest of the line, with its fields";
        for (const std::string& name : names) EXPECT_TRUE(WholeCharacters(name));
    }
}

// Descriptions: a text block of 2000-byte double-byte lines is cut at 1023
// bytes without half a character. A schedule's note, written back, is not
// cut: the file is refused.
TEST_F(HardeningTest, OverlongDoubleByteTextIsCutBetweenCharacters) {
    const std::string run = Repeat(Cp932FromUtf8("漢"), 1000);
    const std::string block = "{\n" + run + "\n" + run + "\n}\n";
    auto rec = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadNotes(*rec, "n 1/1\n" + block).has_value());
    ASSERT_FALSE(LoadUserEntries(*rec, "u 2000 / 1/1 1\n" + block).has_value());
    EXPECT_TRUE(LoadSchedules(*rec, "s 2024/07/01\t1\n" + block).has_value());
    for (const char* text : {rec->tables.notes[0].description, rec->tables.userEntries[0].description}) {
        const std::string t(text);
        EXPECT_LE(t.size(), 1023u);
        EXPECT_EQ(t.substr(0, 1022), run.substr(0, 1022)) << "the first 511 characters";
        EXPECT_TRUE(WholeCharacters(t));
    }
}

// 20 holidays on 1 January and 20 on 3 January make 400 citizens' holidays
// in 2024; generation stops at 256 and what follows the table is untouched.
TEST_F(HardeningTest, GenerationWritesNothingPastItsTable) {
    std::string file;
    for (int i = 0; i < 20; ++i) file += "a ( 2000 - 3000 ) / 1/1 d\n";
    for (int i = 0; i < 20; ++i) file += "b ( 2000 - 3000 ) / 1/3 d\n";
    auto rec = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadHolidays(*rec, file).has_value());
    ASSERT_FALSE(LoadNotes(*rec, "n 2/2\n").has_value());
    ASSERT_EQ(ComputeMonth(*rec, 2024, 6, 15, {}), 1);
    EXPECT_EQ(rec->evaluated.generatedCount, kGeneratedHolidayCapacity);
    EXPECT_EQ(rec->holidayCount, 40) << "the count after the table";
    EXPECT_EQ(rec->noteCount, 1);
    EXPECT_STREQ(rec->tables.notes[0].name, "n");
    EXPECT_EQ(rec->evaluated.notes[0].month, 2);
    EXPECT_EQ(rec->evaluated.notes[0].day, 2);
}

// 125 additions of 999999 push the day some 10^8 days past 1 January before
// the search starts, and every candidate day of the search is normalised.
// Reported as a time-out (over 1 s for one expression) by the expression
// fuzz target: this month computation took some ten seconds.
TEST_F(HardeningTest, SearchFarFromTheMonthIsQuick) {
    std::string far = "1/1";
    for (int i = 0; i < 125; ++i) far += "+999999";
    std::string file;
    for (int i = 0; i < 30; ++i) {
        for (const char* kind : {"s", "m"}) {
            file += kind;
            file += std::to_string(i);
            file += ' ';
            file += far;
            file += Cp932FromUtf8(*kind == 's' ? "<六十干支・1\n" : "<満月\n");
        }
    }
    auto rec = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadNotes(*rec, file).has_value());
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(ComputeMonth(*rec, 2024, 6, 15, {}), 1);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(2));

    // The search still lands where it should: on or after the start, within
    // a cycle of sexagenary days or a lunation.
    int y = 2024, m = 1, d = 1 + 125 * 999999;
    NormalizeDate(y, m, d);
    for (int i = 0; i < 60; i += 2) {
        const EvaluatedDate& s60 = rec->evaluated.notes[i];
        EXPECT_EQ(SexagenaryDay(s60.year, s60.month, s60.day), 1);
        EXPECT_GE(CompareDates(y, m, d, s60.year, s60.month, s60.day), 0) << "on or after";
        int ly = y, lm = m, ld = d + 59;
        NormalizeDate(ly, lm, ld);
        EXPECT_GE(CompareDates(s60.year, s60.month, s60.day, ly, lm, ld), 0) << "within 60 days";
        const EvaluatedDate& moon = rec->evaluated.notes[i + 1];
        EXPECT_EQ(MoonPhaseOfDay(moon.year, moon.month, moon.day), 180) << "a full moon";
        EXPECT_GE(CompareDates(y, m, d, moon.year, moon.month, moon.day), 0);
    }
}

// ---- bad bytes ---------------------------------------------------------------

// Bytes that are no CP932 text load as bytes: they are names like any other.
TEST_F(HardeningTest, InvalidCp932LoadsAsBytes) {
    const std::string bad = "\x80\xA0\xFD\xFE\xFF";
    for (const Reader& reader : kReaders) {
        SCOPED_TRACE(reader.file);
        auto rec = std::make_unique<MonthRecord>();
        // A lone lead byte ends the first line; in the second the lead byte
        // 0x82 is followed by a blank, which is no trail byte.
        const std::string file = bad + reader.fields + " \x82\n\x82 x" + reader.fields + "\n";
        ASSERT_FALSE(reader.load(*rec, file).has_value());
        EXPECT_EQ(Names(reader, *rec), (std::vector<std::string>{bad, "\x82"}));
    }
}

// A NUL byte ends the text of its line: the rest of the line is not read, and
// a line that begins with NUL is an empty line.
TEST_F(HardeningTest, NulBytesEndTheirLine) {
    for (const Reader& reader : kReaders) {
        SCOPED_TRACE(reader.file);
        auto rec = std::make_unique<MonthRecord>();
        const std::string file = std::string("a") + reader.fields + std::string("\0tail\n", 6) +
                                 std::string("\0b", 2) + reader.fields + "\nc" + reader.fields +
                                 "\n";
        ASSERT_FALSE(reader.load(*rec, file).has_value());
        EXPECT_EQ(Names(reader, *rec), (std::vector<std::string>{"a", "c"}));
    }
    auto rec = std::make_unique<MonthRecord>();
    const char line[] = "a ( 2000 - 3000 ) / 5/6\0<Sun d\n";
    ASSERT_FALSE(LoadHolidays(*rec, std::string(line, sizeof line - 1)));
    ASSERT_EQ(ComputeMonth(*rec, 2024, 6, 15, {}), 1);
    EXPECT_EQ(rec->evaluated.holidays[0].day, 6) << "the expression ends at the NUL";
}

// A UTF-8 byte-order mark at the start of a file is skipped, so a first
// comment line stays a comment and a first name has no mark glued to it.
TEST_F(HardeningTest, Utf8ByteOrderMarkIsSkipped) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string name = Cp932FromUtf8("名前");
    for (const Reader& reader : kReaders) {
        SCOPED_TRACE(reader.file);
        auto rec = std::make_unique<MonthRecord>();
        ASSERT_FALSE(reader.load(*rec, bom + "; comment\n" + name + reader.fields + "\n"));
        EXPECT_EQ(Names(reader, *rec), std::vector<std::string>{name});
        ASSERT_FALSE(reader.load(*rec, bom + name + reader.fields + "\n"));
        EXPECT_EQ(Names(reader, *rec), std::vector<std::string>{name});
    }
}

// A file saved as UTF-8 is read as the CP932 bytes it is not: every line
// counts as in the CP932 file, ASCII expressions keep their dates and the
// names show as other characters. Japanese keywords of an expression are not
// recognised; such an entry is a wrong expression, fatal with its message.
TEST_F(HardeningTest, Utf8FilesLoadAsBytes) {
    for (const char* name : {"祝日.Def", "暦日.Def", "Usr.Def", "Schedule.Def"}) {
        SCOPED_TRACE(name);
        const Reader* reader = nullptr;
        for (const Reader& r : kReaders) {
            if (std::string(r.file) == name) reader = &r;
        }
        ASSERT_NE(reader, nullptr);
        auto cp932 = std::make_unique<MonthRecord>();
        auto utf8 = std::make_unique<MonthRecord>();
        ASSERT_FALSE(reader->load(*cp932, ShippedFile(name)).has_value());
        ASSERT_FALSE(reader->load(*utf8, Utf8Source(name)).has_value());
        EXPECT_EQ(reader->count(*utf8), reader->count(*cp932));
    }

    auto rec = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadHolidays(*rec, Utf8Source("祝日.Def")).has_value());
    ASSERT_EQ(ComputeMonth(*rec, 2024, 5, 6, {}), 1) << "the holiday file's expressions are ASCII";
    const int i = FindHoliday(*rec, 5, 3);
    ASSERT_GE(i, 0);
    EXPECT_EQ(std::string(rec->tables.holidays[i].name), "憲法記念日") << "the UTF-8 bytes as they are";
    EXPECT_TRUE(IsDayOff(*rec, 5, 6)) << "the substitute holiday of 2024";

    ASSERT_FALSE(LoadNotes(*rec, Utf8Source("暦日.Def")).has_value());
    try {
        ComputeMonth(*rec, 2024, 5, 6, {});
        FAIL() << "a UTF-8 keyword is no keyword";
    } catch (const FatalExit& e) {
        // The name and the expression are UTF-8 bytes inside the CP932 message.
        EXPECT_NE(e.message.find(Cp932FromUtf8("の表現式")), std::string::npos);
        EXPECT_TRUE(e.message.ends_with(Cp932FromUtf8("に誤りがあります")));
    }
}

// ---- schedules keep what they hold (found by the round-trip fuzz target) ----

// Loads bytes as the document does (a UTF-8 file converted to CP932),
// writes the table as the save does (in the file's encoding, or as the CP932
// bytes when UTF-8 cannot carry them), and loads that again.
struct RoundTrip {
    std::unique_ptr<MonthRecord> first = std::make_unique<MonthRecord>();
    std::unique_ptr<MonthRecord> second = std::make_unique<MonthRecord>();
    std::string saved;
    bool refused = false;  // the document refuses the file: nothing is saved
    std::string original;

    explicit RoundTrip(const std::string& bytes) : original(bytes) {
        for (MonthRecord* rec : {first.get(), second.get()}) {
            rec->year[kToday] = 2024;
            rec->month[kToday] = 6;
            rec->day[kToday] = 15;
        }
        std::string text = bytes;
        refused = ToDefinitionText(text, "Schedule.Def").has_value() ||
                  LoadSchedules(*first, text).has_value();
        if (refused) return;
        saved = ScheduleFileBytes(*first);
        const FileEncoding encoding = DefinitionFileEncoding(bytes);
        const std::optional<std::string> utf8 = DefinitionFileBytes(saved, encoding);
        std::string written = ReadableAs(utf8.value_or(saved), utf8 ? encoding : FileEncoding::Cp932, "\n");
        EXPECT_FALSE(ToDefinitionText(written, "Schedule.Def").has_value());
        EXPECT_TRUE(written == saved || written == std::string(kCp932CodingLine) + "\n" + saved);
        EXPECT_FALSE(LoadSchedules(*second, written).has_value());
    }
    // Every schedule dated today or later comes back in order with its
    // name, date, period and note; saving again writes the same bytes.
    void ExpectSameTable() const {
        if (refused) return;
        int j = 0;
        for (int i = 0; i < first->scheduleCount; ++i) {
            const CSchedule& a = first->tables.schedules[i];
            if (CompareDates(a.year, a.month, a.day, 2024, 6, 15) > 0) continue;
            ASSERT_LT(j, second->scheduleCount) << "schedule " << i << " is lost";
            const CSchedule& b = second->tables.schedules[j++];
            EXPECT_STREQ(a.name, b.name);
            EXPECT_STREQ(a.text, b.text);
            EXPECT_EQ(std::tie(a.year, a.month, a.day, a.displayPeriod),
                      std::tie(b.year, b.month, b.day, b.displayPeriod));
        }
        EXPECT_EQ(j, second->scheduleCount);
        EXPECT_EQ(ScheduleFileBytes(*second), saved);
        // The window's save keeps the file's own bytes: with nothing past,
        // the original file (a last line given its line end).
        const auto image = ReadScheduleFileImage(original);
        ASSERT_TRUE(image.has_value());
        const auto kept = ScheduleFileBytesKeeping(*first, *image);
        ASSERT_TRUE(kept.has_value());
        const bool ended = original.ends_with('\n') || original.ends_with('\r');
        if (j == first->scheduleCount && !original.empty() && original != kUtf8ByteOrderMark) {
            EXPECT_EQ(*kept, ended ? original : original + image->lineEnd);
        }
    }
};

// An indented entry line can give a name that begins with "{"; written at
// the start of a line it would open a note and the schedule would be lost.
TEST(ScheduleRoundTrip, NameBeginningWithABraceIsWrittenAfterABlank) {
    const RoundTrip trip("   {x 2024/07/01\t2\n{\nnote\n}\n");
    ASSERT_EQ(trip.first->scheduleCount, 1);
    EXPECT_STREQ(trip.first->tables.schedules[0].name, "{x");
    EXPECT_NE(trip.saved.find("\n {x" + std::string(17, ' ') + "2024/07/01\t2\n"),
              std::string::npos)
        << "the blank counts towards the date's column";
    trip.ExpectSameTable();
}

// Nothing the schedule file holds is cut on the way in, since what is read
// is written back: a name longer than the written entry line carries (1010
// bytes; one less after the blank a "{" name gets), a line or a note longer
// than the 1023 bytes of a record's text is refused with the file, the line
// or the schedule, and the limit. Just below each limit the file round-trips.
TEST(ScheduleRoundTrip, WhatCannotBeReadWholeIsRefused) {
    const std::string a = Cp932FromUtf8("あ");
    struct Case {
        std::string bytes;
        std::string message;  // UTF-8; "" when the file loads and round-trips
        const char* why;
    };
    const Case kCases[] = {
        {std::string(1010, 'n') + " 2024/7/1 1\n", "", "the longest name"},
        {std::string(1011, 'n') + " 2024/7/1 1\n",
         "定義ファイル Schedule.Def の 1 件目のスケジュール名が上限の 1010 バイトを超えています",
         "one byte more"},
        {std::string("x").append(Repeat(a, 505)).append(" 2024/7/1 1\n"),
         "定義ファイル Schedule.Def の 1 件目のスケジュール名が上限の 1010 バイトを超えています",
         "1011 bytes of whole characters"},
        {std::string(" {").append(Repeat(a, 505)).append(" 2024/7/1 1\n"),
         "定義ファイル Schedule.Def の 1 件目のスケジュール名が上限の 1010 バイトを超えています",
         "1011 bytes after a brace"},
        {"a 2024/07/01 1\n{\n" + std::string(1023, 'x') + "\n}\n", "", "the longest note"},
        {";h\n記号 2024/07/01 1\n{\n〜 − ¢ £ ¬ ‖ —\n}\n; mine\nb  2024/8/1  2", "",
         "UTF-8 whose signs CP932 maps to others, comments, no last line end: kept"},
        {"a 2024/07/01 1\r{\rx\ry\r}\r", "", "CR only"},
        {"\xEF\xBB\xBF" "a 2024/07/01 1\r\n{\r\nx\r\n}\r\n", "", "CR LF with the mark"},
        {"a 2024/07/01 1\nb 2024/07/02 1\n{\n" + std::string(1020, 'x') + "\n}abc\n}\n",
         "定義ファイル Schedule.Def の 3 行目からの「b」のメモが上限の 1023 バイトを超えています. "
         "短くしてください",
         "a note of 1026 bytes (once cut to a line of exactly \"}\")"},
        {"a 2024/07/01 1\n{\n" + std::string(1200, 'x') + "\n}\n",
         "定義ファイル Schedule.Def の 3 行目が上限の 1023 バイトを超えています. 行を分けてください",
         "a note line over 1023 bytes"},
        {"a 2024/07/01 1\n{\n" + Repeat("y\n", 600) + "}\n",
         "定義ファイル Schedule.Def の 2 行目からの「a」のメモが上限の 1023 バイトを超えています. "
         "短くしてください",
         "a note of 1798 bytes, written in an editor"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.why);
        auto rec = std::make_unique<MonthRecord>();
        const auto problem = LoadSchedules(*rec, c.bytes);
        EXPECT_EQ(problem ? Utf8FromCp932(problem->message) : "", c.message);
        if (!problem) RoundTrip(c.bytes).ExpectSameTable();
    }
}

// An added schedule takes the file's encoding and line ends.
TEST(ScheduleRoundTrip, AddedEntriesTakeTheFilesWays) {
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const std::string file = std::string("会議 2024/07/01 1") + end + "{" + end + "x" + end +
                                 "y" + end + "}" + end;
        RoundTrip trip(file);
        ASSERT_TRUE(AddSchedule(*trip.first, trip.first->tables.schedules[0]));
        CopyText(trip.first->TablesToChange().schedules[1].name, Cp932FromUtf8("追加").c_str());
        const auto saved = ScheduleFileBytesKeeping(*trip.first, *ReadScheduleFileImage(file));
        EXPECT_EQ(saved, file + "追加                2024/07/01\t1" + end + "{" + end + "x" + end +
                             "y" + end + "}" + end);
    }
}

// Every input the fuzz target kept, through the same property.
TEST(ScheduleRoundTrip, KeptFuzzInputs) {
    const char* data = std::getenv("K2_TEST_DATA");
    const std::filesystem::path folder =
        std::filesystem::path(data ? data : "tests/data") / "../fuzz/regressions/schedule_round_trip";
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().filename().string());
        const auto bytes = ReadWholeFile(entry.path().string());
        ASSERT_TRUE(bytes.has_value());
        RoundTrip(*bytes).ExpectSameTable();
        ++inputs;
    }
    EXPECT_GE(inputs, 4);
}

}  // namespace
}  // namespace kalendo
