// The window's refused starts, with the built program: without a display,
// and a second window on a data folder that a running one holds. Each run
// uses a copy of the program in a folder of its own (a portable copy keeps
// its data beside itself), so no two tests share a data folder.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/display_platform.h"
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
constexpr char kNoWaylandPlugin[] =
    "Wayland で表示する Qt のプラグインがありません（qt6-wayland パッケージをインストールしてください）.";
constexpr char kNoX11Display[] = "X11 で表示するには DISPLAY の設定が必要です.";
struct DisplayCase {
    const char *chosen, *x11, *wayland;
    std::vector<std::string> plugins;
    bool x11Answers, waylandAnswers;
    std::string refusal;  // after the heading; "" when Qt can start
};
const DisplayCase kDisplayCases[] = {
    {"", "", "wayland-0", {"xcb"}, false, true, kNoWaylandPlugin + std::string(" ") + kNoX11Display},
    {"", "", "wayland-0", {"xcb", "wayland"}, false, true, ""},
    {"", "", "wayland-9", {"wayland"}, false, false,
     "Wayland のディスプレイ「wayland-9」に接続できません. Qt の表示プラグイン「xcb」がありません."},
    {"", ":7", "", {"xcb"}, false, false, "X のディスプレイ「:7」に接続できません."},
    {"", ":0", "wayland-0", {"xcb"}, true, true, ""},  // Qt goes on to X11
    {"wayland", ":0", "wayland-0", {"xcb"}, true, true, kNoWaylandPlugin},
    {"xcb", "", "wayland-0", {"xcb", "wayland"}, false, true, kNoX11Display},
    {"Offscreen:fontengine=freetype", "", "", {"offscreen"}, false, false, ""},
    {"k2none;xcb", ":0", "", {"xcb"}, true, false, ""},
    {"k2none", "", "", {"xcb"}, false, false, "Qt の表示プラグイン「k2none」がありません."},
};

TEST(RefusedStart, NoDisplayPlatformIsNamedInOneLine) {
    for (const DisplayCase& c : kDisplayCases) {
        SCOPED_TRACE(std::string(c.chosen) + "|" + c.x11 + "|" + c.wayland);
        const DisplayFacts facts{c.chosen, c.x11, c.wayland,
                                 [&c](std::string_view name) {
                                     return std::find(c.plugins.begin(), c.plugins.end(), name) !=
                                            c.plugins.end();
                                 },
                                 [&c] { return c.x11Answers; }, [&c] { return c.waylandAnswers; }};
        EXPECT_EQ(DisplayPlatformRefusal(facts),
                  c.refusal.empty() ? "" : "Kalendo2 を起動できません. " + c.refusal);
    }
}

// Plugins are looked for in QT_PLUGIN_PATH's folders as well as Qt's own.
TEST(RefusedStart, PluginFoldersOfTheProcess) {
    PortableCopy copy;
    fs::create_directories(copy.folder() / "plugins/platforms");
    std::ofstream(copy.folder() / "plugins/platforms/libqk2fake.so") << "";
    const char* saved = std::getenv("QT_PLUGIN_PATH");
    const std::string before = saved != nullptr ? saved : "";
    setenv("QT_PLUGIN_PATH", ("/nonexistent:" + (copy.folder() / "plugins").string()).c_str(), 1);
    const DisplayFacts facts = ReadDisplayFacts();
    EXPECT_TRUE(facts.hasPlugin("k2fake") && facts.hasPlugin("offscreen"));
    EXPECT_FALSE(facts.hasPlugin("k2none") || facts.hasPlugin("../platforms/libqk2fake"));
    if (saved != nullptr) setenv("QT_PLUGIN_PATH", before.c_str(), 1);
    else unsetenv("QT_PLUGIN_PATH");
}

// A window runs (offscreen) on the copy; a second start on the same folder
// is told so, and touches no file; once the first is gone a start is free.
TEST(RefusedStart, ASecondWindowOnTheSameFolderIsTurnedAway) {
    PortableCopy copy;
    // The first window says when it is up, as to a service manager.
    const int listener = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const std::string name = "@k2-start-test-" + std::to_string(getpid());
    std::copy(name.begin() + 1, name.end(), address.sun_path + 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address),
                   static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size())), 0);
    const pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("NOTIFY_SOCKET", name.c_str(), 1);
        const std::string exe = (copy.folder() / "Kalendo2").string();
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    pollfd ready = {listener, POLLIN, 0};
    char notice[16] = {};
    ASSERT_EQ(poll(&ready, 1, 60'000), 1) << "the first window did not say it was up within 60 s";
    ASSERT_EQ(recv(listener, notice, sizeof notice - 1, 0), 7);
    EXPECT_STREQ(notice, "READY=1");
    close(listener);
    ASSERT_TRUE(fs::exists(copy.folder() / kLockFileName));
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
