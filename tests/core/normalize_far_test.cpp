// NormalizeDate with day counts far beyond a month: whole 400-year cycles
// are taken at once, and the result must be the one the month-by-month walk
// gives.
#include <gtest/gtest.h>

#include <tuple>

#include "core/day_arith.h"

namespace kalendo {
namespace {

constexpr int kDaysPer400Years = 146097;

// The same date reached in steps of at most 100000 days, each of which
// NormalizeDate spends month by month.
std::tuple<int, int, int> InSmallSteps(int y, int m, long long d) {
    constexpr int kStep = 100000;
    int dd = static_cast<int>(d % kStep);
    NormalizeDate(y, m, dd);
    for (long long left = d / kStep; left != 0; left += left > 0 ? -1 : 1) {
        dd += left > 0 ? kStep : -kStep;
        NormalizeDate(y, m, dd);
    }
    return {y, m, dd};
}

TEST(NormalizeDate, FarDayCountsMatchTheMonthByMonthWalk) {
    const long long kDays[] = {
        kDaysPer400Years,          kDaysPer400Years + 1,      -kDaysPer400Years,
        -kDaysPer400Years - 1,     2 * kDaysPer400Years - 1,  124999875,
        -124999875,                2000000000,                -2000000000,
        1000000 + 59,              -3 * kDaysPer400Years + 17,
    };
    for (const auto& [y, m] : {std::pair{2024, 1}, {2024, 2}, {1600, 12}, {2999, 3}, {2100, 0},
                               {1900, 14}}) {
        for (const long long d : kDays) {
            SCOPED_TRACE(testing::Message() << y << "-" << m << " day " << d);
            int yy = y, mm = m, dd = static_cast<int>(d);
            NormalizeDate(yy, mm, dd);
            EXPECT_EQ(std::make_tuple(yy, mm, dd), InSmallSteps(y, m, d));
            EXPECT_GE(mm, 1);
            EXPECT_LE(mm, 12);
            EXPECT_GE(dd, 1);
            EXPECT_LE(dd, DaysInMonth(yy, mm));
        }
    }
}

TEST(NormalizeDate, FourHundredYearsHoldExactly146097Days) {
    for (const auto& [y, m, d] : {std::tuple{2024, 2, 29}, {1600, 1, 1}, {1899, 12, 31}}) {
        int yy = y, mm = m, dd = d + kDaysPer400Years;
        NormalizeDate(yy, mm, dd);
        EXPECT_EQ(std::make_tuple(yy, mm, dd), std::make_tuple(y + 400, m, d));
    }
}

}  // namespace
}  // namespace kalendo
