#include "astro/longitude.h"

#include <cmath>

#include "astro/longitude_detail.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

// One periodic term: amplitude (deg), rate (deg per Julian century), phase
// (deg). The term is amplitude * cos(rate * T + phase).
struct PeriodicTerm {
    double amplitudeDeg;
    double rateDegPerCentury;
    double phaseDeg;
};

// The time argument's factors: 1/36525, 1/876600, 1/52596000 and
// 1/3155760000 (days, hours, minutes and seconds per Julian century) held as
// these doubles. Two of them are one unit in the last place away from the
// correctly rounded fractions; multiplying by them rather than dividing is
// what the almanac has always done, and dividing changes T on about a
// quarter of all days.
constexpr double kCenturiesPerDay = 2.7378507871321012e-05;
constexpr double kCenturiesPerHour = 1.140771161305042e-06;
constexpr double kCenturiesPerMinute = 1.901285268841737e-08;
constexpr double kCenturiesPerSecond = 3.1688087814028947e-10;

constexpr double kJ2000 = 2451545.0;  // JD of 2000-01-01 12 h
constexpr int kJstOffsetHours = 9;    // JST = UT + 9 h; no ΔT is applied

// Degrees to radians with π rounded to 11 places (3.14159265359 / 180), not
// the exact π/180: the almanac's printed longitudes depend on it.
constexpr double kDegToRadPi11 = 0.017453292519944444;

// The sun. Row 1 (the equation of the centre's main term) and the mean
// longitude are summed first; row 3's amplitude grows with time and is
// handled apart, so it has no row here.
constexpr PeriodicTerm kSunFirstTerm = {1.9147, 35999.05, 267.52};
constexpr double kSunMeanLongitudeDeg = 280.4656;
constexpr double kSunMeanRateDegPerCentury = 36000.7695;
constexpr PeriodicTerm kSunSecondTerm = {0.02, 71998.1, 265.1};
// Row 3: amplitude -0.0048 * T (deg), rate and phase as below.
constexpr double kSunThirdTermAmplitudePerCentury = 0.0048;
constexpr double kSunThirdTermRate = 35999;
constexpr double kSunThirdTermPhase = 268;
// Rows 4-17.
constexpr PeriodicTerm kSunLaterTerms[] = {
    {0.002, 32964, 158},    // 4
    {0.0018, 19, 159},      // 5
    {0.0018, 445267, 208},  // 6
    {0.0015, 45038, 254},   // 7
    {0.0013, 22519, 352},   // 8
    {0.0007, 65929, 45},    // 9
    {0.0007, 3035, 110},    // 10
    {0.0007, 9038, 64},     // 11
    {0.0006, 33718, 316},   // 12
    {0.0005, 155, 118},     // 13
    {0.0005, 2281, 221},    // 14
    {0.0004, 29930, 48},    // 15
    {0.0004, 331557, 161},  // 16
    {0.0048, 1934, 145},    // 17
};
// Aberration, subtracted last.
constexpr double kSunAberrationDeg = 0.0057;

// The moon. Row 1 and the mean longitude are summed first, then rows 2-61.
constexpr PeriodicTerm kMoonFirstTerm = {6.2888, 477198.868, 44.963};
constexpr double kMoonMeanLongitudeDeg = 218.3162;
constexpr double kMoonMeanRateDegPerCentury = 481267.8809;
constexpr PeriodicTerm kMoonLaterTerms[] = {
    {1.274, 413335.35, 10.74},    // 2
    {0.6583, 890534.22, 145.7},   // 3
    {0.2136, 954397.74, 179.93},  // 4
    {0.1851, 35999.05, 87.53},    // 5
    {0.1144, 966404, 276.5},      // 6
    {0.0588, 63863.5, 124.2},     // 7
    {0.0571, 377336.3, 13.2},     // 8
    {0.0533, 1367733.1, 208.7},   // 9
    {0.0458, 854535.2, 148.2},    // 10
    {0.0409, 441199.8, 47.4},     // 11
    {0.0347, 445267.1, 27.9},     // 12
    {0.0304, 513197.9, 222.5},    // 13
    {0.0154, 75870, 41},          // 14
    {0.0125, 1443603, 52},        // 15
    {0.011, 489205, 142},         // 16
    {0.0107, 1303870, 246},       // 17
    {0.01, 1431597, 315},         // 18
    {0.0085, 826671, 111},        // 19
    {0.0079, 449334, 188},        // 20
    {0.0068, 926533, 323},        // 21
    {0.0052, 31932, 107},         // 22
    {0.005, 481266, 205},         // 23
    {0.004, 1331734, 283},        // 24
    {0.004, 1844932, 56},         // 25
    {0.004, 133, 29},             // 26
    {0.0038, 1781068, 21},        // 27
    {0.0037, 541062, 259},        // 28
    {0.0028, 1934, 145},          // 29
    {0.0027, 918399, 182},        // 30
    {0.0026, 1379739, 17},        // 31
    {0.0024, 99863, 122},         // 32
    {0.0023, 922466, 163},        // 33
    {0.0022, 818536, 151},        // 34
    {0.0021, 990397, 357},        // 35
    {0.0021, 71998, 85},          // 36
    {0.0021, 341337, 16},         // 37
    {0.0018, 401329, 274},        // 38
    {0.0016, 1856938, 152},       // 39
    {0.0012, 1267871, 249},       // 40
    {0.0011, 1920802, 186},       // 41
    {0.0009, 858602, 129},        // 42
    {0.0008, 1403732, 98},        // 43
    {0.0007, 790672, 114},        // 44
    {0.0007, 405201, 50},         // 45
    {0.0007, 485333, 186},        // 46
    {0.0007, 27864, 127},         // 47
    {0.0006, 111869, 38},         // 48
    {0.0006, 2258267, 156},       // 49
    {0.0005, 1908795, 90},        // 50
    {0.0005, 1745069, 24},        // 51
    {0.0005, 509131, 242},        // 52
    {0.0004, 39871, 223},         // 53
    {0.0004, 12006, 187},         // 54
    {0.0003, 958465, 340},        // 55
    {0.0003, 381404, 354},        // 56
    {0.0003, 349472, 337},        // 57
    {0.0003, 1808933, 58},        // 58
    {0.0003, 549197, 220},        // 59
    {0.0003, 4067, 70},           // 60
    {0.0003, 2322131, 191},       // 61
};

static_assert(sizeof(kSunLaterTerms) / sizeof(kSunLaterTerms[0]) == 14,
              "rows 4-17 of the sun's series");
static_assert(sizeof(kMoonLaterTerms) / sizeof(kMoonLaterTerms[0]) == 60,
              "rows 2-61 of the moon's series");

// Julian centuries from JD 2451545.0 to the given JST instant, taken as UT
// (JST - 9 h). Summed left to right: days, hours, minutes, seconds.
double CenturiesFromJ2000(int year, int month, int day, int hour, int minute, int second) {
    const double jd = JulianDate(year, month, day);
    return (jd - kJ2000) * kCenturiesPerDay + (hour - kJstOffsetHours) * kCenturiesPerHour +
           minute * kCenturiesPerMinute + second * kCenturiesPerSecond;
}

// cos of an angle in degrees: the angle is first reduced with the remainder
// by 360 (keeping its sign), so the cosine never sees the huge arguments the
// fast terms reach over centuries.
double CosDeg(double angleDeg) {
    return std::cos(kDegToRadPi11 * std::fmod(angleDeg, kFullCircleDeg));
}

double Term(const PeriodicTerm& row, double tCenturies) {
    return row.amplitudeDeg * CosDeg(row.rateDegPerCentury * tCenturies + row.phaseDeg);
}

// Into [0, 360): the remainder keeps the sign of the sum, so a negative one
// is brought up by whole turns.
double ReduceDeg(double lonDeg) {
    lonDeg = std::fmod(lonDeg, kFullCircleDeg);
    while (lonDeg < 0) lonDeg += kFullCircleDeg;
    return lonDeg;
}

// |A| * rate * k summed over a table: the largest slope, in degrees per
// century, that its periodic terms can add together.
template <int N>
constexpr double MaxSlopeDegPerCentury(const PeriodicTerm (&rows)[N]) {
    double sum = 0;
    for (const PeriodicTerm& row : rows)
        sum += row.amplitudeDeg * row.rateDegPerCentury * kDegToRadPi11;
    return sum;
}

constexpr double MaxSlopeDegPerCentury(const PeriodicTerm& row) {
    return row.amplitudeDeg * row.rateDegPerCentury * kDegToRadPi11;
}

// The bound of longitude_detail.h. Row 3 of the sun, -0.0048 T cos(...),
// has slope at most 0.0048 (1 + |T| rate k); |T| is at most 20 centuries.
constexpr double kMaxAbsCenturies = 20;
constexpr double kRoundingWidening = 1.5;
constexpr double kMaxElongationRateDegPerCentury =
    kRoundingWidening * ((kSunMeanRateDegPerCentury + MaxSlopeDegPerCentury(kSunFirstTerm) +
                          MaxSlopeDegPerCentury(kSunSecondTerm) +
                          kSunThirdTermAmplitudePerCentury *
                              (1 + kMaxAbsCenturies * kSunThirdTermRate * kDegToRadPi11) +
                          MaxSlopeDegPerCentury(kSunLaterTerms)) +
                         (kMoonMeanRateDegPerCentury + MaxSlopeDegPerCentury(kMoonFirstTerm) +
                          MaxSlopeDegPerCentury(kMoonLaterTerms)));

// The bound of MaxSunRateDegPerDay: the sun's terms alone, their slopes
// taken whole whatever their signs, widened by a part in a thousand (the
// rounding of T and of the sums is far below that).
constexpr double Magnitude(double x) { return x < 0 ? -x : x; }
template <int N>
constexpr double MaxAbsSlopeDegPerCentury(const PeriodicTerm (&rows)[N]) {
    double sum = 0;
    for (const PeriodicTerm& row : rows) sum += Magnitude(MaxSlopeDegPerCentury(row));
    return sum;
}
constexpr double kSunRateWidening = 1.001;
constexpr double kMaxSunRateDegPerCentury =
    kSunRateWidening *
    (kSunMeanRateDegPerCentury + Magnitude(MaxSlopeDegPerCentury(kSunFirstTerm)) +
     Magnitude(MaxSlopeDegPerCentury(kSunSecondTerm)) +
     Magnitude(kSunThirdTermAmplitudePerCentury) *
         (1 + kMaxAbsCenturies * Magnitude(kSunThirdTermRate) * kDegToRadPi11) +
     MaxAbsSlopeDegPerCentury(kSunLaterTerms));

}  // namespace

double MaxSunRateDegPerDay() { return kMaxSunRateDegPerCentury * kCenturiesPerDay; }

double MaxElongationRateDegPerMinute() {
    return kMaxElongationRateDegPerCentury * kCenturiesPerMinute;
}

double SunLongitude(int year, int month, int day, int hour, int minute, int second) {
    const double t = CenturiesFromJ2000(year, month, day, hour, minute, second);
    // Accumulated in this order: the first periodic term, the mean
    // longitude, then rows 2-17 top to bottom, then the aberration.
    double lonDeg = Term(kSunFirstTerm, t) + (kSunMeanLongitudeDeg + kSunMeanRateDegPerCentury * t);
    lonDeg += Term(kSunSecondTerm, t);
    lonDeg -=
        kSunThirdTermAmplitudePerCentury * t * CosDeg(kSunThirdTermRate * t + kSunThirdTermPhase);
    for (const PeriodicTerm& row : kSunLaterTerms) lonDeg += Term(row, t);
    lonDeg -= kSunAberrationDeg;
    return ReduceDeg(lonDeg);
}

double MoonLongitude(int year, int month, int day, int hour, int minute, int second) {
    const double t = CenturiesFromJ2000(year, month, day, hour, minute, second);
    // Accumulated in this order: the first periodic term, the mean
    // longitude, then rows 2-61 top to bottom.
    double lonDeg =
        Term(kMoonFirstTerm, t) + (kMoonMeanLongitudeDeg + kMoonMeanRateDegPerCentury * t);
    for (const PeriodicTerm& row : kMoonLaterTerms) lonDeg += Term(row, t);
    return ReduceDeg(lonDeg);
}

}  // namespace kalendo
