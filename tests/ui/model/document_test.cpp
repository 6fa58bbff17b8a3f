#include "ui/model/document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "month/compute_month.h"
#include "defs/day_off.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

// The five files, as small as each reader accepts: two eras, two holidays,
// a note with a text block, a user entry, one schedule.
struct FixtureFile { const char* nameUtf8; const char* contentUtf8; };
constexpr FixtureFile kFixtureFiles[] = {
    {"元号.Def", "令和 2019/04/30\n平成 1989/01/07\n"},
    {"祝日.Def", "元日 ( 1949 - 9999 ) / 1/1 年の初め\n"
                 "憲法記念日 ( 1949 - 9999 ) / 5/3 憲法の施行\n"},
    {"暦日.Def", "; 暦日\n節分 2/3\n{\n豆まき\n}\n"},
    {"Usr.Def", "誕生日 2000 / 7/7 2\n"},
    {"Schedule.Def", ";===\n会議     2030/01/02\t1\n{\n議題\n}\n"},
};
constexpr int kFileCount = 5;

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : rec_(std::make_unique<MonthRecord>()) {
        std::string pattern = (fs::temp_directory_path() / "k2-document-XXXXXX").string();
        folder_ = std::string(mkdtemp(pattern.data())) + "/";
        for (const FixtureFile& f : kFixtureFiles) {
            std::ofstream(folder_ + f.nameUtf8, std::ios::binary) << Cp932FromUtf8(f.contentUtf8);
        }
    }
    ~DocumentTest() override { fs::remove_all(folder_); }

    // The message the fatal exit showed, as UTF-8 ("" when there was none).
    std::string FatalMessageOfOpen() {
        try {
            OpenDocument(*rec_, folder_);
        } catch (const FatalExit& exit) {
            return exit.messageUtf8;
        }
        return "";
    }

    // Every fixture file written as UTF-8, after `prefix`.
    void WriteFixturesAsUtf8(const std::string& prefix) {
        for (const FixtureFile& f : kFixtureFiles) {
            std::ofstream(folder_ + f.nameUtf8, std::ios::binary | std::ios::trunc)
                << prefix << f.contentUtf8;
        }
    }

    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
    std::string folder_;
};

TEST_F(DocumentTest, PathsAreTheFiveFilesOfTheFolder) {
    const DefinitionPaths paths = DefinitionPathsIn("/opt/k/");
    EXPECT_EQ(paths.eras, "/opt/k/元号.Def");
    EXPECT_EQ(paths.holidays, "/opt/k/祝日.Def");
    EXPECT_EQ(paths.notes, "/opt/k/暦日.Def");
    EXPECT_EQ(paths.userEntries, "/opt/k/Usr.Def");
    EXPECT_EQ(paths.schedules, "/opt/k/Schedule.Def");
}

TEST_F(DocumentTest, LoadsEveryFileThenReadsToday) {
    const DefinitionPaths paths = OpenDocument(*rec_, folder_);
    EXPECT_EQ(paths.schedules, folder_ + "Schedule.Def");
    EXPECT_EQ(rec_->eraCount, 1);
    EXPECT_EQ(rec_->holidayCount, 2);
    EXPECT_EQ(rec_->noteCount, 1);
    EXPECT_EQ(Utf8FromCp932(rec_->tables.notes[0].description), "豆まき");
    EXPECT_EQ(rec_->userEntryCount, 1);
    EXPECT_EQ(rec_->tables.userEntries[0].displayPeriod, 2);
    ASSERT_EQ(rec_->scheduleCount, 1);
    EXPECT_EQ(Utf8FromCp932(rec_->tables.schedules[0].name), "会議");
    EXPECT_EQ(rec_->tables.schedules[0].year, 2030);
    // The recording platform's today.
    EXPECT_EQ(rec_->year[kToday], 2024);
    EXPECT_EQ(rec_->month[kToday], 6);
    EXPECT_EQ(rec_->day[kToday], 15);
    EXPECT_EQ(rec_->weekday[kToday], 6);
    EXPECT_TRUE(platform_->messages.empty());
}

// A missing file ends the start-up with its reader's message; the files
// before it in the order are loaded, those after it are not, and today's
// date is never read.
TEST_F(DocumentTest, EachMissingFileIsFatalWithItsMessage) {
    const char* const kMessages[kFileCount] = {
        "元号定義ファイルが開けません", "祝日定義ファイルが開けません",
        "暦日定義ファイルが開けません", "ユーザー定義ファイルが開けません",
        "スケジュール定義ファイルが開けません",
    };
    for (int missing = 0; missing < kFileCount; ++missing) {
        SCOPED_TRACE(kFixtureFiles[missing].nameUtf8);
        rec_ = std::make_unique<MonthRecord>();
        fs::rename(folder_ + kFixtureFiles[missing].nameUtf8, folder_ + "aside");
        EXPECT_EQ(FatalMessageOfOpen(), std::string(kMessages[missing]) + "（ファイルがありません）: " +
                                            folder_ + kFixtureFiles[missing].nameUtf8);
        fs::rename(folder_ + "aside", folder_ + kFixtureFiles[missing].nameUtf8);

        const bool loaded[kFileCount] = {rec_->eraCount >= 0, rec_->holidayCount >= 0,
                                         rec_->noteCount >= 0, rec_->userEntryCount > 0,
                                         rec_->scheduleCount > 0};
        for (int i = 0; i < kFileCount; ++i) {
            EXPECT_EQ(loaded[i], i < missing) << kFixtureFiles[i].nameUtf8;
        }
        EXPECT_EQ(rec_->year[kToday], -1);
    }
}

// What stands in a file's place is named in its message, with the path.
TEST_F(DocumentTest, AFileThatCannotBeReadIsNamedWithTheReason) {
    const std::string path = folder_ + "Usr.Def";
    const struct {
        std::function<void()> make;
        const char* reason;
    } kCases[] = {
        {[&] { fs::create_directory(path); }, "ファイルではなくフォルダーです"},
        {[&] { fs::create_symlink("Usr.Def", path); }, "シンボリックリンクが循環しています"},
        {[&] { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }, "FIFO やデバイスなど、通常のファイルではありません"},
        {[&] {
             std::ofstream(path, std::ios::binary);
             fs::resize_file(path, kMaxReadBytes + 1);
         },
         "16 MiB を超える大きさです"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.reason);
        fs::remove_all(path);
        c.make();
        rec_ = std::make_unique<MonthRecord>();
        EXPECT_EQ(FatalMessageOfOpen(), std::string("ユーザー定義ファイルが開けません（") + c.reason + "）: " + path);
    }
}

TEST_F(DocumentTest, AFileItsReaderRefusesIsFatalWithTheReadersMessage) {
    struct Case { const char* file; std::string content; const char* message; };
    std::string holidays;
    for (int i = 0; i < 513; ++i) holidays += "日 ( 2000 - 2001 ) / 1/1 x\n";
    const Case cases[] = {
        {"元号.Def", "", "元号定義ファイルが開けません"},  // empty: the reader's own message
        {"祝日.Def", holidays, "定義ファイル 祝日.Def の定義数が上限 512 件を超えています"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        rec_ = std::make_unique<MonthRecord>();
        const std::string path = folder_ + c.file;
        const std::string kept = path + ".kept";
        fs::copy_file(path, kept);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << Cp932FromUtf8(c.content);
        EXPECT_EQ(FatalMessageOfOpen(), c.message);
        fs::rename(kept, path);
    }
}

// Every editor of today saves UTF-8: the five files read so, with the
// byte-order mark and without it, are the same almanac as in CP932.
TEST_F(DocumentTest, FilesSavedAsUtf8AreReadAsTheirText) {
    for (const std::string prefix : {"", "\xEF\xBB\xBF"}) {
        SCOPED_TRACE(prefix.empty() ? "without the mark" : "with the mark");
        WriteFixturesAsUtf8(prefix);
        rec_ = std::make_unique<MonthRecord>();
        OpenDocument(*rec_, folder_);
        EXPECT_TRUE(platform_->MessagesUtf8().empty());
        EXPECT_EQ(Utf8FromCp932(rec_->tables.eraName[0]), "令和");
        EXPECT_EQ(Utf8FromCp932(rec_->tables.notes[0].description), "豆まき");
        EXPECT_EQ(Utf8FromCp932(rec_->tables.schedules[0].name), "会議");
        ASSERT_EQ(ComputeMonth(*rec_, 2024, 5, 3, {}), 1);
        const int holiday = FindHoliday(*rec_, 5, 3);
        ASSERT_GE(holiday, 0);
        EXPECT_EQ(Utf8FromCp932(rec_->tables.holidays[holiday].name), "憲法記念日");
    }
}

// A UTF-8 file with a character code page 932 cannot hold is fatal with the
// file, the line and the character named, whichever of the five it is; so
// Schedule.Def is never written back without that character.
TEST_F(DocumentTest, AUtf8FileWithACharacterCp932CannotHoldIsFatal) {
    for (const FixtureFile& f : kFixtureFiles) {
        SCOPED_TRACE(f.nameUtf8);
        WriteFixturesAsUtf8("");
        const std::string path = folder_ + f.nameUtf8;
        std::ofstream(path, std::ios::binary | std::ios::app) << "\U0001F382";
        rec_ = std::make_unique<MonthRecord>();
        const std::string message = FatalMessageOfOpen();
        const std::string named = std::string("定義ファイル ") + f.nameUtf8 + " の ";
        EXPECT_EQ(message.rfind(named, 0), 0u) << message;
        EXPECT_NE(message.find("行目"), std::string::npos) << message;
        EXPECT_NE(message.find("「\U0001F382」（U+1F382）"), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace kalendo
