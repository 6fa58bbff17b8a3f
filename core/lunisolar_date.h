// A day of the lunisolar calendar: its month number, whether that month is
// the leap month repeating the number, and the day of the month. A leap
// month has no number of its own: it takes that of the month it follows
// (閏4月 comes after the 4th month and before the 5th), so the number alone
// never says which month a day is in; the flag travels with it.
#pragma once

#include <compare>

namespace kalendo {

struct LunisolarDate {
    int month = 0;      // 1-12; 0: no date (outside the years computed)
    bool leap = false;  // the leap month after the ordinary `month`
    int day = 0;        // 1-30
    // Members compare in this order, so within one lunar year the earlier
    // day is the smaller: a leap month sorts after its ordinary month and
    // before the next one. Across the new year the 1st month is smaller
    // than the 12th it follows.
    friend constexpr auto operator<=>(const LunisolarDate&, const LunisolarDate&) = default;
};

// The form the month record and the CLI's "lunarMonth" keep the month in:
// its number, negative in a leap month. Those stored numbers are read
// through this pair only.
constexpr int SignedMonthFromLunisolarDate(const LunisolarDate& date) {
    return date.leap ? -date.month : date.month;
}
constexpr LunisolarDate LunisolarDateFromSignedMonth(int signedMonth, int day) {
    return {signedMonth < 0 ? -signedMonth : signedMonth, signedMonth < 0, day};
}

}  // namespace kalendo
