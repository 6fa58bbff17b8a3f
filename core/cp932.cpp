#include "core/cp932.h"

namespace kalendo {

std::size_t Cp932FitLength(const char* s, std::size_t len, std::size_t maxBytes) {
    if (len <= maxBytes) return len;
    // Walk characters from the start: a trail byte can look like a lead byte,
    // so only a forward walk knows where characters begin.
    std::size_t i = 0;
    while (i < maxBytes) {
        const std::size_t width =
            (IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < len) ? 2 : 1;
        if (i + width > maxBytes) break;
        i += width;
    }
    return i;
}

std::string_view WithoutUtf8ByteOrderMark(std::string_view fileBytes) {
    constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
    if (fileBytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
        fileBytes.remove_prefix(kUtf8ByteOrderMark.size());
    }
    return fileBytes;
}

}  // namespace kalendo
