#include "platform/text_codec.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <array>
#include <string>
#include <vector>

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

// A code point as UTF-8, encoded here by hand: a second encoder.
std::string Utf8Of(char32_t c) {
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    const int n = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    std::string s(static_cast<std::size_t>(n), '\0');
    for (int i = n - 1; i > 0; --i, c >>= 6) s[i] = static_cast<char>(0x80 | (c & 0x3F));
    s[0] = static_cast<char>((0xF00 >> n) | c);  // C0, E0 or F0 and the top bits
    return s;
}

struct ExactCase {
    const char* utf8;
    const char* cp932;  // what is stored when nothing is listed
    std::vector<std::array<int, 3>> unheld;  // code point (kNotUtf8), line, column
    const char* why;
};

// What the dialogs and the UTF-8 definition files store: combining
// sequences composed, everything code page 932 holds as iconv maps it, the
// rest listed where it stands.
const ExactCase kExactCases[] = {
    {"か\u3099は\u309Aウ\u3099", "\x82\xAA\x82\xCF\x83\x94", {}, "が, ぱ and ヴ composed"},
    {"\u0435\u0308", "\x84\x76", {}, "Cyrillic е + diaeresis is ё"},
    {"か\u309Bｶﾞ\u212B", "\x82\xA9\x81\x4A\xB6\xDE\x81\xF0", {}, "spacing marks, half-width kana, Å U+212B stay"},
    {"\uFA19", "\xFB\x7E", {}, "神 U+FA19 stays itself, not NFC's U+795E"},
    {"\u301C\uFF5E\u2212\uFF0D\u00A5\\~", "\x81\x60\x81\x60\x81\x7C\x81\x7C\x5C\x5C\x7E",
     {}, "the wave dash, tildes, minus signs, yen sign and backslash as iconv maps them"},
    {"誕生日\U0001F382\U00020BB7", "", {{0x1F382, 1, 4}, {0x20BB7, 1, 5}}, "an emoji and 𠮷"},
    {"Cafe\u0301", "", {{0xE9, 1, 4}}, "e + acute composes to é, which CP932 lacks"},
    {"か\u3099\u3099", "", {{0x3099, 1, 2}}, "a second voiced mark joins nothing"},
    {"\uFA19\u3099", "", {{0x3099, 1, 2}}, "a mark after 神 U+FA19 leaves it as typed"},
    {"一\r\n二\U0001F382\r三\n\U0001F382", "", {{0x1F382, 2, 2}, {0x1F382, 4, 1}},
     "lines end at CR LF, CR and LF"},
    {"a\xE6\x97", "", {{kNotUtf8, 1, 2}}, "a cut sequence is no UTF-8"},
};

TEST(ExactCp932, ComposesCombiningSequencesAndListsWhatCp932CannotHold) {
    for (const ExactCase& c : kExactCases) {
        SCOPED_TRACE(c.why);
        const ExactCp932 got = Cp932FromUtf8Exact(c.utf8);
        std::vector<std::array<int, 3>> unheld;
        for (const UnheldCharacter& u : got.unheld) {
            unheld.push_back({u.codePoint, u.line, u.column});
            EXPECT_TRUE(u.codePoint == kNotUtf8 ||
                        u.utf8 == Utf8Of(static_cast<char32_t>(u.codePoint)));
        }
        EXPECT_EQ(unheld, c.unheld);
        EXPECT_EQ(got.Held() ? got.cp932 : "", c.cp932);
    }
}

// Composition alone changes no text that is a single character: NFC would
// change about a thousand (the CJK compatibility ideographs among them).
TEST(ExactCp932, NoSingleCharacterIsChangedByComposition) {
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const std::string one = Utf8Of(c);
        ASSERT_EQ(ComposeCombiningSequences(one), one) << "U+" << std::hex << std::uint32_t{c};
    }
}

// Every character code page 932 holds (each code iconv decodes, one or two
// bytes), all in one text, each beside the next, is stored exactly as iconv
// maps it: composition never touches what an input method types.
TEST(ExactCp932, EveryCharacterCp932HoldsIsStoredAsIconvMapsIt) {
    std::string utf8;
    for (int code = 0x01; code <= 0xFCFC; code += code == 0xFF ? 0x8100 - 0xFF : 1) {
        const char bytes[] = {static_cast<char>(code >> 8), static_cast<char>(code)};
        const bool one = code < 0x100;
        utf8 += Utf8FromCp932Exact(std::string_view(bytes + one, 2 - one)).value_or("");
    }
    const ExactCp932 exact = Cp932FromUtf8Exact(utf8);
    EXPECT_GT(utf8.size(), 9000u * 3) << "JIS X 0208, the NEC and IBM rows, the user area";
    EXPECT_TRUE(exact.Held());
    EXPECT_EQ(exact.cp932, Cp932FromUtf8(utf8));
    EXPECT_EQ(ComposeCombiningSequences(utf8), utf8);
}

// Texts are put together from each character's kept conversion. Every code
// of one or two bytes, between ASCII, converts as iconv converts the whole
// text (a fresh handle here), the first time and from what was kept; one
// iconv refuses gives the replacement character, as a text of it does.
TEST(TextCodec, CharacterByCharacterIsWhatIconvGivesTheWholeText) {
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (int code = 0x80; code <= 0xFCFF; code += code == 0xFF ? 0x8100 - 0xFF : 1) {
        const bool one = code < 0x100;
        const char pair[] = {static_cast<char>(code >> 8), static_cast<char>(code)};
        std::string text = "a";
        text.append(pair + one, 2 - one);
        text += 'z';
        std::string whole(16, '\0');
        char* src = const_cast<char*>(text.data());
        char* dst = whole.data();
        size_t srcLeft = text.size(), dstLeft = whole.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool converted = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1);
        whole.resize(static_cast<std::size_t>(dst - whole.data()));
        for (int pass = 0; pass < 2; ++pass) {
            const std::string got = Utf8FromCp932(text);
            if (converted) {
                ASSERT_EQ(got, whole) << std::hex << code;
            } else {
                ASSERT_NE(got.find("\xEF\xBF\xBD"), std::string::npos) << std::hex << code;
            }
        }
    }
    iconv_close(cd);
}

}  // namespace
}  // namespace kalendo
