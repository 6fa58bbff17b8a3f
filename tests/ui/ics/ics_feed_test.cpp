// The feed: its window of whole months, its UIDs, and its vdir: the same
// bytes from day to day, and only the items that changed are written
// (tests/cli/feed_clients_check.sh reads the file "kalendo2-cli feed" writes
// with python3-icalendar and khal, across a month's end).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "cli_fixture.h"
#include "platform/recording_platform.h"
#include "ui/ics/ics_feed.h"
#include "ui/model/document.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

TEST(FeedWindow, WholeMonthsAroundToday) {
    struct Case { CalendarDate today; int past, months; CalendarDate first, last; const char* why; };
    const Case cases[] = {
        {{2024, 1, 15}, 1, 24, {2023, 12, 1}, {2025, 12, 31}, "the default: 25 whole months"},
        {{2023, 3, 10}, 13, 12, {2022, 2, 1}, {2024, 2, 29}, "ends on a leap day"},
        {{1600, 2, 3}, 5, 2, {1600, 1, 1}, {1600, 3, 31}, "cut at the first year"},
        {{2999, 11, 30}, 0, 24, {2999, 11, 1}, {2999, 12, 31}, "cut at the last year"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(FeedWindowAround(c.today, c.past, c.months), (FeedWindow{c.first, c.last}));
    }
    EXPECT_FALSE(FeedWindowAround({1599, 12, 31}, 0, 1).has_value());
}

TEST(FeedUids, KindDayAndNameOnlyAndNeverTwiceInADay) {
    FeedUids uids, again;
    IcsEvent a{{2024, 6, 15}, IcsKind::Schedule, 7, "abc", "", std::nullopt}, moved = a;
    moved.index = 2;  // the same schedule at another place of the table
    EXPECT_EQ(uids.Next(a), "20240615-schedule-e71fa2190541574b@kalendo2");
    EXPECT_EQ(uids.Next(moved), "20240615-schedule-e71fa2190541574b-2@kalendo2");
    EXPECT_EQ(again.Next(moved), "20240615-schedule-e71fa2190541574b@kalendo2");
}

class FeedTest : public ::testing::Test {
protected:
    void SetUp() override { OpenDocument(*rec_, folder_.path()); }  // today 2024-06-15
    FeedWindow Around(CalendarDate today) { return *FeedWindowAround(today, kFeedPastMonths, kFeedMonths); }
    ScopedRecordingPlatform platform_;
    DefinitionFolder folder_;
    std::unique_ptr<MonthRecord> rec_ = std::make_unique<MonthRecord>();
};

// Property over a month of daily runs: the same bytes every day.
TEST_F(FeedTest, EveryDayOfAMonthTheSameBytes) {
    auto text = [&](int d) {
        return FeedCalendarText(*rec_, Around({2024, 6, d}), IcsInclude::All(), AlmanacMode::Standard);
    };
    const std::string june = text(1);
    ASSERT_NE(june.find("REFRESH-INTERVAL;VALUE=DURATION:P1D\r\nX-PUBLISHED-TTL:P1D\r\n"), std::string::npos);
    for (int d = 2; d <= 30; ++d) ASSERT_EQ(text(d), june) << "2024-06-" << d;
}

TEST_F(FeedTest, AVdirGetsOnlyTheItemsThatChanged) {
    const std::string vdir = folder_.path() + "new/vdir/";
    ASSERT_TRUE(WriteFeedFolder(*rec_, Around({2024, 6, 15}), IcsInclude::All(), AlmanacMode::Standard, vdir).ok);
    std::ofstream(vdir + "mine.ics") << "the user's";
    const utimbuf old{946684800, 946684800};
    for (const auto& e : fs::directory_iterator(vdir)) utime(e.path().c_str(), &old);
    const FeedResult r = WriteFeedFolder(*rec_, Around({2024, 7, 1}), IcsInclude::All(), AlmanacMode::Standard, vdir);
    ASSERT_TRUE(r.ok);
    int items = 0, touched = 0;
    for (const auto& e : fs::directory_iterator(vdir)) {
        const std::string name = e.path().filename().string();
        if (!name.ends_with(kFeedItemSuffix)) continue;
        struct stat st {};
        ++items;
        touched += stat(e.path().c_str(), &st) == 0 && st.st_mtime != old.modtime;
        EXPECT_GE(name, "20240601") << "an event that left the window";
    }
    EXPECT_GT(r.filesRemoved, 62);  // May: 31 rokuyo, 31 lunar days and more
    EXPECT_EQ(std::make_pair(items, touched), std::make_pair(int(r.events), r.filesWritten));
    EXPECT_LT(touched, 100) << "only the new month's items are written";
    EXPECT_TRUE(fs::exists(vdir + "mine.ics"));
    const std::string file = folder_.path() + "Schedule.Def";
    const FeedResult onFile =
        WriteFeedFolder(*rec_, Around({2024, 6, 15}), IcsInclude::All(), AlmanacMode::Standard, file);
    EXPECT_EQ(std::tie(onFile.ok, onFile.failedPath), std::make_tuple(false, file));
}

}  // namespace
}  // namespace kalendo
