#include "almanac/rekichu.h"

#include <gtest/gtest.h>

#include "almanac/kyusei.h"

namespace kalendo {
namespace {

using enum RekichuName;

constexpr RekichuSet Set(std::initializer_list<RekichuName> names) {
    RekichuSet set = 0;
    for (RekichuName n : names) set |= RekichuBit(n);
    return set;
}

// One day of each shape, with every note it carries.
struct NoteCase {
    RekichuDay day;
    RekichuReadings readings;
    RekichuSet want;
    const char* why;
};
const NoteCase kNoteCases[] = {
    {{0, 11, 15, 11, 2, 0}, {}, Set({Tensha, Ichiryu, Tenon, Kinoene}),
     "甲子 in the 子 month: 天赦日 of months 10-12, 一粒万倍日 子亥"},
    {{0, 11, 15, 11, 2, 0}, {IchiryuReading::OneBranch, DaimyoReading::TwentyFive},
     Set({Tensha, Tenon, Kinoene}), "一支: the 子 month has only 亥"},
    {{5, 3, 1, 3, 1, 22}, {},
     Set({Bosou, Daimyo, Kamiyoshi, Kishuku, Mi, Tsuchinotomi, Fujoju, Juu, Fuku}),
     "己巳, 鬼, lunar 3/1: 大明日 of 25, 不成就日 of months 3 and 9, 復日 戊己"},
    {{5, 3, 1, 9, 1, 22}, {IchiryuReading::Combined, DaimyoReading::TwentyOne},
     Set({Bosou, Kamiyoshi, Kishuku, Mi, Tsuchinotomi, Fujoju, Juu, Fuku}),
     "21日 leaves 己巳 out; a 9th lunar month reads as the 3rd"},
    {{56, 12, 30, 12, 30, 0}, {}, Set({Gettoku, Daimyo, Kamiyoshi, Koushin, Fujoju, Oumou, Hassen}),
     "庚申 on day 30 of the 丑 month and lunar 12/30: 月徳日 庚, 往亡日, 不成就日; 八専"},
    {{11, 1, 7, 0, 0, 5}, {}, Set({Bosou, Sanrinbo, Oumou, Taika, Juu, Ootsuchi}),
     "乙亥 on day 7 of the 寅 month, lunar date unknown: 往亡日, no 不成就日"},
    {{49, 4, 2, 4, 12, 0}, {}, Set({Tenon, Fujoju, Kiko}),
     "癸丑 is a 間日 of 八専; 帰忌日 丑 in month 4"},
    {{12, 5, 1, 5, 9, 0}, {}, Set({Gettoku, Jushi, Rouzeki, Tenka, Ootsuchi}),
     "丙子 in the 午 month: 月徳日 丙, 受死日 and 狼藉日/天火日 子"},
};

TEST(Rekichu, DaysOfEveryShape) {
    for (const NoteCase& c : kNoteCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(RekichuOf(c.day, c.readings), c.want);
    }
}

// Every branch rule of a solar month, read through all sixty signs, marks
// exactly the signs of its branches: five a branch. A property of the
// table's shape that a mistyped column (a stem for a branch) breaks.
TEST(Rekichu, EachReadingMarksFiveDaysABranchInEveryMonth) {
    for (int month = 1; month <= 12; ++month) {
        int combined = 0, oneBranch = 0, tensha = 0;
        for (int s = 0; s < 60; ++s) {
            const RekichuDay day{s, month, 2, 0, 0, 0};
            combined += Contains(RekichuOf(day, {}), Ichiryu);
            oneBranch += Contains(RekichuOf(day, {IchiryuReading::OneBranch, {}}), Ichiryu);
            tensha += Contains(RekichuOf(day, {}), Tensha);
        }
        EXPECT_EQ(combined, 10) << month;
        EXPECT_EQ(oneBranch, 5) << month;
        EXPECT_EQ(tensha, 1) << month;
    }
}

TEST(Rekichu, ReadingsByName) {
    RekichuReadings r;
    const std::string ichiryu = std::string(RekichuNameText(1)) + "=" + IchiryuReadingName(IchiryuReading::OneBranch);
    const std::string daimyo = std::string(RekichuNameText(5)) + "=" + DaimyoReadingName(DaimyoReading::TwentyOne);
    EXPECT_TRUE(ApplyReading(ichiryu, r));
    EXPECT_TRUE(ApplyReading(daimyo, r));
    EXPECT_EQ(r, (RekichuReadings{IchiryuReading::OneBranch, DaimyoReading::TwentyOne}));
    const std::string crossed = std::string(RekichuNameText(1)) + "=" + DaimyoReadingName(DaimyoReading::TwentyOne);
    for (const std::string& bad : {crossed, std::string(RekichuNameText(0)) + "=x", ichiryu.substr(0, 10), std::string("=")}) {
        RekichuReadings kept;
        EXPECT_FALSE(ApplyReading(bad, kept)) << bad;
        EXPECT_EQ(kept, RekichuReadings{});
    }
}

struct StarCase { int y, month, yearStar, monthStar; };
constexpr StarCase kStarCases[] = {
    {2024, 1, 3, 5}, {2025, 1, 2, 2}, {2026, 1, 1, 8}, {2026, 12, 1, 6}, {2027, 3, 9, 3}, {1600, 2, 4, 7},
};

TEST(Kyusei, YearAndMonthStars) {
    for (const StarCase& c : kStarCases) {
        EXPECT_EQ(YearKyusei(c.y), c.yearStar) << c.y;
        EXPECT_EQ(MonthKyusei(c.y, c.month), c.monthStar) << c.y << '/' << c.month;
    }
}

struct DayStarCase { KyuseiPeriod period; int day, star; const char* why; };
constexpr DayStarCase kDayStarCases[] = {
    {{true, 180}, 0, 1, "陽遁 starts at 一白"},
    {{true, 180}, 179, 9, "and meets the 夏至 switch's 九紫"},
    {{false, 180}, 179, 1, "陰遁 ends on 一白 before 一白"},
    {{true, 240}, 209, 3, "閏: day 209 of a 陽遁 is 三碧"},
    {{true, 240}, 210, 3, "repeated on the 甲午"},
    {{true, 240}, 239, 1, "then down to 一白 before the 九紫 of the next switch"},
    {{false, 240}, 210, 7, "閏 of a 陰遁 repeats 七赤"},
    {{false, 240}, 211, 8, "and counts up from there"},
};

TEST(Kyusei, DayStarsInAPeriod) {
    for (const DayStarCase& c : kDayStarCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(DayKyusei(c.period, c.day), c.star);
    }
    EXPECT_EQ(SwitchDayOffset(29), -29);
    EXPECT_EQ(SwitchDayOffset(30), 30);
}

}  // namespace
}  // namespace kalendo
