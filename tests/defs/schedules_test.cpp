#include "defs/schedules.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"
#include "tests/schedule_maker.h"

namespace kalendo {
namespace {

const std::string kHeaderUtf8 =
    ";============================================================================\n"
    ";\tKalendoⅡ\t週間スケジュールファイル\n"
    ";============================================================================\n";

class ScheduleTest : public ::testing::Test {
protected:
    ScheduleTest() : rec_(std::make_unique<MonthRecord>()) { SetToday(2024, 6, 15); }
    void SetToday(int y, int m, int d) {
        rec_->year[kToday] = y;
        rec_->month[kToday] = m;
        rec_->day[kToday] = d;
    }
    void Add(const CSchedule& s) { ASSERT_TRUE(AddSchedule(*rec_, s)); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < rec_->scheduleCount; ++i) {
            names.push_back(Utf8FromCp932(rec_->tables.schedules[i].name));
        }
        return names;
    }

    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
};

TEST_F(ScheduleTest, FourByteNameIsPaddedToColumn21) {
    const std::string note = Cp932FromUtf8("資料を持参\r\n10時から");
    Add(MakeSchedule("会議", 2025, 3, 5, 1, note));
    const std::string want = kHeaderUtf8 + "会議" + std::string(16, ' ') +
                             "2025/03/05\t1\n{\n資料を持参\r\n10時から\n}\n";
    EXPECT_EQ(ScheduleFileBytes(*rec_), Cp932FromUtf8(want));
}

TEST_F(ScheduleTest, NamePaddingByLength) {
    struct PadCase { int nameBytes; int blanks; const char* why; };
    const PadCase cases[] = {
        {1, 19, "short name: the date begins in column 21"},
        {19, 1, "one byte short of the column"},
        {20, 1, "a name that fills the column still gets one blank"},
        {30, 1, "a long name gets one blank"},
    };
    for (const PadCase& c : cases) {
        SCOPED_TRACE(c.why);
        rec_->scheduleCount = 0;
        const std::string name(c.nameBytes, 'n');
        Add(MakeSchedule(name, 2024, 12, 1, 4));
        const std::string want = Cp932FromUtf8(kHeaderUtf8) + name + std::string(c.blanks, ' ') +
                                 "2024/12/01\t4\n{\n\n}\n";
        EXPECT_EQ(ScheduleFileBytes(*rec_), want);
    }
}

// Every note the editor can produce comes back byte for byte, and the
// schedules after an awkward note are not disturbed by it.
TEST_F(ScheduleTest, AwkwardNotesSurviveSaveThenLoad) {
    struct NoteCase { std::string note; const char* why; };
    const std::string longNote =
        std::string(700, 'a') + "\r\n" + std::string(319, 'd') + Cp932FromUtf8("漢");
    ASSERT_EQ(longNote.size(), 1023u);
    const NoteCase cases[] = {
        {"", "empty note"},
        {"two words", "a blank inside a line"},
        {"\tleading tab\tand inner tab\t", "tabs"},
        {"  indented", "leading blanks"},
        {"trailing  ", "trailing blanks"},
        {"   ", "a blank-only line"},
        {"a\r\n\r\nb", "an empty line in the middle"},
        {"\r\n", "two empty lines"},
        {"\r\n\r\nx", "empty lines first"},
        {"last\r\n", "ends with a line break"},
        {"}x", "a line beginning with }"},
        {"} ", "} with a trailing blank"},
        {" }", "} after a blank"},
        {"}}", "two braces"},
        {"a\r\n}b\r\nc", "a } line in the middle"},
        {"{", "an opening brace line"},
        {"; not a comment", "a semicolon is text inside a note"},
        {Cp932FromUtf8("全角　スペース\r\n二行目"), "double-byte text and the full-width space"},
        {Cp932FromUtf8("ソ表十"), "trail bytes 0x5C"},
        {longNote, "1023 bytes, the most a note holds"},
    };
    for (const NoteCase& c : cases) {
        SCOPED_TRACE(c.why);
        rec_->scheduleCount = 0;
        Add(MakeSchedule("前", 2024, 7, 1, 2, "before"));
        Add(MakeSchedule("予定", 2024, 6, 15, 0, c.note));
        Add(MakeSchedule("後", 2025, 1, 2, 3, "after\r\nlines"));
        const std::string bytes = ScheduleFileBytes(*rec_);

        auto back = std::make_unique<MonthRecord>();
        ASSERT_FALSE(LoadSchedules(*back, bytes).has_value());
        ASSERT_EQ(back->scheduleCount, 3);
        for (int i = 0; i < 3; ++i) {
            const CSchedule& want = rec_->tables.schedules[i];
            const CSchedule& got = back->tables.schedules[i];
            EXPECT_STREQ(got.name, want.name) << i;
            EXPECT_EQ(std::string(got.text), std::string(want.text)) << i;
            EXPECT_EQ(std::tie(got.year, got.month, got.day, got.displayPeriod),
                      std::tie(want.year, want.month, want.day, want.displayPeriod))
                << i;
        }
        EXPECT_EQ(ScheduleFileBytes(*back), bytes) << "a second save writes the same file";
    }
}

TEST_F(ScheduleTest, LoneLineBreaksAreWrittenAsCrLf) {
    Add(MakeSchedule("x", 2024, 7, 1, 1, "a\rb\nc\r"));
    auto back = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadSchedules(*back, ScheduleFileBytes(*rec_)).has_value());
    ASSERT_EQ(back->scheduleCount, 1);
    EXPECT_STREQ(back->tables.schedules[0].text, "a\r\nb\r\nc\r\n");
}

TEST_F(ScheduleTest, ReaderFields) {
    struct ReadCase { std::string line; int year, month, day, period; const char* why; };
    const ReadCase cases[] = {
        {"x 2025/03/05\t1", 2025, 3, 5, 1, "as written"},
        {"x\t2025/3/5 2", 2025, 3, 5, 2, "single digits and a tab"},
        {"x 2025/03/05 9", 2025, 3, 5, 1, "period 9 is read as 1"},
        {"x 2025/03/05 -1", 2025, 3, 5, 1, "negative period is read as 1"},
        {"x 2025/03/05", 2025, 3, 5, 0, "no period: the slot's 0 stays"},
        {"x 20251/03/05 4", 2025, -1, -1, 0, "the year takes 4 digits; the rest stops the line"},
        {"x", 0, -1, -1, 0, "a name alone keeps the slot's initial date"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.why);
        auto rec = std::make_unique<MonthRecord>();
        ASSERT_FALSE(LoadSchedules(*rec, c.line + "\n").has_value());
        ASSERT_EQ(rec->scheduleCount, 1);
        const CSchedule& s = rec->tables.schedules[0];
        EXPECT_STREQ(s.name, "x");
        EXPECT_EQ(std::tie(s.year, s.month, s.day, s.displayPeriod),
                  std::tie(c.year, c.month, c.day, c.period));
    }
}

TEST_F(ScheduleTest, PastSchedulesAreNotWritten) {
    Add(MakeSchedule("yesterday", 2024, 6, 14, 1));
    Add(MakeSchedule("today", 2024, 6, 15, 1));
    Add(MakeSchedule("lastyear", 2023, 12, 31, 1));
    Add(MakeSchedule("nextyear", 2025, 1, 1, 1));
    auto back = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadSchedules(*back, ScheduleFileBytes(*rec_)).has_value());
    ASSERT_EQ(back->scheduleCount, 2);
    EXPECT_STREQ(back->tables.schedules[0].name, "today");
    EXPECT_STREQ(back->tables.schedules[1].name, "nextyear");
    EXPECT_EQ(rec_->scheduleCount, 4) << "writing does not change the table";
}

TEST_F(ScheduleTest, SweepRemovesConsecutivePastSchedules) {
    Add(MakeSchedule("a", 2024, 6, 20, 1));
    Add(MakeSchedule("p1", 2024, 6, 14, 1));
    Add(MakeSchedule("p2", 2024, 1, 1, 1));
    Add(MakeSchedule("p3", 2023, 6, 15, 1));
    Add(MakeSchedule("b", 2024, 6, 15, 1));
    Add(MakeSchedule("p4", 2024, 5, 31, 1));
    RemovePastSchedules(*rec_);
    EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ScheduleTest, RemoveScheduleClosesTheGap) {
    Add(MakeSchedule("a", 2024, 7, 1, 1, "ta"));
    Add(MakeSchedule("b", 2024, 7, 2, 2, "tb"));
    Add(MakeSchedule("c", 2024, 7, 3, 3, "tc"));
    RemoveSchedule(*rec_, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b", "c"}));
    EXPECT_STREQ(rec_->tables.schedules[0].text, "tb");
    EXPECT_EQ(rec_->tables.schedules[0].displayPeriod, 2);
    EXPECT_EQ(rec_->tables.schedules[1].day, 3);
    for (int bad : {-1, 2, 512, 100000}) {
        RemoveSchedule(*rec_, bad);
        EXPECT_EQ(rec_->scheduleCount, 2) << bad;
    }
}

TEST_F(ScheduleTest, FallsOnItsOwnDateOnly) {
    Add(MakeSchedule("x", 2024, 5, 10, 1));
    struct DayCase { int y, m, d, want; const char* why; };
    const DayCase cases[] = {
        {2024, 5, 10, 0, "its own date"},
        {2024, 4, 40, 0, "the same day written unnormalised"},
        {2025, 5, 10, -1, "not the same day of a later year"},
        {2023, 5, 10, -1, "nor of an earlier year"},
        {2024, 5, 11, -1, "the next day"},
        {2024, 6, 10, -1, "the next month"},
    };
    for (const DayCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ScheduleFallsOn(*rec_, 0, c.y, c.m, c.d), c.want);
    }
    EXPECT_EQ(ScheduleFallsOn(*rec_, 1, 2024, 5, 10), -1) << "beyond the count";
    EXPECT_EQ(ScheduleFallsOn(*rec_, -1, 2024, 5, 10), -1);
}

TEST_F(ScheduleTest, InPeriodByDisplayPeriod) {
    for (int p = 0; p <= 4; ++p) Add(MakeSchedule("x", 2024, 7, 1, p));
    const int lastDay[] = {1, 7, 14, 21, 28};
    for (int p = 0; p <= 4; ++p) {
        SCOPED_TRACE(p);
        for (int n = 1; n <= 35; ++n) {
            EXPECT_EQ(ScheduleInPeriod(*rec_, p, n), n <= lastDay[p] ? p : -1) << n;
        }
    }
    EXPECT_EQ(ScheduleInPeriod(*rec_, 5, 1), -1) << "beyond the count";
}

TEST_F(ScheduleTest, StoreHolds512AndRefusesMore) {
    for (int i = 0; i < kScheduleCapacity; ++i) Add(MakeSchedule("s", 2024, 7, 1, 1));
    const CSchedule extra = MakeSchedule("extra", 2024, 8, 1, 2);
    EXPECT_FALSE(AddSchedule(*rec_, extra));
    EXPECT_EQ(rec_->scheduleCount, kScheduleCapacity);
    EXPECT_STREQ(rec_->tables.schedules[kScheduleCapacity - 1].name, "s");

    // A full store saves and loads back in full.
    const std::string bytes = ScheduleFileBytes(*rec_);
    auto back = std::make_unique<MonthRecord>();
    EXPECT_FALSE(LoadSchedules(*back, bytes).has_value());
    EXPECT_EQ(back->scheduleCount, kScheduleCapacity);

    // One entry more in a file is refused with the capacity message.
    const std::string tooMany = bytes + "extra 2024/08/01\t2\n";
    auto over = std::make_unique<MonthRecord>();
    const auto problem = LoadSchedules(*over, tooMany);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(Utf8FromCp932(problem->message),
              "定義ファイル Schedule.Def の定義数が上限 512 件を超えています");
}

TEST(ScheduleFileFit, Names) {
    struct NameCase { std::string nameUtf8; bool fits; const char* why; };
    const NameCase cases[] = {
        {"会議", true, "one word"},
        {"全角　空白", true, "the full-width space is not white space to the reader"},
        {"", false, "empty"},
        {"a b", false, "blank"},
        {"a\tb", false, "tab"},
        {"a;b", false, "the comment mark"},
        {"{a", false, "the block mark first"},
        {"a{", true, "a brace later is harmless"},
        {"a\r\nb", false, "a line break"},
        {"}", true, "a closing brace outside a block is an entry line"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ScheduleNameFitsFile(Cp932FromUtf8(c.nameUtf8).c_str()), c.fits);
    }
}

TEST(ScheduleFileFit, Notes) {
    struct NoteCase { const char* note; bool fits; const char* why; };
    const NoteCase cases[] = {
        {"", true, "empty"},
        {"}", false, "the closing line alone"},
        {"a\r\n}", false, "the closing line last"},
        {"}\r\na", false, "the closing line first"},
        {"a\n}\nb", false, "after a lone LF"},
        {"a\r}", false, "after a lone CR"},
        {"}x", true, "a line beginning with }"},
        {" }", true, "} after a blank"},
        {"} ", true, "} before a blank"},
        {"a}\r\nb", true, "} ending a line"},
    };
    for (const NoteCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ScheduleNoteFitsFile(c.note), c.fits);
    }
}

}  // namespace
}  // namespace kalendo
