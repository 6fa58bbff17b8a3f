// The month computation with every shipped definition file, and the
// start-up reading of the five files. The shipped files lie beside this
// program (build/bin), as CP932.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "almanac/era.h"
#include "bench/bench_support.h"
#include "defs/file_encoding.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

constexpr const char* kFiveFiles[] = {"元号.Def", "祝日.Def", "暦日.Def", "Usr.Def",
                                       "Schedule.Def"};

// Reads and loads the five files in start-up order, each as the document
// reads it (a UTF-8 file converted to CP932 first); false on any problem.
bool LoadFiveFiles(MonthRecord& rec, const std::string& folder) {
    std::optional<std::string> text[5];
    for (int i = 0; i < 5; ++i) {
        text[i] = ReadWholeFile(folder + "/" + kFiveFiles[i]);
        if (!text[i] || ToDefinitionText(*text[i], kFiveFiles[i])) return false;
    }
    return !LoadEras(rec, *text[0]) && !LoadHolidays(rec, *text[1]) && !LoadNotes(rec, *text[2]) &&
           !LoadUserEntries(rec, *text[3]) && !LoadSchedules(rec, *text[4]);
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

// The same five files saved as UTF-8 by an editor (a folder of their own,
// written once): each is checked, composed and converted whole to CP932
// before its reader sees it.
void BM_LoadFiveFilesUtf8(benchmark::State& state) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    char pattern[] = "/tmp/k2_bench_utf8_XXXXXX";
    const std::string folder = mkdtemp(pattern);
    for (const char* name : kFiveFiles) {
        const auto cp932 = ReadWholeFile(bench::ShippedFolder() + "/" + name);
        const auto utf8 = cp932 ? Utf8FromCp932Exact(*cp932) : std::nullopt;
        if (!utf8 || !WriteFileAtomically(folder + "/" + name, *utf8)) {
            state.SkipWithError("the shipped definition files cannot be read");
            std::filesystem::remove_all(folder);
            return;
        }
    }
    for (auto _ : state) {
        if (!LoadFiveFiles(*rec, folder)) {
            state.SkipWithError("the UTF-8 copies cannot be read");
            break;
        }
        benchmark::DoNotOptimize(rec->noteCount);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadFiveFilesUtf8)->Unit(benchmark::kMillisecond);

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
