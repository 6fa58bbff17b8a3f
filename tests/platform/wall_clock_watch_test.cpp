// The kernel's news of the wall clock, each made to happen rather than
// waited for: an instant a few milliseconds ahead, one already past (what
// a resume from suspend finds), the clock set, and the zone's files
// replaced in a folder of the test's own.
#include "platform/wall_clock_watch.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

namespace kalendo {
namespace {

namespace fs = std::filesystem;
using News = WallClockWatch::TimerNews;
using std::chrono::system_clock;

bool Readable(int fd, int waitMs) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, waitMs) == 1;
}

TEST(WallClockWatch, TheInstantAnInstantSleptThroughAndAClockSet) {
    WallClockWatch watch;
    ASSERT_TRUE(watch.ok());
    ASSERT_TRUE(watch.ArmAt(system_clock::now() + std::chrono::milliseconds(30)));
    EXPECT_FALSE(Readable(watch.timerFd(), 0)) << "not before its instant";
    ASSERT_TRUE(Readable(watch.timerFd(), 2000));
    EXPECT_EQ(watch.ReadTimer(), News::Due);
    ASSERT_TRUE(watch.ArmAt(system_clock::now() - std::chrono::hours(3)));  // slept past midnight
    ASSERT_TRUE(Readable(watch.timerFd(), 0));
    EXPECT_EQ(watch.ReadTimer(), News::Due);
    // The clock set to the time it shows: a set all the same, and the only
    // one a test may make on a machine others use.
    ASSERT_TRUE(watch.ArmAt(system_clock::now() + std::chrono::hours(5)));
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (clock_settime(CLOCK_REALTIME, &now) != 0) GTEST_SKIP() << "the clock cannot be set here";
    ASSERT_TRUE(Readable(watch.timerFd(), 1000));
    EXPECT_EQ(watch.ReadTimer(), News::ClockSet);
}

TEST(WallClockWatch, ReportsTheZoneFilesAndNothingElse) {
    std::string pattern = (fs::temp_directory_path() / "k2-zone-XXXXXX").string();
    const fs::path etc = mkdtemp(pattern.data());
    std::ofstream(etc / "localtime.new") << "TZif";
    WallClockWatch watch(etc.string());
    const std::pair<std::function<void()>, bool> cases[] = {
        {[&] { std::ofstream(etc / "hosts") << "x"; }, false},
        {[&] { fs::rename(etc / "localtime.new", etc / "localtime"); }, true},  // timedatectl's way
        {[&] { std::ofstream(etc / "timezone") << "Asia/Tokyo\n"; }, true},
        {[&] { fs::remove(etc / "localtime"); }, true},
    };
    for (const auto& [change, zone] : cases) {
        change();
        ASSERT_TRUE(Readable(watch.zoneFd(), 1000));
        EXPECT_EQ(watch.ReadZone(), zone);
        EXPECT_FALSE(Readable(watch.zoneFd(), 0)) << "every change taken";
    }
    fs::remove_all(etc);
}

}  // namespace
}  // namespace kalendo
