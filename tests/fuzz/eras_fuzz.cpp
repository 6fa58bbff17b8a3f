// The era file (元号.Def) through its own line reader, then the questions
// the month computation and the era conversion ask of the table.
#include "almanac/era.h"

#include <cstring>

#include "core/day_arith.h"

#include "tests/fuzz/fuzz_support.h"

using namespace kalendo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<MonthRecord> rec = fuzz::EmptyRecord();
    fuzz::StartInput();
    // A refused file may have filled every slot; a loaded one eraCount + 1.
    static int used = kEraCapacity;
    fuzz::ResetEras(*rec, used);

    const std::optional<std::string> text = fuzz::DefinitionText(data, size);
    if (!text) return 0;  // the document's fatal error
    const auto problem = LoadEras(*rec, *text);
    if (problem) {
        fuzz::FuzzCheck(rec->eraCount == -1, "a refused file leaves the era count");
        used = kEraCapacity;
        return 0;
    }
    fuzz::FuzzCheck(rec->eraCount >= 0 && rec->eraCount < kEraCapacity, "era count in range");
    used = rec->eraCount + 1;
    for (int i = 0; i <= rec->eraCount; ++i) {
        fuzz::FuzzCheck(std::memchr(rec->tables.eraName[i], '\0', kTextBytes) != nullptr,
                        "era name terminated");
        WesternYear(*rec, EraName(*rec, i), 1);
        EraStartYear(*rec, i);
        const SlotTables& t = rec->tables;
        const int y = t.eraStartYear[i], m = t.eraStartMonth[i], d = t.eraStartDay[i];
        fuzz::FuzzCheck(y >= 1 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m),
                        "every loaded entry has a real date");
        // Newest first: an entry's own date belongs to the entry below it.
        if (i > 0) {
            fuzz::FuzzCheck(EraIndex(*rec, t.eraStartYear[i - 1], t.eraStartMonth[i - 1],
                                     t.eraStartDay[i - 1]) == i,
                            "entries strictly newest first");
        }
    }
    for (const int y : {1600, 1868, 2024, 2999}) {
        const int i = EraIndex(*rec, y, 6, 15);
        fuzz::FuzzCheck(i >= 0 && i <= rec->eraCount, "EraIndex within the table");
    }
    return 0;
}
