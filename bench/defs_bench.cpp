// The month computation with the shipped eras and holidays, and the
// holiday steps on their own. The shipped files lie beside this program
// (build/bin), as CP932.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "almanac/era.h"
#include "core/compute_month.h"
#include "core/day_arith.h"
#include "defs/expression.h"
#include "defs/holidays.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"

namespace kalendo {
namespace {

std::string ShippedFolder() {
    if (const char* bin = std::getenv("K2_BIN_DIR")) return bin;
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

bool LoadErasAndHolidays(MonthRecord& rec) {
    const std::string folder = ShippedFolder();
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
    int y = 2024, m = 1, d = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeMonth(*rec, y, m, d));
        d += 1;
        NormalizeDate(y, m, d);
        if (y > 2024) y = 2024;
    }
    state.counters["holidays"] = rec->holidayCount;
}
BENCHMARK(BM_ComputeMonthErasAndHolidays)->Unit(benchmark::kMillisecond);

// Step 9 alone, for a year whose tables are already computed.
void BM_EvaluateAndGenerateHolidays(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    if (!LoadErasAndHolidays(*rec) || ComputeMonth(*rec, 2024, 6, 15) != 1) {
        state.SkipWithError("the shipped files cannot be read");
        return;
    }
    for (auto _ : state) {
        EvaluateHolidays(*rec);
        GenerateHolidays(*rec);
        benchmark::DoNotOptimize(rec->generatedHolidayCount);
    }
}
BENCHMARK(BM_EvaluateAndGenerateHolidays)->Unit(benchmark::kMicrosecond);

// One solar-form expression: a day-by-day longitude search from a term.
void BM_EvaluateSolarExpression(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    if (ComputeMonth(*rec, 2024, 6, 15) != 1) {
        state.SkipWithError("2024 cannot be computed");
        return;
    }
    DefinitionEntry e;
    CopyText(e.expression, "Deg14");  // the longest walk: 14 days after 春分
    for (auto _ : state) {
        EvaluateExpression(*rec, &e, 0);
        benchmark::DoNotOptimize(e.day);
    }
}
BENCHMARK(BM_EvaluateSolarExpression)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kalendo
