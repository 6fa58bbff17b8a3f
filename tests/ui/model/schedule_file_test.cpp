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

#include "defs/schedules.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"
#include "tests/schedule_maker.h"

namespace kalendo {
namespace {

constexpr char kScheduleMessage[] = "スケジュール定義ファイルが開けません.";

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
    CopyText(rec_->tables.schedules[0].text, Cp932FromUtf8("資料\r\n二行目").c_str());
    EXPECT_TRUE(SaveSchedules(*rec_, path_));
    const auto bytes = ReadWholeFile(path_);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, ScheduleFileBytes(*rec_));
    EXPECT_TRUE(platform_->messages.empty());
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
    EXPECT_EQ(platform_->MessagesUtf8(), std::vector<std::string>{kScheduleMessage});
    EXPECT_EQ(ReadWholeFile(path_).value_or(""), old);
    EXPECT_EQ(rec_->scheduleCount, 1) << "the edit stays in the table";
    EXPECT_EQ(std::filesystem::directory_iterator(dir_)->path().filename(), "Schedule.Def")
        << "no temporary file is left";

    ASSERT_EQ(chmod(path_.c_str(), 0644), 0);
    EXPECT_TRUE(SaveSchedules(*rec_, path_));
    EXPECT_EQ(ReadWholeFile(path_).value_or(""), ScheduleFileBytes(*rec_));
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
            _exit(platform_->MessagesUtf8() == std::vector<std::string>{kScheduleMessage} ? 3 : 4);
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
