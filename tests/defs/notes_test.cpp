#include "defs/notes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/day_arith.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"
#include "tests/calendar_date_print.h"

namespace kalendo {
namespace {

class NotesTest : public ::testing::Test {
protected:
    NotesTest() : rec_(std::make_unique<MonthRecord>()) {}

    void LoadNotesUtf8(const std::string& fileUtf8) {
        ASSERT_FALSE(LoadNotes(*rec_, Cp932FromUtf8(fileUtf8)).has_value());
    }
    void LoadUserUtf8(const std::string& fileUtf8) {
        ASSERT_FALSE(LoadUserEntries(*rec_, Cp932FromUtf8(fileUtf8)).has_value());
    }
    // Every day of year y on which note i falls (each day a month computation).
    std::vector<CalendarDate> NoteDaysOf(int i, int y) {
        std::vector<CalendarDate> days;
        int yy = y, m = 1, d = 1;
        while (yy == y) {
            EXPECT_EQ(ComputeMonth(*rec_, yy, m, d, {}), 1);
            if (NoteFallsOnTarget(*rec_, i) == i) days.push_back({yy, m, d});
            ++d;
            NormalizeDate(yy, m, d);
        }
        return days;
    }

    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
};

TEST_F(NotesTest, NoteLineFields) {
    LoadNotesUtf8(
        "立春\tDeg-45\n"
        "三語  1/1  third\n"
        "名前だけ\n"
        "  字下げ 2/3\n");
    ASSERT_EQ(rec_->noteCount, 4);
    struct Want { const char* name; const char* expression; };
    const Want want[] = {
        {"立春", "Deg-45"}, {"三語", "1/1"}, {"名前だけ", ""}, {"字下げ", "2/3"}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Utf8FromCp932(rec_->tables.notes[i].name), want[i].name);
        EXPECT_EQ(Utf8FromCp932(rec_->tables.notes[i].expression), want[i].expression);
    }
    // The third word goes nowhere: not into the description, not into a
    // neighbouring field.
    EXPECT_STREQ(rec_->tables.notes[1].description, "");
    EXPECT_EQ(rec_->tables.notes[1].fromYear, -1);
    EXPECT_EQ(rec_->tables.notes[1].displayPeriod, -1);
}

TEST_F(NotesTest, TextBlocksKeepFirstWords) {
    LoadNotesUtf8(
        "節分 Deg-45-1\n"
        "{\n"
        "立春の前日。 豆まき\n"
        "  鬼は外\n"
        "}\n"
        "; a comment between entries\n"
        "七夕 7/7\n");
    ASSERT_EQ(rec_->noteCount, 2);
    EXPECT_EQ(Utf8FromCp932(rec_->tables.notes[0].description), "立春の前日。\r\n鬼は外");
    EXPECT_STREQ(rec_->tables.notes[1].description, "");
}

TEST_F(NotesTest, UserLineFields) {
    struct UserCase {
        std::string line;
        const char* name;
        int fromYear;
        const char* expression;
        int period;
        const char* why;
    };
    const UserCase cases[] = {
        {"結婚記念日 2010 / 6/12 2", "結婚記念日", 2010, "6/12", 2, "as documented"},
        {"a\t2024/5/Sun2\t0", "a", 2024, "5/Sun2", 0, "blanks around / are optional"},
        {"a 2024 / 6/1 4", "a", 2024, "6/1", 4, "the longest period"},
        {"a 2024 / 6/1 7", "a", 2024, "6/1", 1, "a period of 7 becomes 1"},
        {"a 2024 / 6/1 -1", "a", 2024, "6/1", 1, "a negative period becomes 1"},
        {"a 2024 / 6/1", "a", 2024, "6/1", 1, "a missing period becomes 1"},
        {"a 2024 6/1 3", "a", 2024, "", 1, "no slash: the fields after it are not read"},
        {"a", "a", -1, "", 1, "a name alone"},
    };
    for (const UserCase& c : cases) {
        SCOPED_TRACE(c.why);
        rec_ = std::make_unique<MonthRecord>();
        LoadUserUtf8(c.line + "\n");
        ASSERT_EQ(rec_->userEntryCount, 1);
        const DefinitionEntry& e = rec_->tables.userEntries[0];
        EXPECT_EQ(Utf8FromCp932(e.name), c.name);
        EXPECT_EQ(e.fromYear, c.fromYear);
        EXPECT_EQ(Utf8FromCp932(e.expression), c.expression);
        EXPECT_EQ(e.displayPeriod, c.period);
    }
}

TEST_F(NotesTest, TablesHold512AndRefuseMore) {
    std::string notes;
    std::string users;
    for (int i = 0; i < kNoteCapacity; ++i) {
        notes += "n 1/1\n";
        users += "u 2000 / 1/1 1\n";
    }
    LoadNotesUtf8(notes);
    EXPECT_EQ(rec_->noteCount, kNoteCapacity);
    LoadUserUtf8(users);
    EXPECT_EQ(rec_->userEntryCount, kUserEntryCapacity);

    auto over = std::make_unique<MonthRecord>();
    const auto noteProblem = LoadNotes(*over, notes + "n 1/1\n");
    ASSERT_TRUE(noteProblem.has_value());
    EXPECT_EQ(Utf8FromCp932(noteProblem->message),
              "定義ファイル 暦日.Def の定義数が上限 512 件を超えています");
    const auto userProblem = LoadUserEntries(*over, users + "u 2000 / 1/1 1\n");
    ASSERT_TRUE(userProblem.has_value());
    EXPECT_EQ(Utf8FromCp932(userProblem->message),
              "定義ファイル Usr.Def の定義数が上限 512 件を超えています");
}

TEST_F(NotesTest, GregorianNotesFallOnTheirDay) {
    LoadNotesUtf8(
        "節分 Deg-45-1\n"
        "母の日 5/Sun2\n"
        "甲子 100/六十干支・1\n");
    EXPECT_EQ(NoteDaysOf(0, 2024), (std::vector<CalendarDate>{{2024, 2, 3}}));
    EXPECT_EQ(NoteDaysOf(1, 2024), (std::vector<CalendarDate>{{2024, 5, 12}}));
    // The target month's 甲子: one per month that has one. 1 January 2024
    // is 甲子, so they are 60 days apart from there.
    std::vector<CalendarDate> want;
    for (int k = 0; k < 366; k += 60) {
        int y = 2024, m = 1, d = 1 + k;
        NormalizeDate(y, m, d);
        want.push_back({y, m, d});
    }
    EXPECT_EQ(NoteDaysOf(2, 2024), want);
}

TEST_F(NotesTest, EveryEvaluationStartsFromNoDay) {
    LoadNotesUtf8("甲子 100/六十干支・1\n");
    ASSERT_EQ(ComputeMonth(*rec_, 2024, 3, 1, {}), 1);  // a 甲子 day
    EXPECT_EQ(NoteFallsOnTarget(*rec_, 0), 0);
    // February 2024 has no 甲子: the note falls on no day, and the March
    // result does not linger.
    ASSERT_EQ(ComputeMonth(*rec_, 2024, 2, 1, {}), 1);
    EXPECT_LE(rec_->evaluated.notes[0].day, 0);
    for (int d = 1; d <= 29; ++d) {
        ASSERT_EQ(ComputeMonth(*rec_, 2024, 2, d, {}), 1);
        EXPECT_EQ(NoteFallsOnTarget(*rec_, 0), -1) << d;
    }
}

TEST_F(NotesTest, NoteRunningIntoTheNextYearIsNotInThisOne) {
    LoadNotesUtf8("x 12/25+7\n");
    ASSERT_EQ(ComputeMonth(*rec_, 2024, 1, 1, {}), 1);
    EXPECT_EQ(std::tie(rec_->evaluated.notes[0].year, rec_->evaluated.notes[0].month, rec_->evaluated.notes[0].day),
              std::make_tuple(2025, 1, 1));
    EXPECT_EQ(NoteFallsOnTarget(*rec_, 0), -1) << "1 January 2024 has the same month and day";
    EXPECT_TRUE(NoteDaysOf(0, 2024).empty());
}

// 2020 has a leap 4th month from 23 May; 2024 has none.
TEST_F(NotesTest, LeapFourthMonth) {
    LoadNotesUtf8(
        "閏 旧閏4/1\n"
        "平 旧4/1\n");
    ASSERT_EQ(ComputeMonth(*rec_, 2020, 5, 23, {}), 1);
    ASSERT_EQ(std::tie(rec_->lunarMonth, rec_->lunarDay, rec_->leapMonth),
              std::make_tuple(-4, 1, 4));
    EXPECT_EQ(rec_->evaluated.notes[0].oldCalendar, 1);
    EXPECT_EQ(rec_->evaluated.notes[0].leapFlag, 1);
    EXPECT_EQ(NoteDaysOf(0, 2020), (std::vector<CalendarDate>{{2020, 5, 23}}));
    EXPECT_EQ(NoteDaysOf(1, 2020), (std::vector<CalendarDate>{{2020, 4, 23}}));
    EXPECT_TRUE(NoteDaysOf(0, 2024).empty()) << "no leap 4th month";
    EXPECT_EQ(NoteDaysOf(1, 2024).size(), 1u);
}

// 2262 has a leap 1st month from 20 February: 旧1/1 is the day of the
// ordinary 1st month only.
TEST_F(NotesTest, NewYearIsNotInALeapFirstMonth) {
    LoadNotesUtf8(
        "旧正月 旧1/1\n"
        "閏正月 旧閏1/1\n");
    ASSERT_EQ(ComputeMonth(*rec_, 2262, 2, 20, {}), 1);
    ASSERT_EQ(std::tie(rec_->lunarMonth, rec_->lunarDay, rec_->leapMonth),
              std::make_tuple(-1, 1, 1));
    EXPECT_EQ(NoteFallsOnTarget(*rec_, 0), -1);
    EXPECT_EQ(NoteFallsOnTarget(*rec_, 1), 1);

    const std::vector<CalendarDate> newYear = NoteDaysOf(0, 2262);
    ASSERT_EQ(newYear.size(), 1u);
    ASSERT_EQ(ComputeMonth(*rec_, newYear[0].year, newYear[0].month, newYear[0].day, {}), 1);
    EXPECT_EQ(std::tie(rec_->lunarMonth, rec_->lunarDay), std::make_tuple(1, 1));
    EXPECT_EQ(NoteDaysOf(1, 2262), (std::vector<CalendarDate>{{2262, 2, 20}}));
}

class UserEntryTest : public NotesTest {
protected:
    void Load(const std::string& fileUtf8) {
        LoadUserUtf8(fileUtf8);
        ASSERT_EQ(ComputeMonth(*rec_, target_.year, target_.month, target_.day, {}), 1);
    }
    CalendarDate target_{2024, 6, 15};
};

TEST_F(UserEntryTest, StartYear) {
    Load("記念日 2025 / 6/12 1\n");
    struct YearCase { CalendarDate date; int want; const char* why; };
    const YearCase cases[] = {
        {{2024, 6, 12}, -1, "the year before the start year"},
        {{2025, 6, 12}, 0, "the start year"},
        {{2026, 6, 12}, 0, "a later year"},
        {{2025, 6, 13}, -1, "another day"},
        {{2025, 5, 43}, 0, "the same day written unnormalised"},
    };
    for (const YearCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(UserEntryFallsOn(*rec_, 0, c.date.year, c.date.month, c.date.day), c.want);
    }
}

TEST_F(UserEntryTest, DisplayPeriods) {
    Load(
        "p0 2000 / 6/20 0\n"
        "p4 2000 / 6/20 4\n"
        "p7 2000 / 6/20 7\n");
    const int lastDay[] = {1, 28, 7};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        for (int n = 1; n <= 35; ++n) {
            EXPECT_EQ(UserEntryInPeriod(*rec_, i, n), n <= lastDay[i] ? i : -1) << n;
        }
    }
    EXPECT_EQ(UserEntryInPeriod(*rec_, 3, 1), -1) << "beyond the count";
}

TEST_F(UserEntryTest, EntryOnNoDayIsNeverFound) {
    // February 2024 has no 甲子 day: the entry falls on no day. Normalised,
    // day 0 of February would be 31 January.
    Load("x 2000 / 2/六十干支・1 1\n");
    EXPECT_LE(rec_->evaluated.userEntries[0].day, 0);
    for (int d = 1; d <= 31; ++d) {
        EXPECT_EQ(UserEntryFallsOn(*rec_, 0, 2024, 1, d), -1) << d;
    }
    for (int d = 1; d <= 29; ++d) {
        EXPECT_EQ(UserEntryFallsOn(*rec_, 0, 2024, 2, d), -1) << d;
    }
}

TEST_F(UserEntryTest, ComparedAsGregorianMonthAndDay) {
    Load(
        "旧 2000 / 旧8/15 1\n"
        "越年 2000 / 12/25+7 1\n");
    EXPECT_EQ(UserEntryFallsOn(*rec_, 0, 2024, 8, 15), 0) << "lunisolar mark, Gregorian compare";
    EXPECT_EQ(UserEntryFallsOn(*rec_, 0, 2024, 9, 17), -1) << "not the lunisolar day";
    EXPECT_EQ(UserEntryFallsOn(*rec_, 1, 2024, 1, 1), 1) << "month and day only";
}

}  // namespace
}  // namespace kalendo
