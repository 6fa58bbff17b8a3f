// The sky over a place: one day's events, a year of them, and the five
// ephemeris evaluations a day costs.
#include <benchmark/benchmark.h>

#include "astro/places.h"
#include "astro/sky.h"
#include "astro/sky_ephemeris.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

const GeoPosition kTokyo = ListedPlaces()[kDefaultPlaceIndex].position;

void BM_DaySky(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ComputeDaySky(2026, 6, 15, kTokyo));
}
BENCHMARK(BM_DaySky)->Unit(benchmark::kMicrosecond);

void BM_DaySkyYear(benchmark::State& state) {
    for (auto _ : state) {
        for (int day = 1; day <= 365; ++day) {
            int y = 2026, m = 1, d = day;
            NormalizeDate(y, m, d);
            benchmark::DoNotOptimize(ComputeDaySky(y, m, d, kTokyo));
        }
    }
}
BENCHMARK(BM_DaySkyYear)->Unit(benchmark::kMillisecond);

void BM_ApparentSun(benchmark::State& state) {
    double jd = 2461000.5;
    for (auto _ : state) benchmark::DoNotOptimize(ApparentSunAt(jd += 0.25));
}
BENCHMARK(BM_ApparentSun)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalendo
