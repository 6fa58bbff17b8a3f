#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/console_platform.h"

namespace kalendo {
namespace {

// Sets TZ for the test and puts the previous value back.
class ZoneTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) saved_ = tz;
    }
    void TearDown() override {
        if (saved_) setenv("TZ", saved_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }
    static void Zone(const char* posixTz) { setenv("TZ", posixTz, 1); }

private:
    std::optional<std::string> saved_;
};

// The local date of a time in a fixed UTC offset, without the C library's
// zone machinery: whole days since the epoch, then the civil date.
CalendarDate CivilDateAt(std::time_t utc, long offsetSeconds) {
    const long long days = (static_cast<long long>(utc) + offsetSeconds) / 86400;
    // Days to civil (proleptic Gregorian), valid for every time after 1970.
    const long long z = days + 719468;
    const long long era = z / 146097;
    const long long doe = z - era * 146097;                                 // [0, 146096]
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);          // [0, 365]
    const long long mp = (5 * doy + 2) / 153;                               // [0, 11]
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {y, m, d};
}

struct ZoneCase { const char* tz; long offsetSeconds; };
// POSIX TZ strings need no zone files; their sign is west-positive.
constexpr ZoneCase kZones[] = {
    {"JST-9", 9 * 3600},        {"UTC0", 0},
    {"XXX+12", -12 * 3600},     {"XXX-14", 14 * 3600},
    {"NPT-5:45", 5 * 3600 + 45 * 60},
};

// The window follows a new time zone without a restart: every call reads
// the zone as it is now.
TEST_F(ZoneTest, TodayFollowsTheZoneOfTheMoment) {
    for (const ZoneCase& z : kZones) {
        SCOPED_TRACE(z.tz);
        Zone(z.tz);
        const std::time_t before = std::time(nullptr);
        const std::optional<CalendarDate> today = TodayFromClock();
        const std::time_t after = std::time(nullptr);
        ASSERT_TRUE(today);
        if (CivilDateAt(before, z.offsetSeconds).day != CivilDateAt(after, z.offsetSeconds).day) {
            continue;  // midnight passed during the call
        }
        const CalendarDate want = CivilDateAt(before, z.offsetSeconds);
        EXPECT_EQ(today->year, want.year);
        EXPECT_EQ(today->month, want.month);
        EXPECT_EQ(today->day, want.day);
    }
}

TEST_F(ZoneTest, UntilMidnightIsTheRestOfTheLocalDay) {
    using std::chrono::milliseconds;
    for (const ZoneCase& z : kZones) {
        SCOPED_TRACE(z.tz);
        Zone(z.tz);
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        const milliseconds until = UntilNextLocalMidnightFromClock();
        const long long localMs =
            std::chrono::duration_cast<milliseconds>(now).count() + z.offsetSeconds * 1000LL;
        const long long want = 86'400'000LL - localMs % 86'400'000LL;
        // The clock moves a little between the two readings.
        EXPECT_NEAR(static_cast<double>(until.count()), static_cast<double>(want), 100.0);
        EXPECT_GT(until.count(), 0);
        EXPECT_LE(until.count(), 86'400'000);
    }
}

}  // namespace
}  // namespace kalendo
