#include "almanac/era_convert.h"

#include <cstdio>

#include "almanac/era.h"
#include "almanac/era_convert_texts.h"

namespace kalendo {
namespace {

// The edits are read into 1024-byte buffers.
constexpr std::size_t kEditTextBytes = kTextBytes - 1;

constexpr long long kLargestNumber = 1000000000;

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// scanf's "%d" without the locale: white space, an optional sign, digits.
// false (value untouched) without a digit. Numbers are held to +-10^9, far
// beyond any date, so that adding era years to them cannot overflow.
bool ScanDecimal(std::string_view text, std::size_t& pos, int& value) {
    std::size_t i = pos;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t first = i;
    long long magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (magnitude < kLargestNumber) magnitude = magnitude * 10 + (text[i] - '0');
        ++i;
    }
    if (i == first) return false;
    if (magnitude > kLargestNumber) magnitude = kLargestNumber;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    pos = i;
    return true;
}

// sscanf(text, "%d年%d月%d日", &a, &b, &c): stops at the first field or mark
// that does not match; what follows the third number is not looked at.
void ScanDateText(std::string_view text, int& a, int& b, int& c) {
    text = text.substr(0, kEditTextBytes);
    const std::string_view marks[2] = {kDateTextYearMark, kDateTextMonthMark};
    int* fields[3] = {&a, &b, &c};
    std::size_t pos = 0;
    for (int k = 0; k < 3; ++k) {
        if (!ScanDecimal(text, pos, *fields[k]) || k == 2) return;
        if (text.substr(pos, marks[k].size()) != marks[k]) return;
        pos += marks[k].size();
    }
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

void OnConvertToWestern(const MonthRecord& rec, EraConvertState& s, std::string_view eraDateText) {
    ScanDateText(eraDateText, s.eraYear, s.month, s.day);
    if (rec.eraCount < 0) return;  // no era table: nothing to convert with
    s.westernYear = WesternYear(rec, EraName(rec, s.eraIndex), s.eraYear);
}

void OnConvertToEra(const MonthRecord& rec, EraConvertState& s, std::string_view westernDateText) {
    ScanDateText(westernDateText, s.westernYear, s.month, s.day);
    const int i = EraIndex(rec, s.westernYear, s.month, s.day);
    if (i < 0) return;
    s.eraIndex = i;
    s.eraYear = s.westernYear - EraStartYear(rec, i) + 1;
}

}  // namespace kalendo
