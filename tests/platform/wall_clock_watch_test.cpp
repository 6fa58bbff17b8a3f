// The kernel's news of the wall clock, each made to happen rather than
// waited for: an instant a few milliseconds ahead, one already past (what
// a resume from suspend finds), the clock set, and the zone's files
// replaced in a folder of the test's own.
#include "platform/wall_clock_watch.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace kalendo {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::system_clock;

bool Readable(int fd, int waitMs) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, waitMs) == 1;
}

TEST(WallClockWatch, WakesAtTheInstantAndForAnInstantSleptThrough) {
    WallClockWatch watch;
    ASSERT_TRUE(watch.ok());
    ASSERT_TRUE(watch.ArmAt(system_clock::now() + milliseconds(30)));
    EXPECT_FALSE(Readable(watch.timerFd(), 0)) << "not before its instant";
    ASSERT_TRUE(Readable(watch.timerFd(), 2000));
    EXPECT_EQ(watch.ReadTimer(), WallClockWatch::TimerNews::Due);
    EXPECT_EQ(watch.ReadTimer(), WallClockWatch::TimerNews::Nothing) << "read once";
    // The machine slept past the midnight armed before: at once.
    ASSERT_TRUE(watch.ArmAt(system_clock::now() - std::chrono::hours(3)));
    ASSERT_TRUE(Readable(watch.timerFd(), 0));
    EXPECT_EQ(watch.ReadTimer(), WallClockWatch::TimerNews::Due);
    ASSERT_TRUE(watch.ArmAt(system_clock::now() + milliseconds(20)));
    watch.Disarm();
    EXPECT_FALSE(Readable(watch.timerFd(), 100));
}

// The clock set to the time it shows: a set all the same, and the only
// one a test may make on a machine others use.
TEST(WallClockWatch, ReportsAClockSetAtOnce) {
    WallClockWatch watch;
    ASSERT_TRUE(watch.ArmAt(system_clock::now() + std::chrono::hours(5)));
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (clock_settime(CLOCK_REALTIME, &now) != 0) GTEST_SKIP() << "the clock cannot be set here";
    ASSERT_TRUE(Readable(watch.timerFd(), 1000));
    EXPECT_EQ(watch.ReadTimer(), WallClockWatch::TimerNews::ClockSet);
    EXPECT_FALSE(Readable(watch.timerFd(), 0)) << "disarmed until armed again";
}

TEST(WallClockWatch, ReportsTheZoneFilesAndNothingElse) {
    std::string pattern = (fs::temp_directory_path() / "k2-zone-XXXXXX").string();
    const fs::path etc = mkdtemp(pattern.data());
    std::ofstream(etc / "localtime.new") << "TZif";
    WallClockWatch watch(etc.string());
    ASSERT_GE(watch.zoneFd(), 0);
    struct Case {
        std::function<void()> change;
        bool zone;
        const char* why;
    };
    const Case cases[] = {
        {[&] { std::ofstream(etc / "hosts") << "x"; }, false, "another file of the folder"},
        {[&] { fs::rename(etc / "localtime.new", etc / "localtime"); }, true, "the link replaced by a rename"},
        {[&] { std::ofstream(etc / "timezone") << "Asia/Tokyo\n"; }, true, "the zone's name written"},
        {[&] { fs::remove(etc / "localtime"); }, true, "the zone removed: UTC"},
        {[&] { fs::create_symlink("/usr/share/zoneinfo/UTC", etc / "localtime"); }, true, "a new link"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        c.change();
        ASSERT_TRUE(Readable(watch.zoneFd(), 1000));
        EXPECT_EQ(watch.ReadZone(), c.zone);
        EXPECT_FALSE(Readable(watch.zoneFd(), 0)) << "every change taken";
    }
    fs::remove_all(etc);
}

}  // namespace
}  // namespace kalendo
