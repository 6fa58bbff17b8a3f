// The month computation with the shipped eras and holidays, and the
// holiday steps on their own. The shipped files lie beside this program
// (build/bin), as CP932.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "almanac/era.h"
#include "bench/bench_support.h"
#include "defs/expression.h"
#include "defs/holidays.h"
#include "month/compute_month.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"

namespace kalendo {
namespace {

bool LoadErasAndHolidays(MonthRecord& rec) {
    const std::string folder = bench::ShippedFolder();
    const auto eras = ReadWholeFile(folder + "/元号.Def");
    const auto holidays = ReadWholeFile(folder + "/祝日.Def");
    return eras && holidays && !LoadEras(rec, *eras) && !LoadHolidays(rec, *holidays);
}

// Day after day through 2024: every call recomputes the whole year.
void BM_ComputeMonthErasAndHolidays(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    if (!LoadErasAndHolidays(*rec)) {
        state.SkipWithError("the shipped era and holiday files cannot be read");
        return;
    }
    bench::ComputeDayAfterDayIn2024(state, *rec);
    state.counters["holidays"] = rec->holidayCount;
}
BENCHMARK(BM_ComputeMonthErasAndHolidays)->Unit(benchmark::kMillisecond);

// The holiday evaluation alone, for a year whose tables are already computed.
void BM_EvaluateAndGenerateHolidays(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    if (!LoadErasAndHolidays(*rec) || ComputeMonth(*rec, 2024, 6, 15, {}) != 1) {
        state.SkipWithError("the shipped files cannot be read");
        return;
    }
    for (auto _ : state) {
        EvaluateHolidays(*rec);
        GenerateHolidays(*rec);
        benchmark::DoNotOptimize(rec->evaluated.generatedCount);
    }
}
BENCHMARK(BM_EvaluateAndGenerateHolidays)->Unit(benchmark::kMicrosecond);

// One solar-form expression: a day-by-day longitude search from a term.
void BM_EvaluateSolarExpression(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    if (ComputeMonth(*rec, 2024, 6, 15, {}) != 1) {
        state.SkipWithError("2024 cannot be computed");
        return;
    }
    DefinitionEntry e = kFreshDefinitionEntry;
    CopyText(e.expression, "Deg14");  // the longest walk: 14 days after 春分
    ReadExpression(e);
    EvaluatedDate date;
    for (auto _ : state) {
        EvaluateExpression(*rec, e, date);
        benchmark::DoNotOptimize(date.day);
    }
}
BENCHMARK(BM_EvaluateSolarExpression)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalendo
