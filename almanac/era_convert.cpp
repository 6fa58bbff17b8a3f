#include "almanac/era_convert.h"

#include <cstdio>

#include "almanac/era.h"
#include "almanac/era_convert_texts.h"
#include "core/typed_number.h"

namespace kalendo {
namespace {

// The edits are read into 1024-byte buffers.
constexpr std::size_t kEditTextBytes = kTextBytes - 1;

// sscanf(text, "%d年%d月%d日", &a, &b, &c) as a user means it: the text
// may end after any number or mark (the fields not reached keep their
// values), blanks may stand around numbers and marks, and the era year may
// be written "元" ("元年" is year 1). Anything else, in particular text
// after the day or a number followed by something other than its mark, is
// not a date: false, and no field is changed.
bool ScanDateText(std::string_view text, bool eraYear, int& a, int& b, int& c) {
    text = text.substr(0, kEditTextBytes);
    const std::string_view marks[3] = {kDateTextYearMark, kDateTextMonthMark, kDateTextDayMark};
    int values[3] = {a, b, c};
    std::size_t pos = 0;
    for (int k = 0; k < 3; ++k) {
        pos = SkipTypedBlanks(text, pos);
        if (pos == text.size()) break;
        const std::string_view first = kFirstEraYearMark;
        if (k == 0 && eraYear && text.substr(pos, first.size()) == first) {
            // "元" stands for 1 only as the year of "元年".
            const std::size_t mark = SkipTypedBlanks(text, pos + first.size());
            if (text.substr(mark, marks[0].size()) != marks[0]) return false;
            values[0] = 1;
            pos += first.size();
        } else if (!ScanTypedNumber(text, pos, values[k])) {
            return false;
        }
        pos = SkipTypedBlanks(text, pos);
        if (pos == text.size()) break;
        if (text.substr(pos, marks[k].size()) != marks[k]) return false;
        pos += marks[k].size();
    }
    if (SkipTypedBlanks(text, pos) != text.size()) return false;
    a = values[0];
    b = values[1];
    c = values[2];
    return true;
}

std::string FormatDate(const char* format, int y, int m, int d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, y, m, d);
    return buf;
}

}  // namespace

EraConvertState OpenEraConvert(const MonthRecord& rec, int y, int m, int d) {
    return EraConvertState{y, m, d, rec.eraYear, EraIndex(rec, y, m, d)};
}

std::string EraDateText(const EraConvertState& s) {
    return FormatDate(kEraDateTextFormat, s.eraYear, s.month, s.day);
}

std::string WesternDateText(const EraConvertState& s) {
    return FormatDate(kWesternDateTextFormat, s.westernYear, s.month, s.day);
}

bool OnConvertToWestern(const MonthRecord& rec, EraConvertState& s, std::string_view eraDateText) {
    if (!ScanDateText(eraDateText, true, s.eraYear, s.month, s.day)) return false;
    if (rec.eraCount < 0) return true;  // no era table: nothing to convert with
    s.westernYear = WesternYear(rec, EraName(rec, s.eraIndex), s.eraYear);
    return true;
}

bool OnConvertToEra(const MonthRecord& rec, EraConvertState& s, std::string_view westernDateText) {
    if (!ScanDateText(westernDateText, false, s.westernYear, s.month, s.day)) return false;
    const int i = EraIndex(rec, s.westernYear, s.month, s.day);
    if (i < 0) return true;
    s.eraIndex = i;
    s.eraYear = s.westernYear - EraStartYear(rec, i) + 1;
    return true;
}

}  // namespace kalendo
