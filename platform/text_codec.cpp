#include "platform/text_codec.h"

#include <iconv.h>

#include <cerrno>

namespace kalendo {
namespace {

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

// Converts with iconv, replacing what cannot be converted: on EILSEQ or
// EINVAL one input character (one byte of CP932, one sequence of UTF-8) is
// skipped and `replacement` written.
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, bool fromUtf8) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[256];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, dst - buf);
        if (r != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL (a lead byte cut by the end): skip one byte.
        out.append(replacement);
        const size_t skip = fromUtf8 ? Utf8SequenceLength(src, srcLeft) : 1;
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf, dst - buf);
    iconv_close(cd);
    return out;
}

}  // namespace

std::string Utf8FromCp932(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", false);
}

std::string Cp932FromUtf8(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8, "?", true);
}

}  // namespace kalendo
