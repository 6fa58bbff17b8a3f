#include "ui/model/reminders.h"

#include <gtest/gtest.h>

#include <tuple>

#include "ui/model/month_view.h"
#include "model_test_support.h"

namespace kalendo {
namespace {

using std::chrono::milliseconds;
using testing_support::ModelTest;
using testing_support::Utf;

class ReminderTest : public ModelTest {
protected:
    ReminderTest() {
        LoadHolidayLines("憲法記念日 ( 1949 - 3000 ) / 5/3 x\nこどもの日 ( 1949 - 3000 ) / 5/5 x\n");
        LoadUserLines("結婚記念日 2000 / 5/6 1\n月末 2000 / 5/28 4\n");
        SetToday(2024, 5, 1);
        LoadScheduleLines("会議                2024/05/06\t0\n{\n\n}\n"
                          "歯医者              2024/05/28\t4\n{\n\n}\n"
                          "週前                2024/05/09\t1\n{\n\n}\n"
                          "<b>&                2026/03/06\t0\n{\n\n}\n");
    }
    // The announcement of `today` as UTF-8 lines, the summary first.
    std::vector<std::string> LinesOn(int y, int m, int d, RekichuSet picks) {
        SetToday(y, m, d);
        Select(2024, 8, 20);
        AppSettings s;
        s.rekichuPicks = picks;
        const std::optional<Reminder> r = ReminderOf(*rec_, s);
        if (!r) return {};
        EXPECT_EQ(std::make_tuple(r->day, TargetDate(*rec_)), std::make_tuple(CalendarDate{y, m, d}, CalendarDate{2024, 8, 20}))
            << "today announced, the record back on the day shown";
        std::vector<std::string> lines{Utf(r->summary)};
        for (const std::string& line : r->lines) lines.push_back(Utf(line));
        return lines;
    }
};

TEST_F(ReminderTest, WhatADayAnnounces) {
    using V = std::vector<std::string>;
    EXPECT_EQ(LinesOn(2024, 5, 5, 0), (V{"5月5日（日）の暦", "祝日: こどもの日", "明日: 結婚記念日", "明日: 会議",
                                         "4日後: 週前", "23日後: 月末", "23日後: 歯医者"}))
        << "the holiday, then by days ahead, a yearly event before the schedule of its index";
    EXPECT_EQ(LinesOn(2024, 5, 6, 0), (V{"5月6日（月）の暦", "祝日: 振り替え休日", "今日: 結婚記念日", "今日: 会議",
                                         "3日後: 週前", "22日後: 月末", "22日後: 歯医者"}))
        << "the generated holiday; today's own entries whatever their notice";
    EXPECT_EQ(LinesOn(2024, 6, 15, 0), V{}) << "nothing to say: no announcement";
    EXPECT_EQ(LinesOn(2026, 3, 5, kDefaultRekichuPicks), (V{"3月5日（木）の暦", "暦注: 天赦日・一粒万倍日", "明日: <b>&"}))
        << "the picked notes, and a name as typed";
}

TEST(Reminders, WhenTheyAreDue) {
    const CalendarDate today{2026, 12, 10};
    const milliseconds midnight{5 * 3600 * 1000};
    const struct { bool on; CalendarDate last; int minutesNow; bool atStart; milliseconds untilDaily; bool due;
                   milliseconds wake; const char* why; } cases[] = {
        {true, {0, 0, 0}, 7 * 60, true, milliseconds(3600000), true, milliseconds(3600005), "start before the time"},
        {true, {0, 0, 0}, 8 * 60, false, milliseconds(0), true, midnight, "the time reached"},
        {true, {2026, 12, 9}, 9 * 60, false, milliseconds(-3600000), true, midnight, "yesterday's, the time passed"},
        {true, today, 9 * 60, true, milliseconds(-3600000), false, midnight, "announced today: not at a start"},
        {true, today, 7 * 60, false, milliseconds(3600000), false, midnight, "announced today: no wake at the time"},
        {false, {0, 0, 0}, 9 * 60, true, milliseconds(3600000), false, midnight, "off"},
        {true, {0, 0, 0}, 1 * 60, false, milliseconds(7 * 3600000), false, midnight, "midnight first"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        AppSettings s;
        s.reminderOn = c.on;
        s.reminderLastDay = c.last;
        EXPECT_EQ(ReminderDue(s, today, c.minutesNow, c.atStart), c.due);
        EXPECT_EQ(NextWakeDelay(midnight, c.untilDaily, s, today), c.wake);
    }
}

TEST(Reminders, TheSettingsBlockLastAndReadBack) {
    const struct { const char* tail; bool on; int minutes; CalendarDate last; bool asWritten; } cases[] = {
        {"[Reminder]\n1\n8:00\n2026-12-10\n", true, 480, {2026, 12, 10}, true},
        {"[Reminder]\n0\n21:05\n\n", false, 21 * 60 + 5, {0, 0, 0}, true},
        {"[Reminder]\r\n1\r\n7:30\r\n2026-12-10\r\n", true, 450, {2026, 12, 10}, false},
        {"[Reminder]\n1\n24:00\n2026-12-10x\n", true, 480, {0, 0, 0}, false},
        {"[Reminder]\n0\n", false, 480, {0, 0, 0}, false},
        {"", true, 480, {0, 0, 0}, true},  // all defaults: no block
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tail);
        AppSettings s;
        ASSERT_TRUE(ParseSettings(SettingsText(AppSettings{}) + c.tail, s));
        EXPECT_EQ(std::tie(s.reminderOn, s.reminderMinutes, s.reminderLastDay),
                  std::make_tuple(c.on, c.minutes, c.last));
        if (c.asWritten) {
            EXPECT_EQ(SettingsText(s), SettingsText(AppSettings{}) + c.tail);
        }
    }
}

}  // namespace
}  // namespace kalendo
