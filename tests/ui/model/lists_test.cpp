#include "ui/model/lists.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "defs/schedules.h"
#include "ui/model/day_entries.h"
#include "model_test_support.h"

namespace kalendo {
namespace {

using testing_support::ModelTest;
using testing_support::Utf;

// (kind, index, day column, text) with texts as UTF-8.
using Row = std::tuple<int, int, std::string, std::string>;

std::vector<Row> Rows(const std::vector<ListRow>& rows) {
    std::vector<Row> out;
    for (const ListRow& r : rows) out.emplace_back(r.kind, r.index, r.dayText, Utf(r.text));
    return out;
}

class ListsTest : public ModelTest {
protected:
    ListsTest() {
        // 2024: 3, 4 and 5 May are holidays; 4 May is also a citizens'
        // holiday (between 3 and 5 May) and Monday 6 May the substitute for
        // Sunday 5 May.
        LoadHolidayLines(
            "憲法記念日 ( 1949 - 3000 ) / 5/3 憲法の施行\n"
            "みどりの日 ( 2007 - 3000 ) / 5/4 自然に親しむ\n"
            "こどもの日 ( 1949 - 3000 ) / 5/5 子供の成長\n");
        LoadNoteLines(
            "端午の節句 5/5\n{\n菖蒲湯\n}\n"
            "振替メモ 5/6\n"
            "別の日 5/7\n"
            "二つ目 5/6\n");
        LoadUserLines(
            "結婚記念日 2000 / 5/6 1\n{\n花を買う\n}\n"
            "来年から 2025 / 5/6 1\n"
            "月末 2000 / 5/28 4\n");
        SetToday(2024, 5, 1);
        LoadScheduleLines(
            "会議                2024/05/06\t0\n{\n資料\r\n持参\n}\n"
            "歯医者              2024/05/28\t4\n{\n\n}\n"
            "遠い予定            2024/05/29\t4\n{\n\n}\n"
            "週前                2024/05/09\t1\n{\n\n}\n");
    }
};

TEST_F(ListsTest, EventListOfASubstituteHoliday) {
    Select(2024, 5, 6);
    EXPECT_EQ(Rows(FillEventList(*rec_)), (std::vector<Row>{
        {kGeneratedHolidayRow, 1, "", "振り替え休日"},
        {kNoteRow, 1, "", "振替メモ"},
        {kNoteRow, 3, "", "二つ目"},
        {kUserEventRow, 0, "", "結婚記念日"},
        {kScheduleRow, 0, "", "会議"},
    })) << "generated holiday 0 is the citizens' holiday of 4 May";
}

TEST_F(ListsTest, AHolidayHidesTheGeneratedOneOnItsDay) {
    Select(2024, 5, 4);
    EXPECT_EQ(Rows(FillEventList(*rec_)), (std::vector<Row>{{kHolidayRow, 1, "", "みどりの日"}}));
    Select(2024, 5, 5);
    EXPECT_EQ(Rows(FillEventList(*rec_)),
              (std::vector<Row>{{kHolidayRow, 2, "", "こどもの日"}, {kNoteRow, 0, "", "端午の節句"}}));
}

// Every day of May: each entry's description is what the memo dialog opens
// for its row (the export's DESCRIPTION). A name that fills its field with
// no NUL is cut to the field's 1023 bytes, not read past.
TEST_F(ListsTest, EntriesDescribeWhatTheMemoShows) {
    for (int d = 1; d <= 31; ++d) {
        Select(2024, 5, d);
        const std::vector<DayEntry> entries = EntriesOnDay(*rec_);
        const std::vector<ListRow> rows = FillEventList(*rec_);
        ASSERT_EQ(entries.size(), rows.size()) << d;
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            EXPECT_EQ(entries[r].description, EventListMemo(*rec_, rows, r).value().text) << d;
        }
    }
    std::memset(rec_->TablesToChange().notes[0].name, 'x', kTextBytes);  // 端午の節句, 5 May
    Select(2024, 5, 5);
    EXPECT_EQ(EntriesOnDay(*rec_).at(1).text, std::string(kTextBytes - 1, 'x'));
}

TEST_F(ListsTest, ScheduleListWalks27DaysAhead) {
    Select(2024, 5, 1);
    // 6 May is 5 days ahead (one week of notice: listed; the schedule of
    // period "前日" not yet); 28 May is 27 days ahead (four weeks: listed, the
    // schedule of index 1 before the user event of index 2); 29 May is
    // beyond the walk; 9 May is 8 days ahead, past one week of notice.
    EXPECT_EQ(Rows(FillScheduleList(*rec_)), (std::vector<Row>{
        {kUserEventRow, 0, "6", "結婚記念日"},
        {kScheduleRow, 1, "28", "歯医者"},
        {kUserEventRow, 2, "28", "月末"},
    }));
    Select(2024, 5, 5);
    EXPECT_EQ(Rows(FillScheduleList(*rec_)), (std::vector<Row>{
        {kUserEventRow, 0, "6", "結婚記念日"},  // a user event before the schedule
        {kScheduleRow, 0, "6", "会議"},         // of the same index; "前日": the day before
        {kScheduleRow, 3, "9", "週前"},
        {kScheduleRow, 1, "28", "歯医者"},
        {kUserEventRow, 2, "28", "月末"},
        {kScheduleRow, 2, "29", "遠い予定"},
    }));
    // The selected day's own entries are in the event list only.
    Select(2024, 5, 6);
    for (const ListRow& r : FillScheduleList(*rec_)) EXPECT_NE(Utf(r.text), "会議");
}

TEST_F(ListsTest, ScheduleListAcrossTheYearEnd) {
    LoadUserLines("正月準備 2000 / 1/3 2\n");
    Select(2024, 12, 25);
    // The user entries were evaluated for 2024; 3 January 2025 is the same
    // month and day, 9 days ahead.
    EXPECT_EQ(Rows(FillScheduleList(*rec_)), (std::vector<Row>{{kUserEventRow, 0, "3", "正月準備"}}));
}

TEST_F(ListsTest, EveryEntryOfATableIsWalked) {
    // 300 user events and 200 schedules on one day: all 500 are listed, not
    // only the first 256 user events.
    std::string users, schedules;
    for (int i = 0; i < 300; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "u%03d 2000 / 5/10 1\n", i);
        users += line;
        if (i >= 200) continue;
        std::snprintf(line, sizeof line, "s%03d 2024/05/10\t1\n{\n\n}\n", i);
        schedules += line;
    }
    LoadUserLines(users);
    LoadScheduleLines(schedules);
    Select(2024, 5, 9);
    const std::vector<ListRow> rows = FillScheduleList(*rec_);
    ASSERT_EQ(rows.size(), 500u);
    std::vector<std::tuple<int, int>> want;
    for (int j = 0; j < 300; ++j) {
        want.emplace_back(kUserEventRow, j);
        if (j < 200) want.emplace_back(kScheduleRow, j);
    }
    std::vector<std::tuple<int, int>> got;
    for (const ListRow& r : rows) got.emplace_back(r.kind, r.index);
    EXPECT_EQ(got, want);
    Select(2024, 5, 10);
    EXPECT_EQ(FillEventList(*rec_).size(), 500u);
}

TEST_F(ListsTest, ListsHoldAtMost512Rows) {
    std::string users, schedules;
    for (int i = 0; i < kUserEntryCapacity; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "u%03d 2000 / 5/%d 4\n", i, 10 + i % 3);
        users += line;
        std::snprintf(line, sizeof line, "s%03d 2024/05/%02d\t4\n{\n\n}\n", i, 10 + i % 3);
        schedules += line;
    }
    LoadUserLines(users);
    LoadScheduleLines(schedules);
    Select(2024, 5, 2);
    const std::vector<ListRow> rows = FillScheduleList(*rec_);
    ASSERT_EQ(rows.size(), static_cast<size_t>(kListRowCapacity));
    // The rows kept are the first in order: 10 May before 11 May.
    EXPECT_EQ(Utf(rows.front().dayText), "10");
    EXPECT_EQ(Utf(rows.back().dayText), "11");
}

TEST_F(ListsTest, RowColours) {
    EXPECT_EQ(RowTextColour(kNoteRow), (Rgb{0, 0, 0}));
    EXPECT_EQ(RowTextColour(kHolidayRow), (Rgb{255, 0, 0}));
    EXPECT_EQ(RowTextColour(kGeneratedHolidayRow), (Rgb{255, 0, 0}));
    EXPECT_EQ(RowTextColour(kUserEventRow), (Rgb{0, 0, 255}));
    EXPECT_EQ(RowTextColour(kScheduleRow), (Rgb{20, 128, 128}));
    EXPECT_FALSE(RowTextColour(5).has_value());
    EXPECT_FALSE(RowTextColour(-1).has_value());
}

std::tuple<std::string, std::string> Memo(const std::optional<MemoContent>& m) {
    if (!m) return {"(none)", "(none)"};
    return {Utf(m->title), Utf(m->text)};
}

TEST_F(ListsTest, EventListDoubleClicks) {
    Select(2024, 5, 6);
    const std::vector<ListRow> rows = FillEventList(*rec_);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(Memo(EventListMemo(*rec_, rows, 0)), std::make_tuple("振り替え休日", ""));
    EXPECT_EQ(Memo(EventListMemo(*rec_, rows, 1)), std::make_tuple("振替メモ", ""));
    EXPECT_EQ(Memo(EventListMemo(*rec_, rows, 3)), std::make_tuple("結婚記念日", "花を買う"));
    EXPECT_EQ(Memo(EventListMemo(*rec_, rows, 4)), std::make_tuple("会議", "資料\r\n持参"));
    EXPECT_EQ(Memo(EventListMemo(*rec_, rows, -1)), std::make_tuple("(none)", "(none)"));
    EXPECT_EQ(Memo(EventListMemo(*rec_, rows, 5)), std::make_tuple("(none)", "(none)"));

    Select(2024, 5, 5);
    const std::vector<ListRow> holiday = FillEventList(*rec_);
    EXPECT_EQ(Memo(EventListMemo(*rec_, holiday, 0)), std::make_tuple("こどもの日", "子供の成長"));
    EXPECT_EQ(Memo(EventListMemo(*rec_, holiday, 1)), std::make_tuple("端午の節句", "菖蒲湯"));
    Select(2024, 5, 4);
    // The citizens' holiday shows the substitute's title, whatever its name.
    const std::vector<ListRow> citizens{ListRow{kGeneratedHolidayRow, 0, "", ""}};
    EXPECT_EQ(Memo(EventListMemo(*rec_, citizens, 0)), std::make_tuple("振り替え休日", ""));
}

TEST_F(ListsTest, ScheduleListDoubleClicksOpenEventsAndSchedulesOnly) {
    Select(2024, 5, 5);
    const std::vector<ListRow> rows = FillScheduleList(*rec_);
    EXPECT_EQ(Memo(ScheduleListMemo(*rec_, rows, 0)), std::make_tuple("結婚記念日", "花を買う"));
    EXPECT_EQ(Memo(ScheduleListMemo(*rec_, rows, 1)), std::make_tuple("会議", "資料\r\n持参"));
    const std::vector<ListRow> others{ListRow{kNoteRow, 0, "", ""}, ListRow{kHolidayRow, 0, "", ""},
                                      ListRow{kGeneratedHolidayRow, 0, "", ""}};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(Memo(ScheduleListMemo(*rec_, others, r)), std::make_tuple("(none)", "(none)"));
    }
}

}  // namespace
}  // namespace kalendo
