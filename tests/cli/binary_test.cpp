// kalendo2-cli as scripts run it: the built executable, its streams and its
// exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli_fixture.h"
#include "json_members.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> lines;  // of out
};

class CliBinaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "k2-cli-run-XXXXXX").string();
        scratch_ = std::string(mkdtemp(pattern.data())) + "/";
    }
    void TearDown() override {
        if (!scratch_.empty()) fs::remove_all(scratch_);
    }

    CliRun Cli(const std::vector<std::string>& args) {
        std::string command = Quoted(BinFolder() + "kalendo2-cli");
        for (const std::string& a : args) {
            command += ' ';
            command += Quoted(a);
        }
        command += " </dev/null >" + scratch_ + "out 2>" + scratch_ + "err";
        CliRun run;
        const int raw = std::system(command.c_str());
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadFileBytes(scratch_ + "out");
        run.err = ReadFileBytes(scratch_ + "err");
        std::istringstream text(run.out);
        for (std::string line; std::getline(text, line);) run.lines.push_back(line);
        return run;
    }

    // The shipped files and a fixed today, as the acceptance checks run it.
    CliRun Shipped(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", BinFolder(), "--today", "2024-06-15"});
        return Cli(args);
    }

    std::string scratch_;
};

TEST_F(CliBinaryTest, HelpGoesToStdout) {
    const CliRun run = Cli({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Usage: kalendo2-cli", 0), 0u);
    EXPECT_EQ(run.err, "");
}

TEST_F(CliBinaryTest, ShortHelpAndVersionGoToStdoutWithStatusZero) {
    struct Case { std::vector<std::string> line; const char* startsWith; };
    const Case cases[] = {
        {{"-h"}, "Usage: kalendo2-cli"},
        {{"--version"}, "kalendo2-cli 1.18\n"},
        {{"year", "1200", "--version"}, "kalendo2-cli 1.18\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.back());
        const CliRun run = Cli(c.line);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind(c.startsWith, 0), 0u) << run.out;
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(Cli({"--version"}).out, "kalendo2-cli 1.18\n") << "nothing but the line";
}

TEST_F(CliBinaryTest, UsageErrorExitsTwoWithUsageOnStderr) {
    const std::vector<std::string> lines[] = {
        {}, {"year"}, {"day", "2024-2-3"}, {"--today", "2023-02-29", "year", "2024"},
        {"--frobnicate", "year", "2024"}};
    for (const auto& line : lines) {
        SCOPED_TRACE(line.empty() ? "(nothing)" : line[0]);
        const CliRun run = Cli(line);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("kalendo2-cli: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find("\nUsage: kalendo2-cli"), std::string::npos);
    }
}

TEST_F(CliBinaryTest, YearOutOfRangeExitsOneWithTheRangeMessage) {
    const CliRun run = Shipped({"year", "1599"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "ERROR : 年月の設定範囲が不適切です.\n");
}

TEST_F(CliBinaryTest, RefusedDaysExitOneAfterEveryDate) {
    const CliRun run = Shipped({"day", "2999-12-31", "3000-01-02"});
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(ValueOf(run.lines[0], "accepted"), "true");
    EXPECT_EQ(run.lines[1], R"({"date":"3000-01-01","accepted":false})");
    EXPECT_EQ(run.lines[2], R"({"date":"3000-01-02","accepted":false})");
    EXPECT_EQ(run.err, "ERROR : 年月の設定範囲が不適切です.\n"
                       "ERROR : 年月の設定範囲が不適切です.\n");
}

TEST_F(CliBinaryTest, MissingFileIsFatalWithStatusThree) {
    const CliRun run = Cli({"--data", scratch_ + "nowhere", "day", "2024-01-01"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "元号定義ファイルが開けません\n");
}

// A holiday whose expression is wrong is evaluated only from 2025 on: the
// day of 2024 is printed and stays printed, then the fatal error ends the run.
TEST_F(CliBinaryTest, FatalErrorKeepsLinesAlreadyPrinted) {
    DefinitionFolder folder;
    std::ofstream(folder.path() + "祝日.Def", std::ios::binary)
        << Cp932FromUtf8("元日 ( 1949 - 9999 ) / 1/1 x\n壊れ ( 2025 - 2026 ) / 1/Xyz x\n");
    const CliRun run = Cli({"--data", folder.path(), "--today", "2024-06-15", "day", "2024-12-31",
                         "2025-01-02"});
    EXPECT_EQ(run.status, 3);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(ValueOf(run.lines[0], "date"), "\"2024-12-31\"");
    EXPECT_EQ(run.err.rfind("壊れの表現式", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line";
}

TEST_F(CliBinaryTest, DefaultDataFolderIsTheExecutablesOwn) {
    const CliRun run = Cli({"--today", "2024-06-15", "day", "2024-01-01"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(ValueOf(run.lines[0], "holiday"), R"({"index":0,"name":"元日"})");
}

TEST_F(CliBinaryTest, NeverWritesAFile) {
    DefinitionFolder folder;
    const std::string before = ReadFileBytes(folder.path() + "Schedule.Def");
    const CliRun run = Cli({"--data", folder.path(), "--today", "2024-06-15", "year", "2024"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(ValueOf(run.lines.at(0), "schedules").find("誕生会"), std::string::npos);
    EXPECT_EQ(ValueOf(run.lines.at(0), "schedules").find("締切"), std::string::npos)
        << "swept in memory";
    EXPECT_EQ(ReadFileBytes(folder.path() + "Schedule.Def"), before);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder.path())) files += entry.exists();
    EXPECT_EQ(files, 5);
}

// 2023-03-22 is the first day of the leap second month of 2023, in the
// fifth year of Reiwa.
TEST_F(CliBinaryTest, LeapSecondMonthOf2023) {
    const CliRun run = Shipped({"day", "2023-03-22"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 1u);
    const std::string& day = run.lines[0];
    EXPECT_EQ(ValueOf(day, "lunarMonth"), "-2");
    EXPECT_EQ(ValueOf(day, "lunarDay"), "1");
    EXPECT_EQ(ValueOf(day, "leapMonth"), "2");
    EXPECT_EQ(ValueOf(day, "era"), "\"令和\"");
    EXPECT_EQ(ValueOf(day, "eraYear"), "5");
    EXPECT_EQ(ValueOf(day, "moonPhase"), "0") << "a new-moon day";
}

// 2033: the leap month falls after the 11th month, not in the 7th.
TEST_F(CliBinaryTest, LeapEleventhMonthIn2033) {
    const CliRun run = Shipped({"year", "2033"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 1u);
    const std::string numbers = ValueOf(run.lines[0], "lunarMonthNumber");
    EXPECT_NE(numbers.find(",9,10,11,-11,"), std::string::npos) << numbers;
    EXPECT_EQ(numbers.find('-'), numbers.find("-11")) << "the only leap month: " << numbers;
}

// Golden Week 2019: ten days off in a row, two of them generated.
TEST_F(CliBinaryTest, TenDaysOffIn2019) {
    const CliRun run = Shipped({"day", "2019-04-27", "2019-05-06"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 10u);
    for (const std::string& day : run.lines) {
        SCOPED_TRACE(ValueOf(day, "date"));
        EXPECT_EQ(ValueOf(day, "dayOff"), "true");
    }
    EXPECT_NE(ValueOf(run.lines[3], "holiday").find("\"国民の休日\""), std::string::npos)
        << "4/30 is a holiday of its own that year";
    EXPECT_NE(ValueOf(run.lines[5], "generatedHoliday").find("国民の休日"), std::string::npos)
        << "5/2 lies between two holidays";
    EXPECT_NE(ValueOf(run.lines[9], "generatedHoliday").find("振り替え休日"), std::string::npos)
        << "5/6 stands in for Sunday 5/5";
}

TEST_F(CliBinaryTest, SetsubunAmongTheNotesOf2024) {
    const CliRun run = Shipped({"day", "2024-02-03"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_NE(ValueOf(run.lines[0], "notes").find("\"name\":\"節分\""), std::string::npos)
        << ValueOf(run.lines[0], "notes");
}

}  // namespace
}  // namespace kalendo

namespace kalendo {
namespace {

// The screen keys carry exactly what the window shows for the day, as the
// screen model builds it: every pane, both lists and the 42 cells.
TEST_F(CliBinaryTest, ScreenOfMidJune2024) {
    const CliRun run = Shipped({"day", "2024-06-15"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 1u);
    const std::string& day = run.lines[0];
    const std::string panes = ValueOf(day, "panes");
    EXPECT_EQ(ValueOf(panes, "date"), "\"2024/令和 6年 6月15日\"");
    EXPECT_EQ(ValueOf(panes, "oldCalendar"), "\" 旧歴  5月10日 友引\"");
    EXPECT_EQ(ValueOf(panes, "yearSign"), "\"甲辰の年 水無月\"");
    EXPECT_EQ(ValueOf(panes, "officer"), "\"定\"");
    EXPECT_EQ(ValueOf(panes, "mansion"), "\"胃\"");
    EXPECT_EQ(ValueOf(panes, "moon"), "\" 月齢:8.6\"");
    EXPECT_EQ(ValueOf(ValueOf(day, "officerDetail"), "title"), "\"十二直：定（さだん）\"");
    EXPECT_EQ(ValueOf(ValueOf(day, "mansionDetail"), "title"), "\"二十八宿：胃（い）\"");
    EXPECT_NE(ValueOf(ValueOf(day, "detail"), "almanac").find("太陽黄径 : 84.0"),
              std::string::npos);
    EXPECT_EQ(ValueOf(day, "title"), "\"KalendoⅡ [ 2024/ 6/15(土) ]\"");
    const std::string grid = ValueOf(day, "grid");
    // June 2024 starts on a Saturday: cell 0 is 26 May, cell 6 is 1 June,
    // and the selected day, today, is cell 20 with the today background.
    EXPECT_EQ(grid.rfind("[{\"day\":-26,\"text\":\"26\",\"fg\":[20,100,20],", 0), 0u) << grid;
    EXPECT_NE(grid.find("{\"day\":1,\"text\":\" 1\",\"fg\":[20,20,250],\"bg\":[235,240,245]}"),
              std::string::npos);
    EXPECT_NE(grid.find("{\"day\":15,\"text\":\"15\",\"fg\":[20,20,250],\"bg\":[255,255,180]}"),
              std::string::npos);
    EXPECT_EQ(ValueOf(day, "eventList"), "[]");
    EXPECT_EQ(ValueOf(day, "scheduleList"), "[]");
}

}  // namespace
}  // namespace kalendo
