#include "ui/model/ics_events.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "almanac/sign_names.h"
#include "core/day_arith.h"
#include "defs/schedules.h"
#include "model_test_support.h"
#include "ui/model/lists.h"

namespace kalendo {
namespace {

using testing_support::ModelTest;
using testing_support::Utf;

TEST(IcsInclude, ParsesTheCommaList) {
    struct Case {
        const char* list;
        bool ok;
        IcsInclude want;
        const char* why;
    };
    const Case cases[] = {
        {"holidays", true, IcsInclude::Of({IcsWord::Holidays}), "one word"},
        {"moon,holidays", true, IcsInclude::Of({IcsWord::Holidays, IcsWord::Moon}), "any order"},
        {"holidays,notes,users,schedules,rokuyo,lunar,moon,rekichu", true, IcsInclude::All(), "every word"},
        {"", false, {}, "empty list"},
        {"holidays,", false, {}, "empty last word"},
        {",holidays", false, {}, "empty first word"},
        {"holidays,,notes", false, {}, "empty word between"},
        {"holidays,holidays", false, {}, "a word twice"},
        {"Holidays", false, {}, "words are lower case"},
        {"holiday", false, {}, "not a prefix match"},
        {"holidays notes", false, {}, "blank is no separator"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::optional<IcsInclude> got = ParseIcsInclude(c.list);
        ASSERT_EQ(got.has_value(), c.ok);
        if (c.ok) {
            EXPECT_EQ(*got, c.want);
        }
    }
}

TEST(IcsInclude, ListAndParseAreInverse) {
    // Every one of the 127 non-empty choices survives the round trip.
    for (int bits = 1; bits < 128; ++bits) {
        IcsInclude in = IcsInclude::None();
        for (int k = 0; k < kIcsWordCount; ++k) in = in.With(static_cast<IcsWord>(k), (bits >> k & 1) != 0);
        const std::optional<IcsInclude> back = ParseIcsInclude(IcsIncludeList(in));
        ASSERT_TRUE(back.has_value()) << IcsIncludeList(in);
        EXPECT_EQ(*back, in) << IcsIncludeList(in);
    }
    EXPECT_EQ(IcsIncludeList(IcsInclude{}), "holidays,notes,users,schedules");
}

TEST(IcsRange, AcceptsRealDatesOfTheSupportedYearsInOrder) {
    struct Case {
        CalendarDate first, last;
        bool ok;
        const char* why;
    };
    const Case cases[] = {
        {{1600, 1, 1}, {2999, 12, 31}, true, "the whole supported range"},
        {{2024, 5, 3}, {2024, 5, 3}, true, "one day"},
        {{2024, 2, 29}, {2024, 3, 1}, true, "leap day"},
        {{2023, 2, 29}, {2023, 3, 1}, false, "no 29 February in 2023"},
        {{1599, 12, 31}, {1600, 1, 1}, false, "before 1600"},
        {{2999, 12, 31}, {3000, 1, 1}, false, "after 2999"},
        {{2024, 5, 4}, {2024, 5, 3}, false, "last before first"},
        {{2024, 0, 10}, {2024, 1, 10}, false, "month 0"},
        {{2024, 4, 31}, {2024, 5, 1}, false, "31 April"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(IcsRangeAccepted(c.first, c.last), c.ok);
    }
}

// Events as (date, kind, index, name, description) with UTF-8 texts.
using Ev = std::tuple<std::string, IcsKind, int, std::string, std::string>;

std::string Iso(CalendarDate d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

std::vector<Ev> Events(const std::vector<IcsEvent>& events) {
    std::vector<Ev> out;
    for (const IcsEvent& e : events) {
        out.emplace_back(Iso(e.date), e.kind, e.index, Utf(e.name), Utf(e.description));
    }
    return out;
}

class IcsEventsTest : public ModelTest {
protected:
    IcsEventsTest() {
        // 2024: 3, 4 and 5 May are holidays; 4 May is also a citizens'
        // holiday and Monday 6 May the substitute for Sunday 5 May.
        LoadHolidayLines(
            "憲法記念日 ( 1949 - 3000 ) / 5/3 憲法の施行\n"
            "みどりの日 ( 2007 - 3000 ) / 5/4 自然に親しむ\n"
            "こどもの日 ( 1949 - 3000 ) / 5/5 子供の成長\n");
        LoadNoteLines(
            "端午の節句 5/5\n{\n菖蒲湯\n柏餅\n}\n"
            "旧正月 旧1/1\n");
        LoadUserLines("結婚記念日 2000 / 5/6 1\n{\n花を買う\n}\n");
        SetToday(2024, 5, 1);
        LoadScheduleLines(
            "会議                2024/05/06\t0\n{\n資料\r\n持参\n}\n"
            "昨日                2024/04/30\t0\n{\n\n}\n");
        RemovePastSchedulesOfFixture();
    }
    void RemovePastSchedulesOfFixture();
};

void IcsEventsTest::RemovePastSchedulesOfFixture() {
    // As the window and the CLI do before they export.
    Select(2024, 5, 1);
    RemovePastSchedules(*rec_);
}

TEST_F(IcsEventsTest, GoldenWeekWithEveryDefinitionKind) {
    const std::vector<IcsEvent> events = CollectIcsEvents(*rec_, {2024, 5, 3}, {2024, 5, 6}, IcsInclude{}, AlmanacMode::Standard);
    EXPECT_EQ(Events(events), (std::vector<Ev>{
        {"2024-05-03", IcsKind::Holiday, 0, "憲法記念日", "憲法の施行"},
        // The citizens' holiday of 4 May hides behind the holiday, as in
        // the event list.
        {"2024-05-04", IcsKind::Holiday, 1, "みどりの日", "自然に親しむ"},
        {"2024-05-05", IcsKind::Holiday, 2, "こどもの日", "子供の成長"},
        {"2024-05-05", IcsKind::Note, 0, "端午の節句", "菖蒲湯\r\n柏餅"},
        // The memo dialog shows no text for a generated holiday.
        {"2024-05-06", IcsKind::GeneratedHoliday, 1, "振り替え休日", ""},
        {"2024-05-06", IcsKind::UserEvent, 0, "結婚記念日", "花を買う"},
        {"2024-05-06", IcsKind::Schedule, 0, "会議", "資料\r\n持参"},
    }));
}

TEST_F(IcsEventsTest, EventsAgreeWithTheEventListOfEveryDay) {
    // The export and the window's list of the day are two views of one
    // month record: kinds, indexes and names must match day by day.
    const CalendarDate first{2024, 1, 1}, last{2024, 12, 31};
    const std::vector<IcsEvent> events = CollectIcsEvents(*rec_, first, last, IcsInclude{}, AlmanacMode::Standard);
    std::map<std::string, std::vector<std::tuple<int, int, std::string>>> exported;
    const int rowKind[] = {kHolidayRow, kGeneratedHolidayRow, kNoteRow, kUserEventRow, kScheduleRow};
    for (const IcsEvent& e : events) {
        exported[Iso(e.date)].emplace_back(rowKind[static_cast<int>(e.kind)], e.index, e.name);
    }
    int days = 0;
    for (int y = 2024, m = 1, d = 1; y == 2024; ++d, NormalizeDate(y, m, d), ++days) {
        Select(y, m, d);
        std::vector<std::tuple<int, int, std::string>> listed;
        for (const ListRow& r : FillEventList(*rec_)) listed.emplace_back(r.kind, r.index, r.text);
        EXPECT_EQ(exported[Iso({y, m, d})], listed) << Iso({y, m, d});
    }
    EXPECT_EQ(days, 366);
}

TEST_F(IcsEventsTest, SignsOfEveryDay) {
    const IcsInclude signs = IcsInclude::Of({IcsWord::Rokuyo, IcsWord::Lunar, IcsWord::Moon});
    const std::vector<IcsEvent> events = CollectIcsEvents(*rec_, {2024, 1, 1}, {2024, 12, 31}, signs, AlmanacMode::Standard);
    std::map<IcsKind, int> count;
    for (const IcsEvent& e : events) ++count[e.kind];
    EXPECT_EQ(count[IcsKind::Rokuyo], 366);
    EXPECT_EQ(count[IcsKind::Lunar], 366);
    // Each principal phase once a lunation: 12 or 13 of each in a year.
    EXPECT_GE(count[IcsKind::Moon], 48);
    EXPECT_LE(count[IcsKind::Moon], 52);
    for (const IcsEvent& e : events) {
        if (e.kind != IcsKind::Lunar) continue;
        // The lunisolar new year of 2024 is 10 February.
        if (Iso(e.date) == "2024-02-10") {
            EXPECT_EQ(Utf(e.name), "旧暦 1月1日");
        }
    }
}

// One event a day carrying the picked notes: 2026 has 64 一粒万倍日 and six
// 天赦日, four of them (3/5, 7/19, 10/1, 12/16) on a 一粒万倍日; under 「一支」 and with
// other picks the events follow.
TEST_F(IcsEventsTest, RekichuEventsNameThePickedNotes) {
    const struct {
        RekichuSet picks;
        RekichuReadings readings;
        int events;
        const char* firstName;
    } cases[] = {
        {kDefaultRekichuPicks, {}, 66, "一粒万倍日"},
        {RekichuBit(RekichuName::Tensha), {}, 6, "天赦日"},
        {kDefaultRekichuPicks, {IchiryuReading::OneBranch, {}}, 37, "一粒万倍日"},
    };
    for (const auto& c : cases) {
        IcsInclude include = IcsInclude::Of({IcsWord::Rekichu});
        include.rekichuPicks = c.picks;
        include.readings = c.readings;
        const std::vector<Ev> got =
            Events(CollectIcsEvents(*rec_, {2026, 1, 1}, {2026, 12, 31}, include, AlmanacMode::Standard));
        EXPECT_EQ(got.size(), static_cast<std::size_t>(c.events));
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(std::get<3>(got[0]), c.firstName);
        for (const Ev& e : got) {
            if (std::get<0>(e) == "2026-03-05" && c.picks == kDefaultRekichuPicks && c.readings == RekichuReadings{}) {
                EXPECT_EQ(std::get<3>(e), "天赦日・一粒万倍日");
                EXPECT_EQ(std::get<4>(e).find("天赦日：吉。"), 0u);
            }
        }
    }
    EXPECT_EQ(ParseRekichuPicks("天赦日,不成就日"), RekichuBit(RekichuName::Tensha) | RekichuBit(RekichuName::Fujoju));
    for (const char* bad : {"", "天赦日,", "天赦日,天赦日", "吉日"}) EXPECT_EQ(ParseRekichuPicks(bad), std::nullopt) << bad;
}

TEST_F(IcsEventsTest, LeapMonthAndPhaseNames) {
    const IcsInclude signs = IcsInclude::Of({IcsWord::Rokuyo, IcsWord::Lunar, IcsWord::Moon});
    // 22 March 2023 is the first day of the leap second month.
    const std::vector<Ev> got = Events(CollectIcsEvents(*rec_, {2023, 3, 22}, {2023, 3, 22}, signs, AlmanacMode::Standard));
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(std::get<1>(got[0]), IcsKind::Rokuyo);
    const int k = std::get<2>(got[0]);
    EXPECT_EQ(std::get<3>(got[0]), Utf(RokuyoName(k)));
    EXPECT_EQ(std::get<4>(got[0]), "六曜：" + Utf(RokuyoName(k)) + "（" + Utf(RokuyoReading(k)) + "）");
    EXPECT_EQ(got[1], (Ev{"2023-03-22", IcsKind::Lunar, -2, "旧暦 閏2月1日", ""}));
    EXPECT_EQ(got[2], (Ev{"2023-03-22", IcsKind::Moon, 0, "新月", ""}));
}

// The new moon of 2035-01-10 at 0:04 JST falls on the 9th by the shipped
// series: the export follows the almanac it is asked for.
TEST_F(IcsEventsTest, ComputesInTheAlmanacModeAsked) {
    const IcsInclude lunar = IcsInclude::Of({IcsWord::Lunar});
    const auto first = [&](AlmanacMode mode) {
        return Events(CollectIcsEvents(*rec_, {2035, 1, 9}, {2035, 1, 9}, lunar, mode)).at(0);
    };
    EXPECT_EQ(std::get<3>(first(AlmanacMode::Standard)), "旧暦 12月1日");
    EXPECT_EQ(std::get<3>(first(AlmanacMode::Precise)), "旧暦 11月30日");
}

TEST_F(IcsEventsTest, ARefusedRangeGivesNothingAndLeavesTheRecord) {
    Select(2024, 5, 5);
    EXPECT_TRUE(CollectIcsEvents(*rec_, {2024, 5, 6}, {2024, 5, 5}, IcsInclude{}, AlmanacMode::Standard).empty());
    EXPECT_TRUE(CollectIcsEvents(*rec_, {1599, 12, 31}, {1600, 1, 1}, IcsInclude{}, AlmanacMode::Standard).empty());
    EXPECT_EQ(TargetDate(*rec_), (CalendarDate{2024, 5, 5}));
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
}  // namespace kalendo
