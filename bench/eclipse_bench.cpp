// Eclipses seen from a place: the whole supported range (what "eclipses
// 1600-01-01 2999-12-31" computes) and one month (what the grid asks).
#include <benchmark/benchmark.h>

#include "astro/eclipses.h"
#include "astro/ephemeris.h"
#include "astro/places.h"
#include "month/compute_month.h"
#include "ui/model/eclipse_texts.h"
#include "ui/model/grid_eclipses.h"

namespace kalendo {
namespace {

const GeoPosition kTokyo = ListedPlaces()[kDefaultPlaceIndex].position;

void BM_EclipsesFrom1600To2999(benchmark::State& state) {
    for (auto _ : state) {
        const double end = JstMidnightJd(3000, 1, 1);
        double from = JstMidnightJd(1600, 1, 1);
        int count = 0;
        while (const std::optional<Eclipse> e = FirstEclipseSeenFrom(kTokyo, from, end)) {
            ++count;
            from = e->Maximum().jdUt + 0.5;
        }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_EclipsesFrom1600To2999)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_EclipsesOfMonth(benchmark::State& state) {
    int m = 0;
    for (auto _ : state) benchmark::DoNotOptimize(EclipsesOfMonth(2026, 1 + (m++ % 12), kTokyo));
}
BENCHMARK(BM_EclipsesOfMonth)->Unit(benchmark::kMicrosecond);

// The grid's marks of a month step as the window takes them: the year's
// eclipses kept, the month's cells looked up (the first month of each year
// finds the year's eclipses).
void BM_GridEclipsesMonthStep(benchmark::State& state) {
    static MonthRecord rec;
    GridEclipses eclipses;
    int step = 0;
    for (auto _ : state) {
        const int y = 2024 + (step / 12) % 7, m = 1 + step % 12;
        ++step;
        state.PauseTiming();
        ComputeMonth(rec, y, m, 1, {AlmanacMode::Standard, kViewFull});
        const MonthGrid grid = FillMonthGrid(rec);
        state.ResumeTiming();
        benchmark::DoNotOptimize(eclipses.OfGrid(kTokyo, y, m, grid));
    }
}
BENCHMARK(BM_GridEclipsesMonthStep)->Unit(benchmark::kMicrosecond)->Iterations(84);

}  // namespace
}  // namespace kalendo
