#include "ui/model/text_format.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "core/cp932.h"

namespace kalendo {

std::string FitText(std::string s, std::size_t maxBytes) {
    s.resize(Cp932FitLength(s.data(), s.size(), maxBytes));
    return s;
}

std::string FixedOneDecimal(double value, int width) {
    // to_chars is specified as printf's "%.1f" in the C locale: the exact
    // binary value rounded to nearest, whatever the process locale is.
    char buf[64];
    std::string out;
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 1);
    if (r.ec == std::errc()) out.assign(buf, r.ptr);
    if (static_cast<int>(out.size()) < width) out.insert(0, width - out.size(), ' ');
    return out;
}

void BoundedText::Append(std::string_view piece) {
    if (full_) return;
    if (text_.size() + piece.size() > limit_) {
        full_ = true;
        return;
    }
    text_.append(piece);
}

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

bool ScanDecimal(std::string_view text, std::size_t& pos, int& value) {
    std::size_t i = pos;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t digits = i;
    // Accumulated as a negative magnitude so INT_MIN is representable;
    // clamped once it passes the int range.
    long long magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (magnitude < 1LL << 40) magnitude = magnitude * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digits) return false;
    long long v = negative ? -magnitude : magnitude;
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    value = static_cast<int>(v);
    pos = i;
    return true;
}

int ScanThreeDecimals(std::string_view text, std::string_view sep1, std::string_view sep2,
                      int& a, int& b, int& c) {
    std::size_t pos = 0;
    int* fields[3] = {&a, &b, &c};
    const std::string_view seps[2] = {sep1, sep2};
    for (int k = 0; k < 3; ++k) {
        if (!ScanDecimal(text, pos, *fields[k])) return k;
        if (k == 2) return 3;
        if (text.substr(pos, seps[k].size()) != seps[k]) return k + 1;
        pos += seps[k].size();
    }
    return 3;
}

}  // namespace kalendo
