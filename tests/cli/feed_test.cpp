// "kalendo2-cli feed": its window of whole months, its command line, and
// the feed's promises to a subscribed client: an event keeps its UID and
// bytes from run to run, and a file whose events did not change is not
// touched, in one file and in a vdir alike.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli_fixture.h"
#include "platform/recording_platform.h"
#include "ui/model/document.h"
#include "ui/model/ics_feed.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

TEST(FeedWindow, WholeMonthsAroundToday) {
    struct Case {
        CalendarDate today;
        int past, months;
        CalendarDate first, last;
        const char* why;
    };
    const Case cases[] = {
        {{2024, 6, 15}, 1, 24, {2024, 5, 1}, {2026, 5, 31}, "the default: 25 whole months"},
        {{2024, 6, 1}, 1, 24, {2024, 5, 1}, {2026, 5, 31}, "the first of a month is no different"},
        {{2024, 1, 31}, 1, 24, {2023, 12, 1}, {2025, 12, 31}, "last month is in the year before"},
        {{2024, 12, 1}, 0, 1, {2024, 12, 1}, {2024, 12, 31}, "today's month alone"},
        {{2023, 3, 10}, 13, 12, {2022, 2, 1}, {2024, 2, 29}, "ends on a leap day"},
        {{1600, 2, 3}, 5, 2, {1600, 1, 1}, {1600, 3, 31}, "cut at the first year"},
        {{2999, 11, 30}, 0, 24, {2999, 11, 1}, {2999, 12, 31}, "cut at the last year"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::optional<FeedWindow> w = FeedWindowAround(c.today, c.past, c.months);
        ASSERT_TRUE(w.has_value());
        EXPECT_EQ(*w, (FeedWindow{c.first, c.last}));
    }
    EXPECT_FALSE(FeedWindowAround({1599, 12, 31}, 0, 1).has_value());
}

TEST(FeedCommandLine, AcceptsAFileOrAFolderAndRefusesTheRest) {
    const ParsedCommandLine file = ParseCommandLine({"--today", "2024-06-15", "feed", "a.ics", "--months", "3"});
    ASSERT_EQ(file.usageError, "");
    EXPECT_EQ(file.options.command, CliCommand::Feed);
    EXPECT_EQ(file.options.feedFile, "a.ics");
    EXPECT_EQ(file.options.include, IcsInclude::All());  // the whole almanac without --include
    EXPECT_EQ(file.options.months, 3);
    EXPECT_EQ(file.options.pastMonths, kFeedPastMonths);
    const ParsedCommandLine dir =
        ParseCommandLine({"feed", "--vdir", "d", "--include", "rokuyo", "--past-months", "0"});
    ASSERT_EQ(dir.usageError, "");
    EXPECT_EQ(dir.options.feedFolder, "d");
    EXPECT_EQ(dir.options.include, IcsInclude::Of({IcsWord::Rokuyo}));
    EXPECT_EQ(dir.options.pastMonths, 0);

    const std::vector<std::vector<std::string>> refused = {
        {"feed"},
        {"feed", "a.ics", "--vdir", "d"},
        {"feed", "a.ics", "b.ics"},
        {"feed", "--vdir", ""},
        {"feed", "a.ics", "--months", "0"},
        {"feed", "a.ics", "--months", "1201"},
        {"feed", "a.ics", "--past-months", "-1"},
        {"feed", "a.ics", "--past-months", "1", "--past-months", "2"},
        {"feed", "a.ics", "--months", "1e2"},
        {"ics", "2024-01-01", "2024-01-02", "--months", "3"},
        {"day", "2024-01-01", "--vdir", "d"},
    };
    for (const auto& args : refused) {
        SCOPED_TRACE(args.back());
        EXPECT_NE(ParseCommandLine(args).usageError, "");
    }
}

TEST(FeedUids, KindDayAndNameOnlyAndNeverTwiceInADay) {
    FeedUids uids;
    const IcsEvent a{{2024, 6, 15}, IcsKind::Schedule, 7, "\x89\xEF\x8B\x63", ""};  // 会議
    IcsEvent b = a;
    b.index = 2;  // the same schedule at another place of the table
    const std::string first = uids.Next(a);
    EXPECT_EQ(first.substr(0, 18), "20240615-schedule-");
    EXPECT_EQ(first.substr(first.size() - 9), "@kalendo2");
    EXPECT_EQ(uids.Next(b), first.substr(0, first.size() - 9) + "-2@kalendo2");
    FeedUids again;
    EXPECT_EQ(again.Next(b), first);
    IcsEvent note = a;
    note.kind = IcsKind::Note;
    EXPECT_NE(again.Next(note), first);
    IcsEvent nextDay = a;
    nextDay.date.day = 16;
    EXPECT_EQ(again.Next(nextDay).substr(0, 8), "20240616");
    EXPECT_EQ(again.Next(a), first);  // a new day starts the count again
}

// The VEVENTs of a calendar text by UID; every UID once.
std::map<std::string, std::string> EventsByUid(const std::string& text) {
    std::map<std::string, std::string> events;
    for (std::size_t at = 0; (at = text.find("BEGIN:VEVENT\r\n", at)) != std::string::npos;) {
        const std::size_t end = text.find("END:VEVENT\r\n", at);
        const std::string block = text.substr(at, end - at);
        const std::size_t uid = block.find("UID:") + 4;
        const bool fresh = events.emplace(block.substr(uid, block.find("\r\n", uid) - uid), block).second;
        EXPECT_TRUE(fresh) << block;
        at = end;
    }
    return events;
}

class FeedTest : public ::testing::Test {
protected:
    void SetUp() override {
        rec_ = std::make_unique<MonthRecord>();
        OpenDocument(*rec_, folder_.path());  // today 2024-06-15 from the recorder
    }
    FeedWindow Around(CalendarDate today) { return *FeedWindowAround(today, kFeedPastMonths, kFeedMonths); }
    std::string Text(CalendarDate today) {
        return FeedCalendarText(*rec_, Around(today), IcsInclude::All(), AlmanacMode::Standard);
    }
    static void MakeOld(const std::string& path) {
        const utimbuf old{946684800, 946684800};  // 2000-01-01
        ASSERT_EQ(utime(path.c_str(), &old), 0);
    }
    static bool IsOld(const std::string& path) {
        struct stat st {};
        return stat(path.c_str(), &st) == 0 && st.st_mtime == 946684800;
    }

    ScopedRecordingPlatform platform_;
    DefinitionFolder folder_;
    std::unique_ptr<MonthRecord> rec_;
};

// Property over a month of daily runs: within a month the feed is the same
// bytes, and across the month's end every event the two windows share is
// the same block, UID and DTSTAMP included.
TEST_F(FeedTest, EveryEventKeepsItsUidAndBytesFromRunToRun) {
    const std::string june = Text({2024, 6, 1});
    ASSERT_NE(june.find("REFRESH-INTERVAL;VALUE=DURATION:P1D\r\n"), std::string::npos);
    ASSERT_NE(june.find("X-PUBLISHED-TTL:P1D\r\n"), std::string::npos);
    for (int d = 2; d <= 30; ++d) ASSERT_EQ(Text({2024, 6, d}), june) << "2024-06-" << d;
    const std::map<std::string, std::string> before = EventsByUid(june), after = EventsByUid(Text({2024, 7, 1}));
    int shared = 0;
    for (const auto& [uid, block] : before) {
        const auto it = after.find(uid);
        if (uid < "20240601") {
            EXPECT_EQ(it, after.end()) << uid << " left the window";
            continue;
        }
        ASSERT_NE(it, after.end()) << uid;
        EXPECT_EQ(it->second, block);
        ++shared;
    }
    EXPECT_GT(shared, 1500);  // 24 months of rokuyo and lunar days at least
}

TEST_F(FeedTest, FileAndFolderAreRewrittenOnlyWhereTheyChanged) {
    const std::string file = folder_.path() + "feed/Kalendo2.ics";
    fs::create_directory(folder_.path() + "feed");
    const FeedWindow june = Around({2024, 6, 15}), july = Around({2024, 7, 1});
    FeedResult r = WriteFeedFile(*rec_, june, IcsInclude::All(), AlmanacMode::Standard, file);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.filesWritten, 1);
    MakeOld(file);
    r = WriteFeedFile(*rec_, june, IcsInclude::All(), AlmanacMode::Standard, file);
    EXPECT_EQ(r.filesWritten, 0);
    EXPECT_TRUE(IsOld(file)) << "an unchanged feed keeps its time";
    r = WriteFeedFile(*rec_, july, IcsInclude::All(), AlmanacMode::Standard, file);
    EXPECT_EQ(r.filesWritten, 1);
    EXPECT_FALSE(IsOld(file));

    const std::string vdir = folder_.path() + "new/vdir/";
    r = WriteFeedFolder(*rec_, june, IcsInclude::All(), AlmanacMode::Standard, vdir);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.filesWritten, r.events);
    for (const char* name : {"mine.ics", "x@kalendo2.ics.tmp"}) std::ofstream(vdir + name) << "user's";
    for (const auto& e : fs::directory_iterator(vdir)) MakeOld(e.path().string());
    r = WriteFeedFolder(*rec_, july, IcsInclude::All(), AlmanacMode::Standard, vdir);
    ASSERT_TRUE(r.ok);
    EXPECT_GT(r.filesRemoved, 0);  // May's events
    int items = 0, old = 0;
    for (const auto& e : fs::directory_iterator(vdir)) {
        const std::string name = e.path().filename().string();
        if (!name.ends_with(kFeedItemSuffix)) continue;
        ++items;
        old += IsOld(e.path().string());
        EXPECT_GE(name, "20240601") << "an event that left the window stays";
    }
    EXPECT_EQ(items, r.events);
    EXPECT_EQ(r.filesWritten, items - old) << "only the new month's items are written";
    EXPECT_GT(old, 1000);
    EXPECT_TRUE(fs::exists(vdir + "mine.ics") && fs::exists(vdir + "x@kalendo2.ics.tmp"));

    // A file in the folder's place: the failure and where.
    std::ofstream(folder_.path() + "plain") << "x";
    r = WriteFeedFolder(*rec_, june, IcsInclude::All(), AlmanacMode::Standard, folder_.path() + "plain");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error, 0);
    EXPECT_EQ(r.failedPath, folder_.path() + "plain");
}

}  // namespace
}  // namespace kalendo
