#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "month/compute_month.h"
#include "ui/model/document.h"

namespace kalendo::fuzz {

RecordingPlatform& Platform() {
    // Never destroyed: the fuzzer may end the process from any thread.
    static ScopedRecordingPlatform* const platform = new ScopedRecordingPlatform;
    return **platform;
}

void StartInput() { Platform().messages.clear(); }

std::unique_ptr<MonthRecord> EmptyRecord() {
    Platform();
    return std::make_unique<MonthRecord>();
}

std::unique_ptr<MonthRecord> ShippedRecord(int y, int m, int d) {
    auto rec = EmptyRecord();
    try {
        OpenDocument(*rec, K2_FUZZ_DATA_DIR);
    } catch (const FatalExit&) {
        std::fprintf(stderr, "cannot load the shipped definition files from %s\n",
                     K2_FUZZ_DATA_DIR);
        std::abort();
    }
    FuzzCheck(ComputeMonth(*rec, y, m, d, {}) == 1, "the shipped files compute the fixed date");
    return rec;
}

void ResetEntries(DefinitionEntry* table, int used) {
    for (int i = 0; i < used; ++i) table[i] = DefinitionEntry{};
}

void ResetSchedules(CSchedule* table, int used) {
    for (int i = 0; i < used; ++i) table[i] = CSchedule{};
}

void ResetEras(MonthRecord& rec, int used) {
    for (int i = 0; i < used; ++i) {
        std::memset(rec.eraName[i], 0, sizeof rec.eraName[i]);
        rec.eraStartYear[i] = 0;
        rec.eraStartMonth[i] = 0;
        rec.eraStartDay[i] = 0;
    }
    rec.eraCount = -1;
}

void FuzzCheck(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

}  // namespace kalendo::fuzz
