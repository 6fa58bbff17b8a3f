// Formatting and parsing for the screen texts, independent of the user's
// locale: the GUI toolkit sets the process locale from the environment, and
// a German user must still see "29.6", not "29,6". Integers and strings go
// through snprintf (their conversions have no locale-dependent part);
// decimals and all parsing are done here by hand.
//
// Texts are code page 932 bytes. A "text field" is what a 1024-byte buffer
// holds: at most kTextBytes - 1 = 1023 bytes, never cut inside a character.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/month_record.h"

namespace kalendo {

// s cut to at most maxBytes bytes at a character boundary.
std::string FitText(std::string s, std::size_t maxBytes = kTextBytes - 1);

// printf-style formatting of %d and %s conversions into a text field (cut to
// 1023 bytes at a character boundary, like the 1024-byte buffers the texts
// were always built in).
template <typename... Args>
std::string FormatText(const char* format, Args... args) {
    char buf[kTextBytes];
    const int n = std::snprintf(buf, sizeof buf, format, args...);
    if (n < 0) return std::string();
    const std::size_t len =
        static_cast<std::size_t>(n) < sizeof buf ? static_cast<std::size_t>(n) : sizeof buf - 1;
    return FitText(std::string(buf, len));
}

// The same without the 1023-byte bound, for pieces that are measured before
// they are appended.
template <typename... Args>
std::string FormatUnbounded(const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) return std::string();
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

// "%W.1f" in the C locale: one decimal, correctly rounded, '.' as the
// separator, padded with blanks on the left to at least `width` characters.
std::string FixedOneDecimal(double value, int width);

// A text that is appended to piece by piece and holds at most `limit`
// bytes: the first piece that does not fit whole is dropped and so is every
// piece after it (a text never ends in half a piece).
class BoundedText {
public:
    explicit BoundedText(std::size_t limit = kTextBytes - 1) : limit_(limit) {}
    void Append(std::string_view piece);
    const std::string& str() const { return text_; }
    bool full() const { return full_; }

private:
    std::size_t limit_;
    std::string text_;
    bool full_ = false;
};

// scanf's "%d" at text[pos]: skips C-locale white space (blank, \t, \n, \v,
// \f, \r), takes an optional sign and at least one digit. On success stores
// the value (saturated to the int range instead of overflowing), moves pos
// past the number and returns true; otherwise leaves both alone.
bool ScanDecimal(std::string_view text, std::size_t& pos, int& value);

// sscanf(text, "%d<sep1>%d<sep2>%d...", &a, &b, &c) without the locale:
// the separators are matched byte for byte; the scan stops at the first
// mismatch and the fields not reached keep their values. Returns the number
// of fields stored. Whatever follows the third number is not looked at.
int ScanThreeDecimals(std::string_view text, std::string_view sep1, std::string_view sep2,
                      int& a, int& b, int& c);

}  // namespace kalendo
