// Eclipses seen from a place: the whole supported range (what "eclipses
// 1600-01-01 2999-12-31" computes) and one month (what the grid asks).
#include <benchmark/benchmark.h>

#include <time.h>

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

// The grid's marks of a month step as the window takes them: the years'
// eclipses kept, the month's cells looked up; between steps, untimed, the
// window's wait for the next key finds the years beside the shown one
// (PrefetchYear). Without that wait (`prefetch` 0) the first month of each
// year finds the year's eclipses within the step.
double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void BM_GridEclipsesMonthStep(benchmark::State& state) {
    static MonthRecord rec;
    GridEclipses eclipses;
    const bool prefetch = state.range(0) != 0;
    // The first year shown is found as the window starts.
    if (prefetch) eclipses.PrefetchYear(kTokyo, 2024);
    int step = 0;
    for (auto _ : state) {
        const int y = 2024 + (step / 12) % 7, m = 1 + step % 12;
        ++step;
        ComputeMonth(rec, y, m, 1, {AlmanacMode::Standard, kViewFull});
        const MonthGrid grid = FillMonthGrid(rec);
        if (prefetch) {
            for (const int beside : {y - 1, y + 1}) eclipses.PrefetchYear(kTokyo, beside);
        }
        // Only the marks are timed, by hand in the thread's CPU time:
        // pausing the timer costs more than a step's marks, and the wall
        // clock of a loaded machine counts the other threads' turns. Reading
        // that clock costs about a microsecond, as much as the marks when
        // the year is kept: the step's marks are asked kRepeats times (the
        // first asking finds the year when it is not kept) and the time
        // shared out; without the wait, once.
        const int kRepeats = prefetch ? 100 : 1;
        const double start = ThreadCpuSeconds();
        for (int r = 0; r < kRepeats; ++r) benchmark::DoNotOptimize(eclipses.OfGrid(kTokyo, y, m, grid));
        state.SetIterationTime((ThreadCpuSeconds() - start) / kRepeats);
    }
}
BENCHMARK(BM_GridEclipsesMonthStep)->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(84);

// What the wait after a step into a new year computes: a year's eclipses.
void BM_GridEclipsesYearPrefetch(benchmark::State& state) {
    int y = 2024;
    for (auto _ : state) {
        GridEclipses eclipses;
        eclipses.PrefetchYear(kTokyo, y++);
    }
}
BENCHMARK(BM_GridEclipsesYearPrefetch)->Unit(benchmark::kMicrosecond)->Iterations(20);

}  // namespace
}  // namespace kalendo
