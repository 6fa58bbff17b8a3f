#include "ui/model/day_lines.h"

#include <gtest/gtest.h>

#include "astro/places.h"
#include "core/day_arith.h"
#include "defs/notes.h"
#include "month/compute_month.h"
#include "month/lower_register.h"
#include "platform/text_codec.h"
#include "tests/cli/cli_fixture.h"
#include "tests/ui/model/model_test_support.h"
#include "ui/model/rekichu_view.h"

namespace kalendo {
namespace {

using testing_support::ModelTest;

class DayLinesTest : public ModelTest {
protected:
    void LoadShippedNotes() {
        ASSERT_FALSE(LoadNotes(*rec_, ReadFileBytes(BinFolder() + "暦日.Def")).has_value());
    }
};

constexpr RekichuSet kEverything = (RekichuSet{1} << kRekichuCount) - 1;

// With the shipped calendar notes, a note of the lower register the day's
// note already names is left out of the line; the others stay.
TEST_F(DayLinesTest, LeavesOutWhatTheDaysNotesSay) {
    LoadShippedNotes();
    const struct {
        CalendarDate date;
        RekichuSet picks;
        const char* line;
    } cases[] = {
        // 甲子 and 天赦日 are notes of the day; 一粒万倍日 and 天恩日 are not.
        {{2025, 12, 21}, kEverything, "暦注 一粒万倍日・天恩日"},
        {{2025, 12, 21}, kDefaultRekichuPicks, "暦注 一粒万倍日"},
        {{2025, 12, 21}, RekichuBit(RekichuName::Kinoene), "暦注 なし"},
        // 己巳: the note 己巳 says 己巳の日.
        {{2025, 12, 26}, RekichuBit(RekichuName::Tsuchinotomi) | RekichuBit(RekichuName::Mi),
         "暦注 巳の日"},
        {{2026, 3, 5}, kDefaultRekichuPicks, "暦注 一粒万倍日"},
        {{2026, 1, 3}, kDefaultRekichuPicks, "暦注 なし"},
    };
    for (const auto& c : cases) {
        Select(c.date.year, c.date.month, c.date.day);
        const RekichuSet notes = RekichuLineNotes(*rec_, FillEventList(*rec_), {}, c.picks);
        EXPECT_EQ(Utf8FromCp932(RekichuLineText(notes)), c.line) << c.date.month << '/' << c.date.day;
    }
}

// Over every day of two years with the shipped notes and every note
// picked, no name shows twice: the line and the day's notes share none,
// and together they say every note of the lower register that falls on
// the day.
TEST_F(DayLinesTest, NoNameShowsTwiceAndNoneIsLost) {
    LoadShippedNotes();
    for (int y : {2025, 2033}) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                Select(y, m, d);
                const std::vector<ListRow> rows = FillEventList(*rec_);
                const RekichuSet line = RekichuLineNotes(*rec_, rows, {}, kEverything);
                RekichuSet shownByNotes = 0;
                for (const ListRow& row : rows) {
                    const std::string name = Utf8FromCp932(row.text);
                    for (int k = 0; k < kRekichuCount; ++k) {
                        const std::string note = Utf8FromCp932(RekichuNameText(k));
                        if (row.kind == kNoteRow && (note == name || note == name + "の日")) {
                            shownByNotes |= RekichuSet{1} << k;
                        }
                    }
                }
                EXPECT_EQ(line & shownByNotes, 0u) << y << '-' << m << '-' << d;
                EXPECT_EQ(line | (LowerRegisterOfTarget(*rec_, {}).rekichu & shownByNotes),
                          LowerRegisterOfTarget(*rec_, {}).rekichu) << y << '-' << m << '-' << d;
            }
        }
    }
}

// The sun's and the moon's lines: the published minutes of Tokyo, and a
// day without a moonrise or with two.
TEST(DayLineTexts, SunAndMoon) {
    const GeoPosition tokyo = NamedPlaceOf(ListedPlaces()[kDefaultPlaceIndex]).position;
    EXPECT_EQ(Utf8FromCp932(SunLineText(ComputeDaySky(2017, 1, 1, tokyo))), "日の出 6:51 日の入 16:39");
    EXPECT_EQ(Utf8FromCp932(SunLineText(ComputeDaySky(2017, 2, 1, tokyo))), "日の出 6:41 日の入 17:08");
    DaySky sky;
    sky.moonset.count = 2;
    sky.moonset.at[0].jdUt = 2460000.5 - 9.0 / 24 + 0.1 / 24;      // JST 0:06
    sky.moonset.at[1].jdUt = 2460000.5 - 9.0 / 24 + 23.9 / 24;     // JST 23:54
    EXPECT_EQ(Utf8FromCp932(MoonLineText(sky)), "月の出 なし 月の入 0:06・23:54");
}

}  // namespace
}  // namespace kalendo
