#include "astro/longitude_memo.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "astro/longitude.h"
#include "astro/lunisolar_detail.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

// The days remembered: every day a month computation of 1600-2999 searches
// (1 January of the year before to the end of the year after) with room for
// date expressions that reach a year further. 1598-01-01 is JD 2304717.5.
constexpr double kFirstMemoJd = 2304717.5;
constexpr int kMemoDays = 1405 * 366;  // to the end of 3002

constexpr int kBitsPerWord = 64;
constexpr int kMemoWords = (kMemoDays + kBitsPerWord - 1) / kBitsPerWord;

// One series' values by day. Static and zero-initialised: only the pages of
// the days actually asked for are ever touched, a few kilobytes a year.
struct DayMemo {
    double valueDeg[kMemoDays];
    std::uint64_t known[kMemoWords];
};

DayMemo sunMemo;
DayMemo moonMemo;
bool cachingOn = true;

template <double (*Series)(int, int, int, int, int, int)>
double AtMidnight(double jd) {
    const CalendarDate date = DateOfJulianDate(jd);
    return Series(date.year, date.month, date.day, 0, 0, 0);
}

template <double (*Series)(int, int, int, int, int, int)>
double Remembered(DayMemo& memo, double jd) {
    const double offsetDays = jd - kFirstMemoJd;  // a whole number
    if (!cachingOn || !(offsetDays >= 0 && offsetDays < kMemoDays)) return AtMidnight<Series>(jd);
    const int i = static_cast<int>(offsetDays);
    const std::uint64_t bit = std::uint64_t{1} << (i % kBitsPerWord);
    std::uint64_t& word = memo.known[i / kBitsPerWord];
    if ((word & bit) == 0) {
        memo.valueDeg[i] = AtMidnight<Series>(jd);
        word |= bit;
    }
    return memo.valueDeg[i];
}

}  // namespace

double SunLongitudeAtMidnight(int y, int m, int d) {
    return Remembered<SunLongitude>(sunMemo, JulianDate(y, m, d));
}

double MoonLongitudeAtMidnight(int y, int m, int d) {
    return Remembered<MoonLongitude>(moonMemo, JulianDate(y, m, d));
}

double SunLongitudeAtJulianMidnight(double jd) { return Remembered<SunLongitude>(sunMemo, jd); }

void SetAlmanacCaching(bool on) { cachingOn = on; }
bool AlmanacCaching() { return cachingOn; }

void ForgetAstroMemo() {
    std::memset(sunMemo.known, 0, sizeof sunMemo.known);
    std::memset(moonMemo.known, 0, sizeof moonMemo.known);
    ForgetNewMoonMinutes();
}

}  // namespace kalendo
