// The era file as users may leave it: a line of double-byte characters far
// longer than a line may be, bytes that are no CP932, NUL bytes, a UTF-8
// byte-order mark, the whole file saved as UTF-8. It loads (whatever the
// bytes mean) or is refused with the reader's message; it never crashes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "almanac/era.h"
#include "core/cp932.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

std::vector<std::string> EraNames(const MonthRecord& rec) {
    std::vector<std::string> names;
    for (int i = 0; i <= rec.eraCount; ++i) names.emplace_back(EraName(rec, i));
    return names;
}

// 2000 bytes of double-byte characters: the line is split before the
// character that would straddle byte 1023, so the part read is whole
// characters; it holds no date, so the file is refused at line 1.
TEST(LoadEras, OverlongDoubleByteNameIsCutBetweenCharacters) {
    const std::string a = Cp932FromUtf8("あ");
    auto rec = std::make_unique<MonthRecord>();
    const auto problem = LoadEras(*rec, Repeat(a, 1000) + " 2000/01/02\n");
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(Utf8FromCp932(problem->message).find(" 1 行目"), std::string::npos);
    EXPECT_EQ(std::string(rec->tables.eraName[0]), Repeat(a, 511));
}

TEST(LoadEras, BadBytes) {
    struct BadCase {
        std::string file;
        std::vector<std::string> names;
        int lastYear;
        const char* why;
    };
    const std::string reiwa = Cp932FromUtf8("令和");
    const std::string bom = "\xEF\xBB\xBF";
    const BadCase cases[] = {
        {"\x80\xA0\xFD\xFF 2019/04/30\n", {"\x80\xA0\xFD\xFF"}, 2019, "bytes that are no CP932"},
        {reiwa + " 2019/04/30 \x82", {reiwa}, 2019, "a lone lead byte at the end of the file"},
        {"\x82 2019/04/30\n", {"\x82"}, 2019, "a lead byte before a blank is a name of its own"},
        {std::string("\0junk\nA 1990/01/01\n", 18), {"A"}, 1990,
         "a line that begins with NUL is empty"},
        {bom + reiwa + " 2019/04/30\n", {reiwa}, 2019, "a leading byte-order mark is skipped"},
        {"A 1990/01/01\n" + bom + "B 1980/01/01\n", {"A", bom + "B"}, 1980,
         "a mark inside the file is bytes of a name"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.why);
        auto rec = std::make_unique<MonthRecord>();
        const auto problem = LoadEras(*rec, c.file);
        ASSERT_FALSE(problem.has_value());
        EXPECT_EQ(EraNames(*rec), c.names);
        EXPECT_EQ(rec->tables.eraStartYear[rec->eraCount], c.lastYear);
    }

    // NUL ends the line's text: a name without a date.
    auto noDate = std::make_unique<MonthRecord>();
    EXPECT_TRUE(LoadEras(*noDate, std::string("A\0 1990/01/01\n", 14)).has_value());

    auto rec = std::make_unique<MonthRecord>();
    const auto problem = LoadEras(*rec, bom + "\n \n");
    ASSERT_TRUE(problem.has_value()) << "a mark and blank lines hold no entry";
    EXPECT_EQ(problem->message, EraFileUnreadableMessage());
}

// Saved as UTF-8, the file keeps its entries and dates; the names are the
// UTF-8 bytes, which the screen shows as other characters.
TEST(LoadEras, Utf8FileLoadsWithItsDates) {
    const char* data = std::getenv("K2_TEST_DATA");
    const std::string source = std::string(data ? data : "tests/data") + "/../../data/元号.Def";
    const auto utf8 = ReadWholeFile(source);
    ASSERT_TRUE(utf8.has_value()) << source;
    auto fromUtf8 = std::make_unique<MonthRecord>();
    auto fromCp932 = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadEras(*fromUtf8, *utf8).has_value());
    ASSERT_FALSE(LoadEras(*fromCp932, Cp932FromUtf8(*utf8)).has_value());
    ASSERT_EQ(fromUtf8->eraCount, fromCp932->eraCount);
    for (int i = 0; i <= fromUtf8->eraCount; ++i) {
        EXPECT_EQ(fromUtf8->tables.eraStartYear[i], fromCp932->tables.eraStartYear[i]);
        EXPECT_EQ(fromUtf8->tables.eraStartMonth[i], fromCp932->tables.eraStartMonth[i]);
        EXPECT_EQ(fromUtf8->tables.eraStartDay[i], fromCp932->tables.eraStartDay[i]);
    }
    EXPECT_STREQ(EraName(*fromUtf8, 0), "令和") << "the UTF-8 bytes as they are";
}

}  // namespace
}  // namespace kalendo
