#include "ui/model/schedule_edit.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "defs/schedules.h"
#include "model_test_support.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"
#include "ui/model/typed_text.h"

namespace kalendo {
namespace {

using testing_support::Cp;
using testing_support::ModelTest;
using testing_support::Utf;

constexpr char kPastDay[] = "過去の日付にはスケジュールを登録できません";
constexpr char kStoreFull[] = "スケジュールの登録数が上限（512件）に達しています";
constexpr char kNameRule[] = "項目名は空白・タブ・「;」を含まない一語で入力してください";
constexpr char kNoteRule[] = "備考に「}」だけの行は書けません";
constexpr char kNameTooLong[] = "項目名が長すぎます（上限 1010 バイト）. 短くしてください";
constexpr char kNoteTooLong[] =
    "備考が長すぎます（上限 1023 バイト、改行は 2 バイト）. 短くしてください";

ScheduleDialogValues Answer(const std::string& nameUtf8, const std::string& textUtf8, int period) {
    return ScheduleDialogValues{Cp(nameUtf8), Cp(textUtf8), period};
}

// What the window hands over for what was typed (FromQt).
ScheduleDialogValues Typed(const std::string& nameUtf8, const std::string& textUtf8) {
    ExactCp932 name = Cp932FromUtf8Exact(nameUtf8);
    ExactCp932 text = Cp932FromUtf8Exact(textUtf8);
    return ScheduleDialogValues{name.cp932, text.cp932, 1, name.unheld, text.unheld};
}

const std::string kUnheldHeading =
    "次の文字はシフトJIS（コードページ932）で表せないため使えません. 別の文字に置き換えてください.";

class ScheduleEditTest : public ModelTest {
protected:
    ScheduleEditTest() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("k2_schedule_edit_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "Schedule.Def").string();
        SetToday(2024, 6, 15);
    }
    ~ScheduleEditTest() override { std::filesystem::remove_all(folder_); }

    bool FileWritten() const { return std::filesystem::exists(path_); }

    // The file as written, read back into a record of its own.
    std::unique_ptr<MonthRecord> ReadBack() const {
        auto back = std::make_unique<MonthRecord>();
        back->year[kToday] = rec_->year[kToday];
        back->month[kToday] = rec_->month[kToday];
        back->day[kToday] = rec_->day[kToday];
        const std::optional<std::string> bytes = ReadWholeFile(path_);
        EXPECT_TRUE(bytes.has_value());
        EXPECT_FALSE(LoadSchedules(*back, bytes.value_or("")).has_value());
        return back;
    }

    std::filesystem::path folder_;
    std::string path_;
};

TEST_F(ScheduleEditTest, NewScheduleStartsFromAClearedRecord) {
    LoadScheduleLines("一つ目 2024/07/01\t2\n{\n古い備考\n}\n二つ目 2024/07/02\t3\n{\n\n}\n");
    RemoveSchedule(*rec_, 0);  // leaves a stale copy of 二つ目 in slot 1
    ASSERT_EQ(rec_->scheduleCount, 1);
    Select(2024, 6, 20);
    const std::optional<ScheduleEditSession> session = OpenNewScheduleDialog(*rec_);
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(session->index, -1);
    EXPECT_EQ(session->initial.name, "");
    EXPECT_EQ(session->initial.text, "");
    EXPECT_EQ(session->initial.period, 0);
    EXPECT_EQ(session->date, (CalendarDate{2024, 6, 20}));
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ScheduleEditTest, NewScheduleIsStoredAndSavedOnOk) {
    Select(2024, 6, 20);
    const auto session = OpenNewScheduleDialog(*rec_);
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(FinishNewSchedule(*rec_, path_, *session, Answer("打ち合わせ", "部屋A\n資料", -1)), 1);
    ASSERT_EQ(rec_->scheduleCount, 1);
    const CSchedule& s = rec_->tables.schedules[0];
    EXPECT_EQ(Utf(s.name), "打ち合わせ");
    EXPECT_EQ(Utf(s.text), "部屋A\r\n資料") << "CR LF line breaks whatever the editor gave";
    EXPECT_EQ(std::make_tuple(s.year, s.month, s.day), std::make_tuple(2024, 6, 20));
    EXPECT_EQ(s.displayPeriod, 0) << "-1 (text typed into the combo box) is stored as 0";
    const auto back = ReadBack();
    ASSERT_EQ(back->scheduleCount, 1);
    EXPECT_EQ(std::string(back->tables.schedules[0].name), s.name);
    EXPECT_EQ(std::string(back->tables.schedules[0].text), s.text);
}

TEST_F(ScheduleEditTest, CancelledOrRefusedNewScheduleWritesNothing) {
    LoadScheduleLines("一つ目 2024/07/01\t2\n{\n\n}\n二つ目 2024/07/02\t3\n{\n\n}\n");
    RemoveSchedule(*rec_, 0);
    const CSchedule stale = rec_->tables.schedules[1];
    Select(2024, 6, 20);
    const auto session = OpenNewScheduleDialog(*rec_);
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(FinishNewSchedule(*rec_, path_, *session, std::nullopt), 0);
    EXPECT_EQ(FinishNewSchedule(*rec_, path_, *session, Answer("二 語", "", 1)), 0);
    EXPECT_TRUE(TakeMessages().empty()) << "the dialog has shown its refusal already";
    EXPECT_EQ(rec_->scheduleCount, 1);
    EXPECT_FALSE(FileWritten());
    EXPECT_EQ(std::memcmp(&rec_->tables.schedules[1], &stale, sizeof stale), 0) << "slot untouched";

    // Today moved past the date while the dialog was open: not stored.
    SetToday(2024, 6, 21);
    TakeMessages();
    EXPECT_EQ(FinishNewSchedule(*rec_, path_, *session, Answer("会議", "", 1)), 0);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kPastDay});
    EXPECT_EQ(rec_->scheduleCount, 1);
    EXPECT_FALSE(FileWritten());
}

TEST_F(ScheduleEditTest, PastSelectedDayIsRefusedBeforeTheDialog) {
    Select(2024, 6, 14);
    EXPECT_FALSE(OpenNewScheduleDialog(*rec_).has_value());
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kPastDay});
    Select(2024, 6, 15);
    EXPECT_TRUE(OpenNewScheduleDialog(*rec_).has_value()) << "today itself is allowed";
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ScheduleEditTest, FullStoreIsRefused) {
    std::string lines;
    for (int i = 0; i < kScheduleCapacity; ++i) {
        lines += 's';
        lines += std::to_string(i);
        lines += " 2024/07/01\t1\n";
    }
    LoadScheduleLines(lines);
    ASSERT_EQ(rec_->scheduleCount, kScheduleCapacity);
    Select(2024, 6, 20);
    EXPECT_FALSE(OpenNewScheduleDialog(*rec_).has_value());
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kStoreFull});
    // A session opened before the store filled up is refused at the end.
    const ScheduleEditSession late{-1, CalendarDate{2024, 6, 20}, {}};
    EXPECT_EQ(FinishNewSchedule(*rec_, path_, late, Answer("遅刻", "", 1)), 0);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kStoreFull});
    EXPECT_EQ(rec_->scheduleCount, kScheduleCapacity);
}

struct ValidationCase {
    std::string name;
    std::string text;
    const char* problem;  // nullptr: accepted
    const char* why;
};
const ValidationCase kValidationCases[] = {
    {"会議", "", nullptr, "one word, empty note"},
    {"", "", kNameRule, "empty name"},
    {"二 語", "", kNameRule, "a blank"},
    {"二\t語", "", kNameRule, "a tab"},
    {"a;b", "", kNameRule, "the comment mark"},
    {"{x", "", kNameRule, "the block mark first"},
    {"x{", "", nullptr, "a brace later is harmless"},
    {"全角　空白", "", nullptr, "the full-width space is no white space to the file"},
    {"改\n行", "", kNameRule, "a line break"},
    {"会議", "}", kNoteRule, "a note that is only }"},
    {"会議", "一行目\r\n}\r\n三行目", kNoteRule, "a } line inside"},
    {"会議", "一行目\n}", kNoteRule, "a } line after a lone LF"},
    {"会議", "} ", nullptr, "} with a blank is another line"},
    {"会議", "}}\r\n{", nullptr, "}} and { are fine"},
    {"会議", "a;b c\t d", nullptr, "blanks, tabs and ; are fine in a note"},
    {"a b", "}", kNameRule, "the name is judged first"},
    {std::string(1010, 'n'), std::string(1023, 'x'), nullptr, "the longest name and note"},
    {std::string(1011, 'n'), "", kNameTooLong, "a name one byte longer is refused, not cut"},
    {"会議", std::string(1024, 'x'), kNoteTooLong, "a note one byte longer"},
    {"会議", std::string(1021, 'x') + "\ny", kNoteTooLong, "a LF counts as the CR LF stored"},
    {"会議", std::string(1020, 'x') + "\r\ny", nullptr, "1023 bytes with a CR LF"},
};

TEST_F(ScheduleEditTest, DialogValidation) {
    for (const ValidationCase& c : kValidationCases) {
        SCOPED_TRACE(c.why);
        const ScheduleDialogValues v = Answer(c.name, c.text, 1);
        const std::optional<std::string> problem = ScheduleDialogProblem(v);
        if (c.problem == nullptr) {
            EXPECT_FALSE(problem.has_value());
            EXPECT_TRUE(ScheduleDialogMayClose(v));
            EXPECT_TRUE(TakeMessages().empty());
        } else {
            ASSERT_TRUE(problem.has_value());
            EXPECT_EQ(Utf(*problem), c.problem);
            EXPECT_FALSE(ScheduleDialogMayClose(v)) << "the dialog stays open";
            EXPECT_EQ(TakeMessages(), std::vector<std::string>{c.problem});
        }
    }
}

struct NoteCase {
    std::string editor;
    std::string stored;
    const char* why;
};

TEST_F(ScheduleEditTest, NotesGetCrLfAndStayWithin1023Bytes) {
    const std::string x1020(1020, 'x'), x1022(1022, 'x');
    const NoteCase kCases[] = {
        {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd", "every break becomes CR LF"},
        {"a\n\nb\r\r", "a\r\n\r\nb\r\n\r\n", "empty lines kept"},
        {x1022 + "\nyyy", x1022, "the cut never keeps half a CR LF"},
        {x1020 + "\n}abc", x1020, "nor a } line made by the cut"},
        {x1020 + "\nabc", x1020 + "\r\na", "otherwise cut at 1023 bytes"},
    };
    for (const NoteCase& c : kCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(ScheduleNoteText(c.editor), c.stored);
    }
    // Double-byte text is cut at a character boundary.
    std::string kanji;
    for (int i = 0; i < 600; ++i) kanji += "漢";
    const std::string stored = ScheduleNoteText(std::string("x").append(Cp(kanji)));
    EXPECT_EQ(stored.size(), 1023u);
    EXPECT_EQ(Utf(stored), std::string("x").append(kanji, 0, 511 * 3));
}

TEST_F(ScheduleEditTest, NamesStayWithinTheFileLine) {
    std::string kanji;
    for (int i = 0; i < 600; ++i) kanji += "会";
    EXPECT_EQ(ScheduleNameText(Cp(kanji)).size(), 1010u);
    EXPECT_EQ(ScheduleNameText(std::string("a").append(Cp(kanji))).size(), 1009u)
        << "not inside a character";
    // A name of the longest length survives the file.
    Select(2024, 6, 20);
    const auto session = OpenNewScheduleDialog(*rec_);
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(FinishNewSchedule(*rec_, path_, *session, Answer(kanji, "備考", 4)), 0)
        << "refused whole, never stored cut";
    kanji.resize(505 * 3);
    ASSERT_EQ(FinishNewSchedule(*rec_, path_, *session, Answer(kanji, "備考", 4)), 1);
    EXPECT_EQ(std::strlen(rec_->tables.schedules[0].name), 1010u);
    const auto back = ReadBack();
    ASSERT_EQ(back->scheduleCount, 1);
    EXPECT_STREQ(back->tables.schedules[0].name, rec_->tables.schedules[0].name);
    EXPECT_EQ(std::make_tuple(back->tables.schedules[0].year, back->tables.schedules[0].month,
                              back->tables.schedules[0].day, back->tables.schedules[0].displayPeriod),
              std::make_tuple(2024, 6, 20, 4));
    EXPECT_EQ(Utf(back->tables.schedules[0].text), "備考");
}

class ScheduleRowsTest : public ScheduleEditTest {
protected:
    ScheduleRowsTest() {
        LoadUserLines("記念日 2000 / 6/18 1\n{\n説明\n}\n");
        LoadScheduleLines("会議 2024/06/18\t1\n{\n資料\n}\n歯医者 2024/06/19\t1\n{\n\n}\n");
        Select(2024, 6, 16);
        // Rows: user event (6/18), schedule 0 (6/18), schedule 1 (6/19).
        rows_ = {ListRow{kUserEventRow, 0, "18", Cp("記念日")},
                 ListRow{kScheduleRow, 0, "18", Cp("会議")},
                 ListRow{kScheduleRow, 1, "19", Cp("歯医者")}};
    }
    std::vector<ListRow> rows_;
};

TEST_F(ScheduleRowsTest, EditOpensOnScheduleRowsOnly) {
    EXPECT_FALSE(OpenEditScheduleDialog(*rec_, rows_, -1).has_value()) << "no selection";
    EXPECT_FALSE(OpenEditScheduleDialog(*rec_, rows_, 0).has_value()) << "user event";
    EXPECT_FALSE(OpenEditScheduleDialog(*rec_, rows_, 3).has_value()) << "no such row";
    const auto session = OpenEditScheduleDialog(*rec_, rows_, 1);
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(session->index, 0);
    EXPECT_EQ(Utf(session->initial.name), "会議");
    EXPECT_EQ(Utf(session->initial.text), "資料");
    EXPECT_EQ(session->initial.period, 1);
}

TEST_F(ScheduleRowsTest, EditStoresAndRewritesTheFile) {
    const auto session = OpenEditScheduleDialog(*rec_, rows_, 2);
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(FinishEditSchedule(*rec_, path_, *session, Answer("歯科", "午後\n三時", 3)), 1);
    const CSchedule& s = rec_->tables.schedules[1];
    EXPECT_EQ(Utf(s.name), "歯科");
    EXPECT_EQ(Utf(s.text), "午後\r\n三時");
    EXPECT_EQ(s.displayPeriod, 3);
    EXPECT_EQ(std::make_tuple(s.year, s.month, s.day), std::make_tuple(2024, 6, 19));
    const auto back = ReadBack();
    ASSERT_EQ(back->scheduleCount, 2);
    EXPECT_EQ(Utf(back->tables.schedules[1].text), "午後\r\n三時");
}

TEST_F(ScheduleRowsTest, CancelledOrRefusedEditWritesNothing) {
    const CSchedule before = rec_->tables.schedules[0];
    const auto session = OpenEditScheduleDialog(*rec_, rows_, 1);
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(FinishEditSchedule(*rec_, path_, *session, std::nullopt), 0);
    EXPECT_EQ(FinishEditSchedule(*rec_, path_, *session, Answer("二 語", "", 1)), 0);
    EXPECT_EQ(std::memcmp(&rec_->tables.schedules[0], &before, sizeof before), 0);
    EXPECT_FALSE(FileWritten()) << "what another program wrote meanwhile stays";
}

TEST_F(ScheduleRowsTest, EditOfASweptScheduleStoresNothing) {
    const auto session = OpenEditScheduleDialog(*rec_, rows_, 2);
    ASSERT_TRUE(session.has_value());
    RemoveSchedule(*rec_, 0);  // the sweep moved 歯医者 into slot 0, slot 1 is stale
    EXPECT_EQ(FinishEditSchedule(*rec_, path_, *session, Answer("別", "", 1)), 0);
    EXPECT_EQ(Utf(rec_->tables.schedules[0].name), "歯医者");
    EXPECT_EQ(rec_->scheduleCount, 1);
}

TEST_F(ScheduleRowsTest, EditScheduleOfAPastScheduleIsNotStored) {
    SetToday(2024, 6, 19);
    // Schedule 0 (18 June) is now past: name and note are taken, the day
    // becomes 0 and 0 says it was not stored.
    EXPECT_EQ(EditSchedule(*rec_, 0, Answer("過去", "", 2)), 0);
    EXPECT_EQ(rec_->tables.schedules[0].day, 0);
    EXPECT_EQ(rec_->tables.schedules[0].displayPeriod, 1) << "the period is left";
}

TEST_F(ScheduleRowsTest, EditScheduleOnAFreeSlotTakesTheTargetDate) {
    const CSchedule& slot = rec_->tables.schedules[rec_->scheduleCount];
    ASSERT_LE(slot.year, 0);
    EXPECT_EQ(EditSchedule(*rec_, rec_->scheduleCount, Answer("新規", "", 2)), 1);
    EXPECT_EQ(std::make_tuple(slot.year, slot.month, slot.day), std::make_tuple(2024, 6, 16));
    EXPECT_EQ(rec_->scheduleCount, 2) << "the caller counts the slot";
    EXPECT_EQ(EditSchedule(*rec_, 0, Answer("二 語", "", 2)), 0) << "refused answers change nothing";
    EXPECT_EQ(Utf(rec_->tables.schedules[0].name), "会議");
}

TEST_F(ScheduleRowsTest, DeleteRemovesScheduleRowsOnly) {
    EXPECT_FALSE(DeleteScheduleRow(*rec_, path_, rows_, 0)) << "a user-event row";
    EXPECT_FALSE(DeleteScheduleRow(*rec_, path_, rows_, -1)) << "no selection";
    EXPECT_EQ(rec_->scheduleCount, 2);
    EXPECT_FALSE(FileWritten());
    EXPECT_TRUE(DeleteScheduleRow(*rec_, path_, rows_, 1));
    ASSERT_EQ(rec_->scheduleCount, 1);
    EXPECT_EQ(Utf(rec_->tables.schedules[0].name), "歯医者");
    const auto back = ReadBack();
    ASSERT_EQ(back->scheduleCount, 1);
    EXPECT_EQ(Utf(back->tables.schedules[0].name), "歯医者");
}

struct UnheldCase {
    std::string name;
    const char* note;
    std::string named;  // the lines after the heading; "" when stored
    const char* why;
};

// Characters code page 932 cannot hold are named, field and place, and
// nothing is stored; replaced, the schedule is stored as typed (composed),
// and the file holds it after the refusals.
TEST_F(ScheduleEditTest, CharactersCp932CannotHoldAreNamedAndNothingIsStored) {
    std::string elevenCakes, tenNamed;
    for (int i = 1; i <= 11; ++i) elevenCakes += "\U0001F382";
    for (int i = 1; i <= kMaxNamedUnheld; ++i) {
        tenNamed += "\r\n項目名 " + std::to_string(i) + "文字目「\U0001F382」（U+1F382）";
    }
    const UnheldCase kCases[] = {
        {"誕生日\U0001F382", "", "\r\n項目名 4文字目「\U0001F382」（U+1F382）", "an emoji"},
        {"昼食", "一行目\n\U00020BB7野家で\U00020BB7",
         "\r\n備考 2行目 1文字目「\U00020BB7」（U+20BB7）\r\n備考 2行目 5文字目「\U00020BB7」（U+20BB7）",
         "the note names the line"},
        {"Cafe\u0301", "\u00E9",
         "\r\n項目名 4文字目「é」（U+00E9）\r\n備考 1行目 1文字目「é」（U+00E9）",
         "e + acute composes to é, which CP932 lacks; the name first"},
        {elevenCakes, "", tenNamed + "\r\nほか 1 文字", "ten named, the rest counted"},
        {"誕生日か\u3099", "ケーキ\nろうそく", "", "replaced; か + voiced mark is が"},
    };
    Select(2024, 6, 20);
    const auto session = OpenNewScheduleDialog(*rec_);
    ASSERT_TRUE(session.has_value());
    for (const UnheldCase& c : kCases) {
        SCOPED_TRACE(c.why);
        const ScheduleDialogValues answer = Typed(c.name, c.note);
        EXPECT_EQ(ScheduleDialogMayClose(answer), c.named.empty());
        EXPECT_EQ(TakeMessages(), c.named.empty() ? std::vector<std::string>{}
                                                  : std::vector<std::string>{kUnheldHeading + c.named});
        EXPECT_EQ(FinishNewSchedule(*rec_, path_, *session, answer), c.named.empty() ? 1 : 0);
        EXPECT_EQ(FileWritten(), c.named.empty());
    }
    // An edit with such a character leaves the schedule as it was.
    const auto edit = OpenEditScheduleDialog(*rec_, {ListRow{kScheduleRow, 0, "20", ""}}, 0);
    ASSERT_TRUE(edit.has_value());
    EXPECT_EQ(FinishEditSchedule(*rec_, path_, *edit, Typed("会議\U0001F382", "")), 0);
    const auto back = ReadBack();
    ASSERT_EQ(back->scheduleCount, 1);
    EXPECT_EQ(Utf(back->tables.schedules[0].name), "誕生日が");
    EXPECT_EQ(Utf(back->tables.schedules[0].text), "ケーキ\r\nろうそく");
}

}  // namespace
}  // namespace kalendo
