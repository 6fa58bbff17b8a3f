// What several benchmarks share: where the shipped definition files are,
// the month computation stepped day after day through one year, and the
// document opened as the window opens it.
#pragma once

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "core/month_record.h"

namespace kalendo::bench {

// The folder of the shipped files: K2_BIN_DIR, else the benchmark's own
// folder (build/bin, where the build converts them to CP932).
std::string ShippedFolder();

// ComputeMonth once per iteration, from 1 January 2024 one day later each
// time and back to 1 January after 31 December, so every call recomputes
// the whole year with the record's tables as loaded.
void ComputeDayAfterDayIn2024(benchmark::State& state, MonthRecord& rec);

// A record with OpenDocument done on the shipped folder; nullptr, with the
// benchmark marked as skipped, when the files are not there.
std::unique_ptr<MonthRecord> OpenShippedDocument(benchmark::State& state);

}  // namespace kalendo::bench
