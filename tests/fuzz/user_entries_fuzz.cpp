// The user file (Usr.Def) through the common reading loop with its text
// blocks, then step 10 for the user entries and the questions the event
// lists ask of them.
#include "defs/notes.h"

#include "tests/fuzz/fuzz_support.h"

using namespace kalendo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<MonthRecord> rec = [] {
        auto r = fuzz::ShippedRecord(2024, 6, 15);
        fuzz::ResetEntries(r->TablesToChange().userEntries, kUserEntryCapacity);
        return r;
    }();
    static int used = 0;
    fuzz::StartInput();
    fuzz::ResetEntries(rec->TablesToChange().userEntries, used);

    const std::optional<std::string> text = fuzz::DefinitionText(data, size);
    if (!text) return 0;  // the document's fatal error
    const auto problem = LoadUserEntries(*rec, *text);
    used = rec->userEntryCount;
    fuzz::FuzzCheck(used >= 0 && used <= kUserEntryCapacity, "user entry count within the table");
    if (problem) return 0;
    try {
        EvaluateUserEntries(*rec);
    } catch (const FatalExit&) {
        return 0;
    }
    for (int i = 0; i < rec->userEntryCount; ++i) {
        const DefinitionEntry& e = rec->tables.userEntries[i];
        fuzz::FuzzCheck(e.displayPeriod >= 0 && e.displayPeriod <= 4, "display period 0-4");
        for (int d : {1, 15, 31}) {
            const int found = UserEntryFallsOn(*rec, i, 2024, 6, d);
            fuzz::FuzzCheck(found == i || found == -1, "UserEntryFallsOn answers i or -1");
        }
        const int announced = UserEntryInPeriod(*rec, i, 7);
        fuzz::FuzzCheck(announced == i || announced == -1, "UserEntryInPeriod answers i or -1");
    }
    return 0;
}
