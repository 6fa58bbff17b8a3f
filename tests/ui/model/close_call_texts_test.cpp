// The close-call words of a day: the mark, the detail lines and the spoken
// sentences, in both almanac modes, with and without a holiday at stake;
// and over 1900-2100 with the shipped files, that every sentence names the
// event's clock time and what changes, and nothing that does not.
#include "ui/model/close_call_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <tuple>

#include "astro/ephemeris.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "month/compute_month.h"
#include "tests/cli/cli_fixture.h"
#include "tests/ui/model/model_test_support.h"

namespace kalendo {
namespace {

using testing_support::Cp;
using testing_support::ModelTest;
using testing_support::Utf;

class CloseCallTextsTest : public ModelTest {};

TEST_F(CloseCallTextsTest, TheWordsOfADay) {
    LoadHolidayLines("春分の日 ( 1900 - 3000 ) / Deg0 説明\n");
    LoadNoteLines("節分 Deg-45-1\n立春 Deg-45\n");
    struct Case {
        AlmanacMode mode;
        CalendarDate day;
        const char* detail;  // UTF-8; "" on a day that hangs on nothing
    };
    const Case cases[] = {
        // The standard series 3 min 39 s before the midnight that ends the
        // 9th, ERFA after it: the midnight is named by the 10th.
        {AlmanacMode::Standard, {2035, 1, 9},
         "※ 朔は 1月9日 23時56分21秒（1月10日 午前0時の3分39秒前）。精密な計算では 1月10日 "
         "0時02分50秒（誤差 ±50秒）。1月10日なら：この日の旧暦は11月30日、六曜は仏滅。\r\n"},
        // 立春 after midnight in the standard almanac, before it in the
        // precise one: 節分 and the 立春 note would move a day earlier, and
        // the day (壬午, lunar 12/22) would open 寅 month of 2021's stars.
        {AlmanacMode::Standard, {2021, 2, 3},
         "※ 立春は 2月4日 0時02分40秒（午前0時の2分40秒後）。精密な計算では 2月3日 23時58分45秒"
         "（誤差 ±1分18秒）。2月3日なら：節分は2月2日、立春はこの日、この日の十二直は定、"
         "暦注は一粒万倍日・天恩日・大明日・神吉日・不成就日・小犯土、年の九星は六白金星、月の九星は五黄土星。\r\n"},
        {AlmanacMode::Standard, {2021, 2, 2},
         "※ 立春は 2月4日 0時02分40秒（午前0時の2分40秒後）。精密な計算では 2月3日 23時58分45秒"
         "（誤差 ±1分18秒）。2月3日なら：節分はこの日、立春は2月3日。\r\n"},
        // The precise 春分 58 s before midnight: the holiday would move.
        {AlmanacMode::Precise, {1927, 3, 21},
         "※ 春分は 3月21日 23時59分02秒（3月22日 午前0時の58秒前、誤差 ±1分6秒）。"
         "3月22日なら：春分の日は3月22日。\r\n"},
        {AlmanacMode::Standard, {2035, 5, 1}, ""},
        {AlmanacMode::Precise, {2035, 1, 9}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.day.year) + "-" + std::to_string(c.day.month) + "-" +
                     std::to_string(c.day.day));
        ASSERT_EQ(ComputeMonth(*rec_, c.day.year, c.day.month, c.day.day, {c.mode, kViewFull}), 1);
        const CloseCallTexts texts = BuildCloseCallTexts(*rec_);
        EXPECT_EQ(Utf(texts.detail), c.detail);
        EXPECT_EQ(Utf(texts.mark), *c.detail ? "※" : "");
        // The spoken words are the detail's sentences without mark or line end.
        std::string spoken = c.detail;
        if (!spoken.empty()) spoken = spoken.substr(std::string("※ ").size(), spoken.size() - 6);
        EXPECT_EQ(Utf(texts.spoken), spoken);
        EXPECT_EQ(texts.first, texts.spoken);
    }
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
bool EntriesMove(const DayChange& c) {
    return c.here.holiday != c.other.holiday || c.hereGenerated != c.otherGenerated || c.here.notes != c.other.notes;
}

// Every close-call sentence of 1900-2100 in both modes, on every day the
// close call changes: it names the event's clock time and the day across
// the midnight, a sign of the day only when it changes, and every holiday
// and note that moves. Each change it rests on is checked against the
// other side as the changed day itself computes it, and every day of the
// year whose holidays or notes move is among the changes of every day.
TEST(CloseCallWords, EverySentenceOf1900To2100NamesTheClockAndWhatChanges) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadHolidays(*rec, ReadFileBytes(BinFolder() + "祝日.Def")).has_value());
    ASSERT_FALSE(LoadNotes(*rec, ReadFileBytes(BinFolder() + "暦日.Def")).has_value());
    int sentences = 0;
    for (const AlmanacMode mode : {AlmanacMode::Standard, AlmanacMode::Precise}) {
        for (int y = 1900; y <= 2100; ++y) {
            for (const CloseCallDays& year : CloseCallsOfYear(*rec, y, mode)) {
                std::map<std::tuple<int, int, int>, DayChange> own;  // each day's own, both sides
                std::vector<std::vector<DayChange>> named;
                for (const CalendarDate& day : year.days) {
                    SCOPED_TRACE(testing::Message() << day.year << "-" << day.month << "-" << day.day);
                    ASSERT_EQ(ComputeMonth(*rec, day.year, day.month, day.day, {mode, kViewFull}), 1);
                    for (const DayCloseCall& c : CloseCallsOfTarget(*rec)) {
                        if (c.call.instantJdUt != year.call.instantJdUt) continue;
                        const std::string words = Utf(CloseCallSentence(*rec, c));
                        const JstSecond at = JstSecondOf(c.call.instantJdUt);
                        char clock[64];
                        std::snprintf(clock, sizeof clock, "%d月%d日 %lld時%02lld分%02lld秒", at.day.month, at.day.day,
                                      at.secondOfDay / 3600, at.secondOfDay / 60 % 60, at.secondOfDay % 60);
                        EXPECT_TRUE(Has(words, clock) && Has(words, std::to_string(c.call.otherDay.month) + "月" +
                                                                        std::to_string(c.call.otherDay.day) + "日なら："))
                            << words;
                        EXPECT_FALSE(Has(words, ",") || Has(words, ":") || Has(words, ".")) << words;
                        const DayReading here = ReadingOfTarget(*rec);
                        EXPECT_EQ(Has(words, "旧暦は"), here.lunarMonth != c.other.lunarMonth || here.lunarDay != c.other.lunarDay);
                        EXPECT_EQ(Has(words, "六曜は"), here.rokuyo != c.other.rokuyo) << words;
                        EXPECT_EQ(Has(words, "十二直は"), here.officer != c.other.officer) << words;
                        EXPECT_EQ(Has(words, "暦注は"), here.rekichu != c.other.rekichu) << words;
                        EXPECT_EQ(Has(words, "年の九星は"), here.kyusei.year != c.other.kyusei.year) << words;
                        EXPECT_EQ(Has(words, "月の九星は"), here.kyusei.month != c.other.kyusei.month) << words;
                        EXPECT_EQ(Has(words, "日の九星は"), here.kyusei.day != c.other.kyusei.day) << words;
                        for (const DayChange& ch : c.changes) {
                            EXPECT_TRUE(EntriesMove(ch) || ch.date == day) << "a day whose entries stay named";
                            for (int i = 0; i < rec->noteCount; ++i) {
                                EXPECT_TRUE(ch.here.notes[i] == ch.other.notes[i] || Has(words, Utf(rec->tables.notes[i].name)));
                            }
                            const int h = std::max(ch.here.holiday, ch.other.holiday);
                            EXPECT_TRUE(ch.here.holiday == ch.other.holiday || Has(words, Utf(rec->tables.holidays[h].name)));
                        }
                        const auto target = std::find_if(c.changes.begin(), c.changes.end(),
                                                         [&](const DayChange& ch) { return ch.date == day; });
                        ASSERT_NE(target, c.changes.end());
                        EXPECT_TRUE(target->other == c.other && target->here == here);
                        own[{day.year, day.month, day.day}] = *target;
                        named.push_back(c.changes);
                        ++sentences;
                    }
                }
                for (const std::vector<DayChange>& changes : named) {
                    for (const DayChange& ch : changes) {
                        const auto it = own.find({ch.date.year, ch.date.month, ch.date.day});
                        if (it == own.end()) continue;  // a day of another year
                        EXPECT_TRUE(ch.here == it->second.here && ch.other == it->second.other) << ch.date.month << "/" << ch.date.day;
                    }
                    for (const auto& [key, change] : own) {
                        if (!EntriesMove(change) || change.date.year != changes.front().date.year) continue;
                        EXPECT_TRUE(std::any_of(changes.begin(), changes.end(), [&](const DayChange& ch) { return ch.date == change.date; }));
                    }
                }
            }
        }
    }
    EXPECT_GE(sentences, 400);  // 34 close calls
}

}  // namespace
}  // namespace kalendo
