#include "bench/bench_support.h"

#include <cstdlib>
#include <filesystem>

#include "core/day_arith.h"
#include "month/compute_month.h"
#include "platform/platform.h"
#include "ui/model/document.h"

namespace kalendo::bench {

std::string ShippedFolder() {
    if (const char* bin = std::getenv("K2_BIN_DIR")) return bin;
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

void ComputeDayAfterDayIn2024(benchmark::State& state, MonthRecord& rec) {
    int y = 2024, m = 1, d = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeMonth(rec, y, m, d, {}));
        d += 1;
        NormalizeDate(y, m, d);
        if (y > 2024) y = 2024;
    }
}

std::unique_ptr<MonthRecord> OpenShippedDocument(benchmark::State& state) {
    auto rec = std::make_unique<MonthRecord>();
    try {
        OpenDocument(*rec, ShippedFolder() + "/");
    } catch (const FatalExit&) {
        state.SkipWithError("the shipped definition files are not beside the benchmark");
        return nullptr;
    }
    return rec;
}

}  // namespace kalendo::bench
