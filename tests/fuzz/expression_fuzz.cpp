// Any bytes as the date expression of one entry, evaluated against month
// records that hold the shipped files: the year 2024 and both ends of the
// supported range, where the solar terms and the day searches run over the
// year's edges. A wrong expression is fatal in the program; here Fatal
// throws FatalExit, which is an expected outcome, not a finding.
#include "defs/expression.h"

#include <algorithm>
#include <cstring>

#include "tests/fuzz/fuzz_support.h"

using namespace kalendo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<MonthRecord> records[] = {
        fuzz::ShippedRecord(2024, 6, 15),
        fuzz::ShippedRecord(1600, 1, 1),
        fuzz::ShippedRecord(2999, 12, 31),
    };
    static auto entry = std::make_unique<DefinitionEntry>();
    fuzz::StartInput();

    // The expression field holds a word of at most 1023 bytes.
    const std::size_t length = std::min<std::size_t>(size, kTextBytes - 1);
    for (const auto& rec : records) {
        *entry = DefinitionEntry{};
        std::memcpy(entry->name, "fuzz", 5);
        std::memcpy(entry->expression, data, length);
        entry->expression[length] = '\0';
        ReadExpression(*entry);
        EvaluatedDate date;
        try {
            EvaluateExpression(*rec, *entry, date);
        } catch (const FatalExit&) {
            continue;
        }
        fuzz::FuzzCheck(date.oldCalendar == 0 || date.oldCalendar == 1, "oldCalendar 0 or 1");
        fuzz::FuzzCheck(date.leapFlag == 0 || date.oldCalendar == 1,
                        "a leap month only in a lunisolar date");
    }
    return 0;
}
