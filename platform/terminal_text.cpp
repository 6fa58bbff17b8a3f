#include "platform/terminal_text.h"

#include <cstdio>

namespace kalendo {
namespace {

void AppendEscaped(std::string& out, unsigned code) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[(code >> 4) & 0xF];
    out += kHex[code & 0xF];
}

// The length of the well-formed UTF-8 sequence at s[i] (shortest form, no
// surrogates, at most U+10FFFF), 0 when there is none.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    std::size_t n;
    unsigned low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < n; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return n;
}

}  // namespace

std::string TerminalSafe(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x20 || b == 0x7F) {
            AppendEscaped(out, b);
            ++i;
            continue;
        }
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        const std::size_t n = SequenceLength(utf8, i);
        if (n == 0) {
            AppendEscaped(out, b);
            ++i;
        } else if (n == 2 && b == 0xC2 && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            AppendEscaped(out, static_cast<unsigned char>(utf8[i + 1]));  // C1: U+0080-U+009F
            i += 2;
        } else {
            out.append(utf8, i, n);
            i += n;
        }
    }
    return out;
}

void PrintTerminalLine(std::string_view utf8) {
    const std::string line = TerminalSafe(utf8) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace kalendo
