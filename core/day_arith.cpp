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
constexpr int kShortestMonthDays = 28;  // February of a common year

// floor(a / b) for b > 0.
constexpr long long FloorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && (a < 0) ? 1 : 0);
}

// floor(0.4 m + 1.2) of the Julian-date formula for the months from March,
// evaluated in doubles as the formula always has (0.4 * 7 + 1.2, say, is
// whatever those doubles give, not 4 by arithmetic).
constexpr long long MonthScaleStep(int m) {
    return static_cast<long long>(0.4 * m + 1.2);  // positive: truncation is the floor
}
constexpr long long kMonthScaleStep[kMonthsPerYear] = {
    0, 0, MonthScaleStep(3), MonthScaleStep(4), MonthScaleStep(5), MonthScaleStep(6),
    MonthScaleStep(7), MonthScaleStep(8), MonthScaleStep(9), MonthScaleStep(10),
    MonthScaleStep(11), MonthScaleStep(12)};

// The three factors of DayFraction, held as these exact doubles (1/24,
// 1/1440 and 1/86400 rounded): the moon's age is printed from them.
constexpr double kDaysPerHour = 0.041666666666666664;
constexpr double kDaysPerMinute = 0.0006944444444444445;
constexpr double kDaysPerSecond = 1.1574074074074073e-05;

}  // namespace

int IsLeapYear(int y) {
    // Three years in four fail the first test.
    return (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 1 : 0;
}

int DaysInMonth(int y, int m) {
    assert(m >= 1 && m <= kMonthsPerYear);
    return kMonthLength[IsLeapYear(y)][m - 1];
}

void NormalizeDate(int& y, int& m, int& d) {
    // Most dates handed in are valid already, and most of those lie in the
    // first 28 days, which every month has, leap year or not.
    if (m >= 1 && m <= kMonthsPerYear && d >= 1 &&
        (d <= kShortestMonthDays || d <= kMonthLength[IsLeapYear(y)][m - 1])) {
        return;
    }

    // Carry whole years until 1 <= m <= 12.
    if (m > kMonthsPerYear || m <= 0) {
        const int years = static_cast<int>(FloorDiv(m - 1, kMonthsPerYear));
        y += years;
        m -= years * kMonthsPerYear;
    }

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
    // The almanac's formula, in floating point: A counts the days of the
    // (Julian-calendar) years since -4715, B adds a 31-day month scale that
    // steps 3, 5 and 6 correct; C is the Gregorian century correction (0 for
    // 1600-1700, 1 for 1701-1800, ... 3 for 1901-2100):
    //   a = floor((y + 4715) * 365.25)
    //   b = floor(a + 31 m + d)
    //   c = floor((floor((y - 1601) * 0.01) + 1) * 0.75)
    //   m < 3: b - c - 1137.5, else b - c - floor(0.4 m + 1.2) + leap - 1138.5
    // Over 1600-2999 the result is the astronomical Julian date at 0 h.
    // Every step is a whole number, so it is computed here in integers,
    // which gives the very same double for every int y and d: 365.25 and
    // 0.75 are exact binary fractions, and (y - 1601) * 0.01 never rounds
    // across a whole number (0.01 is stored a little too large, by far less
    // than the gap any int quotient leaves to the next whole number).
    const long long yl = y;
    const long long a = FloorDiv((yl + 4715) * 1461, 4);
    const long long b = a + 31LL * m + d;
    const long long c = FloorDiv(3 * (FloorDiv(yl - 1601, 100) + 1), 4);
    if (m < 3) return static_cast<double>(b - c) - 1137.5;
    return static_cast<double>(b - c - kMonthScaleStep[m - 1] + IsLeapYear(y)) - 1138.5;
}

CalendarDate DateOfJulianDate(double jd) {
    // Days from 1970-01-01 (JD 2440587.5 at its 0 h), then the Gregorian
    // date of a day count, with years starting on 1 March so that the leap
    // day ends them (719468 days lie between 0000-03-01 and 1970-01-01).
    // The constants are the calendar's own: 146097 days a 400-year era,
    // 1460, 36524 and 146096 the days before the last year of a 4-, 100- and
    // 400-year cycle, 153 days in the five months from March.
    constexpr double kJdOf1970 = 2440587.5;
    const long long z = static_cast<long long>(std::floor(jd - kJdOf1970)) + 719468;
    const long long era = FloorDiv(z, kGregorianCycleDays);
    const long long doe = z - era * kGregorianCycleDays;                    // [0, 146096]
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);          // [0, 365]
    const long long mp = (5 * doy + 2) / 153;                               // [0, 11], March = 0
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);           // [1, 31]
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);              // [1, 12]
    const long long y = yoe + era * kGregorianCycleYears + (m <= 2 ? 1 : 0);
    return {static_cast<int>(y), m, d};
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
