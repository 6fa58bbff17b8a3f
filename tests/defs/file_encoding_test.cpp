// Definition files in UTF-8: which bytes are read as UTF-8, what the
// readers are handed, the messages that name a character code page 932
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

struct EncodingCase { std::string bytes; FileEncoding encoding; const char* why; };

TEST(DefinitionFileEncoding, Utf8WhenMarkedOrBeyondDoubt) {
    const EncodingCase kCases[] = {
        {kBom + "元日 1/1\n", FileEncoding::Utf8WithByteOrderMark, "the mark"},
        {kBom + "a\xA0\n", FileEncoding::Utf8WithByteOrderMark, "the mark, whatever follows"},
        {kBom, FileEncoding::Utf8WithByteOrderMark, "the mark alone"},
        {"元日 1/1\n", FileEncoding::Utf8, "well-formed with a multi-byte sequence"},
        {"Sun 1/1\n", FileEncoding::Cp932, "ASCII alone reads the same either way"},
        {"", FileEncoding::Cp932, "empty"},
        {Cp932FromUtf8("元日 1/1\n"), FileEncoding::Cp932, "Japanese in CP932"},
        {Cp932FromUtf8("ｶﾞｲﾄﾞ 1/1\n"), FileEncoding::Cp932, "half-width katakana in CP932"},
        {"元日 1/1\n" + Cp932FromUtf8("成人の日"), FileEncoding::Cp932, "UTF-8 and CP932 mixed"},
        {"\xEF\xBB", FileEncoding::Cp932, "a cut mark is no mark"},
    };
    for (const EncodingCase& c : kCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(DefinitionFileEncoding(c.bytes), c.encoding);
    }
}

struct TextCase {
    std::string bytes;
    std::string text;     // what the readers are handed (UTF-8 of it), when accepted
    std::string message;  // the problem's message, UTF-8; "" when accepted
    const char* why;
};

TEST(ToDefinitionText, Utf8BecomesCp932AndWhatCannotBeHeldIsNamed) {
    const TextCase kCases[] = {
        {kBom + "憲法記念日 5/3\r\n", "憲法記念日 5/3\r\n", "", "the mark is dropped"},
        {"憲法記念日 5/3\n", "憲法記念日 5/3\n", "", "without the mark"},
        {"か\u3099 1/1\n", "が 1/1\n", "", "combining sequences composed"},
        {"x 1/1\n\n誕生日\U0001F382 7/7\n", "",
         "定義ファイル 祝日.Def の 3 行目 4 文字目の文字「\U0001F382」（U+1F382）はシフトJIS"
         "（コードページ932）で表せません. 別の文字に置き換えてください",
         "the first character that CP932 cannot hold, with its line and column"},
        {kBom + "ab\r\n\xE6\x86 1/1", "",
         "定義ファイル 祝日.Def の 2 行目 1 文字目のバイト 0xE6 0x86 は UTF-8 として読めません"
         "（UTF-8 のバイト順マークで始まるファイルです）",
         "a marked file that is no UTF-8"},
    };
    for (const TextCase& c : kCases) {
        SCOPED_TRACE(c.why);
        std::string bytes = c.bytes;
        const auto problem = ToDefinitionText(bytes, Cp932FromUtf8("祝日.Def").c_str());
        if (c.message.empty()) {
            ASSERT_FALSE(problem.has_value()) << problem->messageUtf8;
            EXPECT_EQ(bytes, Cp932FromUtf8(c.text));
        } else {
            ASSERT_TRUE(problem.has_value());
            EXPECT_EQ(problem->messageUtf8, c.message);
            EXPECT_TRUE(problem->message.empty());
            EXPECT_EQ(bytes, c.bytes) << "left as it was";
        }
    }
}

TEST(ToDefinitionText, Cp932FilesAreHandedOverByteForByte) {
    for (const std::string& cp932 :
         {Cp932FromUtf8("元日 1/1\n表示 2/2\n"), std::string("a\xA0\x93\n"), std::string()}) {
        std::string bytes = cp932;
        EXPECT_FALSE(ToDefinitionText(bytes, "x").has_value());
        EXPECT_EQ(bytes, cp932);
    }
}

// The shipped files are kept as UTF-8 and converted at build time: read as a
// user's UTF-8 file, each source gives the very bytes that ship.
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
        for (const std::string& prefix : {std::string(), kBom}) {
            std::string bytes = prefix + *source;
            ASSERT_FALSE(ToDefinitionText(bytes, "x").has_value());
            EXPECT_EQ(bytes, *shipped);
        }
    }
}

struct BytesCase {
    FileEncoding encoding;
    std::optional<std::string> bytes;
    const char* why;
};

TEST(DefinitionFileBytes, WrittenInTheEncodingTheFileHas) {
    const std::string cp932 = Cp932FromUtf8(";\tKalendoⅡ\n会議 2030/01/02\t1\n");
    const BytesCase kCases[] = {
        {FileEncoding::Cp932, cp932, "CP932 as it is"},
        {FileEncoding::Utf8, ";\tKalendoⅡ\n会議 2030/01/02\t1\n", "UTF-8"},
        {FileEncoding::Utf8WithByteOrderMark, kBom + ";\tKalendoⅡ\n会議 2030/01/02\t1\n",
         "UTF-8 with its mark"},
    };
    for (const BytesCase& c : kCases) {
        SCOPED_TRACE(c.why);
        const auto bytes = DefinitionFileBytes(cp932, c.encoding);
        EXPECT_EQ(bytes, c.bytes);
        // And read back, the same text.
        std::string back = bytes.value_or("");
        EXPECT_FALSE(ToDefinitionText(back, "x").has_value());
        EXPECT_EQ(back, cp932);
    }
    EXPECT_EQ(DefinitionFileBytes("a\xA0", FileEncoding::Utf8), std::nullopt)
        << "a byte that is no character is not replaced";
    EXPECT_EQ(DefinitionFileBytes("a\xA0", FileEncoding::Cp932), "a\xA0");
}

}  // namespace
}  // namespace kalendo
