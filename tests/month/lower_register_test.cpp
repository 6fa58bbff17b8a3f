#include "month/lower_register.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/day_arith.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"

namespace kalendo {
namespace {

using enum RekichuName;

class LowerRegisterTest : public ::testing::Test {
protected:
    LowerRegisterTest() : rec_(std::make_unique<MonthRecord>()) {}
    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
};

CalendarDate NextDay(CalendarDate d) {
    ++d.day;
    NormalizeDate(d.year, d.month, d.day);
    return d;
}

// The days of a year that carry `name`, as "M/D".
std::vector<CalendarDate> DaysWith(LowerRegisterReader& reader, int year, RekichuName name) {
    std::vector<CalendarDate> days;
    for (CalendarDate d{year, 1, 1}; d.year == year; d = NextDay(d)) {
        if (Contains(reader.Of(d, {}).rekichu, name)) days.push_back(d);
    }
    return days;
}

TEST_F(LowerRegisterTest, PublishedDaysOf2026) {
    LowerRegisterReader reader(*rec_);
    constexpr int kIchiryu[][8] = {
        {1, 2, 5, 14, 17, 26, 29}, {8, 13, 20, 25}, {4, 5, 12, 17, 24, 29}, {8, 11, 20, 23},
        {2, 5, 6, 17, 18, 29, 30}, {12, 13, 24, 25}, {6, 7, 10, 19, 22, 31}, {3, 13, 18, 25, 30},
        {6, 7, 14, 19, 26}, {1, 11, 14, 23, 26}, {4, 7, 8, 19, 20}, {1, 2, 15, 16, 27, 28},
    };
    std::vector<CalendarDate> want;
    for (int m = 1; m <= 12; ++m) {
        for (int d : kIchiryu[m - 1]) {
            if (d != 0) want.push_back({2026, m, d});
        }
    }
    ASSERT_EQ(want.size(), 64u);
    EXPECT_EQ(DaysWith(reader, 2026, Ichiryu), want);
    const std::vector<CalendarDate> tensha{{2026, 3, 5}, {2026, 5, 4}, {2026, 5, 20},
                                           {2026, 7, 19}, {2026, 10, 1}, {2026, 12, 16}};
    EXPECT_EQ(DaysWith(reader, 2026, Tensha), tensha);
}

struct StarCase { CalendarDate date; int dayStar; RekichuSet notes; const char* why; };
const StarCase kStarCases[] = {
    {{2025, 12, 21}, 1, RekichuBit(Tensha) | RekichuBit(Ichiryu) | RekichuBit(Tenon) | RekichuBit(Kinoene),
     "甲子 on the 冬至 switch"},
    {{2025, 12, 20}, 1, 0, "the 陰遁 before it ends on 一白"},
    {{2024, 1, 1}, 1, 0, ""},
    {{2022, 5, 11}, 4, 0, ""},
    {{2022, 9, 8}, 3, 0, ""},
};

TEST_F(LowerRegisterTest, PublishedStarsAndNotes) {
    for (AlmanacMode mode : {AlmanacMode::Standard, AlmanacMode::Precise}) {
        for (const StarCase& c : kStarCases) {
            SCOPED_TRACE(c.why);
            ASSERT_EQ(ComputeMonth(*rec_, c.date.year, c.date.month, c.date.day, {mode}), 1);
            const LowerRegister r = LowerRegisterOfTarget(*rec_, {});
            EXPECT_EQ(r.kyusei.day, c.dayStar) << c.date.month << '/' << c.date.day;
            if (c.notes != 0) {
                EXPECT_EQ(r.rekichu, c.notes);
            }
            LowerRegisterReader reader(*rec_);
            const LowerRegister other = reader.Of(c.date, {});
            EXPECT_EQ(other.rekichu, r.rekichu) << "the grid's reading is the target's";
            EXPECT_EQ(other.kyusei, r.kyusei);
        }
    }
    for (int y : {2024, 2025, 2026}) {
        ASSERT_EQ(ComputeMonth(*rec_, y, 6, 1, {}), 1);
        EXPECT_EQ(LowerRegisterOfTarget(*rec_, {}).kyusei.year, y == 2024 ? 3 : y == 2025 ? 2 : 1);
    }
}

// Every day of 1600-2999 in both almanacs: the solar month changes only on
// a 節入り day and then by one; the year's star only on 立春's day, the
// month's star on each 節入り day, one less; the day stars step by one
// and repeat only on a switch day (a 甲子) or the 甲午 of a 閏. The 閏s of
// 2019-2045 repeat 三碧 on 2020-06-20 and 七赤 on 2031-12-20 and 2042-12-22.
TEST_F(LowerRegisterTest, EveryDayFrom1600To2999) {
    for (AlmanacMode mode : {AlmanacMode::Standard, AlmanacMode::Precise}) {
        SCOPED_TRACE(mode == AlmanacMode::Standard ? "standard" : "precise");
        rec_->almanacMode = mode;
        LowerRegisterReader reader(*rec_);
        CalendarDate d{kFirstComputedYear, 1, 1};
        LowerRegister prev = reader.Of(d, {});
        int direction = 0;
        std::vector<CalendarDate> turns;
        for (d = NextDay(d); d.year <= kLastComputedYear; d = NextDay(d)) {
            const LowerRegister r = reader.Of(d, {});
            const bool opens = r.solarMonthDay == 1;
            ASSERT_EQ(r.solarMonth, opens ? prev.solarMonth % 12 + 1 : prev.solarMonth) << d.year << '-' << d.month << '-' << d.day;
            if (!opens) {
                ASSERT_EQ(r.solarMonthDay, prev.solarMonthDay + 1);
            }
            ASSERT_EQ(r.kyusei.year != prev.kyusei.year, opens && r.solarMonth == 1);
            ASSERT_EQ(r.kyusei.month, opens ? (prev.kyusei.month + 7) % 9 + 1 : prev.kyusei.month);
            const int step = (r.kyusei.day - prev.kyusei.day + 9) % 9;
            if (step == 0) {
                ASSERT_TRUE(r.sexagenary == 0 || r.sexagenary == 30) << d.year << '-' << d.month << '-' << d.day;
                if (r.sexagenary == 30) turns.push_back(d);
                direction = 0;
            } else {
                ASSERT_TRUE(step == 1 || step == 8);
                ASSERT_TRUE(direction == 0 || direction == step) << d.year << '-' << d.month << '-' << d.day;
                direction = step;
            }
            if (Contains(reader.Of(d, {IchiryuReading::Combined, DaimyoReading::TwentyOne}).rekichu, Daimyo)) {
                ASSERT_TRUE(Contains(r.rekichu, Daimyo));
            }
            prev = r;
        }
        std::vector<CalendarDate> turnsOf2019To2045;
        for (const CalendarDate& t : turns) {
            if (t.year >= 2019 && t.year <= 2045) turnsOf2019To2045.push_back(t);
        }
        EXPECT_EQ(turnsOf2019To2045, (std::vector<CalendarDate>{{2020, 6, 20}, {2031, 12, 20}, {2042, 12, 22}}));
    }
}

}  // namespace
}  // namespace kalendo
