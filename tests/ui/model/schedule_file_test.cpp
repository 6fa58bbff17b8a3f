// The schedule file written at the edge: what a save writes, and that a save
// that cannot be written keeps both the old file and the edit.
#include "ui/model/schedule_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "defs/file_encoding.h"
#include "defs/schedules.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"
#include "tests/schedule_maker.h"

namespace kalendo {
namespace {

constexpr char kScheduleMessage[] = "スケジュール定義ファイルを書き込めません（書き込みの権限がありません）.\r\n";

// A record dated 2024-06-15 and a scratch folder removed afterwards.
class ScheduleSaveTest : public ::testing::Test {
protected:
    ScheduleSaveTest() : rec_(std::make_unique<MonthRecord>()) {
        rec_->year[kToday] = 2024;
        rec_->month[kToday] = 6;
        rec_->day[kToday] = 15;
        char tmpl[] = "/tmp/k2_schedules_XXXXXX";
        dir_ = mkdtemp(tmpl);
        path_ = dir_ + "/Schedule.Def";
    }
    ~ScheduleSaveTest() override {
        chmod(dir_.c_str(), 0700);
        std::filesystem::remove_all(dir_);
    }
    void Add(const CSchedule& s) { ASSERT_TRUE(AddSchedule(*rec_, s)); }

    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
    std::string dir_;
    std::string path_;
};

TEST_F(ScheduleSaveTest, SaveWritesTheFileAndLoadReadsIt) {
    Add(MakeSchedule("会議", 2025, 3, 5, 1));
    CopyText(rec_->TablesToChange().schedules[0].text, Cp932FromUtf8("資料\r\n二行目").c_str());
    EXPECT_TRUE(SaveSchedules(*rec_, path_));
    const auto bytes = ReadWholeFile(path_);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, ScheduleFileBytes(*rec_));
    EXPECT_TRUE(platform_->messages.empty());
}

// Loads the file at path_ as the document does into a record of its own.
std::unique_ptr<MonthRecord> LoadedFrom(const std::string& path) {
    auto rec = std::make_unique<MonthRecord>();
    rec->year[kToday] = 2024;
    rec->month[kToday] = 6;
    rec->day[kToday] = 15;
    std::string bytes = ReadWholeFile(path).value_or("");
    EXPECT_FALSE(ToDefinitionText(bytes, kScheduleFileName).has_value());
    EXPECT_FALSE(LoadSchedules(*rec, bytes).has_value());
    return rec;
}

// The schedule file is written back in the encoding it is in: a UTF-8 file
// (the user chose it) as UTF-8 with its byte-order mark or without, a CP932
// one as CP932; saved unchanged, it is the same bytes, and an added
// schedule is read back with the others.
TEST_F(ScheduleSaveTest, TheFileKeepsItsEncoding) {
    Add(MakeSchedule("会議", 2025, 3, 5, 1));
    CopyText(rec_->TablesToChange().schedules[0].text, Cp932FromUtf8("資料\r\n神棚の前で〜").c_str());
    for (const FileEncoding encoding :
         {FileEncoding::Cp932, FileEncoding::Utf8, FileEncoding::Utf8WithByteOrderMark}) {
        SCOPED_TRACE(static_cast<int>(encoding));
        const std::optional<std::string> original =
            DefinitionFileBytes(ScheduleFileBytes(*rec_), encoding);
        ASSERT_TRUE(original && WriteFileAtomically(path_, *original));
        ASSERT_EQ(DefinitionFileEncoding(*original), encoding);

        auto loaded = LoadedFrom(path_);
        RememberScheduleFile(path_, *original);  // as the window's start-up does
        ASSERT_TRUE(SaveSchedules(*loaded, path_));
        EXPECT_EQ(ReadWholeFile(path_), original) << "saved unchanged: the same bytes";

        ASSERT_TRUE(AddSchedule(*loaded, MakeSchedule("誕生会", 2025, 4, 1, 2)));
        ASSERT_TRUE(SaveSchedules(*loaded, path_));
        EXPECT_EQ(DefinitionFileEncoding(ReadWholeFile(path_).value_or("")), encoding);
        auto back = LoadedFrom(path_);
        ASSERT_EQ(back->scheduleCount, 2);
        EXPECT_EQ(Utf8FromCp932(back->tables.schedules[0].text), "資料\r\n神棚の前で～");
        EXPECT_EQ(Utf8FromCp932(back->tables.schedules[1].name), "誕生会");
    }
}

// A save whose bytes the encoding rule would read otherwise than they were
// written (the past entry that held the file's only CP932 kana or UTF-8
// kanji goes) carries the coding line or the mark, and the next start reads
// exactly the schedule that was saved; saved again, the file stays.
TEST_F(ScheduleSaveTest, TheSavedFileReadsAsItWasWritten) {
    const std::string lookalike = "\xE3\x81\x82\x60";  // 縺Ａ in CP932, 「あ`」 in UTF-8
    const struct {
        std::string original;
        std::string kept;  // the schedule left, CP932
        std::string saved;
    } kCases[] = {
        {Cp932FromUtf8("過去 2020/01/01 1\n") + lookalike + " 2030/01/01 1\n", lookalike,
         std::string(kCp932CodingLine) + "\n" + lookalike + " 2030/01/01 1\n"},
        {"漢字 2020/01/01 1\r\nн 2030/01/01 1\r\n", Cp932FromUtf8("н"),
         "\xEF\xBB\xBFн 2030/01/01 1\r\n"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.saved);
        ASSERT_TRUE(WriteFileAtomically(path_, c.original));
        auto loaded = LoadedFrom(path_);
        RememberScheduleFile(path_, c.original);
        ASSERT_TRUE(SaveSchedules(*loaded, path_));
        EXPECT_EQ(ReadWholeFile(path_), c.saved);
        auto back = LoadedFrom(path_);
        ASSERT_EQ(back->scheduleCount, 1);
        EXPECT_EQ(back->tables.schedules[0].name, c.kept);
        ASSERT_TRUE(SaveSchedules(*back, path_));
        EXPECT_EQ(ReadWholeFile(path_), c.saved);
    }
}

// A lone CR ends a line as LF does, and takes no byte of the next line
// with it (once it took the first byte of ら, which UTF-8 cannot carry);
// saved unchanged, the file keeps its bytes and its line ends.
TEST_F(ScheduleSaveTest, ALoneCrEndsALineAndTheFileComesBackAsItWas) {
    const std::string utf8 = ";\tKalendoⅡ\n会議 2030/01/02\t1\rら 2030/01/03\t1\n";
    ASSERT_TRUE(WriteFileAtomically(path_, utf8));
    auto loaded = LoadedFrom(path_);
    ASSERT_EQ(loaded->scheduleCount, 2);
    EXPECT_EQ(Utf8FromCp932(loaded->tables.schedules[1].name), "ら");
    ASSERT_TRUE(SaveSchedules(*loaded, path_));
    EXPECT_EQ(ReadWholeFile(path_), utf8);
}

// A file the user made read-only is refused like a read-only folder (this
// holds even for the super-user). The message is shown, the process goes
// on, the table keeps the edit, and the next save that can write writes it.
TEST_F(ScheduleSaveTest, FailedSaveKeepsTheOldFileAndTheEdit) {
    const std::string old = "old file\n";
    ASSERT_TRUE(WriteFileAtomically(path_, old));
    ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
    Add(MakeSchedule("x", 2025, 3, 5, 1));

    EXPECT_FALSE(SaveSchedules(*rec_, path_));
    EXPECT_EQ(platform_->MessagesUtf8(), std::vector<std::string>{kScheduleMessage + path_});
    EXPECT_EQ(ReadWholeFile(path_).value_or(""), old);
    EXPECT_EQ(rec_->scheduleCount, 1) << "the edit stays in the table";
    EXPECT_EQ(std::filesystem::directory_iterator(dir_)->path().filename(), "Schedule.Def")
        << "no temporary file is left";

    ASSERT_EQ(chmod(path_.c_str(), 0644), 0);
    EXPECT_TRUE(SaveSchedules(*rec_, path_));
    auto back = LoadedFrom(path_);
    ASSERT_EQ(back->scheduleCount, 1) << "the next save writes the edit";
    EXPECT_STREQ(back->tables.schedules[0].name, "x");
}

TEST_F(ScheduleSaveTest, ReadOnlyFolderShowsTheMessageAndKeepsTheOldFile) {
    const std::string old = "old file\n";
    ASSERT_TRUE(WriteFileAtomically(path_, old));
    Add(MakeSchedule("x", 2025, 3, 5, 1));
    ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);

    // The save runs in a child process: the super-user writes into any
    // folder, so there it first becomes an ordinary user. Exit codes:
    // 3 refused with the message, 4 another outcome, 5 saved, 6 setuid.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(6);
        try {
            if (SaveSchedules(*rec_, path_)) _exit(5);
            _exit(platform_->MessagesUtf8() == std::vector<std::string>{kScheduleMessage + path_} ? 3 : 4);
        } catch (...) {
            _exit(4);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(ReadWholeFile(path_).value_or(""), old);
}

}  // namespace
}  // namespace kalendo

namespace kalendo {
namespace {

// Schedule.Def changed by an editor while the window runs: the user's change
// is applied to the file as it is now; where both changed one schedule, or
// the file cannot be read now, the file stays, the table keeps the change
// and the message says so.
TEST_F(ScheduleSaveTest, OutsideChangesAreMergedOrLeftAlone) {
    const std::string original = "会議 2024/07/01 1\n{\n資料\n}\n歯医者 2024/07/02 1\n";
    struct Case {
        std::string outside;             // the file as the editor left it
        bool edit;                       // the user edits 会議 (else adds 誕生会)
        std::vector<std::string> names;  // the table after the save (UTF-8)
        bool saved;
        const char* why;
    };
    const std::string added = "会議 2024/07/01 1\n{\n資料\n}\n歯医者 2024/07/02 1\n新年会 2025/01/05 2\n";
    const Case kCases[] = {
        {added, false, {"会議", "歯医者", "新年会", "誕生会"}, true, "added outside and here"},
        {"会議 2024/07/01 3\n{\n資料\n}\n歯医者 2024/07/02 1\n", true, {}, false,
         "会議 edited on both sides"},
        {"会議 2024/07/01 1\n{\n" + std::string(1100, 'x') + "\n", false, {}, false,
         "caught half written (or refused): not taken as it is"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.why);
        ASSERT_TRUE(WriteFileAtomically(path_, original));
        RememberScheduleFile(path_, original);
        auto rec = LoadedFrom(path_);
        ASSERT_TRUE(WriteFileAtomically(path_, c.outside));
        if (c.edit) {
            CopyText(rec->TablesToChange().schedules[0].name, Cp932FromUtf8("打合せ").c_str());
        } else {
            ASSERT_TRUE(AddSchedule(*rec, MakeSchedule("誕生会", 2025, 4, 1, 2)));
        }
        const int before = rec->scheduleCount;
        platform_->messages.clear();
        platform_->utf8Messages.clear();
        EXPECT_EQ(SaveSchedules(*rec, path_), c.saved);
        if (!c.saved) {
            EXPECT_EQ(ReadWholeFile(path_), c.outside) << "the file stays";
            EXPECT_EQ(rec->scheduleCount, before) << "the table keeps the change";
            ASSERT_EQ(platform_->MessagesUtf8().size(), 1u) << "one message, naming the file";
            EXPECT_NE(platform_->MessagesUtf8()[0].find(path_), std::string::npos);
            continue;
        }
        std::vector<std::string> names;
        for (int i = 0; i < rec->scheduleCount; ++i) {
            names.push_back(Utf8FromCp932(rec->tables.schedules[i].name));
        }
        EXPECT_EQ(names, c.names) << "the window shows both changes";
        const auto back = LoadedFrom(path_);
        EXPECT_EQ(back->scheduleCount, rec->scheduleCount);
        EXPECT_TRUE(ReadWholeFile(path_).value_or("").starts_with(added))
            << "what the editor wrote keeps its bytes";
    }
}

}  // namespace
}  // namespace kalendo
