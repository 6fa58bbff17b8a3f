// The iCalendar export of a whole year with every kind of event and every
// shipped definition file: the month computation of each of its days, the
// collection of the events and libical's serialisation. Target: 100 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <string_view>

#include "bench/bench_support.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"
#include "ui/ics/ics_calendar.h"
#include "ui/model/ics_events.h"

namespace kalendo {
namespace {

constexpr IcsInclude kEverything = IcsInclude::All();
constexpr CalendarDate kFirst{2024, 1, 1};
constexpr CalendarDate kLast{2024, 12, 31};

// What "kalendo2-cli ics 2024-01-01 2024-12-31 --include <all seven>"
// does after reading the files.
void BM_IcsExportYearEverything(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    std::unique_ptr<MonthRecord> rec = bench::OpenShippedDocument(state);
    if (!rec) return;
    std::size_t bytes = 0;
    for (auto _ : state) {
        // As the CLI writes: each piece handed on, nothing kept.
        bytes = 0;
        ExportIcs(*rec, kFirst, kLast, kEverything, AlmanacMode::Standard, 1700000000, [&bytes](std::string_view piece) {
            bytes += piece.size();
            benchmark::DoNotOptimize(piece.data());
            return true;
        });
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_IcsExportYearEverything)->Unit(benchmark::kMillisecond);

// The two halves: the 366 month computations with the collection, and
// libical's building and serialising of the events.
void BM_IcsCollectYearEverything(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    std::unique_ptr<MonthRecord> rec = bench::OpenShippedDocument(state);
    if (!rec) return;
    for (auto _ : state) benchmark::DoNotOptimize(CollectIcsEvents(*rec, kFirst, kLast, kEverything, AlmanacMode::Standard).size());
}
BENCHMARK(BM_IcsCollectYearEverything)->Unit(benchmark::kMillisecond);

void BM_IcsSerialiseYearEverything(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    std::unique_ptr<MonthRecord> rec = bench::OpenShippedDocument(state);
    if (!rec) return;
    const std::vector<IcsEvent> events = CollectIcsEvents(*rec, kFirst, kLast, kEverything, AlmanacMode::Standard);
    for (auto _ : state) benchmark::DoNotOptimize(IcsCalendarText(events, 1700000000).size());
    state.counters["events"] = static_cast<double>(events.size());
}
BENCHMARK(BM_IcsSerialiseYearEverything)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalendo
