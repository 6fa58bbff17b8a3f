// The calendar-note file (暦日.Def) through the common reading loop with its
// text blocks, then step 10 of the month computation for the notes.
#include "defs/notes.h"

#include "tests/fuzz/fuzz_support.h"

using namespace kalendo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<MonthRecord> rec = [] {
        auto r = fuzz::ShippedRecord(2024, 6, 15);
        fuzz::ResetEntries(r->TablesToChange().notes, kNoteCapacity);
        return r;
    }();
    static int used = 0;
    fuzz::StartInput();
    fuzz::ResetEntries(rec->TablesToChange().notes, used);

    const std::optional<std::string> text = fuzz::DefinitionText(data, size);
    if (!text) return 0;  // the document's fatal error
    const auto problem = LoadNotes(*rec, *text);
    used = rec->noteCount;
    fuzz::FuzzCheck(used >= 0 && used <= kNoteCapacity, "note count within the table");
    if (problem) return 0;
    try {
        EvaluateNotes(*rec);
    } catch (const FatalExit&) {
        return 0;
    }
    for (int i = 0; i < rec->noteCount; ++i) {
        const int found = NoteFallsOnTarget(*rec, i);
        fuzz::FuzzCheck(found == i || found == -1, "NoteFallsOnTarget answers i or -1");
    }
    return 0;
}
