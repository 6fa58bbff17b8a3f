// The lock of a data folder, between two processes.
#include "platform/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kalendo {
namespace {

namespace fs = std::filesystem;

fs::path ScratchFolder(const char* name) {
    std::string pattern = (fs::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
    return mkdtemp(pattern.data());
}

// In a child process: LockDataFolder's result as the exit status (0 Held,
// 1 HeldByOther, 2 NoLock), after the child became the user nobody when
// asked (so that a read-only folder refuses the lock file).
int LockInChild(const std::string& folder, bool asNobody = false) {
    const pid_t child = fork();
    if (child == 0) {
        if (asNobody && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(9);
        switch (LockDataFolder(folder)) {
            case InstanceLockResult::Held: _exit(0);
            case InstanceLockResult::HeldByOther: _exit(1);
            case InstanceLockResult::NoLock: _exit(2);
        }
        _exit(8);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class InstanceLockTest : public ::testing::Test {
protected:
    InstanceLockTest() : folder_(ScratchFolder("k2-lock")), runtime_(ScratchFolder("k2-runtime")) {
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        oldRuntime_ = old != nullptr ? old : "";
        hadRuntime_ = old != nullptr;
        setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
        chmod(runtime_.c_str(), 0777);
    }
    ~InstanceLockTest() override {
        if (hadRuntime_) setenv("XDG_RUNTIME_DIR", oldRuntime_.c_str(), 1);
        else unsetenv("XDG_RUNTIME_DIR");
        chmod(folder_.c_str(), 0700);
        fs::remove_all(folder_);
        fs::remove_all(runtime_);
    }
    fs::path folder_;
    fs::path runtime_;
    std::string oldRuntime_;
    bool hadRuntime_ = false;
};

// A process that takes the folder's lock and lives until it is killed, as
// a window does. (Children of it share its descriptor, so the second
// process is never forked from the holder.)
class Holder {
public:
    explicit Holder(const std::string& folder, bool asNobody = false) {
        int ready[2];
        if (pipe(ready) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            if (asNobody && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(9);
            const bool held = LockDataFolder(folder) == InstanceLockResult::Held;
            [[maybe_unused]] const ssize_t n = write(ready[1], held ? "h" : "n", 1);
            pause();
            _exit(0);
        }
        char byte = 0;
        held_ = read(ready[0], &byte, 1) == 1 && byte == 'h';
        close(ready[0]);
        close(ready[1]);
    }
    ~Holder() { Kill(); }
    bool held() const { return held_; }
    void Kill() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool held_ = false;
};

TEST_F(InstanceLockTest, ASecondProcessIsTurnedAwayWhileTheFirstLives) {
    EXPECT_EQ(LockInChild(folder_), 0) << "free: held";
    Holder first(folder_.string());
    ASSERT_TRUE(first.held());
    EXPECT_EQ(LockInChild(folder_), 1);
    EXPECT_EQ(LockInChild(folder_.string() + "/./"), 1) << "another spelling of the folder";
    EXPECT_TRUE(fs::exists(folder_ / kLockFileName));
    EXPECT_EQ(fs::file_size(folder_ / kLockFileName), 0u) << "nothing is written into it";

    // The lock goes with the process: no stale lock after a crash.
    first.Kill();
    EXPECT_EQ(LockInChild(folder_), 0);
}

TEST_F(InstanceLockTest, TheSameProcessAskingAgainHoldsIt) {
    ASSERT_EQ(LockDataFolder(folder_.string()), InstanceLockResult::Held);
    EXPECT_EQ(LockDataFolder(folder_.string() + "/"), InstanceLockResult::Held);
}

// A read-only portable folder still starts: the lock lies in the runtime
// folder, under the folder's real path, and still turns a second start away.
TEST_F(InstanceLockTest, AReadOnlyFolderIsLockedInTheRuntimeFolder) {
    ASSERT_EQ(chmod(folder_.c_str(), 0555), 0);
    {
        Holder first(folder_.string(), true);
        ASSERT_TRUE(first.held());
        EXPECT_FALSE(fs::exists(folder_ / kLockFileName));
        EXPECT_TRUE(fs::exists(RuntimeLockPath(fs::canonical(folder_).string())));
        EXPECT_EQ(LockInChild(folder_, true), 1);
    }
    // With no runtime folder either, the start goes on unlocked.
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(LockInChild(folder_, true), 2);
}

TEST(RuntimeLockPath, DependsOnThePathOnly) {
    setenv("XDG_RUNTIME_DIR", "/run/user/1000", 1);
    const std::string a = RuntimeLockPath("/home/a/Kalendo2");
    EXPECT_EQ(a.rfind("/run/user/1000/Kalendo2-", 0), 0u);
    EXPECT_EQ(a.size(), std::string("/run/user/1000/Kalendo2-0123456789abcdef.lock").size());
    EXPECT_EQ(RuntimeLockPath("/home/a/Kalendo2"), a);
    EXPECT_NE(RuntimeLockPath("/home/b/Kalendo2"), a);
    setenv("XDG_RUNTIME_DIR", "relative", 1);
    EXPECT_EQ(RuntimeLockPath("/home/a/Kalendo2"), "");
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(RuntimeLockPath("/home/a/Kalendo2"), "");
}

}  // namespace
}  // namespace kalendo
