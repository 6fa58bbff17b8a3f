// The astronomy layer: a month computation's year of solar terms, new moons
// and lunar months; the moon's age on its slowest day; one evaluation of
// each longitude series.
#include <benchmark/benchmark.h>

#include <memory>

#include "astro/astronomy.h"
#include "astro/longitude.h"
#include "astro/lunisolar.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"

namespace kalendo {
namespace {

// The whole month computation of one date, no definition files loaded: the
// astronomy steps plus whatever the other steps cost on empty tables.
void BM_ComputeMonth(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    for (auto _ : state) benchmark::DoNotOptimize(ComputeMonth(*rec, 2024, 6, 15, {}));
}
BENCHMARK(BM_ComputeMonth)->Unit(benchmark::kMicrosecond);

// The astronomy steps alone: terms, new moons, month numbers, lunisolar date.
void BM_LunisolarYear(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    rec->year[kTarget] = 2024;
    for (auto _ : state) {
        ComputeSolarTerms(*rec);
        ComputeNewMoons(*rec);
        NumberLunarMonths(*rec);
        benchmark::DoNotOptimize(LunisolarDateOf(*rec, 2024, 6, 15));
    }
}
BENCHMARK(BM_LunisolarYear)->Unit(benchmark::kMicrosecond);

// The slowest case of the moon's age: a new-moon day whose new moon falls
// late (18:57 on 28 January 2036, after noon, so the age stays counted from
// the one before), and that one late in its day too (23:14 on 29 December
// 2035): two searches that a plain minute-by-minute scan would run over
// about 1140 and 1400 minutes.
void BM_MoonAgeLateNewMoon(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    if (ComputeMonth(*rec, 2036, 1, 28, {}) != 1) {
        state.SkipWithError("2036-01-28 rejected");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(MoonAgeAtNoon(*rec, 2036, 1, 28));
}
BENCHMARK(BM_MoonAgeLateNewMoon)->Unit(benchmark::kMicrosecond);

// What the same two searches cost minute by minute, for comparison.
int PlainScanMinutes(int y, int m, int d) {
    int hour = 0, minute = 0;
    for (;;) {
        const double diff =
            SunLongitude(y, m, d, hour, minute, 0) - MoonLongitude(y, m, d, hour, minute, 0);
        if (!(diff < -0.1 || diff > 0.1)) return hour * 60 + minute;
        if (++minute == 60) {
            minute = 0;
            ++hour;
        }
    }
}

void BM_MoonAgeLateNewMoonPlainScan(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlainScanMinutes(2035, 12, 29));
        benchmark::DoNotOptimize(PlainScanMinutes(2036, 1, 28));
    }
}
BENCHMARK(BM_MoonAgeLateNewMoonPlainScan)->Unit(benchmark::kMicrosecond);

// One evaluation of a longitude series; the minute changes every call so
// that nothing can be folded away.
void TimeLongitude(benchmark::State& state, double (*longitude)(int, int, int, int, int, int)) {
    int minute = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(longitude(2024, 6, 15, 12, minute, 0));
        minute = (minute + 1) % 60;
    }
}

void BM_SunLongitude(benchmark::State& state) { TimeLongitude(state, SunLongitude); }
BENCHMARK(BM_SunLongitude);

void BM_MoonLongitude(benchmark::State& state) { TimeLongitude(state, MoonLongitude); }
BENCHMARK(BM_MoonLongitude);

}  // namespace
}  // namespace kalendo
