#include "core/cp932.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "core/month_record.h"

namespace kalendo {
namespace {

TEST(Cp932FitLength, NeverSplitsACharacter) {
    // "日本" in CP932 is 93 FA 96 7B; the trail byte 0x7B is ASCII-looking.
    const char text[] = "A\x93\xFA\x96\x7B";
    EXPECT_EQ(Cp932FitLength(text, 5, 5), 5u);
    EXPECT_EQ(Cp932FitLength(text, 5, 4), 3u);
    EXPECT_EQ(Cp932FitLength(text, 5, 2), 1u);
    EXPECT_EQ(Cp932FitLength(text, 5, 1), 1u);
    // A lead byte that ends the text counts as one byte.
    EXPECT_EQ(Cp932FitLength("AB\x93", 3, 2), 2u);
}

TEST(CopyText, CutsAtACharacterBoundary) {
    static char field[kTextBytes];
    std::string longText(1022, 'a');
    longText += "\x93\xFA";  // 1024 bytes: the two-byte character does not fit
    CopyText(field, longText.c_str());
    EXPECT_EQ(std::strlen(field), 1022u);
    std::string fits(1021, 'a');
    fits += "\x93\xFA";
    CopyText(field, fits.c_str());
    EXPECT_EQ(std::strlen(field), 1023u);
}

TEST(WithoutUtf8ByteOrderMark, SkipsOneMarkAtTheStartOnly) {
    struct BomCase { std::string_view bytes, want; const char* why; };
    const BomCase cases[] = {
        {"\xEF\xBB\xBF;x\n", ";x\n", "the mark before the first line"},
        {"\xEF\xBB\xBF", "", "nothing but the mark"},
        {"\xEF\xBB\xBF\xEF\xBB\xBF", "\xEF\xBB\xBF", "one mark only"},
        {"a\xEF\xBB\xBF", "a\xEF\xBB\xBF", "not at the start"},
        {"\xEF\xBB", "\xEF\xBB", "part of a mark"},
        {"", "", "an empty file"},
    };
    for (const BomCase& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(WithoutUtf8ByteOrderMark(c.bytes), c.want);
    }
}

}  // namespace
}  // namespace kalendo
