// The close-call words of a day: the mark, the detail lines and the spoken
// sentences, in both almanac modes, with and without a holiday at stake.
#include "ui/model/close_call_texts.h"

#include <gtest/gtest.h>

#include "month/compute_month.h"
#include "tests/ui/model/model_test_support.h"

namespace kalendo {
namespace {

using testing_support::Cp;
using testing_support::ModelTest;
using testing_support::Utf;

class CloseCallTextsTest : public ModelTest {};

TEST_F(CloseCallTextsTest, TheWordsOfADay) {
    LoadHolidayLines("春分の日 ( 1900 - 3000 ) / Deg0 説明\n");
    struct Case {
        AlmanacMode mode;
        CalendarDate day;
        const char* detail;  // UTF-8; "" on a day that hangs on nothing
    };
    const Case cases[] = {
        // The standard series before midnight, ERFA after it.
        {AlmanacMode::Standard, {2035, 1, 9},
         "※ 1月9日の朔は午前0時の 3 分 39 秒前（精密では 2 分 50 秒後, 誤差 ±50 秒）: "
         "翌日ならこの日は旧暦 11月30日 仏滅, 十二直 執.\r\n"},
        // The precise 春分 58 s before midnight: the holiday would move.
        {AlmanacMode::Precise, {1927, 3, 21},
         "※ 3月21日の春分は午前0時の 58 秒前（誤差 ±1 分 6 秒）: "
         "翌日ならこの日は旧暦 2月18日 先勝, 十二直 閉, 祝日でない.\r\n"},
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
    }
}

}  // namespace
}  // namespace kalendo
