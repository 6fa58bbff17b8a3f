// kalendo2-cli's output after the month computation: the JSON line of one
// day (with the moon's age and the screen model the day object carries)
// and of one year, from a record computed once, written as the CLI writes
// each line (the writer cleared and reused), and one text converted.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "bench/bench_support.h"
#include "cli/day_json.h"
#include "cli/json_writer.h"
#include "cli/year_json.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"
#include "ui/model/document.h"

namespace kalendo {
namespace {

// The shipped files loaded and 2024-06-15 computed, on a recording platform.
struct Loaded {
    ScopedRecordingPlatform platform;
    std::unique_ptr<MonthRecord> rec = std::make_unique<MonthRecord>();
    Loaded() {
        OpenDocument(*rec, bench::ShippedFolder() + "/");
        ComputeMonth(*rec, 2024, 6, 15, {});
    }
};

// Writes one line with `write` per iteration, as the CLI does.
template <class Write>
void JsonLines(benchmark::State& state, Write write) {
    Loaded loaded;
    JsonWriter w;
    for (auto _ : state) {
        w.Clear();
        write(w, *loaded.rec);
        benchmark::DoNotOptimize(w.Text().data());
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * w.Text().size()));
}

void BM_DayObjectJson(benchmark::State& state) {
    ViewBuilder views;
    std::unique_ptr<DayReader> reader;
    std::optional<DayOfAlmanac> day;
    JsonLines(state, [&](JsonWriter& w, MonthRecord& rec) {
        if (!reader) {
            reader = std::make_unique<DayReader>(rec);
            day = reader->Read({2024, 6, 15}, {}, DayObjectQuestions({}));
        }
        WriteDayObject(w, *day, reader->LastRead(), views);
    });
}
BENCHMARK(BM_DayObjectJson);

void BM_YearObjectJson(benchmark::State& state) {
    JsonLines(state, [](JsonWriter& w, MonthRecord& rec) { WriteYearObject(w, rec); });
}
BENCHMARK(BM_YearObjectJson);

// One name of the shipped notes through the converter and the escaper.
void BM_Cp932String(benchmark::State& state) {
    const std::string name = Cp932FromUtf8("二十四節気・立春「旧暦正月節」");
    JsonWriter w;
    for (auto _ : state) {
        w.Clear();
        w.Cp932(name);
        benchmark::DoNotOptimize(w.Text().data());
    }
}
BENCHMARK(BM_Cp932String);

}  // namespace
}  // namespace kalendo
