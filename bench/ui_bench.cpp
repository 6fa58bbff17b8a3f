// The screen model: one navigation step as the window performs it, the
// month computation and then the whole refresh (every pane with the moon's
// age, the grid and both lists), with every shipped definition file loaded.
// A step must stay well inside one frame of the display (16 ms); the
// target is a median under 3 ms.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"
#include "ui/model/grid_rekichu.h"
#include "ui/model/lunisolar_days.h"
#include "ui/model/month_view.h"
#include "ui/model/spoken_names.h"
#include "ui/model/view_state.h"

namespace kalendo {
namespace {

// The thread's CPU time in milliseconds: on a busy build machine the wall
// clock of a single step also measures the other processes.
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Median and worst single step in milliseconds, as counters.
void ReportSteps(benchmark::State& state, const char* name, std::vector<double>& stepMs) {
    if (stepMs.empty()) return;
    std::sort(stepMs.begin(), stepMs.end());
    state.counters[std::string("median_") + name] = stepMs[stepMs.size() / 2];
    state.counters[std::string("worst_") + name] = stepMs.back();
}

// Runs `command` again and again from 1 January 2024 (back there after
// 2030), timing ComputeMonth plus BuildViewState of each step, and with
// `lunarLine` the grid's second line as the window adds it, with
// `rekichuMarks` the marks of the default picked notes.
void RunSteps(benchmark::State& state, int command, bool lunarLine = false,
              bool rekichuMarks = false) {
    ScopedRecordingPlatform platform;
    auto rec = bench::OpenShippedDocument(state);
    if (!rec) return;
    ComputeMonth(*rec, 2024, 1, 1, {});
    std::vector<double> wallMs, cpuMs;
    GridLunarTexts lunarTexts;
    GridRekichu marks;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuMs();
        if (rec->year[kTarget] > 2030) {
            ComputeMonth(*rec, 2024, 1, 1, {});
        } else {
            RunNavigationCommand(*rec, command, {});
        }
        ViewState view = BuildViewState(*rec);
        if (lunarLine) lunarTexts.AddTo(*rec, view.grid);
        if (rekichuMarks) {
            benchmark::DoNotOptimize(marks.OfGrid(*rec, view.grid, {}, kDefaultRekichuPicks)[0]);
        }
        benchmark::DoNotOptimize(view.grid[0].day);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        cpuMs.push_back(ThreadCpuMs() - cpuStart);
        wallMs.push_back(took.count());
    }
    ReportSteps(state, "wall_ms", wallMs);
    ReportSteps(state, "cpu_ms", cpuMs);
}

void BM_NavigationStepNextDay(benchmark::State& state) { RunSteps(state, kCmdNextDay); }
BENCHMARK(BM_NavigationStepNextDay)->Unit(benchmark::kMillisecond)->Iterations(2000);

void BM_NavigationStepNextMonth(benchmark::State& state) { RunSteps(state, kCmdNextMonth); }
BENCHMARK(BM_NavigationStepNextMonth)->Unit(benchmark::kMillisecond)->Iterations(84);

// The same two steps with the grid's second line shown.
void BM_NavigationStepNextDayLunarLine(benchmark::State& state) {
    RunSteps(state, kCmdNextDay, true);
}
BENCHMARK(BM_NavigationStepNextDayLunarLine)->Unit(benchmark::kMillisecond)->Iterations(2000);

void BM_NavigationStepNextMonthLunarLine(benchmark::State& state) {
    RunSteps(state, kCmdNextMonth, true);
}
BENCHMARK(BM_NavigationStepNextMonthLunarLine)->Unit(benchmark::kMillisecond)->Iterations(84);

// The same two steps with the grid's marks of the picked notes (天赦日,
// 一粒万倍日): read once per month, kept while the month stays.
void BM_NavigationStepNextDayRekichuMarks(benchmark::State& state) {
    RunSteps(state, kCmdNextDay, false, true);
}
BENCHMARK(BM_NavigationStepNextDayRekichuMarks)->Unit(benchmark::kMillisecond)->Iterations(2000);

void BM_NavigationStepNextMonthRekichuMarks(benchmark::State& state) {
    RunSteps(state, kCmdNextMonth, false, true);
}
BENCHMARK(BM_NavigationStepNextMonthRekichuMarks)->Unit(benchmark::kMillisecond)->Iterations(84);

// "翌年" and "前年": every step a year the cache does not hold ("翌年" runs
// round 2024-2030, more years than it keeps; "前年" goes back from 2024),
// with the longitudes of the year before or after remembered.
void BM_NavigationStepNextYear(benchmark::State& state) { RunSteps(state, kCmdNextYear); }
BENCHMARK(BM_NavigationStepNextYear)->Unit(benchmark::kMillisecond)->Iterations(70);

void BM_NavigationStepPreviousYear(benchmark::State& state) {
    RunSteps(state, kCmdPreviousYear);
}
BENCHMARK(BM_NavigationStepPreviousYear)->Unit(benchmark::kMillisecond)->Iterations(70);

// The refresh alone, on one day with a full moon.
void BM_BuildViewState(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = bench::OpenShippedDocument(state);
    if (!rec) return;
    ComputeMonth(*rec, 2024, 6, 22, {});
    for (auto _ : state) benchmark::DoNotOptimize(BuildViewState(*rec).moonPane);
}
BENCHMARK(BM_BuildViewState)->Unit(benchmark::kMicrosecond);

// The names a screen reader is given for the 42 days of a month's grid,
// month after month through 2024 (each of the days computed).
void BM_GridDayNames(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = bench::OpenShippedDocument(state);
    if (!rec) return;
    GridDayNames names;
    int m = 1;
    for (auto _ : state) {
        ComputeMonth(*rec, 2024, m, 15, {});
        benchmark::DoNotOptimize(names.Of(*rec));
        m = m % 12 + 1;
    }
}
BENCHMARK(BM_GridDayNames)->Unit(benchmark::kMicrosecond)->Iterations(120);

}  // namespace
}  // namespace kalendo
