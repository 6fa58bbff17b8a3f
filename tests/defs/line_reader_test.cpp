#include "defs/line_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "almanac/era.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

std::vector<std::string> ReadAllLines(std::string_view bytes) {
    ByteStream file(bytes);
    char line[kTextBytes];
    std::vector<std::string> lines;
    while (ReadDefinitionLine(file, line)) lines.emplace_back(line);
    return lines;
}

struct LineCase {
    std::string bytes;
    std::vector<std::string> want;
    const char* why;
};

TEST(ReadDefinitionLine, Terminators) {
    const std::string x1023(1023, 'x');
    const LineCase cases[] = {
        {"", {}, "an empty file has no line"},
        {"a\nb\n", {"a", "b"}, "LF ends a line; nothing after the last LF"},
        {"a\r\nb\r\n", {"a", "b"}, "CR LF"},
        {"a\rXb\n", {"a", "Xb"}, "a lone CR ends a line; the byte after it is kept"},
        {"a\r\rb", {"a", "", "b"}, "CR CR: two line ends"},
        {"a\r\n\rb\n\r", {"a", "", "b", ""}, "CR LF, CR, LF and CR mixed"},
        {"abc", {"abc"}, "last line without terminator"},
        {"a\r", {"a"}, "CR at the very end"},
        {"\n", {""}, "one empty line"},
        {"a\n\nb", {"a", "", "b"}, "empty line kept by the reader"},
        {x1023 + "\n", {x1023}, "1023 bytes, then their terminator"},
        {x1023 + "\r\nb", {x1023, "b"}, "1023 bytes, then CR LF"},
        {x1023 + "yz", {x1023, "yz"}, "the rest of a long physical line is the next line"},
        {std::string("a\0b\n", 4), {"a"}, "a NUL byte ends the text of the line"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ReadAllLines(c.bytes), c.want);
    }
}

TEST(ReadDefinitionLine, LongLinesSplitEvery1023Bytes) {
    const std::string bytes = std::string(1023 * 2 + 5, 'q');
    const auto lines = ReadAllLines(bytes);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 1023u);
    EXPECT_EQ(lines[1].size(), 1023u);
    EXPECT_EQ(lines[2], "qqqqq");
}

// Records what the common loop hands to a table.
class RecordingSink : public DefinitionSink {
public:
    explicit RecordingSink(int capacity = 512) : capacity_(capacity) {}
    int Capacity() const override { return capacity_; }
    void ParseEntry(int index, const char* line) override {
        EXPECT_EQ(index, static_cast<int>(entries.size()));
        entries.emplace_back(line);
    }
    void StoreText(int index, const char* text) override { texts[index] = text; }

    std::vector<std::string> entries;
    std::map<int, std::string> texts;

private:
    int capacity_;
};

struct LoopCase {
    TextBlockMode mode;
    std::string bytes;
    std::vector<std::string> wantEntries;
    std::map<int, std::string> wantTexts;
    const char* why;
};

TEST(ReadDefinitionFile, LineAndBlockRules) {
    using M = TextBlockMode;
    const LoopCase cases[] = {
        {M::None, "a 1\n;comment\nb 2 ; tail\n", {"a 1", "b 2 "}, {}, "';' cuts the line"},
        {M::None, "\n   \n\t \n  ; only a comment\na\n", {"a"}, {}, "empty and blank lines skipped"},
        {M::None, "{\nx\n}\n", {"{", "x", "}"}, {}, "no blocks: '{' lines are entries"},
        {M::FirstWord, "e\n{\n  first word\nsecond\tw\n}\nf\n", {"e", "f"},
         {{0, "first\r\nsecond"}}, "block lines reduced to their first word"},
        {M::FirstWord, "e\n{;x\na;b c\n}\n", {"e"}, {{0, "a;b"}},
         "';' cut on the '{' line, kept inside the block"},
        {M::FirstWord, "e\n{\n}tail\nf\n{\nt\n}\n", {"e", "f"}, {{0, ""}, {1, "t"}},
         "a block whose first line begins with '}' is an empty text; reading goes on"},
        {M::FirstWord, "e\n{\na\nb", {"e"}, {{0, "a\r\nb"}}, "unclosed block keeps what it read"},
        {M::FirstWord, "{\nx\ny\n}\ne\n", {"e"}, {}, "a block before the first entry is ignored"},
        {M::FirstWord, "e\n{\nold\n}\n{\nnew\n}\n", {"e"}, {{0, "new"}},
         "a later block replaces the earlier text"},
        {M::FirstWord, "e\n {\nx\n", {"e", " {", "x"}, {}, "'{' must be the first byte"},
        {M::FirstWord, "e\n{\na\n\n   \nb\n}\n", {"e"}, {{0, "a\r\n\r\n   \r\nb"}},
         "a line without a word is kept unchanged"},
        {M::FirstWord, "e\n{\na\n}x\n", {"e"}, {{0, "a"}}, "any line beginning with '}' closes"},
        {M::WholeLines, "e\n{\n  a b\t;c\n}x\n }\n\n}\n", {"e"},
         {{0, "  a b\t;c\r\n}x\r\n }\r\n"}}, "whole lines; only exactly '}' closes"},
        {M::WholeLines, "e\n{\n}\nf\n", {"e", "f"}, {{0, ""}}, "'}' at once: empty text"},
        {M::WholeLines, "e\r\n{\r\nline1\r\n\r\nline3\r\n}\r\n", {"e"},
         {{0, "line1\r\n\r\nline3"}}, "CR LF file, empty line inside a note"},
    };
    for (const LoopCase& c : cases) {
        SCOPED_TRACE(c.why);
        RecordingSink sink;
        int count = -1;
        EXPECT_FALSE(ReadDefinitionFile(c.bytes, c.mode, "t.Def", sink, count).has_value());
        EXPECT_EQ(sink.entries, c.wantEntries);
        EXPECT_EQ(sink.texts, c.wantTexts);
        EXPECT_EQ(count, static_cast<int>(c.wantEntries.size()));
    }
}

TEST(ReadDefinitionFile, BlocksInACrLfFile) {
    const char* data = std::getenv("K2_TEST_DATA");
    const std::string path = std::string(data ? data : "tests/data") + "/defs/blocks_crlf.Def";
    const auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes.has_value()) << path;
    RecordingSink sink;
    int count = 0;
    ASSERT_FALSE(ReadDefinitionFile(*bytes, TextBlockMode::FirstWord, "t.Def", sink, count));
    EXPECT_EQ(sink.entries, (std::vector<std::string>{"first 1", "second 2", "third 3 "}));
    const std::map<int, std::string> wantTexts = {
        {0, "word1\r\nword2;kept\r\n"}, {1, ""}, {2, "open"}};
    EXPECT_EQ(sink.texts, wantTexts);
}

TEST(ReadDefinitionFile, LongTextCutAtCharacterBoundary) {
    // 600 lines of one double-byte character (あ) each: 2 + 599 * 4 bytes uncut.
    const std::string a = Cp932FromUtf8("あ");
    std::string bytes = "e\n{\n";
    for (int i = 0; i < 600; ++i) bytes += a + "\n";
    bytes += "}\nf\n";
    for (TextBlockMode mode : {TextBlockMode::FirstWord}) {
        RecordingSink sink;
        int count = 0;
        ASSERT_FALSE(ReadDefinitionFile(bytes, mode, "t.Def", sink, count).has_value());
        EXPECT_EQ(count, 2);
        const std::string& text = sink.texts[0];
        // 255 full "あ\r\n" groups take 1020 bytes; the next "あ" (2 bytes) fits
        // and the "\r\n" after it is cut to "\r": 1023 bytes in all.
        ASSERT_EQ(text.size(), 1023u);
        std::string want;
        for (int i = 0; i < 256; ++i) want += (i ? "\r\n" : "") + a;
        want += "\r";
        EXPECT_EQ(text, want);
    }
}

TEST(ReadDefinitionFile, SplitLineNeverLeavesHalfACharacter) {
    // Two ASCII bytes, then double-byte characters: the 511th character would
    // straddle the 1023rd byte, so the reader ends the line after 1022 bytes
    // and the character begins the next line. The text keeps the 510 whole
    // ones; of the line break that follows only the CR fits.
    const std::string a = Cp932FromUtf8("あ");
    std::string line = "xx";
    for (int i = 0; i < 511; ++i) line += a;
    const std::string bytes = "e\n{\n" + line + "\n}\n";
    RecordingSink sink;
    int count = 0;
    ASSERT_FALSE(ReadDefinitionFile(bytes, TextBlockMode::FirstWord, "t.Def", sink, count));
    EXPECT_EQ(sink.texts[0], line.substr(0, 1022) + "\r");
}

TEST(ReadDefinitionLine, LongLinesSplitBetweenCharacters) {
    const std::string a = Cp932FromUtf8("あ");  // 82 A0
    const std::string kanji = "\x88\x9F";       // 亜: its trail byte is in the lead range
    std::string doubleBytes;                    // 2000 bytes, 1000 characters
    for (int i = 0; i < 1000; ++i) doubleBytes += a;
    std::string doubleBytesAfterX = "x";
    for (int i = 0; i < 511; ++i) doubleBytesAfterX += a;
    const std::string x1021(1021, 'x');
    const std::string x1022(1022, 'x');
    const LineCase cases[] = {
        {doubleBytes, {doubleBytes.substr(0, 1022), doubleBytes.substr(1022)},
         "511 characters fill 1022 bytes; the 512th begins the next line"},
        {doubleBytesAfterX + a, {doubleBytesAfterX, a},
         "one ASCII byte first: 511 characters end exactly at byte 1023"},
        {x1022 + a + "\n", {x1022, a}, "a lead byte in the 1023rd place waits for the next line"},
        {x1021 + kanji + "y", {x1021 + kanji, "y"},
         "a trail byte in the 1023rd place is taken, though it looks like a lead byte"},
        {x1022 + "\x82\n", {x1022, "\x82"}, "a lone lead byte before LF is a line of its own"},
        {x1022 + "y" + a, {x1022 + "y", a}, "ASCII in the 1023rd place: the split of old"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ReadAllLines(c.bytes), c.want);
    }
}

TEST(ReadDefinitionFile, Utf8ByteOrderMarkIsSkippedAtTheStartOnly) {
    const std::string bom = "\xEF\xBB\xBF";
    const LoopCase cases[] = {
        {TextBlockMode::None, bom + ";comment\na 1\n", {"a 1"}, {},
         "a first comment line stays a comment"},
        {TextBlockMode::FirstWord, bom + "e\n{\nt\n}\n", {"e"}, {{0, "t"}},
         "the first name begins after the mark"},
        {TextBlockMode::WholeLines, bom + "{\nx\n}\ne\n", {"e"}, {},
         "a block before the first entry is still one"},
        {TextBlockMode::None, "a\n" + bom + "b\n", {"a", bom + "b"}, {},
         "elsewhere the mark is bytes of a name like any other"},
        {TextBlockMode::None, bom + bom + "a\n", {bom + "a"}, {}, "only one mark is skipped"},
        {TextBlockMode::None, bom, {}, {}, "a file of nothing but the mark has no entry"},
    };
    for (const LoopCase& c : cases) {
        SCOPED_TRACE(c.why);
        RecordingSink sink;
        int count = -1;
        EXPECT_FALSE(ReadDefinitionFile(c.bytes, c.mode, "t.Def", sink, count).has_value());
        EXPECT_EQ(sink.entries, c.wantEntries);
        EXPECT_EQ(sink.texts, c.wantTexts);
    }
}

TEST(ReadDefinitionFile, CapacityIsALoadProblem) {
    RecordingSink full(3);
    int count = 0;
    EXPECT_FALSE(ReadDefinitionFile("a\nb\nc\n", TextBlockMode::None, "t.Def", full, count));
    EXPECT_EQ(count, 3);

    RecordingSink over(3);
    const std::string name = Cp932FromUtf8("祝日.Def");
    const auto problem =
        ReadDefinitionFile("a\nb\nc\n\n;x\nd\n", TextBlockMode::None, name.c_str(), over, count);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(Utf8FromCp932(problem->message),
              "定義ファイル 祝日.Def の定義数が上限 3 件を超えています");
    EXPECT_EQ(over.entries.size(), 3u) << "nothing is written past the table";
}

}  // namespace
}  // namespace kalendo

namespace kalendo {
namespace {

// What a file leaves in the record: every name, text, expression and date
// read, as one string.
std::string LoadedTexts(const MonthRecord& rec) {
    std::string out;
    for (int i = 0; i <= rec.eraCount; ++i) {
        out += rec.tables.eraName[i] + std::to_string(rec.tables.eraStartYear[i]) + "\n";
    }
    const auto entries = [&out](const DefinitionEntry* table, int count) {
        for (int i = 0; i < count; ++i) {
            out += std::string(table[i].name) + "|" + table[i].expression + "|" +
                   table[i].description + "\n";
        }
    };
    entries(rec.tables.holidays, rec.holidayCount);
    entries(rec.tables.notes, rec.noteCount);
    entries(rec.tables.userEntries, rec.userEntryCount);
    for (int i = 0; i < rec.scheduleCount; ++i) {
        const CSchedule& s = rec.tables.schedules[i];
        out += std::string(s.name) + "|" + s.text + "|" + std::to_string(s.year) + "\n";
    }
    return out;
}

std::string WithLineEnds(const std::string& lf, std::string_view end) {
    std::string out;
    for (const char c : lf) c == '\n' ? out.append(end) : out.append(1, c);
    return out;
}

// Each of the five shipped files, its LF turned into CR LF or a lone CR,
// reads to the very same tables: a line end is a line end from any system
// (a CR-only file once lost the first byte of every line: 憲法記念日 read
// 「尠@記念日」).
TEST(ReadDefinitionFile, EveryFileReadsTheSameWithEveryLineEnd) {
    const char* bin = std::getenv("K2_BIN_DIR");
    ASSERT_NE(bin, nullptr) << "run under ctest";
    using Load = std::optional<LoadProblem> (*)(MonthRecord&, std::string_view);
    struct File {
        const char* name;
        Load load;
        const char* added;  // UTF-8 entries after the shipped ones (which hold none)
    };
    const File kFiles[] = {
        {"元号.Def", LoadEras, ""},
        {"祝日.Def", LoadHolidays, ""},
        {"暦日.Def", LoadNotes, ""},
        {"Usr.Def", LoadUserEntries, "誕生日 2000 / 7/7 1\n{\n花\n}\n"},
        {"Schedule.Def", LoadSchedules, "会議 2030/07/01\t1\n{\n一行目\n\n三行目\n}\n"}};
    for (const auto& [name, load, added] : kFiles) {
        SCOPED_TRACE(name);
        const auto shipped = ReadWholeFile(std::string(bin) + "/" + name);
        ASSERT_TRUE(shipped.has_value());
        const std::string lf = *shipped + Cp932FromUtf8(added);
        ASSERT_EQ(lf.find('\r'), std::string::npos) << "the shipped files are LF";
        auto want = std::make_unique<MonthRecord>();
        const auto problem = load(*want, lf);
        ASSERT_FALSE(problem.has_value()) << Utf8FromCp932(problem->message);
        ASSERT_FALSE(LoadedTexts(*want).empty());
        for (const std::string_view end : {"\r\n", "\r"}) {
            auto got = std::make_unique<MonthRecord>();
            ASSERT_FALSE(load(*got, WithLineEnds(lf, end)).has_value());
            EXPECT_EQ(LoadedTexts(*got), LoadedTexts(*want)) << "line end " << end.size();
        }
    }
}

}  // namespace
}  // namespace kalendo
