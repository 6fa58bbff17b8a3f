#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace kalendo {
namespace {

struct CodecCase { const char* utf8; const char* cp932; const char* why; };
constexpr CodecCase kCases[] = {
    {"日本", "\x93\xFA\x96\x7B", "plain kanji"},
    {"KalendoⅡ", "Kalendo\x87\x55", "Roman numeral two exists only in CP932"},
    {"表", "\x95\x5C", "trail byte 0x5C (backslash) survives"},
    {"～", "\x81\x60", "full-width tilde"},
    {"abc", "abc", "ASCII"},
};

TEST(TextCodec, RoundTrips) {
    for (const CodecCase& c : kCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Cp932FromUtf8(c.utf8), c.cp932);
        EXPECT_EQ(Utf8FromCp932(c.cp932), c.utf8);
    }
}

TEST(TextCodec, UndecodableByteBecomesReplacementCharacter) {
    EXPECT_EQ(Utf8FromCp932("a\xA0" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(Utf8FromCp932("a\x93"), "a\xEF\xBF\xBD") << "lead byte cut by the end";
}

TEST(TextCodec, UnencodableCharacterBecomesQuestionMark) {
    EXPECT_EQ(Cp932FromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b");  // emoji
}

}  // namespace
}  // namespace kalendo
