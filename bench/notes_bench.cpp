// The month computation with every shipped definition file, and the
// start-up reading of the five files. The shipped files lie beside this
// program (build/bin), as CP932.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "almanac/era.h"
#include "bench/bench_support.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"

namespace kalendo {
namespace {

// Reads and loads the five files in start-up order; false on any problem.
bool LoadFiveFiles(MonthRecord& rec, const std::string& folder) {
    const auto eras = ReadWholeFile(folder + "/元号.Def");
    const auto holidays = ReadWholeFile(folder + "/祝日.Def");
    const auto notes = ReadWholeFile(folder + "/暦日.Def");
    const auto users = ReadWholeFile(folder + "/Usr.Def");
    const auto schedules = ReadWholeFile(folder + "/Schedule.Def");
    if (!eras || !holidays || !notes || !users || !schedules) return false;
    return !LoadEras(rec, *eras) && !LoadHolidays(rec, *holidays) && !LoadNotes(rec, *notes) &&
           !LoadUserEntries(rec, *users) && !LoadSchedules(rec, *schedules);
}

// One navigation step after another through 2024, every definition file
// shipped: each call recomputes the whole year and evaluates every entry.
void BM_ComputeMonthAllShippedFiles(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    if (!LoadFiveFiles(*rec, bench::ShippedFolder())) {
        state.SkipWithError("the shipped definition files cannot be read");
        return;
    }
    bench::ComputeDayAfterDayIn2024(state, *rec);
    state.counters["notes"] = rec->noteCount;
    state.counters["holidays"] = rec->holidayCount;
}
BENCHMARK(BM_ComputeMonthAllShippedFiles)->Unit(benchmark::kMillisecond);

// Start-up: read and parse 元号.Def, 祝日.Def, 暦日.Def, Usr.Def and
// Schedule.Def into the record.
void BM_LoadFiveFiles(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    const std::string folder = bench::ShippedFolder();
    for (auto _ : state) {
        if (!LoadFiveFiles(*rec, folder)) {
            state.SkipWithError("the shipped definition files cannot be read");
            return;
        }
        benchmark::DoNotOptimize(rec->noteCount);
    }
}
BENCHMARK(BM_LoadFiveFiles)->Unit(benchmark::kMillisecond);

// Start-up with a full schedule file: 512 schedules with two-line notes.
void BM_LoadAndSaveFullScheduleFile(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    rec->year[kToday] = 2024;
    rec->month[kToday] = 1;
    rec->day[kToday] = 1;
    CSchedule s = kFreshSchedule;
    CopyText(s.name, "meeting");
    CopyText(s.text, "first line of the note\r\nsecond line");
    s.year = 2024;
    s.month = 6;
    s.day = 15;
    s.displayPeriod = 2;
    while (AddSchedule(*rec, s)) {
    }
    const std::string bytes = ScheduleFileBytes(*rec);
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadSchedules(*rec, bytes));
        benchmark::DoNotOptimize(ScheduleFileBytes(*rec));
    }
}
BENCHMARK(BM_LoadAndSaveFullScheduleFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalendo
