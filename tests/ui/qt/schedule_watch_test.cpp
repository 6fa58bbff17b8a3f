// Definition files edited beside the running window: what an editor writes
// shows without a restart, whether it saves in place or by renaming a new
// file over the old one (what a save does then: ScheduleSaveTest).
#include <QTest>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/ui/qt/gui_fixture.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

class ScheduleWatchTest : public GuiTest {};

bool Shows(const std::vector<std::string>& rows, const std::string& text) {
    for (const std::string& row : rows) {
        if (row.find(text) != std::string::npos) return true;
    }
    return false;
}

TEST_F(ScheduleWatchTest, OutsideEditsOfTheScheduleFileShow) {
    Start(CalendarDate{2024, 6, 15});
    const std::filesystem::path file = folder() / "Schedule.Def";
    {
        // In place, as a plain editor saves (the file's CP932, other line ends).
        std::ofstream(file, std::ios::binary | std::ios::app) << Cp932FromUtf8("歯医者 2024/06/16 1\r\n");
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return Shows(ScheduleListTexts(), "歯医者"); }, 5000))
        << "the schedule written in place shows";
    {
        // By rename, as editors that save atomically do (now in UTF-8).
        const std::filesystem::path temp = folder() / "Schedule.Def.new";
        std::ofstream(temp, std::ios::binary) << "歯医者 2024/06/16 1\r\n会議 2024/06/16 1\r\n";
        std::filesystem::rename(temp, file);
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return Shows(ScheduleListTexts(), "会議"); }, 5000))
        << "the schedule written by rename shows";

    EXPECT_TRUE(Messages().empty());
}

// The other four files: a holiday added in an editor is in the tables at
// once; a file refused (a NUL byte, still there after the reads again)
// shows its message, and the tables read last stay.
TEST_F(ScheduleWatchTest, DefinitionFilesEditedBesideTheWindowAreReadAgain) {
    Start(CalendarDate{2024, 6, 15});
    const int holidays = record().holidayCount;
    const std::filesystem::path file = folder() / "祝日.Def";
    std::ifstream in(file, std::ios::binary);
    const std::string shipped{std::istreambuf_iterator<char>(in), {}};
    std::ofstream(file, std::ios::binary | std::ios::app)
        << Cp932FromUtf8("試験の日 ( 2000 - 3000 ) / 6/20 説明\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return record().holidayCount == holidays + 1; }, 5000));
    EXPECT_TRUE(Messages().empty());

    std::ofstream(file, std::ios::binary | std::ios::trunc)
        << shipped << std::string("x\0 ( 2000 - 3000 ) / 6/20\n", 23);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Messages().empty(); }, 5000));
    EXPECT_NE(Messages()[0].find("定義ファイル 祝日.Def の "), std::string::npos) << Messages()[0];
    EXPECT_NE(Messages()[0].find(" 行目 2 バイト目に NUL バイト（0x00）があります"),
              std::string::npos) << Messages()[0];
    EXPECT_EQ(record().holidayCount, holidays + 1) << "the tables read last stay";
}

}  // namespace
}  // namespace kalendo
