#include "almanac/era.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <tuple>

#include "core/day_arith.h"
#include "month/compute_month.h"
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
    {"A 2000/01/02 x\n", 0, "A", 2000, 1, 2, "what follows the day is not looked at"},
    {"A 2000/02/29\nB 1900/02/28\n", 1, "B", 1900, 2, 28, "29 February of a leap year"},
};

TEST(LoadEras, LinesAndFields) {
    for (const LoadCase& c : kLoadCases) {
        SCOPED_TRACE(c.why);
        auto rec = std::make_unique<MonthRecord>();
        // What the slot of the last entry held before loading.
        rec->TablesToChange().eraStartYear[c.eraCount] = 7;
        rec->TablesToChange().eraStartMonth[c.eraCount] = 8;
        rec->TablesToChange().eraStartDay[c.eraCount] = 9;
        ASSERT_FALSE(LoadEras(*rec, Cp932FromUtf8(c.file)).has_value());
        ASSERT_EQ(rec->eraCount, c.eraCount);
        EXPECT_EQ(U(EraName(*rec, c.eraCount)), c.lastName);
        EXPECT_EQ(rec->tables.eraStartYear[c.eraCount], c.y);
        EXPECT_EQ(rec->tables.eraStartMonth[c.eraCount], c.m);
        EXPECT_EQ(rec->tables.eraStartDay[c.eraCount], c.d);
        if (c.eraCount == 1) {
            EXPECT_EQ(U(EraName(*rec, 0)), "A");
            EXPECT_EQ(rec->tables.eraStartYear[0], 2000);
        }
    }
}

// A line that is no "name date" with a real date, and an entry that is not
// older than the one above it, would give wrong era years without a word:
// the file is refused, with its name and the line (counted from 1 over
// every line, blank ones included).
struct RefusedCase { const char* file; const char* message; const char* why; };
const RefusedCase kRefusedCases[] = {
    {"A 2000/01/02\nB\n", "定義ファイル 元号.Def の 2 行目に誤りがあります", "a name without a date"},
    {"A 2000/01/02\nB 1990-03-04\n", "定義ファイル 元号.Def の 2 行目に誤りがあります", "a '-' in the date"},
    {"A 2000/01/02\nB 12345/03/04\n", "定義ファイル 元号.Def の 2 行目に誤りがあります", "a 5-digit year"},
    {"A 2000/01/02\nB 1990/123/4\n", "定義ファイル 元号.Def の 2 行目に誤りがあります", "a 3-digit month"},
    {"A 2000/01/02\nB 1990/03/456\n", "定義ファイル 元号.Def の 2 行目に誤りがあります", "a 3-digit day"},
    {"A 2000/01/02\nB x/03/04\n", "定義ファイル 元号.Def の 2 行目に誤りがあります", "a year that is no number"},
    {"A 2000/13/45\n", "定義ファイル 元号.Def の 1 行目に誤りがあります", "month 13"},
    {"A 2000/00/10\n", "定義ファイル 元号.Def の 1 行目に誤りがあります", "month 0"},
    {"A 2001/02/29\n", "定義ファイル 元号.Def の 1 行目に誤りがあります", "29 February of a common year"},
    {"A 2000/04/31\n", "定義ファイル 元号.Def の 1 行目に誤りがあります", "31 April"},
    {"A 2000/04/00\n", "定義ファイル 元号.Def の 1 行目に誤りがあります", "day 0"},
    {"A 0/01/01\n", "定義ファイル 元号.Def の 1 行目に誤りがあります", "year 0"},
    {"A -5/01/01\n", "定義ファイル 元号.Def の 1 行目に誤りがあります", "a negative year"},
    {"\n\nA 2000/01/02\r\n\r\n\xff\xfe\x01\n", "定義ファイル 元号.Def の 5 行目に誤りがあります",
     "garbage bytes; blank lines count"},
    {"A 2000/01/02\rB 1990/3\r", "定義ファイル 元号.Def の 2 行目に誤りがあります", "lines ended by CR"},
    {"令和 2019/04/30\n平成 2024/01/01\n", "定義ファイル 元号.Def の 2 行目の日付が前の行より古くありません",
     "a newer entry below an older one"},
    {"A 2000/01/02\nB 2000/01/02\n", "定義ファイル 元号.Def の 2 行目の日付が前の行より古くありません",
     "the same date twice"},
    {"A 2000/01/02\nB 1990/01/01\nC 1995/06/01\n",
     "定義ファイル 元号.Def の 3 行目の日付が前の行より古くありません", "out of order further down"},
};

TEST(LoadEras, LinesThatAreNoEntryOrOutOfOrderAreRefused) {
    for (const RefusedCase& c : kRefusedCases) {
        SCOPED_TRACE(c.why);
        auto rec = std::make_unique<MonthRecord>();
        const auto problem = LoadEras(*rec, Cp932FromUtf8(c.file));
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(U(problem->message.c_str()).rfind(c.message, 0), 0u) << U(problem->message.c_str());
        EXPECT_EQ(rec->eraCount, -1);
    }
}

// Whatever an entry's date, a file that loads is ordered newest first, so
// that the first entry older than a date is its era.
TEST(LoadEras, EveryLoadedTableIsStrictlyNewestFirst) {
    std::mt19937 rng(13);
    int loaded = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        std::string file;
        for (int line = 0; line < 4; ++line) {
            file += 'E';
            file += std::to_string(line);
            file += ' ';
            file += std::to_string(1990 + rng() % 20);
            file += '/';
            file += std::to_string(1 + rng() % 12);
            file += '/';
            file += std::to_string(1 + rng() % 31);
            file += '\n';
        }
        auto rec = std::make_unique<MonthRecord>();
        if (LoadEras(*rec, file).has_value()) continue;
        ++loaded;
        for (int i = 1; i <= rec->eraCount; ++i) {
            const int y = rec->tables.eraStartYear[i - 1], m = rec->tables.eraStartMonth[i - 1], d = rec->tables.eraStartDay[i - 1];
            ASSERT_LE(d, DaysInMonth(y, m)) << file;
            ASSERT_EQ(EraIndex(*rec, y, m, d), i) << "an entry's own date belongs to the era below\n" << file;
        }
    }
    EXPECT_GT(loaded, 10);
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
// past a row. Its first 1023 bytes hold no date: refused, as line 1.
TEST(LoadEras, OverlongLine) {
    auto rec = std::make_unique<MonthRecord>();
    const std::string file = std::string(1100, 'N') + " 2000/01/02\nB 1990/03/04\n";
    const auto problem = LoadEras(*rec, file);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(U(problem->message.c_str()).rfind("定義ファイル 元号.Def の 1 行目に誤りがあります", 0), 0u);
    EXPECT_EQ(std::string(EraName(*rec, 0)), "") << "nothing loaded";
    EXPECT_EQ(std::string(rec->tables.eraName[0]), std::string(1023, 'N')) << "the row holds the first part";

    // A name of 1010 bytes and its date fit one line.
    const std::string fits = std::string(1010, 'N') + " 2000/01/02\n";
    ASSERT_FALSE(LoadEras(*rec, fits).has_value());
    EXPECT_EQ(std::string(EraName(*rec, 0)), std::string(1010, 'N'));
    EXPECT_EQ(rec->tables.eraStartYear[0], 2000);
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
        int y = rec->tables.eraStartYear[i], m = rec->tables.eraStartMonth[i], d = rec->tables.eraStartDay[i] + 1;
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
    ASSERT_EQ(ComputeMonth(*rec_, 2023, 3, 22, {}), 1);
    EXPECT_EQ(U(rec_->currentEraName), "令和");
    EXPECT_EQ(rec_->eraYear, 5);
    ASSERT_EQ(ComputeMonth(*rec_, 2019, 4, 30, {}), 1);
    EXPECT_EQ(U(rec_->currentEraName), "平成");
    EXPECT_EQ(rec_->eraYear, 31);
    EXPECT_EQ(ComputeMonth(*rec_, 3000, 1, 1, {}), 0);
    EXPECT_EQ(U(rec_->currentEraName), "平成") << "a rejected date changes nothing";
    EXPECT_EQ(rec_->eraYear, 31);
}

TEST_F(EraStepTest, NoErasLoaded) {
    ASSERT_EQ(ComputeMonth(*rec_, 2023, 3, 22, {}), 1);
    EXPECT_STREQ(rec_->currentEraName, "");
    EXPECT_EQ(rec_->eraYear, -1);
}

}  // namespace
}  // namespace kalendo
