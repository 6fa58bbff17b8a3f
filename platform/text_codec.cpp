#include "platform/text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace kalendo {
namespace {

const iconv_t kNotOpen = reinterpret_cast<iconv_t>(-1);

// One direction of the converter. iconv's handles carry a conversion
// state, which every conversion resets; the program has one thread.
struct Direction {
    const char* to;
    const char* from;
    iconv_t cd = kNotOpen;
};

Direction g_toUtf8{"UTF-8", "CP932"};
Direction g_toCp932{"CP932", "UTF-8"};

// Empty when open; else the line OpenTextCodec returns.
std::string Open(Direction& d) {
    if (d.cd != kNotOpen) return "";
    d.cd = iconv_open(d.to, d.from);
    if (d.cd != kNotOpen) return "";
    const int error = errno;
    std::string line = "the iconv converter from \"";
    line += d.from;
    line += "\" to \"";
    line += d.to;
    line += "\" cannot be opened: ";
    // strerror in the C locale is ASCII; the program never sets
    // LC_MESSAGES.
    line += std::strerror(error);
    return line;
}

iconv_t OpenOrExit(Direction& d) {
    if (d.cd == kNotOpen) {
        const std::string error = Open(d);
        if (!error.empty()) {
            std::fflush(stdout);
            std::fprintf(stderr, "%s\n", error.c_str());
            std::_Exit(kFatalExitStatus);
        }
    }
    return d.cd;
}

// Bytes of the UTF-8 sequence that starts at s (1 for a stray byte), so an
// unencodable character is replaced once, not once per byte.
size_t Utf8SequenceLength(const char* s, size_t left) {
    const unsigned char c = static_cast<unsigned char>(s[0]);
    size_t n = c >= 0xF0 && c <= 0xF7 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (n > left) return 1;
    for (size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
    }
    return n;
}

// Appends the conversion of `in` to `out`, replacing what cannot be
// converted: on EILSEQ or EINVAL one input character (one byte of CP932,
// one sequence of UTF-8) is skipped and `replacement` written.
void Convert(Direction& d, std::string_view in, std::string_view replacement, bool fromUtf8,
             std::string& out) {
    const iconv_t cd = OpenOrExit(d);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::size_t used = out.size();
    // CP932 to UTF-8 grows a character at most threefold (a half-width
    // katakana byte, or a replaced byte); the other way it never grows.
    out.resize(used + in.size() * 3 + 8);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        char* dst = out.data() + used;
        size_t dstLeft = out.size() - used;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        used = static_cast<std::size_t>(dst - out.data());
        if (r != static_cast<size_t>(-1)) break;
        if (error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL (a lead byte cut by the end): skip one character.
        if (out.size() - used < replacement.size()) out.resize(out.size() * 2);
        std::memcpy(out.data() + used, replacement.data(), replacement.size());
        used += replacement.size();
        const size_t skip = fromUtf8 ? Utf8SequenceLength(src, srcLeft) : 1;
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    // The end of a stateful encoding's text; nothing for these two.
    char* dst = out.data() + used;
    size_t dstLeft = out.size() - used;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.resize(static_cast<std::size_t>(dst - out.data()));
}

}  // namespace

std::string OpenTextCodec() {
    std::string error = Open(g_toUtf8);
    if (error.empty()) error = Open(g_toCp932);
    return error;
}

void AppendUtf8FromCp932(std::string& out, std::string_view cp932) {
    // Below 0x80 code page 932 is ASCII, byte for byte, and so is UTF-8:
    // a text of such bytes alone (the grid's day numbers, a date) is its own
    // conversion and needs no call into the converter.
    const bool ascii = std::all_of(cp932.begin(), cp932.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        OpenOrExit(g_toUtf8);
        out.append(cp932);
        return;
    }
    Convert(g_toUtf8, cp932, "\xEF\xBF\xBD", false, out);
}

std::string Utf8FromCp932(std::string_view cp932) {
    std::string out;
    AppendUtf8FromCp932(out, cp932);
    return out;
}

std::string Cp932FromUtf8(std::string_view utf8) {
    std::string out;
    Convert(g_toCp932, utf8, "?", true, out);
    return out;
}

}  // namespace kalendo
