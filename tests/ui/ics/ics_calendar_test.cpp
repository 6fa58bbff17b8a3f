// The export's lines and how they are written: folding by worked lines
// and as a property of generated lines and of a sample of the whole
// supported range (every line ends in CR LF, holds at most 75 octets and
// cuts no character; unfolded and unescaped, each text is back exactly),
// and the computation that stops when the sink refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "cli_fixture.h"
#include "core/month_record.h"
#include "ics_lines.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"
#include "ui/ics/ics_calendar.h"
#include "ui/model/document.h"
#include "ui/model/month_view.h"

namespace kalendo {
namespace {

std::string Folded(std::string_view serialised) {
    std::string out;
    FoldIcsLines(serialised, out);
    return out;
}

std::string Repeat(std::string_view piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

TEST(FoldIcsLines, WorkedLines) {
    const std::string x72 = Repeat("x", 72), x73 = Repeat("x", 73), x74 = Repeat("x", 74);
    struct Case {
        std::string serialised;
        std::string want;
        const char* why;
    };
    const Case cases[] = {
        {x72 + "\r\n", x72 + "\r\n", "72 octets: one line"},
        {x73 + "\r\n", x73 + "\r\n",
         "73 octets stay one line: libical counted the CR as the 75th octet and put the LF on a line of its own"},
        {x73 + "\r\r\n \n", x73 + "\r\n", "libical's cut between CR and LF is one line end again"},
        {x74 + "\r\n", x74 + "\r\n \r\n",
         "74 octets: libical's empty continuation line is kept, so that exports keep their bytes"},
        {"DESCRIPTION:" + Repeat("x", 70) + "\r\n", "DESCRIPTION:\r\n " + Repeat("x", 70) + "\r\n",
         "cut after the last ':' within 74 octets"},
        {"A;" + Repeat("x", 80) + "\r\n", "A;\r\n " + x74 + "\r\n " + Repeat("x", 6) + "\r\n",
         "after a ';', then at 74 octets where there is no separator"},
        {Repeat("あ", 30) + "\r\n", Repeat("あ", 24) + "\r\n " + Repeat("あ", 6) + "\r\n",
         "before the last character that fits: 24 of 3 octets"},
        {"A:b\r\n c\r\nD:e\r\n", "A:bc\r\nD:e\r\n", "lines folded before are unfolded first"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Folded(c.serialised), c.want);
    }
}

// Lines of up to 300 octets from characters of 1 to 4 octets, escapes
// and (in every other line) separators, drawn by a fixed linear
// congruential generator.
TEST(FoldIcsLines, EveryLineFitsAndUnfoldsToWhatWasFolded) {
    const char* const pieces[] = {"a", "Z", ",", "\\n", "\\,", "α", "Ж", "あ", "漢", "𠀋", ";", ":", " "};
    constexpr std::size_t kSeparators = 3;  // the last three
    std::uint32_t state = 12345;
    auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
    for (int n = 0; n < 4000; ++n) {
        const std::size_t drawn = n % 2 == 0 ? std::size(pieces) : std::size(pieces) - kSeparators;
        std::string line = "DESCRIPTION:";
        const std::size_t length = next() % 300;
        while (line.size() < length) line += pieces[next() % drawn];
        const std::string folded = Folded(line + "\r\n");
        std::vector<std::string_view> lines;
        ASSERT_EQ(LineFault(folded, &lines), "") << line;
        ASSERT_EQ(Unfold(lines), std::vector<std::string>{line}) << line;
        ASSERT_EQ(Folded(folded), folded) << "folding the folded changes nothing: " << line;
    }
}

// What an event's texts must read as: UTF-8, the notes' CR LF line breaks
// as one line break.
std::string ExpectedText(const std::string& cp932) {
    const std::string utf8 = Utf8FromCp932(cp932);
    std::string s;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r') {
            s += '\n';
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        } else {
            s += utf8[i];
        }
    }
    return s;
}

// Every 7th year (200 years with the last); every 25th under the
// sanitizers, which add nothing to what folding a line proves.
constexpr int kYearStride = kSanitized ? 25 : 7;

// Every event of every stride-th year of 1600-2999 and of 2999, for the
// shipped files and for the escaping fixtures, each written alone and
// checked. The sample holds the text of every note and user event of the
// files: a note's texts are the same in every year it falls (one winter
// 天赦日 line of the shipped file never falls; its twin with the same
// texts does).
TEST(IcsRangeSample, EveryEventFoldsAndReadsBackExactly) {
    using Texts = std::tuple<IcsKind, std::string, std::string>;  // kind, name, description
    for (const bool fixtures : {false, true}) {
        SCOPED_TRACE(fixtures ? "escaping fixtures" : "shipped files");
        ScopedRecordingPlatform platform;
        DefinitionFolder folder;
        const std::string from = std::string(std::getenv("K2_TEST_DATA")) + "/ics/";
        for (const char* name : {"暦日.Def", "Usr.Def"}) {
            if (fixtures) std::ofstream(folder.path() + name, std::ios::binary) << Cp932FromUtf8(ReadFileBytes(from + name));
        }
        auto rec = std::make_unique<MonthRecord>();
        OpenDocument(*rec, folder.path());
        std::string piece;
        IcsWriter writer(1700000000, [&piece](std::string_view bytes) {
            piece.append(bytes);
            return true;
        });
        std::set<Texts> seen, entries;
        std::set<IcsKind> kinds;
        for (int year = 1600; year <= 2999; year = year + kYearStride > 2999 && year != 2999 ? 2999 : year + kYearStride) {
            VisitIcsEvents(*rec, {year, 1, 1}, {year, 12, 31}, IcsInclude::All(), AlmanacMode::Standard, [&](const IcsEvent& e) {
                piece.clear();
                writer.Event(e);
                std::vector<std::string_view> lines;
                EXPECT_EQ(LineFault(piece, &lines), "") << IcsUid(e);
                const std::vector<std::string> content = Unfold(lines);
                EXPECT_EQ(TextOf(content, "SUMMARY"), ExpectedText(e.name)) << IcsUid(e);
                const std::string description = ExpectedText(e.description);
                EXPECT_EQ(TextOf(content, "DESCRIPTION"),
                          description.empty() ? std::nullopt : std::optional<std::string>(description))
                    << IcsUid(e);
                seen.insert({e.kind, e.name, e.description});
                kinds.insert(e.kind);
                return !::testing::Test::HasFailure();
            });
            ASSERT_FALSE(HasFailure()) << year;
        }
        for (int i = 0; i < rec->noteCount; ++i) {
            entries.insert({IcsKind::Note, rec->tables.notes[i].name, rec->tables.notes[i].description});
        }
        for (int i = 0; i < rec->userEntryCount; ++i) {
            entries.insert({IcsKind::UserEvent, rec->tables.userEntries[i].name, rec->tables.userEntries[i].description});
        }
        EXPECT_GT(entries.size(), fixtures ? 4u : 50u);
        EXPECT_TRUE(std::includes(seen.begin(), seen.end(), entries.begin(), entries.end()));
        // Holidays of both kinds, notes, the three signs, the lower register's
        // notes, eclipses (and user events).
        EXPECT_EQ(kinds.size(), fixtures ? 9u : 8u);
    }
}

// ---- Written as it is computed ----------------------------------------

class IcsStreaming : public ::testing::Test {
protected:
    IcsStreaming() : rec_(std::make_unique<MonthRecord>()) { OpenDocument(*rec_, folder_.path()); }

    ScopedRecordingPlatform platform_;
    DefinitionFolder folder_;
    std::unique_ptr<MonthRecord> rec_;
};

TEST_F(IcsStreaming, ASinkThatRefusesStopsTheComputation) {
    struct Case {
        int taken;        // pieces the sink takes before it refuses
        long long events;  // events written
        const char* why;
    };
    // One rokuyo event a day: the eleventh piece is the event of 10 January.
    const Case cases[] = {
        {0, 0, "the header refused: not a day computed"},
        {10, 9, "the header and nine events taken: nothing after the refused one"},
    };
    const CalendarDate target = TargetDate(*rec_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        int pieces = 0;
        EXPECT_EQ(ExportIcs(*rec_, {2024, 1, 1}, {2024, 12, 31}, IcsInclude::Of({IcsWord::Rokuyo}),
                            AlmanacMode::Standard, 0, [&](std::string_view) { return ++pieces <= c.taken; }),
                  c.events);
        EXPECT_EQ(pieces, c.taken + 1) << "nothing is offered after the refusal, not even the end";
        EXPECT_EQ(TargetDate(*rec_), target) << "the days are computed on a record of the export's own";
    }
}

}  // namespace
}  // namespace kalendo
