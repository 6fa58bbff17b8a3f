// The precise almanac: a year's tables from the ERFA ephemeris, the day
// questions that search events, and one evaluation of each ERFA longitude.
#include <benchmark/benchmark.h>

#include <memory>

#include "astro/astronomy.h"
#include "astro/ephemeris.h"
#include "astro/lunisolar.h"
#include "astro/precise.h"
#include "core/almanac_mode.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"

namespace kalendo {
namespace {

// Terms, new moons, month numbers and the lunisolar date of one year: the
// steps that the precise mode replaces.
void BM_PreciseLunisolarYear(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    rec->year[kTarget] = 2024;
    for (auto _ : state) {
        ComputeSolarTermsPrecise(*rec);
        ComputeNewMoonsPrecise(*rec);
        NumberLunarMonths(*rec);
        benchmark::DoNotOptimize(LunisolarDateOf(*rec, 2024, 6, 15));
    }
}
BENCHMARK(BM_PreciseLunisolarYear)->Unit(benchmark::kMillisecond);

// The whole month computation in the precise mode, no definition files, of
// a date whose year is kept (the year itself is BM_PreciseLunisolarYear).
void BM_PreciseComputeMonth(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeMonth(*rec, 2024, 6, 15, {AlmanacMode::Precise, kViewFull}));
    }
}
BENCHMARK(BM_PreciseComputeMonth)->Unit(benchmark::kMicrosecond);

// The day questions of the panes: the phase of the day and the age at noon,
// for each day of a month in turn (what navigating day by day asks: two
// ERFA leads for the phase and the new moon located afresh). Time per day.
void BM_PreciseDayQuestions(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    if (ComputeMonth(*rec, 2036, 1, 28, {AlmanacMode::Precise, kViewFull}) != 1) {
        state.SkipWithError("2036-01-28 rejected");
    }
    int day = 0;
    for (auto _ : state) {
        day = day % 31 + 1;
        benchmark::DoNotOptimize(MoonPhaseOfDayPrecise(2036, 1, day));
        benchmark::DoNotOptimize(MoonAgeAtNoon(*rec, 2036, 1, day));
    }
}
BENCHMARK(BM_PreciseDayQuestions)->Unit(benchmark::kMicrosecond);

void BM_ErfaSun(benchmark::State& state) {
    double t = 2460476.0;
    for (auto _ : state) benchmark::DoNotOptimize(ErfaEphemeris().Sun(t += 1e-3));
}
BENCHMARK(BM_ErfaSun)->Unit(benchmark::kMicrosecond);

void BM_ErfaMoon(benchmark::State& state) {
    double t = 2460476.0;
    for (auto _ : state) benchmark::DoNotOptimize(ErfaEphemeris().Moon(t += 1e-3));
}
BENCHMARK(BM_ErfaMoon)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalendo
