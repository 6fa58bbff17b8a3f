#include "platform/terminal_text.h"

#include <gtest/gtest.h>

#include <string>

namespace kalendo {
namespace {

TEST(TerminalSafe, ControlCharactersAreShownEscaped) {
    const struct {
        std::string in;
        std::string out;
        const char* why;
    } cases[] = {
        {"令和 2019", "令和 2019", "text stays as it is"},
        {"a\x1b[31mb", "a\\x1b[31mb", "ESC"},
        {std::string("\0\x01\x07\x08\t\n\r\x1f", 8), "\\x00\\x01\\x07\\x08\\x09\\x0a\\x0d\\x1f",
         "every C0 byte, line breaks included"},
        {"x\x7fy", "x\\x7fy", "DEL"},
        {"\xc2\x9b" "2J", "\\x9b2J", "C1 CSI as UTF-8"},
        {"\xc2\x80\xc2\x9f\xc2\xa0", "\\x80\\x9f\xc2\xa0", "C1 ends at U+009F; U+00A0 stays"},
        {"\x9b" "2J", "\\x9b2J", "a lone C1 byte"},
        {"\xe4\xbb", "\\xe4\\xbb", "a cut sequence"},
        {"\xc0\x9b", "\\xc0\\x9b", "an overlong form"},
        {"\xed\xa0\x80", "\\xed\\xa0\\x80", "a surrogate"},
        {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80", "beyond U+10FFFF"},
        {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80", "a four-byte character"},
        {"\\x1b", "\\x1b", "a backslash stays as it is"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(TerminalSafe(c.in), c.out);
    }
}

// Whatever the bytes, the result holds no control character a terminal
// would act on, and text without any comes back unchanged.
TEST(TerminalSafe, NoControlByteSurvives) {
    for (int b = 0; b < 256; ++b) {
        for (int c = 0; c < 256; c += 7) {
            const std::string in = {static_cast<char>(b), static_cast<char>(c)};
            const std::string out = TerminalSafe(in);
            for (std::size_t i = 0; i < out.size(); ++i) {
                const auto u = static_cast<unsigned char>(out[i]);
                ASSERT_FALSE(u < 0x20 || u == 0x7F) << b << " " << c;
                if (u == 0xC2 && i + 1 < out.size()) {
                    ASSERT_GE(static_cast<unsigned char>(out[i + 1]), 0xA0) << b << " " << c;
                }
                ASSERT_FALSE(u >= 0x80 && u <= 0x9F && (i == 0 || static_cast<unsigned char>(out[i - 1]) < 0xC2))
                    << "a lone C1 byte: " << b << " " << c;
            }
        }
    }
}

}  // namespace
}  // namespace kalendo
