// The holiday file through the common reading loop, then what the month
// computation does with it: every entry evaluated for the target year and
// the substitute and citizens' holidays generated.
#include "defs/day_off.h"
#include "defs/holidays.h"

#include "tests/fuzz/fuzz_support.h"

using namespace kalendo;

namespace {

struct State {
    std::unique_ptr<MonthRecord> rec = fuzz::ShippedRecord(2024, 6, 15);
    // The shipped file's generated holidays: "平日"/"休日" see the ones the
    // previous computation left, so every input starts from these.
    const EvaluatedDefinitions shipped = rec->evaluated;
    void Restore() { rec->evaluated = shipped; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static State state;
    MonthRecord& rec = *state.rec;
    fuzz::StartInput();
    state.Restore();

    const std::optional<std::string> text = fuzz::DefinitionText(data, size);
    if (!text) return 0;  // the document's fatal error
    const auto problem = LoadHolidays(rec, *text);
    fuzz::FuzzCheck(rec.holidayCount >= 0 && rec.holidayCount <= kHolidayCapacity,
                    "holiday count within the table");
    if (problem) return 0;
    try {
        EvaluateHolidays(rec);
        GenerateHolidays(rec);
    } catch (const FatalExit&) {
        return 0;  // a wrong expression: the program ends with its message
    }
    fuzz::FuzzCheck(rec.evaluated.generatedCount >= 0 &&
                        rec.evaluated.generatedCount <= kGeneratedHolidayCapacity,
                    "generated holidays within their table");
    for (int m = 1; m <= 12; ++m) {
        for (int d : {1, 15, 31}) {
            const int h = FindHoliday(rec, m, d);
            const int g = FindGeneratedHoliday(rec, m, d);
            fuzz::FuzzCheck(h >= -1 && h < rec.holidayCount, "FindHoliday index");
            fuzz::FuzzCheck(g >= -1 && g < rec.evaluated.generatedCount, "FindGeneratedHoliday index");
            IsDayOff(rec, m, d);
        }
    }
    return 0;
}
