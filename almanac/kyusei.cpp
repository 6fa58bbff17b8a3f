#include "almanac/kyusei.h"

#include <cassert>
#include <iterator>

#include "almanac/rekichu_texts.h"
#include "core/calendar_constants.h"

namespace kalendo {
namespace {

static_assert(std::size(kKyuseiNames) == kKyuseiCount);

// Into 1-9 for any int.
int Star(int n) {
    const int r = n % kKyuseiCount;
    return (r <= 0 ? r + kKyuseiCount : r);
}

constexpr int kYearStarBase = 11;
// Year 4 is 子: (Y - 4) mod 12 is the year's branch, 子 = 0.
constexpr int kFirstBranchYear = 4;
constexpr int kFirstMonthStarOfBranch[kBranchCount] = {
    // 子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥
    8, 5, 2, 8, 5, 2, 8, 5, 2, 8, 5, 2,
};

// A sexagenary sign below this lies in the first half of the cycle: its
// nearest 甲子 is the one on or before it.
constexpr int kHalfCycle = kSexagenaryCycle / 2;

// A 閏 period and the day on which its count turns.
constexpr int kLeapPeriodDays = 240;
constexpr int kTurnDay = 210;

}  // namespace

int YearKyusei(int risshunYear) {
    const int r = risshunYear % kKyuseiCount;
    return Star(kYearStarBase - (r < 0 ? r + kKyuseiCount : r));
}

int MonthKyusei(int risshunYear, int solarMonth) {
    assert(solarMonth >= 1 && solarMonth <= kMonthsPerYear);
    const int r = (risshunYear - kFirstBranchYear) % kBranchCount;
    const int branch = r < 0 ? r + kBranchCount : r;
    return Star(kFirstMonthStarOfBranch[branch] - (solarMonth - 1));
}

int SwitchDayOffset(int solsticeSexagenary) {
    assert(solsticeSexagenary >= 0 && solsticeSexagenary < kSexagenaryCycle);
    return solsticeSexagenary < kHalfCycle ? -solsticeSexagenary
                                          : kSexagenaryCycle - solsticeSexagenary;
}

int DayKyusei(KyuseiPeriod period, int dayInPeriod) {
    assert(dayInPeriod >= 0);
    // Past the turn, day n is counted as the day as far before the turn:
    // day 210 as day 209, day 211 as day 208, and so on.
    int n = dayInPeriod;
    if (period.lengthDays == kLeapPeriodDays && n >= kTurnDay) n = 2 * kTurnDay - 1 - n;
    return period.ascending ? Star(1 + n) : Star(kKyuseiCount - n);
}

const char* KyuseiName(int star) {
    if (star < 1 || star > kKyuseiCount) return "";
    return kKyuseiNames[star - 1];
}

}  // namespace kalendo
