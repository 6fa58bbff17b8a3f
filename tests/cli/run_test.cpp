#include "cli/run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli_fixture.h"
#include "core/day_arith.h"
#include "json_members.h"
#include "platform/recording_platform.h"
#include "ui/model/document.h"

namespace kalendo {
namespace {

// Runs a command into a memory stream; the output's lines.
class CliRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        rec_ = std::make_unique<MonthRecord>();
        schedulesBefore_ = ReadFileBytes(folder_.path() + "Schedule.Def");
        OpenDocument(*rec_, folder_.path());  // today 2024-06-15 from the recorder
    }

    template <typename Command>
    std::vector<std::string> Lines(Command command) {
        char* buf = nullptr;
        std::size_t size = 0;
        std::FILE* out = open_memstream(&buf, &size);
        status_ = command(out);
        std::fclose(out);
        std::vector<std::string> lines;
        std::istringstream text(std::string(buf, size));
        std::free(buf);
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        return lines;
    }
    std::vector<std::string> Days(CalendarDate first, CalendarDate last) {
        return Lines([&](std::FILE* out) { return PrintDays(*rec_, first, last, AlmanacMode::Standard, out); });
    }
    std::vector<std::string> Year(int y) {
        return Lines([&](std::FILE* out) { return PrintYear(*rec_, y, AlmanacMode::Standard, out); });
    }
    int RangeMessages() {
        int n = 0;
        for (const std::string& m : platform_->MessagesUtf8()) {
            n += m == "ERROR : 年月の設定範囲が不適切です.";
        }
        return n;
    }

    ScopedRecordingPlatform platform_;
    DefinitionFolder folder_;
    std::unique_ptr<MonthRecord> rec_;
    std::string schedulesBefore_;
    int status_ = -1;
};

TEST_F(CliRunTest, DayObjectKeysInOrder) {
    const auto lines = Days({2024, 2, 3}, {2024, 2, 3});
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<std::string> want = {
        "date", "accepted", "weekday", "julianDate", "sexagenary", "dayStem", "dayBranch",
        "yearStem", "yearBranch", "monthStem", "monthBranch", "lunarMonth", "lunarDay",
        "leapMonth", "rokuyo", "officer", "mansion", "moonPhase", "moonAge", "sunLongitude",
        "moonLongitude", "era", "eraYear", "holiday", "generatedHoliday", "dayOff", "notes",
        "userEntries", "schedules", "panes", "officerDetail", "mansionDetail", "detail",
        "eventList", "scheduleList", "grid", "title", "closeCalls", "solarMonth", "kyusei",
        "rekichu"};
    EXPECT_EQ(KeysOf(lines[0]), want);
    EXPECT_EQ(status_, kCliDone);
    EXPECT_EQ(ValueOf(lines[0], "solarMonth"), "12") << "立春 2024 is on 4 February";
    EXPECT_EQ(ValueOf(lines[0], "date"), "\"2024-02-03\"");
    EXPECT_EQ(ValueOf(lines[0], "julianDate"), "2460343.5");
    EXPECT_EQ(ValueOf(lines[0], "weekday"), "6");
}

TEST_F(CliRunTest, YearObjectKeysInOrder) {
    const auto lines = Year(2024);
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<std::string> want = {
        "year", "terms", "newMoons", "lunarMonthNumber", "anchorStart", "anchorFirst", "eras",
        "holidays", "generatedHolidays", "notes", "userEntries", "schedules"};
    EXPECT_EQ(KeysOf(lines[0]), want);
    EXPECT_EQ(ValueOf(lines[0], "year"), "2024");
    EXPECT_EQ(status_, kCliDone);
}

TEST_F(CliRunTest, DaysStepFromFirstAsTypedToLastNormalised) {
    struct Case {
        CalendarDate first, last;
        std::vector<std::string> dates;  // "!" marks a refused date
        int status;
        const char* why;
    };
    const Case cases[] = {
        {{2024, 2, 27}, {2024, 3, 1}, {"2024-02-27", "2024-02-28", "2024-02-29", "2024-03-01"},
         kCliDone, "across a leap day"},
        {{2023, 12, 31}, {2024, 1, 1}, {"2023-12-31", "2024-01-01"}, kCliDone,
         "across a year end: each date computes its own year"},
        {{2023, 2, 30}, {2023, 3, 3}, {"!2023-02-30", "2023-03-03"}, kCliRefusedDate,
         "FIRST as typed is refused; the next day normalises past it"},
        {{2023, 2, 30}, {2023, 3, 1}, {}, kCliDone, "FIRST denotes 2 March, after LAST"},
        {{2024, 3, 1}, {2024, 2, 29}, {}, kCliDone, "LAST before FIRST"},
        {{2024, 3, 1}, {2024, 2, 30}, {"2024-03-01"}, kCliDone, "LAST denotes 1 March"},
        {{2999, 12, 30}, {3000, 1, 1}, {"2999-12-30", "2999-12-31", "!3000-01-01"},
         kCliRefusedDate, "the range ends, the run goes on"},
        {{1599, 12, 31}, {1600, 1, 1}, {"!1599-12-31", "1600-01-01"}, kCliRefusedDate,
         "the range begins"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        platform_->messages.clear();
        const auto lines = Days(c.first, c.last);
        std::vector<std::string> dates;
        int refused = 0;
        for (const std::string& line : lines) {
            const bool accepted = ValueOf(line, "accepted") == "true";
            if (!accepted) {
                EXPECT_EQ(KeysOf(line), (std::vector<std::string>{"date", "accepted"}));
                ++refused;
            }
            std::string date = ValueOf(line, "date");
            dates.push_back(std::string(accepted ? "" : "!").append(date, 1, date.size() - 2));
        }
        EXPECT_EQ(dates, c.dates);
        EXPECT_EQ(status_, c.status);
        EXPECT_EQ(RangeMessages(), refused) << "one range message per refused date";
    }
}

// A run keeps the grid's second-line texts while its days show the same
// grid: every line of a run over month ends (a leap month's too, 2023) in
// both modes is the line of that day written alone.
TEST_F(CliRunTest, EachDayOfARunIsTheDayWrittenAlone) {
    for (const AlmanacMode mode : {AlmanacMode::Standard, AlmanacMode::Precise}) {
        const auto days = [&](CalendarDate first, CalendarDate last) {
            return Lines([&](std::FILE* out) { return PrintDays(*rec_, first, last, mode, out); });
        };
        const std::vector<std::string> run = days({2023, 3, 27}, {2023, 4, 24});
        ASSERT_EQ(run.size(), 29u);
        CalendarDate d{2023, 3, 27};
        for (const std::string& line : run) {
            EXPECT_EQ(days(d, d), std::vector<std::string>{line}) << d.month << "/" << d.day;
            ++d.day;
            NormalizeDate(d.year, d.month, d.day);
        }
    }
}

TEST_F(CliRunTest, RefusedYearPrintsNothing) {
    for (int y : {1599, 3000}) {
        SCOPED_TRACE(y);
        platform_->messages.clear();
        EXPECT_TRUE(Year(y).empty());
        EXPECT_EQ(status_, kCliRefusedDate);
        EXPECT_EQ(RangeMessages(), 1);
    }
}

// Past schedules are swept in memory before the first object: the year
// lists only today's and the later one, and the file stays as it was.
TEST_F(CliRunTest, PastSchedulesSweptInMemoryOnly) {
    ASSERT_EQ(rec_->scheduleCount, 5);
    const auto lines = Year(2024);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(ValueOf(lines[0], "schedules"),
              R"([{"index":0,"name":"誕生会","year":2024,"month":6,"day":15,"displayPeriod":2,)"
              R"("text":"花束\r\nケーキ"},)"
              R"({"index":1,"name":"忘年会","year":2024,"month":12,"day":24,"displayPeriod":4,)"
              R"("text":""}])");
    EXPECT_EQ(ReadFileBytes(folder_.path() + "Schedule.Def"), schedulesBefore_);

    const auto day = Days({2024, 6, 14}, {2024, 6, 15});
    ASSERT_EQ(day.size(), 2u);
    EXPECT_EQ(ValueOf(day[0], "schedules"), "[]") << "swept before it could be shown";
    EXPECT_EQ(ValueOf(day[1], "schedules"), R"([{"index":0,"name":"誕生会"}])");
}

TEST_F(CliRunTest, SweepFollowsEvenARefusedFirstDate) {
    Days({2023, 2, 30}, {2023, 2, 30});
    EXPECT_EQ(status_, kCliRefusedDate);
    EXPECT_EQ(rec_->scheduleCount, 2);
}

}  // namespace
}  // namespace kalendo

namespace kalendo {
namespace {

// 2035-01-09: the new moon the standard series put 3 min 39 s before
// midnight and ERFA 2 min 50 s after it; the whole lunation hangs on it.
TEST_F(CliRunTest, CloseCallsOfADayAndOfARange) {
    const auto day = Days({2035, 1, 9}, {2035, 1, 9});
    ASSERT_EQ(day.size(), 1u);
    EXPECT_EQ(ValueOf(day[0], "closeCalls"),
              R"([{"kind":"newMoon","term":null,"day":"2035-01-09","otherDay":"2035-01-10",)"
              R"("instant":"2035-01-09T23:56:21+09:00","distanceSeconds":-219,)"
              R"("preciseInstant":"2035-01-10T00:02:50+09:00","preciseDistanceSeconds":170,)"
              R"("boundSeconds":50,"otherSide":{"lunarMonth":11,"lunarDay":30,"leapMonth":0,)"
              R"("rokuyo":3,"officer":5,"holiday":null,"generatedHoliday":false,"notes":[]},)"
              R"("changes":[{"date":"2035-01-09","lunarMonth":11,"lunarDay":30,"leapMonth":0,"rokuyo":3}]}])");
    EXPECT_EQ(ValueOf(Days({2035, 5, 1}, {2035, 5, 1})[0], "closeCalls"), "[]");
    // 立春 2021 after midnight, ERFA's before it: on 2021-02-03 the changes
    // begin with 節分 on the 2nd and the day's own 十二直 and notes, and go
    // on to the notes counted from 立春 (八十八夜 on 5-01 instead of 5-02).
    const std::string changes = ValueOf(Days({2021, 2, 3}, {2021, 2, 3})[0], "closeCalls");
    EXPECT_NE(changes.find(R"("changes":[{"date":"2021-02-02","notes":[{"index":25,"name":"節分"}]},)"
                           R"({"date":"2021-02-03","officer":4,"notes":[{"index":2,"name":"立春"},)"),
              std::string::npos) << changes;
    EXPECT_NE(changes.find(R"({"date":"2021-05-01","notes":[{"index":30,"name":"八十八夜"}]},)"
                           R"({"date":"2021-05-02","notes":[]})"),
              std::string::npos) << changes;
    // The lower register of the day across: 寅 month of 2021's stars; and
    // a week on, 往亡日 (the 7th day of 寅 month) would fall a day earlier.
    EXPECT_NE(changes.find(R"("kyusei":{"year":6,"month":5,"day":1},"rekichu":["一粒万倍日","天恩日",)"),
              std::string::npos) << changes;
    const std::string later = ValueOf(Days({2021, 2, 10}, {2021, 2, 10})[0], "closeCalls");
    EXPECT_NE(later.find(R"({"date":"2021-02-10","rekichu":["一粒万倍日","帰忌日","血忌日","十方暮"]})"),
              std::string::npos) << later;

    const auto calls = Lines([&](std::FILE* out) {
        return PrintCloseCalls(*rec_, {2035, 1, 1}, {2035, 12, 31}, AlmanacMode::Standard, out);
    });
    EXPECT_EQ(status_, kCliDone);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(ValueOf(calls[0], "day"), "\"2035-01-09\"");
    const std::string days = ValueOf(calls[0], "days");
    EXPECT_EQ(days.rfind(R"(["2035-01-09","2035-01-10",)", 0), 0u) << days;
    EXPECT_NE(days.find(R"("2035-02-07"])"), std::string::npos) << days;

    EXPECT_TRUE(Lines([&](std::FILE* out) {
                    return PrintCloseCalls(*rec_, {1599, 12, 1}, {1600, 1, 31},
                                           AlmanacMode::Standard, out);
                }).empty());
    EXPECT_EQ(status_, kCliRefusedDate);
    EXPECT_EQ(RangeMessages(), 1);
}

}  // namespace
}  // namespace kalendo

namespace kalendo {
namespace {

// A Monday-first run across a month's end changes only each day's grid,
// which opens on the Monday on or before the 1st (29 April, 27 May).
TEST_F(CliRunTest, MondayFirstGridChangesTheGridAlone) {
    const auto days = [&](WeekStart start) {
        return Lines([&](std::FILE* out) {
            return PrintDays(*rec_, {2024, 5, 31}, {2024, 6, 1}, AlmanacMode::Standard, out, DayObjectOptions{{}, start, nullptr});
        });
    };
    const std::vector<std::string> sunday = days(WeekStart::Sunday), monday = days(WeekStart::Monday);
    ASSERT_EQ(monday.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t grid = sunday[i].find("\"grid\":["), title = sunday[i].rfind("\"title\":");
        EXPECT_EQ(monday[i].substr(0, grid), sunday[i].substr(0, grid));
        EXPECT_EQ(monday[i].substr(grid, 19), i == 0 ? "\"grid\":[{\"day\":-29," : "\"grid\":[{\"day\":-27,");
        EXPECT_EQ(monday[i].substr(monday[i].rfind("\"title\":")), sunday[i].substr(title));
    }
}

}  // namespace
}  // namespace kalendo
