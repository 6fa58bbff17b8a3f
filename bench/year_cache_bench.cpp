// The month computation with every shipped definition file, split by what
// the caches hold: a day of a year already computed, a neighbouring year
// (its longitudes at 0 h partly remembered), and a year nothing is known of.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "astro/longitude_memo.h"
#include "bench/bench_support.h"
#include "core/day_arith.h"
#include "month/almanac_caches.h"
#include "month/compute_month.h"
#include "month/read_day.h"
#include "platform/recording_platform.h"

namespace kalendo {
namespace {

// Day after day through 2024, round and round, the year computed once
// before the first timed call.
void WalkThrough2024(benchmark::State& state, MonthRecord& rec) {
    ComputeMonth(rec, 2024, 1, 1, {});
    bench::ComputeDayAfterDayIn2024(state, rec);
}

// A year whose tables are kept: the year tables are copied, and every
// definition entry is evaluated afresh.
void BM_ComputeMonthKeptYear(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    if (auto rec = bench::OpenShippedDocument(state)) WalkThrough2024(state, *rec);
}
BENCHMARK(BM_ComputeMonthKeptYear)->Unit(benchmark::kMicrosecond);

// Any day of a kept year read off the window's record, which stays on
// 15 June 2024: day after day through 2024 as ReadDay (a reader made for
// each day: the record of its own, 40 KB, made on the window's tables
// included) and /1 through one reader kept, as the grid's days are read.
void BM_ReadDayKeptYear(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto window = bench::OpenShippedDocument(state);
    if (!window) return;
    ComputeMonth(*window, 2024, 6, 15, {});
    const auto reader = std::make_unique<DayReader>(*window);
    CalendarDate d{2024, 1, 1};
    for (auto _ : state) {
        benchmark::DoNotOptimize(state.range(0) == 1 ? reader->Read(d, {}) : ReadDay(*window, d, {}));
        int y = d.year, m = d.month, dd = d.day + 1;
        NormalizeDate(y, m, dd);
        d = y == 2024 ? CalendarDate{y, m, dd} : CalendarDate{2024, 1, 1};
    }
}
BENCHMARK(BM_ReadDayKeptYear)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// 1 January of one year after another (1700, 1701, ...): each a new year,
// with two of the three years its searches cover already remembered.
void BM_ComputeMonthNextYear(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = bench::OpenShippedDocument(state);
    if (!rec) return;
    int y = 1700;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeMonth(*rec, y, 1, 1, {}));
        if (++y > 2999) y = 1700;
    }
}
BENCHMARK(BM_ComputeMonthNextYear)->Unit(benchmark::kMillisecond);

// A year nothing is known of: every cache forgotten before each call (the
// forgetting itself is not timed).
void BM_ComputeMonthNewYearCold(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = bench::OpenShippedDocument(state);
    if (!rec) return;
    int y = 2024;
    for (auto _ : state) {
        state.PauseTiming();
        ForgetAlmanacCaches();
        state.ResumeTiming();
        benchmark::DoNotOptimize(ComputeMonth(*rec, y, 6, 15, {}));
        y = y == 2024 ? 1850 : 2024;
    }
}
BENCHMARK(BM_ComputeMonthNewYearCold)->Unit(benchmark::kMillisecond);

// The same with every cache off: each call computes its year from nothing.
void BM_ComputeMonthUncached(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = bench::OpenShippedDocument(state);
    if (!rec) return;
    SetAlmanacCaching(false);
    WalkThrough2024(state, *rec);
    SetAlmanacCaching(true);
}
BENCHMARK(BM_ComputeMonthUncached)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalendo
