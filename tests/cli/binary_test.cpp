// kalendo2-cli as scripts run it: the built executable, its streams and its
// exit status.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
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

    // `environment`: assignments put before the command; `oneStream`:
    // stderr goes into the same file as stdout (run.out); `stdoutTo`: the
    // shell's redirection of stdout ("" for the scratch file).
    CliRun Cli(const std::vector<std::string>& args, const std::string& environment = "",
               bool oneStream = false, const std::string& stdoutTo = "") {
        // timeout: a read that waits for ever fails the test instead of
        // hanging it.
        std::string command = environment + "timeout 20 " + Quoted(BinFolder() + "kalendo2-cli");
        for (const std::string& a : args) {
            command += ' ';
            command += Quoted(a);
        }
        command += " </dev/null ";
        if (stdoutTo.empty()) {
            command += '>';
            command += scratch_;
            command += "out";
        } else {
            command += stdoutTo;
        }
        command += " 2>";
        command += oneStream ? std::string("&1") : scratch_ + "err";
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
    ASSERT_EQ(mkdir((scratch_ + "empty").c_str(), 0700), 0);
    const CliRun run = Cli({"--data", scratch_ + "empty", "day", "2024-01-01"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "元号定義ファイルが開けません（ファイルがありません）: " + scratch_ + "empty/元号.Def\n");
}

// --data that names no readable folder is said so, with the reason, before
// any file is looked for.
TEST_F(CliBinaryTest, DataThatIsNoFolderIsNamedWithTheReason) {
    std::ofstream(scratch_ + "a-file") << "x";
    const struct {
        std::string dir;
        std::string reason;
    } cases[] = {
        {scratch_ + "nowhere", "No such file or directory"},
        {scratch_ + "a-file", "Not a directory"},
        {scratch_ + "a-file/below", "Not a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dir);
        const CliRun run = Cli({"--data", c.dir, "year", "2024"});
        EXPECT_EQ(run.status, 3);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "kalendo2-cli: " + c.dir + ": " + c.reason + "\n");
    }
}

// Output that cannot be written is an error, never a success: every
// command, --help too, to a full device and to a closed stdout.
TEST_F(CliBinaryTest, OutputThatCannotBeWrittenIsStatusThree) {
    const std::vector<std::string> commands[] = {
        {"--help"},
        {"--data", BinFolder(), "--today", "2024-06-15", "year", "2024"},
        {"--data", BinFolder(), "--today", "2024-06-15", "day", "2024-06-01", "2024-06-30"},
    };
    const struct {
        const char* redirect;
        const char* reason;
    } sinks[] = {
        {">/dev/full", "No space left on device"},
        {">&-", "Bad file descriptor"},
    };
    for (const auto& args : commands) {
        for (const auto& sink : sinks) {
            SCOPED_TRACE(args.back() + " " + sink.redirect);
            const CliRun run = Cli(args, "", false, sink.redirect);
            EXPECT_EQ(run.status, 3);
            EXPECT_EQ(run.err, std::string("kalendo2-cli: write error: ") + sink.reason + "\n");
        }
    }
    // The same commands to /dev/null succeed: the check finds no fault
    // where there is none.
    for (const auto& args : commands) {
        const CliRun run = Cli(args, "", false, ">/dev/null");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
    }
}

// Definition files that are no regular files, or far too large, are
// refused at once with their file's message, the reason and the path:
// never waited on, never read into memory without end.
TEST_F(CliBinaryTest, FilesThatAreNoRegularFilesAreRefused) {
    constexpr char kNotRegular[] = "FIFO やデバイスなど、通常のファイルではありません";
    constexpr char kTooLarge[] = "16 MiB を超える大きさです";
    const struct {
        const char* file;
        const char* what;  // fifo, device, folder, oversize, zeros
        const char* message;
        const char* reason;
    } cases[] = {
        {"元号.Def", "fifo", "元号定義ファイルが開けません", kNotRegular},
        {"祝日.Def", "device", "祝日定義ファイルが開けません", kNotRegular},
        {"Schedule.Def", "device", "スケジュール定義ファイルが開けません", kNotRegular},
        {"暦日.Def", "folder", "暦日定義ファイルが開けません", "ファイルではなくフォルダーです"},
        {"Usr.Def", "oversize", "ユーザー定義ファイルが開けません", kTooLarge},
        {"Usr.Def", "zeros", "ユーザー定義ファイルが開けません", kTooLarge},
        {"Schedule.Def", "fifo", "スケジュール定義ファイルが開けません", kNotRegular},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.what);
        DefinitionFolder folder;
        const std::string path = folder.path() + c.file;
        fs::remove(path);
        const std::string what = c.what;
        if (what == "fifo") {
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        } else if (what == "device") {
            fs::create_symlink("/dev/zero", path);
        } else if (what == "folder") {
            fs::create_directory(path);
        } else {
            // Sparse: 16 MiB and a byte, or 300 MB of zeros.
            std::ofstream(path, std::ios::binary) << "";
            fs::resize_file(path, what == "oversize" ? (16u << 20) + 1 : 300'000'000u);
        }
        const CliRun run = Cli({"--data", folder.path(), "--today", "2024-06-15", "year", "2024"});
        EXPECT_EQ(run.status, 3);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string(c.message) + "（" + c.reason + "）: " + path + "\n");
    }
}

// A control character from a definition file reaches the terminal
// escaped: an ESC sequence in a holiday's name is shown, not obeyed.
TEST_F(CliBinaryTest, ControlBytesInMessagesAreEscaped) {
    DefinitionFolder folder;
    std::ofstream(folder.path() + "祝日.Def", std::ios::binary)
        << Cp932FromUtf8("壊れ\x1b[2J\x07\x1b[31m\x7f ( 2024 - 2026 ) / 1/Xyz x\n");
    const CliRun run = Cli({"--data", folder.path(), "--today", "2024-06-15", "year", "2024"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\x07'), std::string::npos) << run.err;
    EXPECT_EQ(run.err.rfind("壊れ\\x1b[2J\\x07\\x1b[31m\\x7fの表現式", 0), 0u) << run.err;
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

// 祝日.Def saved as UTF-8 by an editor, with the byte-order mark and
// without: the same holidays; one holding a character CP932 cannot hold is
// fatal with the file, the line and the character named.
TEST_F(CliBinaryTest, HolidayFileSavedAsUtf8) {
    const std::string utf8 = Utf8FromCp932(ReadFileBytes(BinFolder() + "祝日.Def"));
    for (const std::string prefix : {"", "\xEF\xBB\xBF"}) {
        SCOPED_TRACE(prefix.empty() ? "without the mark" : "with the mark");
        DefinitionFolder folder;
        std::ofstream(folder.path() + "祝日.Def", std::ios::binary | std::ios::trunc) << prefix << utf8;
        const CliRun run = Cli({"--data", folder.path(), "--today", "2024-06-15", "day", "2024-05-03"});
        EXPECT_EQ(run.status, 0) << run.err;
        ASSERT_EQ(run.lines.size(), 1u);
        EXPECT_EQ(ValueOf(run.lines[0], "holiday"), R"({"index":13,"name":"憲法記念日"})");
    }
    DefinitionFolder folder;
    std::ofstream(folder.path() + "祝日.Def", std::ios::binary | std::ios::trunc)
        << "元日 ( 1949 - 9999 ) / 1/1 x\n誕生日\U0001F382 ( 2000 - 9999 ) / 7/7 x\n";
    const CliRun run = Cli({"--data", folder.path(), "--today", "2024-06-15", "day", "2024-05-03"});
    EXPECT_EQ(run.status, 3);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(run.err,
              "定義ファイル 祝日.Def の 2 行目 4 文字目の文字「\U0001F382」（U+1F382）はシフトJIS"
              "（コードページ932）で表せません. 別の文字に置き換えてください\n");
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

// stdout is buffered, yet with both streams in one file each range message
// stands right before the refused date's object, after the day before it.
TEST_F(CliBinaryTest, RangeMessagesStayBetweenTheirLinesInOneStream) {
    const CliRun run =
        Cli({"--data", BinFolder(), "--today", "2024-06-15", "day", "2999-12-31", "3000-01-02"}, "",
            true);
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 5u) << run.out;
    EXPECT_EQ(ValueOf(run.lines[0], "date"), "\"2999-12-31\"");
    EXPECT_EQ(run.lines[1], "ERROR : 年月の設定範囲が不適切です.");
    EXPECT_EQ(run.lines[2], R"({"date":"3000-01-01","accepted":false})");
    EXPECT_EQ(run.lines[3], "ERROR : 年月の設定範囲が不適切です.");
    EXPECT_EQ(run.lines[4], R"({"date":"3000-01-02","accepted":false})");
}

// A long range goes out whole: every day once, in order, each line one
// complete object.
TEST_F(CliBinaryTest, LongRangeStreamsEveryDayInOrder) {
    const CliRun run = Shipped({"day", "2023-12-01", "2024-03-10"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 101u);
    EXPECT_EQ(ValueOf(run.lines.front(), "date"), "\"2023-12-01\"");
    EXPECT_EQ(ValueOf(run.lines[90], "date"), "\"2024-02-29\"");
    EXPECT_EQ(ValueOf(run.lines.back(), "date"), "\"2024-03-10\"");
    for (const std::string& line : run.lines) {
        EXPECT_TRUE(line.front() == '{' && line.back() == '}') << line.substr(0, 80);
    }
}

// Without iconv's CP932 converter nothing can be converted: the program
// says so in plain ASCII and ends with status 3 before printing anything,
// instead of passing CP932 bytes through as if they were UTF-8. The shim
// preloaded here makes iconv_open refuse "CP932" as a system without the
// converter does.
TEST_F(CliBinaryTest, MissingCp932ConverterIsFatal) {
    std::string environment = "LD_PRELOAD=";
    environment += Quoted(K2_NO_CP932_SHIM);
    environment += " ASAN_OPTIONS=verify_asan_link_order=0 ";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"day", "2024-01-01"}, {"year", "2024"}, {"--help"}}) {
        SCOPED_TRACE(args.front());
        const CliRun run = Cli(args, environment);
        EXPECT_EQ(run.status, 3);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err,
                  "kalendo2-cli: the iconv converter from \"CP932\" to \"UTF-8\" cannot be "
                  "opened: Invalid argument\n");
    }
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
    // 1 June is 旧4/25 仏滅 and the 15th 旧5/10 友引.
    EXPECT_NE(grid.find("{\"day\":1,\"text\":\" 1\",\"fg\":[20,20,250],\"bg\":[235,240,245],"
                        "\"lunarText\":\"25 仏滅\"}"),
              std::string::npos);
    EXPECT_NE(grid.find("{\"day\":15,\"text\":\"15\",\"fg\":[20,20,250],\"bg\":[255,255,180],"
                        "\"lunarText\":\"10 友引\"}"),
              std::string::npos);
    EXPECT_EQ(ValueOf(day, "eventList"), "[]");
    EXPECT_EQ(ValueOf(day, "scheduleList"), "[]");
}

// "places": the listed places, one object a line, no definition file read;
// a refused --place is a usage error naming the argument.
TEST_F(CliBinaryTest, PlacesAndRefusedPlaces) {
    const CliRun run = Cli({"places", "--data", "/nonexistent"});
    EXPECT_EQ(std::make_tuple(run.status, run.err), std::make_tuple(0, std::string()));
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 48);
    EXPECT_EQ(run.out.rfind("{\"name\":\"東京\",\"latitude\":35.658", 0), 0u) << run.out;
    for (const char* value : {"那覇市", "91,0"}) {
        const CliRun refused = Cli({"day", "2026-01-01", "--place", value});
        EXPECT_EQ(std::make_tuple(refused.status, refused.out), std::make_tuple(2, std::string()));
        EXPECT_EQ(refused.err.rfind(std::string("kalendo2-cli: --place: "), 0), 0u) << refused.err;
        EXPECT_NE(refused.err.find(value), std::string::npos) << refused.err;
    }
}

// "eclipses": one line per eclipse with its contacts in Japanese, no
// definition file read; with --place a day object ends with its eclipse.
TEST_F(CliBinaryTest, EclipsesSeenFromAPlace) {
    const CliRun run = Cli({"eclipses", "2022-11-01", "2022-11-30", "--data", "/nonexistent"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("{\"kind\":\"lunar\",\"type\":\"total\",\"date\":\"2022-11-08\","
                            "\"contacts\":{\"半影食の始め\":\"2022-11-08T17:01:", 0),
              0u) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
    const CliRun day = Cli({"day", "2030-06-01", "--place", "札幌"});
    EXPECT_EQ(day.status, 0);
    EXPECT_NE(day.out.find("},\"eclipse\":{\"kind\":\"solar\",\"type\":\"annular\""),
              std::string::npos) << day.out;
    EXPECT_EQ(day.out.substr(day.out.size() - 3), "}}\n");
    const CliRun none = Cli({"day", "2030-06-02", "--place", "札幌"});
    EXPECT_EQ(none.out.find("\"eclipse\""), std::string::npos);
    const CliRun refused = Cli({"eclipses", "2999-12-31", "3000-01-01"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
}

// day --place: the object without --place, then "sky" with its keys in
// order; null on a day without the event, a list on a day with two.
TEST_F(CliBinaryTest, DaySkyFollowsEveryOtherKey) {
    struct Case { const char* day; const char* place; const char* moonrise; const char* dawn; };
    const Case cases[] = {
        {"2026-01-10", "東京", "null", "\"06:15:"},  {"2026-06-10", "65,139.7", "[\"00:09:", "null"},
        {"1600-01-01", "那覇", "\"", "\""},         {"2999-12-31", "-65,-180", "\"", "null"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day);
        const std::string plain = Shipped({"day", c.day}).out;
        const CliRun run = Shipped({"day", c.day, "--place", c.place});
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_EQ(plain.substr(0, plain.size() - 2) + ",\"sky\":", run.out.substr(0, plain.size() + 5));
        const JsonMembers sky = MembersOf(MembersOf(run.out.substr(0, run.out.size() - 1)).back().second);
        std::string keys;
        for (const auto& [key, value] : sky) keys += key + " ";
        EXPECT_EQ(keys, "place sunrise sunTransit sunTransitAltitude sunset dawn dusk moonrise moonTransit moonset ");
        ASSERT_EQ(sky.size(), 10u);
        EXPECT_EQ(sky[0].second.rfind("{\"name\":\"" + std::string(c.place) + "\",\"latitude\":", 0), 0u);
        EXPECT_EQ(sky[7].second.rfind(c.moonrise, 0), 0u) << sky[7].second;
        EXPECT_EQ(sky[5].second.rfind(c.dawn, 0), 0u) << sky[5].second;
    }
}

}  // namespace
}  // namespace kalendo
