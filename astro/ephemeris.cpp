#include "astro/ephemeris.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

#include "astro/delta_t.h"
#include "astro/longitude.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

constexpr double kMjdZero = 2400000.5;

// Mean motions, degrees per day, for the series' first guesses.
constexpr double kSunMeanRateDegPerDay = 0.9856474;
constexpr double kMoonMeanRateDegPerDay = 13.1763966;

double ToCircle(double deg) {
    deg = std::fmod(deg, kFullCircleDeg);
    return deg < 0 ? deg + kFullCircleDeg : deg;
}

class SeriesSource final : public Ephemeris {
public:
    EclipticLongitude Sun(double jdUt) const override {
        const Args a = ArgsOf(jdUt);
        return {SunLongitude(2000, 1, a.day, 9, 0, a.second), kSunMeanRateDegPerDay};
    }
    EclipticLongitude Moon(double jdUt) const override {
        const Args a = ArgsOf(jdUt);
        return {MoonLongitude(2000, 1, a.day, 9, 0, a.second), kMoonMeanRateDegPerDay};
    }

private:
    // The series take a JST clock time, linear in the day; 9 h JST is 0 h UT
    // of the day, so an instant is a day of January 2000 counted on, plus
    // seconds. One second is far below the accuracy of a guess.
    struct Args {
        int day, second;
    };
    static Args ArgsOf(double jdUt) {
        const double days = std::floor(jdUt - kJdOf2000Jan1);
        return {1 + static_cast<int>(days),
                static_cast<int>(std::lround((jdUt - kJdOf2000Jan1 - days) * kSecondsPerDay))};
    }
};

// TT as the two-part Julian date ERFA takes.
struct TwoPartJd {
    double jd1, jd2;
};
TwoPartJd TerrestrialTime(double jdUt) {
    return {kMjdZero, jdUt - kMjdZero + DeltaTDaysAt(jdUt)};
}

// Longitude and its rate of a geocentric GCRS position and velocity, on the
// true ecliptic of date: rotated to the mean ecliptic and equinox of date,
// then moved along it by the nutation in longitude.
EclipticLongitude OnEclipticOfDate(const TwoPartJd& tt, double p[3], double v[3]) {
    double rm[3][3];
    eraEcm06(tt.jd1, tt.jd2, rm);
    double pe[3], ve[3];
    eraRxp(rm, p, pe);
    eraRxp(rm, v, ve);
    double dpsi, deps;
    eraNut00b(tt.jd1, tt.jd2, &dpsi, &deps);
    const double lonRad = std::atan2(pe[1], pe[0]) + dpsi;
    const double rateRadPerDay =
        (pe[0] * ve[1] - pe[1] * ve[0]) / (pe[0] * pe[0] + pe[1] * pe[1]);
    return {ToCircle(lonRad * ERFA_DR2D), rateRadPerDay * ERFA_DR2D};
}

class ErfaSource final : public Ephemeris {
public:
    EclipticLongitude Sun(double jdUt) const override {
        const TwoPartJd tt = TerrestrialTime(jdUt);
        double pvh[2][3], pvb[2][3];
        eraEpv00(tt.jd1, tt.jd2, pvh, pvb);  // TDB - TT (< 2 ms) is ignored
        // The geometric sun seen from the earth, then displaced by the
        // earth's barycentric velocity (in units of c).
        double toSun[3], velocity[3], unit[3], apparent[3];
        eraSxp(-1.0, pvh[0], toSun);
        eraSxp(-1.0, pvh[1], velocity);
        double distance;
        eraPn(toSun, &distance, unit);
        double v[3];
        eraSxp(1.0 / ERFA_DC, pvb[1], v);
        const double bm1 = std::sqrt(1.0 - eraPm(v) * eraPm(v));
        eraAb(unit, v, distance, bm1, apparent);
        eraSxp(distance, apparent, apparent);  // the rate needs the true distance
        return OnEclipticOfDate(tt, apparent, velocity);
    }

    EclipticLongitude Moon(double jdUt) const override {
        const TwoPartJd tt = TerrestrialTime(jdUt);
        double pv[2][3];
        eraMoon98(tt.jd1, tt.jd2, pv);
        // Seen where it was when the light left it: back along its velocity
        // by the light time.
        const double lightDays = eraPm(pv[0]) / ERFA_DC;
        double apparent[3];
        eraPpsp(pv[0], -lightDays, pv[1], apparent);
        return OnEclipticOfDate(tt, apparent, pv[1]);
    }
};

}  // namespace

const Ephemeris& SeriesEphemeris() {
    static const SeriesSource source;
    return source;
}

const Ephemeris& ErfaEphemeris() {
    static const ErfaSource source;
    return source;
}

double JstMidnightJd(int y, int m, int d) { return JulianDate(y, m, d) - kJstOffsetDays; }

CalendarDate JstDateOf(double jdUt) { return DateOfJulianDate(jdUt + kJstOffsetDays); }

JstSecond JstSecondOf(double jdUt) {
    const double jst = jdUt + kJstOffsetDays;
    // Civil days begin where the Julian date ends in .5.
    double dayStart = std::floor(jst + 0.5) - 0.5;
    long long seconds = std::llround((jst - dayStart) * kSecondsPerDay);
    if (seconds >= static_cast<long long>(kSecondsPerDay)) {
        seconds -= static_cast<long long>(kSecondsPerDay);
        dayStart += 1;
    }
    return {DateOfJulianDate(dayStart), seconds};
}

}  // namespace kalendo
