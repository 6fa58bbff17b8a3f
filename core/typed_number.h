// Numbers as a Japanese user types them into a dialog's field, in code page
// 932 after the window has folded compatibility characters (full-width
// digits, signs and blanks become ASCII through Unicode NFKC at the edge).
// What NFKC leaves is read here: the minus signs an input method produces
// (U+2212 and U+FF0D are both CP932 81 7C; the long vowel mark "ー" 81 5B
// stands for a minus only where nothing but blanks precede it), and text
// that is not a number at all, which the dialogs refuse instead of reading
// its digits as far as they go.
#pragma once

#include <cstddef>
#include <string_view>

namespace kalendo {

// Numbers are held to +-10^9, far beyond any date, so that sums of a few of
// them (an era's first year plus an era year, a date plus a step) cannot
// overflow an int.
inline constexpr int kLargestTypedNumber = 1000000000;

// scanf's "%d" at text[pos] without the locale, plus the input method's
// minus signs: C-locale blanks, an optional sign ("+", "-", 81 7C, or 81 5B
// when text[0, sign) is all blanks), at least one ASCII digit. On success
// stores the value (held to +-10^9), moves pos past the digits and returns
// true; otherwise leaves both alone.
bool ScanTypedNumber(std::string_view text, std::size_t& pos, int& value);

// Blanks at text[pos] skipped.
std::size_t SkipTypedBlanks(std::string_view text, std::size_t pos);

// A whole field.
enum class TypedFieldKind {
    Empty,      // nothing but blanks: the field keeps its described meaning
    Number,     // one number with blanks around it
    NotANumber  // anything else ("12x", "x", "1 2", "--1"): refused
};
struct TypedField {
    TypedFieldKind kind;
    int value;  // the number; 0 unless kind is Number
};
TypedField ReadTypedField(std::string_view text);

}  // namespace kalendo
