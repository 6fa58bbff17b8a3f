// Byte-level facts about code page 932 text that the computations need.
#pragma once

#include <cstddef>

namespace kalendo {

// A lead byte starts a two-byte character (0x81-0x9F, 0xE0-0xFC).
inline bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of s[0, len) of at most maxBytes bytes that does not end
// between a lead byte and its trail byte.
std::size_t Cp932FitLength(const char* s, std::size_t len, std::size_t maxBytes);

}  // namespace kalendo
