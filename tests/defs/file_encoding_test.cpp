// Definition files in UTF-8: which bytes are read as UTF-8, what the
// readers are handed, the message that names a character code page 932
// cannot hold, and the bytes the schedule file is written back in.
#include "defs/file_encoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/file_io.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

const std::string kBom = "\xEF\xBB\xBF";

// A literal's bytes, a NUL among them.
template <std::size_t N>
std::string WithNul(const char (&bytes)[N]) {
    return std::string(bytes, N - 1);
}

struct TextCase {
    std::string bytes;
    FileEncoding encoding;
    std::string text;     // what the readers are handed, when accepted
    std::string message;  // the problem's message, UTF-8; "" when accepted
    const char* why;
};

// Which files are UTF-8, what the readers get of them, and the message that
// names what CP932 cannot hold.
TEST(ToDefinitionText, Utf8BecomesCp932AndWhatCannotBeHeldIsNamed) {
    const std::string cp932 = Cp932FromUtf8("元日 ｶﾞｲﾄﾞ 1/1\n");
    const std::string mixed = "元日 1/1\n" + Cp932FromUtf8("成人の日");
    const std::string noUtf8 = "\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xEF\xBB";
    const TextCase kCases[] = {
        {kBom + "憲法記念日 5/3\r\n", FileEncoding::Utf8WithByteOrderMark,
         Cp932FromUtf8("憲法記念日 5/3\r\n"), "", "the mark, dropped"},
        {"か\u3099 1/1\n", FileEncoding::Utf8, Cp932FromUtf8("が 1/1\n"), "",
         "well-formed with a multi-byte sequence; composed"},
        {"Sun 1/1\n", FileEncoding::Cp932, "Sun 1/1\n", "", "ASCII alone reads the same either way"},
        {cp932, FileEncoding::Cp932, cp932, "", "Japanese in CP932, byte for byte"},
        {mixed, FileEncoding::Cp932, mixed, "", "UTF-8 and CP932 mixed"},
        {noUtf8, FileEncoding::Cp932, noUtf8, "",
         "overlong, a surrogate, above U+10FFFF, a cut mark: no UTF-8"},
        {"x 1/1\n\n誕生日\U0001F382 7/7\n", FileEncoding::Utf8, "",
         "定義ファイル 祝日.Def の 3 行目 4 文字目の文字「\U0001F382」（U+1F382）はシフトJIS"
         "（コードページ932）で表せません. 別の文字に置き換えてください",
         "the first character CP932 cannot hold, with its line and column"},
        {kBom + "ab\r\n\xE6\x86 1/1", FileEncoding::Utf8WithByteOrderMark, "",
         "定義ファイル 祝日.Def の 2 行目 1 文字目のバイト 0xE6 0x86 は UTF-8 として読めません"
         "（UTF-8 のバイト順マークで始まるファイルです）",
         "a marked file that is no UTF-8"},
    };
    for (const TextCase& c : kCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(DefinitionFileEncoding(c.bytes), c.encoding);
        std::string bytes = c.bytes;
        const auto problem = ToDefinitionText(bytes, Cp932FromUtf8("祝日.Def").c_str());
        EXPECT_EQ(problem ? problem->messageUtf8 : "", c.message);
        EXPECT_EQ(bytes, c.message.empty() ? c.text : c.bytes) << "refused: left as it was";
    }
}

// Files that are UTF-8 all but a few bytes, and CP932 files that happen to
// be well-formed UTF-8: the counting rule of file_encoding.h, and a NUL
// byte anywhere.
TEST(ToDefinitionText, MostlyUtf8IsRefusedAndKatakanaPairsAreCp932) {
    const std::string miss = "\xD0\xBD";  // ﾐｽ in CP932, 「н」 in UTF-8
    const std::string unmarked = "（ほかは UTF-8 で書かれたファイルです）";
    const TextCase kCases[] = {
        {"元日 1/1\n成人の日 1/Mon2 ; caf\xE9\n", FileEncoding::Utf8, "",
         std::string("定義ファイル 祝日.Def の 2 行目 18 文字目のバイト 0xE9 は UTF-8 として読めません").append(unmarked),
         "a stray Latin-1 byte in a comment"},
        {"元日 1/1\n成人の日 1/Mon2\n\xC0\xAF 2/2\n", FileEncoding::Utf8, "",
         std::string("定義ファイル 祝日.Def の 3 行目 1 文字目のバイト 0xC0 は UTF-8 として読めません")
             .append(unmarked),
         "an overlong '/'"},
        {"憲法記念日 5/3\rx\xED\xA0\x80 1/1", FileEncoding::Utf8, "",
         std::string("定義ファイル 祝日.Def の 2 行目 2 文字目のバイト 0xED は UTF-8 として読めません")
             .append(unmarked),
         "an encoded surrogate after a lone CR"},
        {std::string(miss).append(" 1/1\n"), FileEncoding::Cp932, std::string(miss).append(" 1/1\n"), "", "ﾐｽ: half-width katakana"},
        {"\xC3\x84 1/1\n", FileEncoding::Utf8, "",
         "定義ファイル 祝日.Def の 1 行目 1 文字目の文字「Ä」（U+00C4）はシフトJIS"
         "（コードページ932）で表せません. 別の文字に置き換えてください",
         "a pair whose second byte is no katakana: UTF-8"},
        {";-*- coding: CP932-dos -*-\r\n\xE3\x81\x82 1/1\n", FileEncoding::Cp932,
         ";-*- coding: CP932-dos -*-\r\n\xE3\x81\x82 1/1\n", "", "the coding line of Emacs names CP932"},
        {"; coding: utf-8\n\xE3\x81\x82 1/1\n", FileEncoding::Utf8, Cp932FromUtf8("; coding: utf-8\nあ 1/1\n"),
         "", "a coding line that names no CP932 leaves the rule to decide"},
        {"x\n; coding: sjis\n\xE3\x81\x82 1/1\n", FileEncoding::Utf8,
         Cp932FromUtf8("x\n; coding: sjis\nあ 1/1\n"), "", "only on the first line"},
        {WithNul("a 1/1\n\r\nb\0c\n"), FileEncoding::Cp932, "",
         "定義ファイル 祝日.Def の 3 行目 2 バイト目に NUL バイト（0x00）があります",
         "a NUL byte, in any encoding"},
    };
    for (const TextCase& c : kCases) {
        SCOPED_TRACE(c.why);
        if (c.bytes.find('\0') == std::string::npos) {
            EXPECT_EQ(DefinitionFileEncoding(c.bytes), c.encoding);
        }
        std::string bytes = c.bytes;
        const auto problem = ToDefinitionText(bytes, Cp932FromUtf8("祝日.Def").c_str());
        const std::string message =
            !problem ? "" : problem->message.empty() ? problem->messageUtf8
                                                     : Utf8FromCp932(problem->message);
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(bytes, c.message.empty() ? c.text : c.bytes) << "refused: left as it was";
    }
}

// The shipped files are kept as UTF-8 and converted at build time: read as a
// user's UTF-8 file, with the mark and without, each source gives the very
// bytes that ship, and those written back as UTF-8 give the source again.
TEST(ToDefinitionText, EveryShippedSourceReadsAsTheShippedFile) {
    const char* bin = std::getenv("K2_BIN_DIR");
    const char* testData = std::getenv("K2_TEST_DATA");
    ASSERT_TRUE(bin != nullptr && testData != nullptr) << "run under ctest";
    for (const char* name : {"元号.Def", "祝日.Def", "暦日.Def", "Usr.Def", "Schedule.Def"}) {
        SCOPED_TRACE(name);
        const auto source = ReadWholeFile(std::string(testData) + "/../../data/" + name);
        const auto shipped = ReadWholeFile(std::string(bin) + "/" + name);
        ASSERT_TRUE(source && shipped);
        EXPECT_EQ(DefinitionFileEncoding(*shipped), FileEncoding::Cp932);
        for (const auto encoding : {FileEncoding::Utf8, FileEncoding::Utf8WithByteOrderMark}) {
            const std::string utf8 = (encoding == FileEncoding::Utf8 ? "" : kBom) + *source;
            std::string bytes = utf8;
            ASSERT_FALSE(ToDefinitionText(bytes, "x").has_value());
            EXPECT_EQ(bytes, *shipped);
            EXPECT_EQ(DefinitionFileBytes(bytes, encoding), utf8);
        }
    }
    EXPECT_EQ(DefinitionFileBytes("a\xA0", FileEncoding::Utf8), std::nullopt)
        << "a byte that is no character is not replaced";
}

// Each shipped source (UTF-8) with a stray Latin-1 byte put at the start of
// any line is refused naming that line.
TEST(DefinitionFileEncoding, StrayBytesEverywhere) {
    const char* testData = std::getenv("K2_TEST_DATA");
    ASSERT_NE(testData, nullptr) << "run under ctest";
    int refused = 0;
    for (const char* name : {"元号.Def", "祝日.Def", "暦日.Def"}) {
        SCOPED_TRACE(name);
        const auto source = ReadWholeFile(std::string(testData) + "/../../data/" + name);
        ASSERT_TRUE(source.has_value());
        int line = 1;
        for (std::size_t at = 0; at < source->size(); at = source->find('\n', at) + 1, ++line) {
            std::string bytes = source->substr(0, at);
            bytes += '\xE9';
            bytes.append(*source, at);
            const auto problem = ToDefinitionText(bytes, "x");
            ASSERT_TRUE(problem.has_value()) << line;
            const std::string where =
                std::string(" の ").append(std::to_string(line)).append(" 行目 1 文字目のバイト 0xE9 ");
            EXPECT_NE(problem->messageUtf8.find(where), std::string::npos) << problem->messageUtf8;
            ++refused;
            if (source->find('\n', at) == std::string::npos) break;
        }
    }
    EXPECT_GT(refused, 300);
}

}  // namespace
}  // namespace kalendo
