#include "ui/model/rekichu_view.h"

#include <gtest/gtest.h>

#include "platform/text_codec.h"
#include "ui/model/month_view.h"
#include "model_test_support.h"

namespace kalendo {
namespace {

using testing_support::ModelTest;

class RekichuViewTest : public ModelTest {};

// The detail dialog's section of 2025-12-21 (a 甲子 on the 冬至 switch),
// and the picked names the printed cells carry, under both readings.
TEST_F(RekichuViewTest, DetailTextAndPickedNames) {
    Select(2025, 12, 21);
    EXPECT_EQ(Utf8FromCp932(RekichuDetailText(*rec_, {})),
              "九星：年 二黒土星　月 一白水星　日 一白水星\r\n"
              "天赦日：吉。天が万物の罪を赦す日で、何事を始めるにも最上の吉日\r\n"
              "一粒万倍日：吉。一粒の籾が万倍に実る日。始め事・開店・種蒔きに吉、借金は凶\r\n"
              "天恩日：吉。天の恩恵を受ける日。祝い事・婚礼に吉\r\n"
              "甲子の日：吉。干支の始まりで大黒天の縁日。物事を始めるに吉\r\n");
    const struct {
        CalendarDate date;
        RekichuReadings readings;
        RekichuSet picks;
        const char* names;
    } cases[] = {
        {{2026, 3, 5}, {}, kDefaultRekichuPicks, "天赦日・一粒万倍日"},
        {{2026, 3, 5}, {IchiryuReading::OneBranch, {}}, kDefaultRekichuPicks, "天赦日"},
        {{2026, 1, 3}, {}, kDefaultRekichuPicks, ""},
        {{2025, 12, 21}, {}, RekichuBit(RekichuName::Kinoene), "甲子の日"},
    };
    for (const auto& c : cases) {
        PickedRekichu picked(*rec_, c.readings, c.picks);
        EXPECT_EQ(Utf8FromCp932(picked.NamesOf(c.date)), c.names) << c.date.month << '/' << c.date.day;
    }
    EXPECT_EQ(TargetDate(*rec_), (CalendarDate{2025, 12, 21})) << "the record is not moved";
}

}  // namespace
}  // namespace kalendo
