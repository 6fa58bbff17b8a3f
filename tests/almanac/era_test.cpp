#include "almanac/era.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>

#include "core/compute_month.h"
#include "core/day_arith.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

std::string U(const char* cp932) { return Utf8FromCp932(cp932); }

std::unique_ptr<MonthRecord> Loaded(const std::string& utf8) {
    auto rec = std::make_unique<MonthRecord>();
    const auto problem = LoadEras(*rec, Cp932FromUtf8(utf8));
    EXPECT_FALSE(problem.has_value()) << (problem ? U(problem->message.c_str()) : "");
    return rec;
}

constexpr char kThreeEras[] =
    "昭和 1926/12/24\n"
    "大正 1912/07/29\n"
    "明治 1868/10/22\n";

struct EraCase { int y, m, d; const char* era; int eraYear; const char* why; };
constexpr EraCase kEraCases[] = {
    {1926, 12, 24, "大正", 15, "the entry's own date belongs to the older era"},
    {1926, 12, 25, "昭和", 1, "the day after the entry's date is year 1"},
    {1926, 12, 31, "昭和", 1, "the rest of the calendar year is year 1"},
    {1927, 1, 1, "昭和", 2, "the era year changes on 1 January"},
    {1926, 7, 31, "大正", 15, "earlier in the year of the newer entry: the older era"},
    {1912, 7, 29, "明治", 45, "大正's own date is still 明治"},
    {1912, 7, 30, "大正", 1, "first day of 大正"},
    {1912, 8, 1, "大正", 1, "a later month, day before the entry's day"},
    {2030, 5, 1, "昭和", 105, "after the newest entry: the newest era"},
    {1868, 10, 23, "明治", 1, "the day after the oldest entry"},
    {1868, 10, 22, "明治", 1, "not later than any entry: the oldest era"},
    {1800, 1, 1, "明治", -67, "long before the oldest entry: still the oldest, counted from its year"},
};

TEST(EraIndex, Boundaries) {
    auto rec = Loaded(kThreeEras);
    ASSERT_EQ(rec->eraCount, 2);
    for (const EraCase& c : kEraCases) {
        SCOPED_TRACE(c.why);
        const int i = EraIndex(*rec, c.y, c.m, c.d);
        EXPECT_EQ(U(EraName(*rec, i)), c.era);
        EXPECT_EQ(c.y - EraStartYear(*rec, i) + 1, c.eraYear);
    }
}

TEST(EraIndex, NoErasLoaded) {
    auto rec = std::make_unique<MonthRecord>();
    EXPECT_EQ(EraIndex(*rec, 2024, 6, 15), -1);
    EXPECT_STREQ(EraName(*rec, -1), "");
    EXPECT_STREQ(EraName(*rec, 0), "") << "slot 0 is not an entry before loading";
}

struct WesternCase { const char* name; int eraYear, western; const char* why; };
constexpr WesternCase kWesternCases[] = {
    {"昭和", 64, 1989, "the newest entry"},
    {"大正", 1, 1912, "era year 1 is the year of the entry's date"},
    {"明治", 1, 1868, "the last entry by name"},
    {"平成", 1, 1868, "an unknown name uses the last entry"},
    {"昭", 1, 1868, "a prefix is not the name"},
    {"", 10, 1877, "an empty name matches nothing"},
};

TEST(WesternYear, ByName) {
    auto rec = Loaded(kThreeEras);
    for (const WesternCase& c : kWesternCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(WesternYear(*rec, Cp932FromUtf8(c.name).c_str(), c.eraYear), c.western);
    }
}

// ---- loader -----------------------------------------------------------

struct LoadCase { const char* file; int eraCount; const char* lastName; int y, m, d; const char* why; };
const LoadCase kLoadCases[] = {
    {"A 2000/01/02\nB 1990/03/04\n", 1, "B", 1990, 3, 4, "LF"},
    {"A 2000/01/02\r\nB 1990/03/04\r\n", 1, "B", 1990, 3, 4, "CR LF"},
    {"A 2000/01/02\rB 1990/03/04\r", 1, "B", 1990, 3, 4, "a lone CR ends a line and eats nothing"},
    {"A 2000/01/02\nB 1990/03/04", 1, "B", 1990, 3, 4, "a last line without terminator"},
    {"\nA 2000/01/02\n\n  \t\nB 1990/03/04\n\r\n", 1, "B", 1990, 3, 4, "empty and blank lines skipped"},
    {"  A   2000/1/2  \n", 0, "A", 2000, 1, 2, "blanks around fields, one-digit month and day"},
    {"令和 2019/04/30\n", 0, "令和", 2019, 4, 30, "a CP932 name"},
    {"ＡＢ　Ｃ 2019/04/30\n", 0, "ＡＢ　Ｃ", 2019, 4, 30, "a full-width space is part of the name"},
    {"A 2000/01/02\nB\n", 1, "B", 7, 8, 9, "a name without a date keeps the slot's date"},
    {"A 2000/01/02\nB 1990-03-04\n", 1, "B", 1990, 8, 9, "a '-' stops the parse after the year"},
    {"A 2000/01/02\nB 12345/03/04\n", 1, "B", 1234, 8, 9, "at most 4 digits of year; the 5th is no '/'"},
    {"A 2000/01/02\nB 1990/123/4\n", 1, "B", 1990, 12, 9, "at most 2 digits of month"},
    {"A 2000/01/02\nB 1990/03/456\n", 1, "B", 1990, 3, 45, "at most 2 digits of day"},
    {"A 2000/01/02\nB x/03/04\n", 1, "B", 7, 8, 9, "a year that is no number"},
};

TEST(LoadEras, LinesAndFields) {
    for (const LoadCase& c : kLoadCases) {
        SCOPED_TRACE(c.why);
        auto rec = std::make_unique<MonthRecord>();
        // What the slot of the last entry held before loading.
        rec->eraStartYear[c.eraCount] = 7;
        rec->eraStartMonth[c.eraCount] = 8;
        rec->eraStartDay[c.eraCount] = 9;
        ASSERT_FALSE(LoadEras(*rec, Cp932FromUtf8(c.file)).has_value());
        ASSERT_EQ(rec->eraCount, c.eraCount);
        EXPECT_EQ(U(EraName(*rec, c.eraCount)), c.lastName);
        EXPECT_EQ(rec->eraStartYear[c.eraCount], c.y);
        EXPECT_EQ(rec->eraStartMonth[c.eraCount], c.m);
        EXPECT_EQ(rec->eraStartDay[c.eraCount], c.d);
        if (c.eraCount == 1) {
            EXPECT_EQ(U(EraName(*rec, 0)), "A");
            EXPECT_EQ(rec->eraStartYear[0], 2000);
        }
    }
}

TEST(LoadEras, NoEntriesIsRefusedLikeAnUnreadableFile) {
    for (const char* file : {"", "\n", "\r\n\r\n", "   \n\t\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(file));
        auto rec = std::make_unique<MonthRecord>();
        const auto problem = LoadEras(*rec, file);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(U(problem->message.c_str()), "元号定義ファイルが開けません");
        EXPECT_EQ(problem->message, EraFileUnreadableMessage());
        EXPECT_EQ(rec->eraCount, -1);
    }
}

std::string Lines(int count) {
    std::string file;
    for (int i = 0; i < count; ++i) {
        file += 'E';
        file += std::to_string(i);
        file += ' ';
        file += std::to_string(2999 - i);
        file += "/01/01\n";
    }
    return file;
}

TEST(LoadEras, Capacity) {
    auto rec = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadEras(*rec, Lines(512) + "\n\n").has_value()) << "blank lines do not count";
    EXPECT_EQ(rec->eraCount, 511);
    EXPECT_STREQ(EraName(*rec, 511), "E511");

    auto over = std::make_unique<MonthRecord>();
    const auto problem = LoadEras(*over, Lines(513));
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(U(problem->message.c_str()), "定義ファイル 元号.Def の定義数が上限 512 件を超えています");
    EXPECT_EQ(over->eraCount, -1);
}

// A line longer than 1023 bytes goes on as the next line; nothing is written
// past a row.
TEST(LoadEras, OverlongLine) {
    auto rec = std::make_unique<MonthRecord>();
    const std::string file = std::string(1100, 'N') + " 2000/01/02\nB 1990/03/04\n";
    ASSERT_FALSE(LoadEras(*rec, file).has_value());
    ASSERT_EQ(rec->eraCount, 2);
    EXPECT_EQ(std::string(EraName(*rec, 0)), std::string(1023, 'N'));
    EXPECT_EQ(rec->eraStartYear[0], 0) << "the first part has no date";
    EXPECT_EQ(std::string(EraName(*rec, 1)), std::string(77, 'N'));
    EXPECT_EQ(rec->eraStartYear[1], 2000);
    EXPECT_STREQ(EraName(*rec, 2), "B");
}

// ---- the shipped file -------------------------------------------------

struct FirstDay { const char* era; int y, m, d; };
// The first day (Gregorian) of every era the almanac ships, oldest first.
constexpr FirstDay kFirstDays[] = {
    {"慶長", 1596, 12, 16}, {"元和", 1615, 9, 5},   {"寛永", 1624, 4, 17}, {"正保", 1645, 1, 13},
    {"慶安", 1648, 4, 7},   {"承応", 1652, 10, 20}, {"明暦", 1655, 5, 18}, {"万治", 1658, 8, 21},
    {"寛文", 1661, 5, 23},  {"延宝", 1673, 10, 30}, {"天和", 1681, 11, 9}, {"貞享", 1684, 4, 5},
    {"元禄", 1688, 10, 23}, {"宝永", 1704, 4, 16},  {"正徳", 1711, 6, 11}, {"享保", 1716, 8, 9},
    {"元文", 1736, 6, 7},   {"寛保", 1741, 4, 12},  {"延享", 1744, 4, 3},  {"寛延", 1748, 8, 5},
    {"宝暦", 1751, 12, 14}, {"明和", 1764, 6, 30},  {"安永", 1772, 12, 10}, {"天明", 1781, 4, 25},
    {"寛政", 1789, 2, 19},  {"享和", 1801, 3, 19},  {"文化", 1804, 3, 22}, {"文政", 1818, 5, 26},
    {"天保", 1831, 1, 23},  {"弘化", 1845, 1, 9},   {"嘉永", 1848, 4, 1},  {"安政", 1855, 1, 15},
    {"万延", 1860, 4, 8},   {"文久", 1861, 3, 29},  {"元治", 1864, 3, 27}, {"慶応", 1865, 5, 1},
    {"明治", 1868, 10, 23}, {"大正", 1912, 7, 30},  {"昭和", 1926, 12, 25}, {"平成", 1989, 1, 8},
    {"令和", 2019, 5, 1},
};
constexpr int kShippedEras = static_cast<int>(std::size(kFirstDays));

std::unique_ptr<MonthRecord> ShippedEras() {
    const char* testData = std::getenv("K2_TEST_DATA");
    if (testData == nullptr) {
        ADD_FAILURE() << "K2_TEST_DATA is not set: run the tests through ctest";
        return nullptr;
    }
    const auto utf8 = ReadWholeFile(std::string(testData) + "/../../data/元号.Def");
    if (!utf8) {
        ADD_FAILURE() << "cannot read data/元号.Def";
        return nullptr;
    }
    return Loaded(*utf8);
}

TEST(ShippedEras, EachEntryIsTheLastDayOfTheEraBefore) {
    auto rec = ShippedEras();
    ASSERT_NE(rec, nullptr);
    ASSERT_EQ(rec->eraCount, kShippedEras - 1);
    for (int i = 0; i < kShippedEras; ++i) {
        // Newest first: entry i is the era i-th from the end of the table.
        const FirstDay& want = kFirstDays[kShippedEras - 1 - i];
        SCOPED_TRACE(want.era);
        EXPECT_EQ(U(EraName(*rec, i)), want.era);
        int y = rec->eraStartYear[i], m = rec->eraStartMonth[i], d = rec->eraStartDay[i] + 1;
        NormalizeDate(y, m, d);
        EXPECT_EQ(std::tie(y, m, d), std::tie(want.y, want.m, want.d));
    }
}

TEST(ShippedEras, FirstDaysAndTheDaysBefore) {
    auto rec = ShippedEras();
    ASSERT_NE(rec, nullptr);
    for (int k = 0; k < kShippedEras; ++k) {
        const FirstDay& c = kFirstDays[k];
        SCOPED_TRACE(c.era);
        const int i = EraIndex(*rec, c.y, c.m, c.d);
        EXPECT_EQ(U(EraName(*rec, i)), c.era);
        EXPECT_EQ(c.y - EraStartYear(*rec, i) + 1, 1);
        if (k == 0) continue;
        int y = c.y, m = c.m, d = c.d - 1;
        NormalizeDate(y, m, d);
        const int before = EraIndex(*rec, y, m, d);
        EXPECT_EQ(U(EraName(*rec, before)), kFirstDays[k - 1].era);
        EXPECT_GE(y - EraStartYear(*rec, before) + 1, 1);
    }
}

TEST(ShippedEras, WellKnownDates) {
    auto rec = ShippedEras();
    ASSERT_NE(rec, nullptr);
    const EraCase cases[] = {
        {1600, 1, 1, "慶長", 5, "the first supported day"},
        {2019, 4, 30, "平成", 31, "the last day of 平成"},
        {1989, 1, 7, "昭和", 64, "the last day of 昭和"},
        {2999, 12, 31, "令和", 981, "the last supported day"},
    };
    for (const EraCase& c : cases) {
        SCOPED_TRACE(c.why);
        const int i = EraIndex(*rec, c.y, c.m, c.d);
        EXPECT_EQ(U(EraName(*rec, i)), c.era);
        EXPECT_EQ(c.y - EraStartYear(*rec, i) + 1, c.eraYear);
    }
    EXPECT_EQ(WesternYear(*rec, Cp932FromUtf8("令和").c_str(), 6), 2024);
    EXPECT_EQ(WesternYear(*rec, Cp932FromUtf8("平成").c_str(), 31), 2019);
    EXPECT_EQ(WesternYear(*rec, Cp932FromUtf8("慶長").c_str(), 5), 1600);
}

// ---- the era step of the month computation ----------------------------

class EraStepTest : public ::testing::Test {
protected:
    EraStepTest() : rec_(std::make_unique<MonthRecord>()) {}
    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
};

TEST_F(EraStepTest, SetsTheTargetEra) {
    ASSERT_FALSE(LoadEras(*rec_, Cp932FromUtf8("令和 2019/04/30\n平成 1989/01/07\n")).has_value());
    ASSERT_EQ(ComputeMonth(*rec_, 2023, 3, 22), 1);
    EXPECT_EQ(U(rec_->currentEraName), "令和");
    EXPECT_EQ(rec_->eraYear, 5);
    ASSERT_EQ(ComputeMonth(*rec_, 2019, 4, 30), 1);
    EXPECT_EQ(U(rec_->currentEraName), "平成");
    EXPECT_EQ(rec_->eraYear, 31);
    EXPECT_EQ(ComputeMonth(*rec_, 3000, 1, 1), 0);
    EXPECT_EQ(U(rec_->currentEraName), "平成") << "a rejected date changes nothing";
    EXPECT_EQ(rec_->eraYear, 31);
}

TEST_F(EraStepTest, NoErasLoaded) {
    ASSERT_EQ(ComputeMonth(*rec_, 2023, 3, 22), 1);
    EXPECT_STREQ(rec_->currentEraName, "");
    EXPECT_EQ(rec_->eraYear, -1);
}

}  // namespace
}  // namespace kalendo
