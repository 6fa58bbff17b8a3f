#include "core/typed_number.h"

namespace kalendo {
namespace {

// The minus signs of code page 932 that an input method types: 81 7C is
// both U+2212 MINUS SIGN and U+FF0D FULLWIDTH HYPHEN-MINUS; 81 5B is the
// long vowel mark "ー", which a kana input gives for the minus key.
constexpr std::string_view kCp932Minus = "\x81\x7C";
constexpr std::string_view kCp932LongVowel = "\x81\x5B";

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::size_t SkipTypedBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsCSpace(text[pos])) ++pos;
    return pos;
}

bool ScanTypedNumber(std::string_view text, std::size_t& pos, int& value) {
    std::size_t i = SkipTypedBlanks(text, pos);
    bool negative = false;
    const std::string_view rest = text.substr(i);
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        negative = rest[0] == '-';
        ++i;
    } else if (rest.substr(0, kCp932Minus.size()) == kCp932Minus) {
        negative = true;
        i += kCp932Minus.size();
    } else if (rest.substr(0, kCp932LongVowel.size()) == kCp932LongVowel &&
               SkipTypedBlanks(text, 0) == i) {
        negative = true;
        i += kCp932LongVowel.size();
    }
    const std::size_t digits = i;
    long long magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (magnitude <= kLargestTypedNumber) magnitude = magnitude * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digits) return false;
    if (magnitude > kLargestTypedNumber) magnitude = kLargestTypedNumber;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    pos = i;
    return true;
}

TypedField ReadTypedField(std::string_view text) {
    std::size_t pos = 0;
    if (SkipTypedBlanks(text, 0) == text.size()) return {TypedFieldKind::Empty, 0};
    int value = 0;
    if (!ScanTypedNumber(text, pos, value) || SkipTypedBlanks(text, pos) != text.size()) {
        return {TypedFieldKind::NotANumber, 0};
    }
    return {TypedFieldKind::Number, value};
}

}  // namespace kalendo
