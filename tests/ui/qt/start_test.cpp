// The window's refused starts, with the built program: without a display,
// and a second window on a data folder that a running one holds. Each run
// uses a copy of the program in a folder of its own (a portable copy keeps
// its data beside itself), so no two tests share a data folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_io.h"
#include "platform/instance_lock.h"
#include "platform/recording_platform.h"
#include "ui/model/file_locations.h"
#include "ui/qt/start_checks.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

std::string BinFolder() {
    const char* bin = std::getenv("K2_BIN_DIR");
    return bin != nullptr ? std::string(bin) + "/" : "build/bin/";
}

// A portable copy of the window with the five definition files.
class PortableCopy {
public:
    PortableCopy() {
        std::string pattern = (fs::temp_directory_path() / "k2-start-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        for (const char* name : {"Kalendo2", "元号.Def", "祝日.Def", "暦日.Def", "Usr.Def", "Schedule.Def"}) {
            fs::copy_file(BinFolder() + name, folder_ / name);
        }
    }
    ~PortableCopy() { fs::remove_all(folder_); }
    const fs::path& folder() const { return folder_; }

    // Every file's bytes, by name (the lock file's too).
    std::map<std::string, std::string> Files() const {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(folder_)) {
            files[e.path().filename()] = ReadWholeFile(e.path().string()).value_or("<unreadable>");
        }
        return files;
    }

private:
    fs::path folder_;
};

struct ShellRun {
    int status = -1;
    std::string err;
};

ShellRun RunShell(const std::string& command, const fs::path& errFile) {
    ShellRun run;
    const int raw = std::system((command + " 2>" + errFile.string()).c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = ReadWholeFile(errFile.string()).value_or("");
    return run;
}

TEST(RefusedStart, WithoutAGraphicalSessionOneLineAndStatusOne) {
    PortableCopy copy;
    const ShellRun run = RunShell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 " +
                                 (copy.folder() / "Kalendo2").string() + " </dev/null >/dev/null",
                             copy.folder() / "err");
    EXPECT_EQ(run.status, kRefusedStartStatus);
    EXPECT_EQ(run.err,
              "Kalendo2 の起動にはグラフィカルセッションが必要です（DISPLAY・WAYLAND_DISPLAY・"
              "QT_QPA_PLATFORM のいずれも設定されていません）.\n");
    EXPECT_FALSE(fs::exists(copy.folder() / "Kalendo2.Ini")) << "no file written";
}

TEST(RefusedStart, TheCheckAsksForAnyOfTheThreeVariables) {
    const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    std::map<std::string, std::string> saved;
    for (const char* n : names) {
        if (const char* v = std::getenv(n)) saved[n] = v;
        unsetenv(n);
    }
    EXPECT_FALSE(HasGraphicalSession());
    for (const char* n : names) {
        setenv(n, "", 1);
        EXPECT_FALSE(HasGraphicalSession()) << n << " empty";
        setenv(n, n[0] == 'Q' ? "offscreen" : ":0", 1);
        EXPECT_TRUE(HasGraphicalSession()) << n;
        unsetenv(n);
    }
    for (const auto& [n, v] : saved) setenv(n.c_str(), v.c_str(), 1);
}

// Which platforms Qt would try, and the one line that names what each of
// them lacks when none can start. `plugins`: the plugin names present.
struct DisplayCase {
    const char* chosen;
    const char* x11;
    const char* wayland;
    std::vector<std::string> plugins;
    bool x11Answers, waylandAnswers;
    const char* refusal;  // after the heading; "" when Qt can start
    const char* why;
};
const DisplayCase kDisplayCases[] = {
    {"", "", "wayland-0", {"xcb"}, false, true,
     "Wayland で表示する Qt のプラグインがありません（qt6-wayland パッケージをインストールしてください）. "
     "X11 で表示するには DISPLAY の設定が必要です.",
     "a Wayland session without qt6-wayland"},
    {"", "", "wayland-0", {"xcb", "wayland"}, false, true, "", "a Wayland session with it"},
    {"", "", "wayland-9", {"xcb", "wayland"}, false, false,
     "Wayland のディスプレイ「wayland-9」に接続できません. X11 で表示するには DISPLAY の設定が必要です.",
     "no compositor behind WAYLAND_DISPLAY"},
    {"", ":7", "", {"xcb"}, false, false, "X のディスプレイ「:7」に接続できません.", "no X server"},
    {"", ":0", "", {"xcb"}, true, false, "", "plain X11"},
    {"", ":0", "wayland-0", {"xcb"}, true, true, "", "no Wayland plugin, but Qt goes on to X11"},
    {"wayland", ":0", "wayland-0", {"xcb"}, true, true,
     "Wayland で表示する Qt のプラグインがありません（qt6-wayland パッケージをインストールしてください）.",
     "the user chose Wayland alone"},
    {"xcb", "", "wayland-0", {"xcb", "wayland"}, false, true,
     "X11 で表示するには DISPLAY の設定が必要です.", "the user chose X11 without a display"},
    {"Offscreen:fontengine=freetype", "", "", {"offscreen"}, false, false, "",
     "names in any case, options after a colon"},
    {"k2none;xcb", ":0", "", {"xcb"}, true, false, "", "the first of a list is missing"},
    {"k2none", "", "", {"xcb"}, false, false, "Qt の表示プラグイン「k2none」がありません.",
     "a platform that is not installed"},
};

TEST(RefusedStart, NoDisplayPlatformIsNamedInOneLine) {
    for (const DisplayCase& c : kDisplayCases) {
        SCOPED_TRACE(c.why);
        DisplayFacts facts;
        facts.chosen = c.chosen;
        facts.x11Display = c.x11;
        facts.waylandDisplay = c.wayland;
        facts.hasPlugin = [&c](std::string_view name) {
            return std::find(c.plugins.begin(), c.plugins.end(), name) != c.plugins.end();
        };
        facts.x11Answers = [&c] { return c.x11Answers; };
        facts.waylandAnswers = [&c] { return c.waylandAnswers; };
        const std::string refusal = DisplayPlatformRefusal(facts);
        EXPECT_EQ(refusal, *c.refusal == '\0' ? "" : std::string("Kalendo2 を起動できません. ") + c.refusal);
        EXPECT_EQ(refusal.find('\n'), std::string::npos) << "one line";
    }
}

// The plugin files are looked for in QT_PLUGIN_PATH's folders as well as
// Qt's own; a display that does not exist does not answer.
TEST(RefusedStart, DisplayFactsOfTheProcess) {
    PortableCopy copy;
    fs::create_directories(copy.folder() / "plugins/platforms");
    std::ofstream(copy.folder() / "plugins/platforms/libqk2fake.so") << "";
    const char* const kNames[] = {"QT_PLUGIN_PATH", "XDG_RUNTIME_DIR", "WAYLAND_DISPLAY", "WAYLAND_SOCKET"};
    std::map<std::string, std::string> saved;
    for (const char* n : kNames) {
        if (const char* v = std::getenv(n)) saved[n] = v;
    }
    setenv("QT_PLUGIN_PATH", ("/nonexistent:" + (copy.folder() / "plugins").string()).c_str(), 1);
    setenv("XDG_RUNTIME_DIR", copy.folder().c_str(), 1);
    setenv("WAYLAND_DISPLAY", "k2-no-compositor", 1);
    unsetenv("WAYLAND_SOCKET");
    const DisplayFacts facts = ReadDisplayFacts();
    EXPECT_TRUE(facts.hasPlugin("k2fake"));
    EXPECT_TRUE(facts.hasPlugin("offscreen")) << "Qt's own folder";
    EXPECT_FALSE(facts.hasPlugin("k2none"));
    EXPECT_FALSE(facts.hasPlugin("../platforms/libqk2fake"));
    EXPECT_FALSE(facts.waylandAnswers());
    for (const char* n : kNames) {
        if (saved.count(n)) setenv(n, saved[n].c_str(), 1);
        else unsetenv(n);
    }
}

// A window runs (offscreen) on the copy; a second start on the same folder
// is told so, and touches no file; once the first is gone a start is free.
TEST(RefusedStart, ASecondWindowOnTheSameFolderIsTurnedAway) {
    PortableCopy copy;
    const pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const std::string exe = (copy.folder() / "Kalendo2").string();
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // The lock file appears once the first window holds it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(copy.folder() / kLockFileName) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(fs::exists(copy.folder() / kLockFileName));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // its start-up done
    const auto before = copy.Files();

    // The second start, as main() runs it, in a process of its own with the
    // message recorded instead of shown in a box.
    LocationFacts facts;
    facts.executablePath = (copy.folder() / "Kalendo2").string();
    facts.programFolderWritable = true;
    const FileLocations locations = LocateFiles(facts, [](const std::string& p) { return fs::exists(p); });
    const auto secondStart = [&] {
        const pid_t second = fork();
        if (second == 0) {
            ScopedRecordingPlatform platform;
            const bool started = TakeSingleInstanceLock(locations);
            const bool told = platform->MessagesUtf8() ==
                              std::vector<std::string>{"Kalendo2 は既に起動しています. "
                                                       "同じデータフォルダーでは一つしか起動できません."};
            _exit(started ? 0 : told ? kRefusedStartStatus : 2);
        }
        int status = 0;
        waitpid(second, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(secondStart(), kRefusedStartStatus);
    EXPECT_EQ(copy.Files(), before) << "the refused start touched a file";

    kill(first, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(first, &status, 0), first);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(fs::exists(copy.folder() / "Kalendo2.Ini")) << "the first window wrote its settings";
    EXPECT_EQ(secondStart(), 0) << "free once the first window is gone";
}

}  // namespace
}  // namespace kalendo
