#include "astro/events.h"

#include <cassert>
#include <cmath>

#include "astro/delta_t.h"
#include "astro/ephemeris.h"
#include "core/calendar_constants.h"

namespace kalendo {
namespace {

// The difference brought into (-180, 180]: how far past the target.
double PastTargetDeg(double deg, double targetDeg) {
    double d = std::fmod(deg - targetDeg, kFullCircleDeg);
    if (d > kHalfCircleDeg) d -= kFullCircleDeg;
    if (d <= -kHalfCircleDeg) d += kFullCircleDeg;
    return d;
}

// What a search drives to zero, with its rate: the sun's longitude past a
// term's angle, or the moon's lead over the sun past a phase.
struct Offset {
    double deg, degPerDay;
};

Offset SunOffset(const Ephemeris& eph, double angleDeg, double t) {
    const EclipticLongitude sun = eph.Sun(t);
    return {PastTargetDeg(sun.deg, angleDeg), sun.degPerDay};
}

Offset PhaseOffset(const Ephemeris& eph, double phaseDeg, double t) {
    const EclipticLongitude sun = eph.Sun(t);
    const EclipticLongitude moon = eph.Moon(t);
    return {PastTargetDeg(moon.deg - sun.deg, phaseDeg), moon.degPerDay - sun.degPerDay};
}

// How a search stops. After a Newton step s the error left is at most
// curvature * s^2 (curvature: |f''| / 2|f'| over the range, per day) plus
// rateError * |s| from the approximate rate; the search ends when that is
// below toleranceDays.
struct Stop {
    double curvaturePerDay;
    double rateError;
    double toleranceDays;
    int maxSteps;
};

// Sun: |f''| below 4e-4 deg/day^2, f' above 0.95 deg/day. Moon minus sun:
// |f''| below 0.9 deg/day^2, f' above 10 deg/day. Both widened. The ERFA
// rates are good to 1e-4; the series' mean rates only to 3 % (sun) and
// 30 % (moon), so their searches converge linearly and stop at a minute.
constexpr Stop kErfaSun{1e-3, 1e-4, 0.5 / kSecondsPerDay, 12};
constexpr Stop kErfaPhase{0.05, 1e-4, 0.5 / kSecondsPerDay, 12};
constexpr Stop kSeriesSun{0, 0.04, 60 / kSecondsPerDay, 30};
constexpr Stop kSeriesPhase{0, 0.35, 60 / kSecondsPerDay, 60};
// The standard almanac's own instants, to a second: the series are read at
// whole seconds, so a finer tolerance would only chase their rounding.
constexpr Stop kStandardSun{0, 0.04, 1 / kSecondsPerDay, 40};
constexpr Stop kStandardPhase{0, 0.35, 1 / kSecondsPerDay, 80};

template <typename F>
double Newton(F offsetAt, double t, const Stop& stop) {
    for (int i = 0; i < stop.maxSteps; ++i) {
        const Offset o = offsetAt(t);
        const double step = -o.deg / o.degPerDay;
        t += step;
        const double s = std::fabs(step);
        if (stop.curvaturePerDay * s * s + stop.rateError * s < stop.toleranceDays) return t;
    }
    assert(false && "the event search did not converge");
    return t;
}

// The series know no ΔT: they are searched in TT (UT + ΔT) and the result is
// brought back, so that the guess is off only by the series' own error.
template <typename F>
double SeriesGuess(F offsetAt, double guessJdUt, const Stop& stop) {
    const double dt = DeltaTDaysAt(guessJdUt);
    return Newton(offsetAt, guessJdUt + dt, stop) - dt;
}

}  // namespace

double SolarTermSeriesInstant(double angleDeg, double guessJdUt) {
    const Ephemeris& series = SeriesEphemeris();
    return SeriesGuess([&](double t) { return SunOffset(series, angleDeg, t); }, guessJdUt,
                       kSeriesSun);
}

double MoonPhaseSeriesInstant(double phaseDeg, double guessJdUt) {
    const Ephemeris& series = SeriesEphemeris();
    return SeriesGuess([&](double t) { return PhaseOffset(series, phaseDeg, t); }, guessJdUt,
                       kSeriesPhase);
}

double SolarTermStandardInstant(double angleDeg, double guessJdUt) {
    const Ephemeris& series = SeriesEphemeris();
    return Newton([&](double t) { return SunOffset(series, angleDeg, t); }, guessJdUt,
                  kStandardSun);
}

double MoonPhaseStandardInstant(double phaseDeg, double guessJdUt) {
    const Ephemeris& series = SeriesEphemeris();
    return Newton([&](double t) { return PhaseOffset(series, phaseDeg, t); }, guessJdUt,
                  kStandardPhase);
}

double SolarTermInstant(double angleDeg, double guessJdUt) {
    const Ephemeris& erfa = ErfaEphemeris();
    return Newton([&](double t) { return SunOffset(erfa, angleDeg, t); },
                  SolarTermSeriesInstant(angleDeg, guessJdUt), kErfaSun);
}

double MoonPhaseInstant(double phaseDeg, double guessJdUt) {
    const Ephemeris& erfa = ErfaEphemeris();
    return Newton([&](double t) { return PhaseOffset(erfa, phaseDeg, t); },
                  MoonPhaseSeriesInstant(phaseDeg, guessJdUt), kErfaPhase);
}

}  // namespace kalendo
