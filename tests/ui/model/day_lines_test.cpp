#include "ui/model/day_lines.h"

#include <gtest/gtest.h>

#include "core/day_arith.h"
#include "defs/notes.h"
#include "month/lower_register.h"
#include "platform/text_codec.h"
#include "tests/cli/cli_fixture.h"
#include "tests/ui/model/model_test_support.h"

namespace kalendo {
namespace {

constexpr RekichuSet kEverything = (RekichuSet{1} << kRekichuCount) - 1;

class DayLinesTest : public testing_support::ModelTest {
protected:
    void SetUp() override {
        ASSERT_FALSE(LoadNotes(*rec_, ReadFileBytes(BinFolder() + "暦日.Def")).has_value());
    }
    std::string Line(int y, int m, int d, RekichuSet picks) {
        Select(y, m, d);
        return Utf8FromCp932(RekichuLineText(RekichuLineNotes(*rec_, FillEventList(*rec_), {}, picks)));
    }
};

// With the shipped notes: 2025-12-21 has the notes 甲子 and 天赦日, 12-26 己巳.
TEST_F(DayLinesTest, LeavesOutWhatTheDaysNotesSay) {
    EXPECT_EQ(Line(2025, 12, 21, kEverything), "暦注 一粒万倍日・天恩日");
    EXPECT_EQ(Line(2025, 12, 21, RekichuBit(RekichuName::Kinoene)), "暦注 なし");
    EXPECT_EQ(Line(2025, 12, 26, RekichuBit(RekichuName::Tsuchinotomi) | RekichuBit(RekichuName::Mi)),
              "暦注 巳の日");
    EXPECT_EQ(Line(2026, 3, 5, kDefaultRekichuPicks), "暦注 一粒万倍日");  // and the note 天赦日
}

// Every day of two years, everything picked: the line and the day's notes
// share no name, and together they say every note that falls on the day.
TEST_F(DayLinesTest, NoNameShowsTwiceAndNoneIsLost) {
    for (int y : {2025, 2033}) {
        for (int day = 0; day < (IsLeapYear(y) ? 366 : 365); ++day) {
            const CalendarDate date = DateOfJulianDate(JulianDate(y, 1, 1) + day);
            Select(date.year, date.month, date.day);
            const std::vector<ListRow> rows = FillEventList(*rec_);
            const RekichuSet all = LowerRegisterOfTarget(*rec_, {}).rekichu;
            RekichuSet byNotes = 0;
            for (const ListRow& row : rows) {
                for (int k = 0; k < kRekichuCount && row.kind == kNoteRow; ++k) {
                    const std::string note = Utf8FromCp932(RekichuNameText(k)), name = Utf8FromCp932(row.text);
                    if (note == name || note == name + "の日") byNotes |= RekichuSet{1} << k;
                }
            }
            const RekichuSet line = RekichuLineNotes(*rec_, rows, {}, kEverything);
            EXPECT_EQ(line & byNotes, 0u) << date.month << '/' << date.day;
            EXPECT_EQ(line | (all & byNotes), all) << date.month << '/' << date.day;
        }
    }
}

}  // namespace
}  // namespace kalendo
