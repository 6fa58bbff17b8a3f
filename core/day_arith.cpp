#include "core/day_arith.h"

#include <cassert>
#include <cmath>

#include "core/calendar_constants.h"

namespace kalendo {
namespace {

constexpr int kMonthLength[2][kMonthsPerYear] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// The three factors of DayFraction, held as these exact doubles (1/24,
// 1/1440 and 1/86400 rounded): the moon's age is printed from them.
constexpr double kDaysPerHour = 0.041666666666666664;
constexpr double kDaysPerMinute = 0.0006944444444444445;
constexpr double kDaysPerSecond = 1.1574074074074073e-05;

}  // namespace

int IsLeapYear(int y) {
    return (y % 400 == 0 || (y % 4 == 0 && y % 100 != 0)) ? 1 : 0;
}

int DaysInMonth(int y, int m) {
    assert(m >= 1 && m <= kMonthsPerYear);
    return kMonthLength[IsLeapYear(y)][m - 1];
}

void NormalizeDate(int& y, int& m, int& d) {
    // Carry whole years until 1 <= m <= 12.
    while (m > kMonthsPerYear) { y += 1; m -= kMonthsPerYear; }
    while (m <= 0) { y -= 1; m += kMonthsPerYear; }

    // Whole 400-year cycles of days become years first: (y, m, d) and
    // (y + 400, m, d - 146097) are the same day. A date expression can add
    // some 10^8 days, which would otherwise cost millions of month steps
    // below, for every candidate day of a search. Afterwards |d| <= 146097.
    if (d > kGregorianCycleDays || d < -kGregorianCycleDays) {
        const int cycles = d / kGregorianCycleDays;  // toward zero: d keeps its sign
        d -= cycles * kGregorianCycleDays;
        y += cycles * kGregorianCycleYears;
    }

    // Spend surplus days a month at a time. The month length is that of the
    // year now in y, so (2003, 14, 29) becomes 2004-02-29.
    int leap = IsLeapYear(y);
    while (d > kMonthLength[leap][m - 1]) {
        d -= kMonthLength[leap][m - 1];
        if (m < kMonthsPerYear) {
            m += 1;
        } else {
            y += 1;
            m = 1;
            leap = IsLeapYear(y);
        }
    }

    // Borrow while d <= 0: day 0 is the last day of the month before.
    while (d <= 0) {
        if (m > 1) {
            m -= 1;
        } else {
            y -= 1;
            m = kMonthsPerYear;
            leap = IsLeapYear(y);
        }
        d += kMonthLength[leap][m - 1];
    }
}

double JulianDate(int y, int m, int d) {
    assert(m >= 1 && m <= kMonthsPerYear);
    // A counts the days of the (Julian-calendar) years since -4715, B adds a
    // 31-day month scale that steps 3, 5 and 6 correct; C is the Gregorian
    // century correction (0 for 1600-1700, 1 for 1701-1800, ... 3 for
    // 1901-2100). The constants are the ones the almanac has always used;
    // over 1600-2999 the result is the astronomical Julian date at 0 h.
    const double a = std::floor((y + 4715) * 365.25);
    const double b = std::floor(a + 31 * m + d);
    const double c = std::floor((std::floor((y - 1601) * 0.01) + 1) * 0.75);
    if (m < 3) return b - c - 1137.5;
    return b - c - std::floor(0.4 * m + 1.2) + IsLeapYear(y) - 1138.5;
}

int Weekday(int y, int m, int d) {
    // The Julian date of an accepted year is positive, so truncation is the
    // floor; JD 2451544.5 (2000-01-01) + 2 truncates to a multiple of 7 + 6.
    return static_cast<int>(static_cast<long long>(JulianDate(y, m, d) + 2) % kDaysPerWeek);
}

int CompareDates(int y1, int m1, int d1, int y2, int m2, int d2) {
    NormalizeDate(y1, m1, d1);
    NormalizeDate(y2, m2, d2);
    if (y1 != y2) return y1 < y2 ? 1 : -1;
    if (m1 != m2) return m1 < m2 ? 1 : -1;
    if (d1 != d2) return d1 < d2 ? 1 : -1;
    return 0;
}

double DayFraction(int h, int mi, int s) {
    return h * kDaysPerHour + mi * kDaysPerMinute + s * kDaysPerSecond;
}

}  // namespace kalendo
