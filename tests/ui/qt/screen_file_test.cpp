// The offscreen screen each test process is given: read from a file of the
// process's own, so that test programs started together (ctest -j runs the
// window tests and the scaled layout runs at once) never abort on another
// process's half-written file.
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/ui/qt/gui_fixture.h"

extern char** environ;

namespace kalendo {
namespace {

TEST(ScreenFile, GivesTheTestScreen) {
    TestApplication();
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->size() * screen->devicePixelRatio(),
              QSize(kTestScreenWidth, kTestScreenHeight));
}

// Keeps truncating and rewriting a file as a starting test process used to
// do. Only async-signal-safe calls: the child of a threaded process.
pid_t StartRewriter(const std::string& path) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    static const char kHead[] = "{\"screens\":[{\"name\":\"s\",";
    static const char kTail[] = "\"x\":0,\"y\":0,\"width\":800,\"height\":600,\"logicalDpi\":96}]}";
    for (;;) {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) _exit(1);
        if (write(fd, kHead, sizeof kHead - 1) < 0) _exit(1);
        if (write(fd, kTail, sizeof kTail - 1) < 0) _exit(1);
        close(fd);
    }
}

// Starts this program's screen test in `count` processes at once; their exit
// statuses.
std::vector<int> StartTogether(int count) {
    static char self[] = "/proc/self/exe";
    static char filter[] = "--gtest_filter=ScreenFile.GivesTheTestScreen";
    char* argv[] = {self, filter, nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<pid_t> pids;
    for (int i = 0; i < count; ++i) {
        pid_t pid = 0;
        if (posix_spawn(&pid, self, &quiet, nullptr, argv, environ) == 0) pids.push_back(pid);
    }
    posix_spawn_file_actions_destroy(&quiet);
    std::vector<int> statuses;
    for (pid_t pid : pids) {
        int status = 0;
        waitpid(pid, &status, 0);
        statuses.push_back(status);
    }
    return statuses;
}

// Programs started together while another rewrites the one file every
// process once shared: with a shared file, almost every start aborted.
TEST(ScreenFile, ProcessesStartedTogetherEachReadTheirOwn) {
    if (std::getenv("K2_GUI_TEST_PLATFORM") != nullptr) GTEST_SKIP() << "on a real display";
    const std::string shared =
        (std::filesystem::temp_directory_path() / "k2-gui-test-screen.json").string();
    const pid_t rewriter = StartRewriter(shared);
    ASSERT_GT(rewriter, 0);
    constexpr int kRounds = 6;
    constexpr int kTogether = 4;
    int started = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (int status : StartTogether(kTogether)) {
            ++started;
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << "start " << started << " ended with status " << status;
        }
    }
    kill(rewriter, SIGKILL);
    waitpid(rewriter, nullptr, 0);
    std::filesystem::remove(shared);
    EXPECT_EQ(started, kRounds * kTogether);
}

}  // namespace
}  // namespace kalendo
