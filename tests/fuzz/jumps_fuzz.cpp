// The date-moving dialogs' parsers: the direct jump's three edits and the
// relative jump's number with every unit (the valid ones and two outside).
// The input's lines are the edits: year, month, day, number.
#include "ui/model/jumps.h"

#include <array>

#include "core/day_arith.h"
#include "tests/fuzz/fuzz_support.h"

using namespace kalendo;

namespace {

void CheckDate(const std::optional<CalendarDate>& date) {
    if (!date) return;
    fuzz::FuzzCheck(date->month >= 1 && date->month <= 12, "a jump lands in a real month");
    fuzz::FuzzCheck(date->day >= 1 && date->day <= DaysInMonth(date->year, date->month),
                    "a jump lands on a real day");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<MonthRecord> rec = [] {
        auto r = fuzz::EmptyRecord();
        r->year[kTarget] = 2024;
        r->month[kTarget] = 1;
        r->day[kTarget] = 31;
        return r;
    }();
    fuzz::StartInput();

    std::array<std::string_view, 4> edits{};
    std::string_view rest = fuzz::Bytes(data, size);
    for (std::string_view& edit : edits) {
        const std::size_t end = rest.find('\n');
        edit = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    CheckDate(DirectJumpDate(*rec, edits[0], edits[1], edits[2]));
    for (int unit = kUnitDaysBack - 1; unit <= kUnitYearsAhead + 1; ++unit) {
        const auto date = RelativeJumpDate(*rec, edits[3], unit);
        if (unit < kUnitDaysBack || unit > kUnitYearsAhead) {
            fuzz::FuzzCheck(!date.has_value(), "no date for a unit outside 0-7");
        }
        CheckDate(date);
    }
    return 0;
}
