#include "ui/model/jumps.h"

#include "core/calendar_constants.h"
#include "core/day_arith.h"
#include "core/typed_number.h"
#include "month/compute_month.h"
#include "month/month_texts.h"
#include "platform/platform.h"
#include "ui/model/model_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

// Beyond these the date is millions of years from the supported 1600-2999,
// and normalising could overflow an int.
constexpr long long kFarYear = 100000000;
constexpr long long kFarDay = 2147483647;

// The edits are read into 1024-byte buffers.
constexpr std::size_t kEditTextBytes = kTextBytes - 1;

// A date beyond any year is refused like any other out-of-range date (or
// replaced by today in the monthly display).
CalendarDate TypedDateOrNone(const std::optional<CalendarDate>& date) {
    return date.value_or(CalendarDate{0, 0, 0});
}

int ComputeTypedDate(MonthRecord& rec, const std::optional<CalendarDate>& date,
                     MonthOptions options) {
    const CalendarDate d = TypedDateOrNone(date);
    return ComputeMonth(rec, d.year, d.month, d.day, options);
}

// Before the dialog closes: the refusal ComputeMonth would give, with its
// message, while what was typed is still there to be corrected.
bool DateMayBeComputed(const MonthRecord& rec, const std::optional<CalendarDate>& date,
                       MonthOptions options) {
    const CalendarDate d = TypedDateOrNone(date);
    if (ComputeMonthWouldAccept(rec, d.year, d.month, d.day, options)) return true;
    ThePlatform().ShowMessage(kRangeErrorMessage);
    return false;
}

}  // namespace

std::optional<CalendarDate> NormalizedTypedDate(long long year, long long month, long long day) {
    if (year > kFarYear || year < -kFarYear || month > kFarYear || month < -kFarYear ||
        day > kFarDay || day < -kFarDay) {
        return std::nullopt;
    }
    // Within these bounds the normalised year stays far inside an int.
    int y = static_cast<int>(year), m = static_cast<int>(month), d = static_cast<int>(day);
    NormalizeDate(y, m, d);
    if (y > kFarYear || y < -kFarYear) return std::nullopt;
    return CalendarDate{y, m, d};
}

namespace {

TypedField ReadEdit(std::string_view text) { return ReadTypedField(text.substr(0, kEditTextBytes)); }

bool IsNotANumber(std::string_view text) {
    return ReadEdit(text).kind == TypedFieldKind::NotANumber;
}

// An empty field keeps `value`.
void TakeField(std::string_view text, int& value) {
    const TypedField f = ReadEdit(text);
    if (f.kind == TypedFieldKind::Number) value = f.value;
}

}  // namespace

bool DirectJumpMayClose(const MonthRecord& rec, std::string_view yearText,
                        std::string_view monthText, std::string_view dayText,
                        MonthOptions options) {
    if (IsNotANumber(yearText) || IsNotANumber(monthText) || IsNotANumber(dayText)) {
        ThePlatform().ShowMessage(kDirectJumpNotNumberMessage);
        return false;
    }
    return DateMayBeComputed(rec, DirectJumpDate(rec, yearText, monthText, dayText), options);
}

std::optional<CalendarDate> DirectJumpDate(const MonthRecord& rec, std::string_view yearText,
                                           std::string_view monthText, std::string_view dayText) {
    if (IsNotANumber(yearText) || IsNotANumber(monthText) || IsNotANumber(dayText)) {
        return std::nullopt;
    }
    int y = rec.year[kTarget], m = rec.month[kTarget], d = rec.day[kTarget];
    TakeField(yearText, y);
    TakeField(monthText, m);
    TakeField(dayText, d);
    return NormalizedTypedDate(y, m, d);
}

int RunDirectJump(MonthRecord& rec, std::string_view yearText, std::string_view monthText,
                  std::string_view dayText, MonthOptions options) {
    if (IsNotANumber(yearText) || IsNotANumber(monthText) || IsNotANumber(dayText)) return -1;
    return ComputeTypedDate(rec, DirectJumpDate(rec, yearText, monthText, dayText), options);
}

bool RelativeJumpMayClose(const MonthRecord& rec, std::string_view numberText, int unit,
                          MonthOptions options) {
    if (unit < kUnitDaysBack || unit > kUnitYearsAhead) {
        ThePlatform().ShowMessage(kInvalidJumpMessage);
        return false;
    }
    if (IsNotANumber(numberText)) {
        ThePlatform().ShowMessage(kRelativeJumpNotNumberMessage);
        return false;
    }
    return DateMayBeComputed(rec, RelativeJumpDate(rec, numberText, unit), options);
}

std::optional<CalendarDate> RelativeJumpDate(const MonthRecord& rec, std::string_view numberText,
                                             int unit) {
    if (IsNotANumber(numberText)) return std::nullopt;
    int number = 0;  // an empty number moves nothing
    TakeField(numberText, number);
    long long y = rec.year[kTarget], m = rec.month[kTarget], d = rec.day[kTarget];
    const long long n = number;
    switch (unit) {
        case kUnitDaysBack: d -= n; break;
        case kUnitDaysAhead: d += n; break;
        case kUnitWeeksBack: d -= kDaysPerWeek * n; break;
        case kUnitWeeksAhead: d += kDaysPerWeek * n; break;
        case kUnitMonthsBack: m -= n; break;
        case kUnitMonthsAhead: m += n; break;
        case kUnitYearsBack: y -= n; break;
        case kUnitYearsAhead: y += n; break;
        default: return std::nullopt;
    }
    return NormalizedTypedDate(y, m, d);
}

int RunRelativeJump(MonthRecord& rec, std::string_view numberText, int unit,
                    MonthOptions options) {
    if (unit < kUnitDaysBack || unit > kUnitYearsAhead || IsNotANumber(numberText)) return -1;
    return ComputeTypedDate(rec, RelativeJumpDate(rec, numberText, unit), options);
}

bool RunConvertToWestern(const MonthRecord& rec, EraConvertState& state,
                         std::string_view eraDateText) {
    if (OnConvertToWestern(rec, state, eraDateText)) return true;
    ThePlatform().ShowMessage(kEraDateNotReadMessage);
    return false;
}

bool RunConvertToEra(const MonthRecord& rec, EraConvertState& state,
                     std::string_view westernDateText) {
    if (OnConvertToEra(rec, state, westernDateText)) return true;
    ThePlatform().ShowMessage(kWesternDateNotReadMessage);
    return false;
}

int MoveToEraConverted(MonthRecord& rec, const EraConvertState& state, MonthOptions options) {
    return ComputeMonth(rec, state.westernYear, state.month, state.day, options);
}

}  // namespace kalendo
