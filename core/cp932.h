// Byte-level facts about code page 932 text that the computations need.
#pragma once

#include <cstddef>
#include <string_view>

namespace kalendo {

// A lead byte starts a two-byte character (0x81-0x9F, 0xE0-0xFC).
inline bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of s[0, len) of at most maxBytes bytes that does not end
// between a lead byte and its trail byte.
std::size_t Cp932FitLength(const char* s, std::size_t len, std::size_t maxBytes);

// A definition file's bytes without the UTF-8 byte-order mark (EF BB BF) that
// some editors put at the start of every file they save. The mark is never
// text of the file: as CP932 it would read as an unassigned character and a
// half-width katakana, glued to the first name or turning a first comment
// line into an entry. Other bytes are returned unchanged.
std::string_view WithoutUtf8ByteOrderMark(std::string_view fileBytes);

}  // namespace kalendo
