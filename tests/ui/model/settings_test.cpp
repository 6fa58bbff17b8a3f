#include "ui/model/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "core/month_record.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"

namespace kalendo {
namespace {

std::tuple<int, int, int, int> Fields(const AppSettings& s) {
    return {s.windowLeft, s.windowTop, s.sizeMode, s.viewMode};
}

// A folder of its own per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("k2_settings_") + info->name() + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::string File(const char* name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

struct PathCase {
    const char* executable;
    const char* settings;
    const char* help;
    const char* why;
};
constexpr PathCase kPathCases[] = {
    {"/opt/kalendo2/Kalendo2", "/opt/kalendo2/Kalendo2.Ini", "/opt/kalendo2/Help/index.html",
     "no extension: .Ini appended"},
    {"/opt/k.2/Kalendo2", "/opt/k.2/Kalendo2.Ini", "/opt/k.2/Help/index.html",
     "a dot in the folder is not an extension"},
    {"/usr/bin/Kalendo2.exe", "/usr/bin/Kalendo2.Ini", "/usr/bin/Help/index.html",
     "the extension is replaced"},
    {"/home/u/Cal.v2.bin", "/home/u/Cal.v2.Ini", "/home/u/Help/index.html",
     "only the last extension goes"},
    {"/home/u/.Kalendo2", "/home/u/.Kalendo2.Ini", "/home/u/Help/index.html",
     "a leading dot hides the file, it is no extension"},
    {"/Kalendo2", "/Kalendo2.Ini", "/Help/index.html", "the root folder"},
};

TEST(SettingsPaths, FromExecutable) {
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(SettingsPathFromExecutable(c.executable), c.settings);
        EXPECT_EQ(HelpPagePathFromExecutable(c.executable), c.help);
    }
}

TEST(SettingsPaths, AboutVersionLine) { EXPECT_EQ(AboutVersionText(), "Kalendo2 Version 1.18"); }

TEST(SettingsPaths, LocateFromPlatform) {
    ScopedRecordingPlatform platform;
    platform->executablePath = "/opt/kalendo2/Kalendo2";
    const AppPaths paths = LocateAppPaths();
    EXPECT_EQ(paths.executable, "/opt/kalendo2/Kalendo2");
    EXPECT_EQ(paths.settingsFile, "/opt/kalendo2/Kalendo2.Ini");
    EXPECT_EQ(paths.helpPage, "/opt/kalendo2/Help/index.html");
    EXPECT_EQ(paths.folder, "/opt/kalendo2/");
    EXPECT_TRUE(platform->messages.empty());
}

TEST(SettingsPaths, UnknownExecutablePathIsFatal) {
    const std::optional<std::string> kBadPaths[] = {std::nullopt, std::string(""),
                                                     std::string("Kalendo2")};
    for (const auto& bad : kBadPaths) {
        ScopedRecordingPlatform platform;
        platform->executablePath = bad;
        EXPECT_THROW(LocateAppPaths(), FatalExit);
        ASSERT_EQ(platform->MessagesUtf8().size(), 1u);
        EXPECT_EQ(platform->MessagesUtf8()[0],
                  "ERROR : 実行ファイルパスが取得できません, Kalendo2 を終了します.");
    }
}

// Every case starts from left 11, top 22, enlarged, monthly: a value that
// stays so was not touched.
struct ParseCase {
    const char* text;
    bool ok;
    int left, top, size, view;
    const char* why;
};
const ParseCase kParseCases[] = {
    {"", true, 11, 22, 1, 1, "an empty file counts as read and changes nothing"},
    {";;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n329 : 208\n\n"
     "[Size]\n0\n\n[View]\n0\n\n",
     true, 329, 208, 0, 0, "the file as written"},
    {";;; For Ver. 1.18 ;;;\r\n\r\n[Position]\r\n-5 : 40\r\n\r\n[Size]\r\n0\r\n\r\n[View]\r\n"
     "0\r\n\r\n",
     true, -5, 40, 0, 0, "CR LF line ends"},
    {"[Size]\n0\n", true, 11, 22, 0, 1, "missing sections leave their values"},
    {"[Position]\n", true, 11, 22, 1, 1, "[Position] as the last line is accepted"},
    {"[Position]\n10 : 20\n[Size]\n0\n[View]\n", false, 10, 20, 0, 1,
     "[View] as the last line fails the read"},
    {"[Size]\n", false, 11, 22, 1, 1, "[Size] as the last line fails the read"},
    {"[Size]", true, 11, 22, 1, 1, "a header without its line break is no header"},
    {"[Position] \n10 : 20\n", true, 11, 22, 1, 1, "a trailing blank makes it no header"},
    {"[position]\n10 : 20\n", true, 11, 22, 1, 1, "headers are case-sensitive"},
    {"[Position]\n15 :\n", true, 15, 22, 1, 1, "a colon without a second number"},
    {"[Position]\n-40:  -7\n", true, -40, -7, 1, 1, "blanks around the colon are optional"},
    {"[Position]\nx : 5\n", true, 11, 22, 1, 1, "an unparsable first number stops the line"},
    {"[Position]\n[Size]\n0\n", true, 11, 22, 0, 1,
     "a header as value line is still recognised"},
    {"[Size]\n[View]\n0\n", true, 11, 22, 1, 0, "the same for [Size] followed by [View]"},
    {"[Size]\n7\n[View]\n-1\n", true, 11, 22, 0, 0, "modes other than 0 and 1 read as 0"},
    {"[Size]\r1\n", true, 11, 22, 1, 1, "a lone CR does not end a line"},
    {"[View]\n0\n[Size]\n0\n", true, 11, 22, 0, 0, "sections in any order"},
};

TEST(ParseSettings, EveryShape) {
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(c.why);
        AppSettings s{11, 22, 1, 1};
        EXPECT_EQ(ParseSettings(c.text, s), c.ok);
        EXPECT_EQ(Fields(s), std::make_tuple(c.left, c.top, c.size, c.view));
    }
}

// The lower register's lines: written only when not the defaults, so an
// older file (and an older program reading a newer one) is undisturbed;
// what does not parse keeps the default.
TEST(SettingsText, RekichuLinesRoundTripAndOnlyWhenChosen) {
    const std::string base = SettingsText(AppSettings{});
    const std::string onlyTensha = "[RekichuPicks]\n" + std::string("1") + std::string(32, '0') + "\n";
    const struct {
        RekichuReadings readings;
        RekichuSet picks;
        std::string tail;
    } cases[] = {
        {{}, kDefaultRekichuPicks, ""},
        {{IchiryuReading::OneBranch, DaimyoReading::TwentyOne}, kDefaultRekichuPicks, "[Rekichu]\n1 1\n"},
        {{}, RekichuBit(RekichuName::Tensha), onlyTensha},
        {{{}, DaimyoReading::TwentyOne}, 0, "[Rekichu]\n0 1\n[RekichuPicks]\n" + std::string(33, '0') + "\n"},
    };
    for (const auto& c : cases) {
        AppSettings s{};
        s.rekichuReadings = c.readings;
        s.rekichuPicks = c.picks;
        EXPECT_EQ(SettingsText(s), base + c.tail);
        AppSettings read{};
        ASSERT_TRUE(ParseSettings(SettingsText(s), read));
        EXPECT_EQ(read.rekichuReadings, c.readings);
        EXPECT_EQ(read.rekichuPicks, c.picks);
    }
    for (const std::string& bad : {std::string("[Rekichu]\n2 x\n[RekichuPicks]\n101\n"),
                                  "[RekichuPicks]\n" + std::string(32, '0') + "2\n"}) {
        AppSettings read{};
        ASSERT_TRUE(ParseSettings(base + bad, read));
        EXPECT_EQ(read.rekichuReadings, RekichuReadings{}) << bad;
        EXPECT_EQ(read.rekichuPicks, kDefaultRekichuPicks) << bad;
    }
}

TEST(ParseSettings, LongLinesAreReadIn1023ByteParts) {
    // The rest of an over-long line is a line of its own, so a header can
    // hide at byte 1024 of a physical line.
    AppSettings s{};
    const std::string text = std::string(1023, 'x') + "[Size]\n1\n";
    EXPECT_TRUE(ParseSettings(text, s));
    EXPECT_EQ(s.sizeMode, 1);
    AppSettings t{};
    EXPECT_TRUE(ParseSettings(std::string(1022, 'x') + "[Size]\n1\n", t));
    EXPECT_EQ(t.sizeMode, 0);
}

TEST(SettingsText, ElevenLinesWithDefaultsOn1024By768) {
    AppSettings s{};
    ResetSettings(s, ScreenSize{1024, 768});
    EXPECT_EQ(Fields(s), std::make_tuple(329, 208, 0, 0));
    EXPECT_EQ(SettingsText(s),
              ";;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n"
              "\n[Position]\n329 : 208\n\n[Size]\n0\n\n[View]\n0\n\n");
}

TEST(ResetSettings, CentresTheNormalFullFrame) {
    struct Case { int w, h, left, top; } const kCases[] = {
        {1920, 1080, 777, 364}, {365, 352, 0, 0}, {300, 300, -32, -26},  // truncated toward zero
    };
    for (const auto& c : kCases) {
        AppSettings s{5, 5, 1, 1};
        ResetSettings(s, ScreenSize{c.w, c.h});
        EXPECT_EQ(Fields(s), std::make_tuple(c.left, c.top, 0, 0)) << c.w << 'x' << c.h;
    }
}

TEST(SettingsFile, WriteThenRead) {
    ScopedRecordingPlatform platform;
    TempFolder folder;
    const std::string path = folder.File("Kalendo2.Ini");
    const AppSettings written{-12, 345, 1, 1};
    ASSERT_TRUE(WriteSettings(path, written));
    EXPECT_EQ(ReadWholeFile(path).value_or(""), SettingsText(written));
    AppSettings read{};
    EXPECT_TRUE(ReadSettings(path, read));
    EXPECT_EQ(Fields(read), Fields(written));
    EXPECT_TRUE(platform->messages.empty());
}

TEST(SettingsFile, UnwritableFileShowsTheMessage) {
    ScopedRecordingPlatform platform;
    TempFolder folder;
    EXPECT_FALSE(WriteSettings(folder.File("missing/Kalendo2.Ini"), AppSettings{}));
    ASSERT_EQ(platform->MessagesUtf8().size(), 1u);
    EXPECT_EQ(platform->MessagesUtf8()[0], "設定ファイルを書き込めません（フォルダーがありません）.\r\n" +
                                               folder.File("missing/Kalendo2.Ini"));
}

TEST(SettingsFile, StartUpDefaultsWhenMissingOrBroken) {
    ScopedRecordingPlatform platform;
    TempFolder folder;
    const ScreenSize screen{1920, 1080};
    const AppSettings missing = LoadSettingsAtStartUp(folder.File("none.Ini"), screen);
    EXPECT_EQ(Fields(missing), std::make_tuple(777, 364, 0, 0));

    // A failed read overwrites what was read before the failure.
    const std::string broken = folder.File("broken.Ini");
    ASSERT_TRUE(WriteFileAtomically(broken, "[Position]\n10 : 20\n[Size]\n1\n[View]\n"));
    EXPECT_EQ(Fields(LoadSettingsAtStartUp(broken, screen)), std::make_tuple(777, 364, 0, 0));

    const std::string empty = folder.File("empty.Ini");
    ASSERT_TRUE(WriteFileAtomically(empty, ""));
    EXPECT_EQ(Fields(LoadSettingsAtStartUp(empty, screen)), std::make_tuple(0, 0, 0, 0));
    EXPECT_TRUE(platform->messages.empty());
}

// A settings file that is no regular file counts as missing (defaults, at
// once, never waited on) and is never written through or replaced.
TEST(SettingsFile, NoRegularFileCountsAsMissingAndIsNotWritten) {
    ScopedRecordingPlatform platform;
    TempFolder folder;
    const std::string fifo = folder.File("fifo.Ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string device = folder.File("device.Ini");
    std::filesystem::create_symlink("/dev/zero", device);
    const std::string dir = folder.File("dir.Ini");
    std::filesystem::create_directory(dir);
    const ScreenSize screen{1920, 1080};
    for (const std::string& path : {fifo, device, dir}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(Fields(LoadSettingsAtStartUp(path, screen)), std::make_tuple(777, 364, 0, 0));
        EXPECT_FALSE(WriteSettings(path, AppSettings{1, 2, 1, 1}));
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(device));
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    const std::string message = "設定ファイルを書き込めません（";
    EXPECT_EQ(platform->MessagesUtf8(),
              (std::vector<std::string>{message + "FIFO やデバイスなど、通常のファイルではありません）.\r\n" + fifo,
                                        message + "FIFO やデバイスなど、通常のファイルではありません）.\r\n" + device,
                                        message + "同じ名前のフォルダーがあります）.\r\n" + dir}));
}

// The modes every month computation is handed come from the settings as
// they stand; a value the settings cannot hold means the default.
TEST(SettingsFile, MonthOptionsFollowTheSettings) {
    const struct {
        int viewMode, almanacMode;
        int display;
        AlmanacMode almanac;
    } kCases[] = {
        {kViewFull, kAlmanacStandard, kViewFull, AlmanacMode::Standard},
        {kViewMonthly, kAlmanacStandard, kViewMonthly, AlmanacMode::Standard},
        {kViewFull, kAlmanacPrecise, kViewFull, AlmanacMode::Precise},
        {kViewMonthly, kAlmanacPrecise, kViewMonthly, AlmanacMode::Precise},
        {7, 7, kViewFull, AlmanacMode::Standard},
    };
    for (const auto& c : kCases) {
        const MonthOptions o = MonthOptionsOf(AppSettings{0, 0, 0, c.viewMode, c.almanacMode});
        EXPECT_EQ(o.display, c.display) << c.viewMode;
        EXPECT_EQ(o.almanac, c.almanac) << c.almanacMode;
    }
}

}  // namespace
}  // namespace kalendo

namespace kalendo {

// The week's lines: written only when not the default, so a default file
// keeps its eleven lines; read in any order, and only 1 switches on.
TEST(SettingsText, WeekLinesRoundTrip) {
    const std::string eleven = SettingsText(AppSettings{1, 2, 0, 0});
    const struct { const char* tail; WeekStart start; bool numbers; const char* written; } cases[] = {
        {"", WeekStart::Sunday, false, ""},
        {"[WeekNumber]\n1\n[WeekStart]\n1\n", WeekStart::Monday, true, "[WeekStart]\n1\n[WeekNumber]\n1\n"},
        {"[WeekStart]\n2\n[WeekNumber]\n0\n", WeekStart::Sunday, false, ""},
        {"[Grid]\n1\n[WeekStart]\n", WeekStart::Sunday, false, "[Grid]\n1\n"},
    };
    for (const auto& c : cases) {
        AppSettings s;
        ParseSettings(eleven + c.tail, s);
        EXPECT_EQ(std::tie(s.weekStart, s.weekNumbers), std::tie(c.start, c.numbers)) << c.tail;
        EXPECT_EQ(SettingsText(s), eleven + c.written);
    }
}

// 「配色」: a line only for a fixed set, after the feed's block; read back,
// anything but 1 and 2 following the desktop.
TEST(SettingsText, ColourSchemeLineLastAndReadBack) {
    const std::string eleven = SettingsText(AppSettings{1, 2, 0, 0});
    const struct { const char* tail; SchemeChoice choice; const char* written; } cases[] = {
        {"", SchemeChoice::Auto, ""},
        {"[ColourScheme]\n2\n", SchemeChoice::Dark, "[ColourScheme]\n2\n"},
        {"[ColourScheme]\r\n1\r\n[Grid]\n1\n", SchemeChoice::Light, "[Grid]\n1\n[ColourScheme]\n1\n"},
        {"[ColourScheme]\n3\n", SchemeChoice::Auto, ""},
        {"[ColourScheme]\n", SchemeChoice::Auto, ""},
        {"[ColourScheme]\n2\n[Feed]\n1\nmoon\n\n", SchemeChoice::Dark, "[Feed]\n1\nmoon\n\n[ColourScheme]\n2\n"},
    };
    for (const auto& c : cases) {
        AppSettings s;
        ParseSettings(eleven + c.tail, s);
        EXPECT_EQ(s.colourScheme, c.choice) << c.tail;
        EXPECT_EQ(SettingsText(s), eleven + c.written) << c.tail;
    }
}

namespace {

// The window's feed: written only when not all defaults, read back whole,
// a block cut short or a list not understood kept safe.
TEST(SettingsText, TheFeedBlockLastAndReadBack) {
    const struct { const char* tail; bool on; IcsInclude kinds; const char* path; bool asWritten; } cases[] = {
        {"[Feed]\n1\nholidays,rokuyo\n/home/u/k.ics\n", true, IcsInclude::Of({IcsWord::Holidays, IcsWord::Rokuyo}),
         "/home/u/k.ics", true},
        {"[Feed]\n0\nholidays,notes,users,schedules,rokuyo,lunar,moon,rekichu,eclipses\n/x\n", false, IcsInclude::All(), "/x", true},
        {"[Feed]\r\n1\r\nstars\r\n\r\n", true, IcsInclude::All(), "", false},
        {"[Feed]\n1\n", true, IcsInclude::All(), "", false},
        {"", false, IcsInclude::All(), "", true},  // all defaults: no block
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tail);
        AppSettings s;
        ASSERT_TRUE(ParseSettings(SettingsText(AppSettings{}) + c.tail, s));
        EXPECT_EQ(std::tie(s.feedOn, s.feedKinds, s.feedPath), std::make_tuple(c.on, c.kinds, c.path));
        if (c.asWritten) {
            EXPECT_EQ(SettingsText(s), SettingsText(AppSettings{}) + c.tail);
        }
    }
}

}  // namespace
}  // namespace kalendo
