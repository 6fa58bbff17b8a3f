#include "platform/text_codec.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

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

// The converters are opened once and shared by every conversion: what one
// conversion leaves behind (a lead byte cut by the end of its text) must
// not reach the next.
TEST(TextCodec, ConversionsDoNotShareState) {
    EXPECT_EQ(OpenTextCodec(), "");
    EXPECT_EQ(OpenTextCodec(), "") << "opening again is harmless";
    const std::string together = Utf8FromCp932("\x93\x41");  // one kanji
    ASSERT_EQ(together.size(), 3u);
    EXPECT_EQ(Utf8FromCp932("\x93"), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8FromCp932("\x41"), "A") << "not the trail byte of the text before";
    EXPECT_EQ(Cp932FromUtf8("\xE6\x97"), "??") << "a cut UTF-8 sequence, byte by byte";
    EXPECT_EQ(Cp932FromUtf8("\x97"), "?");
    EXPECT_EQ(Cp932FromUtf8("\xA5"), "?");
    EXPECT_EQ(Utf8FromCp932("\x93\x41"), together);
}

// Texts longer than any buffer guess, with the largest growth there is:
// each half-width katakana byte and each undecodable byte becomes three
// bytes of UTF-8.
TEST(TextCodec, LongTextsConvertWhole) {
    struct Case { std::string cp932; std::string utf8Unit; const char* why; };
    const Case cases[] = {
        {std::string(20000, '\xB1'), "\xEF\xBD\xB1", "half-width katakana A"},
        {std::string(20000, '\xA0'), "\xEF\xBF\xBD", "undecodable bytes"},
        {std::string(20000, 'x'), "x", "ASCII"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string utf8 = Utf8FromCp932(c.cp932);
        ASSERT_EQ(utf8.size(), c.cp932.size() * c.utf8Unit.size());
        for (std::size_t i = 0; i < utf8.size(); i += c.utf8Unit.size()) {
            ASSERT_EQ(utf8.compare(i, c.utf8Unit.size(), c.utf8Unit), 0) << "at " << i;
        }
    }
    std::string kanji;
    for (int i = 0; i < 5000; ++i) kanji += "\x93\xFA\x96\x7B";
    EXPECT_EQ(Cp932FromUtf8(Utf8FromCp932(kanji)), kanji);
}

TEST(TextCodec, AppendKeepsWhatIsThere) {
    std::string out = "\"";
    AppendUtf8FromCp932(out, "\x93\xFA");
    AppendUtf8FromCp932(out, "");
    AppendUtf8FromCp932(out, "\x96\x7B");
    EXPECT_EQ(out, "\"日本");
}

// ASCII texts are copied without the converter; that holds only while the
// converter itself maps every byte below 0x80 to the same byte (the
// Shift_JIS tables of other systems make 0x5C a yen sign, 0x7E an overline).
TEST(TextCodec, AsciiIsItsOwnConversion) {
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (int c = 0; c < 0x80; ++c) {
        char in = static_cast<char>(c);
        char outBuf[8] = {};
        char* src = &in;
        char* dst = outBuf;
        size_t srcLeft = 1, dstLeft = sizeof outBuf;
        ASSERT_NE(iconv(cd, &src, &srcLeft, &dst, &dstLeft), static_cast<size_t>(-1)) << c;
        EXPECT_EQ(std::string(outBuf, dst), std::string(1, in)) << "byte " << c;
        EXPECT_EQ(Utf8FromCp932(std::string(1, in)), std::string(1, in)) << "byte " << c;
    }
    iconv_close(cd);
    EXPECT_EQ(Utf8FromCp932("28 \\ ~"), "28 \\ ~");
    EXPECT_EQ(Utf8FromCp932(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(Utf8FromCp932("12\x93\xFA"), "12日") << "ASCII before a kanji still converts";
}

}  // namespace
}  // namespace kalendo
