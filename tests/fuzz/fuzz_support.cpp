#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "defs/file_encoding.h"
#include "month/compute_month.h"
#include "platform/text_codec.h"
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
    SlotTables& tables = rec.TablesToChange();
    for (int i = 0; i < used; ++i) {
        std::memset(tables.eraName[i], 0, sizeof tables.eraName[i]);
        tables.eraStartYear[i] = 0;
        tables.eraStartMonth[i] = 0;
        tables.eraStartDay[i] = 0;
    }
    rec.eraCount = -1;
}

std::optional<std::string> DefinitionText(const std::uint8_t* data, std::size_t size) {
    std::string text(Bytes(data, size));
    const FileEncoding encoding = DefinitionFileEncoding(text);
    const auto problem = ToDefinitionText(text, "x");
    // A CP932 file is refused only for a NUL byte, which no line may hold.
    FuzzCheck(!problem || encoding != FileEncoding::Cp932 || text.find('\0') != std::string::npos,
              "a CP932 file is refused only for a NUL byte");
    FuzzCheck(!problem || !problem->message.empty() || !problem->messageUtf8.empty(),
              "a refusal names what it refuses");
    if (problem) return std::nullopt;
    if (encoding != FileEncoding::Cp932) {
        FuzzCheck(Utf8FromCp932Exact(text).has_value(), "a UTF-8 file becomes CP932 characters");
    }
    return text;
}

void FuzzCheck(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

}  // namespace kalendo::fuzz
