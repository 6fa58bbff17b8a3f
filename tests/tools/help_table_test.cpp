// The help page's table of where the two almanac modes differ: the built
// page holds what a fresh computation gives, and the known months are in it.
#include "tools/help_table/mode_differences.h"
#include "tools/help_table/close_call_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

#include "astro/close_events.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const ModeDifferences& Differences() {
    static const ModeDifferences d = ComputeModeDifferences(1900, 2100);
    return d;
}

const std::vector<CloseCallDays>& Calls(AlmanacMode mode) {
    static const std::vector<CloseCallDays> standard =
        ComputeCloseCallTable(1900, 2100, AlmanacMode::Standard);
    static const std::vector<CloseCallDays> precise =
        ComputeCloseCallTable(1900, 2100, AlmanacMode::Precise);
    return mode == AlmanacMode::Standard ? standard : precise;
}

bool Changes(const CloseCallDays& c, const CalendarDate& day) {
    return std::find(c.days.begin(), c.days.end(), day) != c.days.end();
}

TEST(HelpTable, BuiltPageHoldsAFreshComputation) {
    const char* bin = std::getenv("K2_BIN_DIR");
    const char* data = std::getenv("K2_TEST_DATA");
    ASSERT_NE(bin, nullptr);
    ASSERT_NE(data, nullptr);
    const std::string source = ReadFile(std::string(data) + "/../../help/index.html");
    const std::string built = ReadFile(std::string(bin) + "/Help/index.html");
    const std::string html = ModeDifferencesHtml(Differences());
    EXPECT_NE(built.find(html), std::string::npos);
    const std::string closeCalls =
        CloseCallsHtml(Calls(AlmanacMode::Standard), Calls(AlmanacMode::Precise));
    EXPECT_EQ(built, WithMarkedSection(WithModeDifferences(source, html), "close-calls", closeCalls));
    // A row says in the window's words what its first day would read.
    EXPECT_NE(closeCalls.find("2035-01-09 → 2035-01-10</td><td>2035-01-09：1月10日なら：この日の旧暦は11月30日、"
                              "六曜は仏滅</td>"),
              std::string::npos);
    EXPECT_NE(closeCalls.find("2021-02-04 → 2021-02-03</td><td>2021-02-03：2月3日なら：この日の十二直は定、"
                              "暦注は一粒万倍日・天恩日・大明日・神吉日・不成就日・小犯土、年の九星は六白金星、"
                              "月の九星は五黄土星</td>"),
              std::string::npos);
}

// The new moon of 2035-01-10 at 0:03 JST, which the standard series put
// before midnight: a whole month one day off. The months the two modes
// number alike but start a day apart show as runs of one lunation or less.
TEST(HelpTable, KnownRunsAndTheirShape) {
    const auto& runs = Differences().lunisolar;
    const LunisolarRun want{{2035, 1, 9}, {2035, 2, 7}, {12, false, 1}, {11, false, 30}};
    EXPECT_NE(std::find(runs.begin(), runs.end(), want), runs.end());
    for (const LunisolarRun& r : runs) {
        EXPECT_TRUE(r.first.year >= 1900 && r.last.year <= 2100);
        EXPECT_NE(r.standard, r.precise);
    }
    // Day by day against the reference ephemeris, the standard almanac is
    // another lunisolar date on 240 days of 1900-2100, in eight months.
    int days = 0;
    for (const LunisolarRun& r : runs) {
        days += static_cast<int>(JulianDate(r.last.year, r.last.month, r.last.day) -
                                 JulianDate(r.first.year, r.first.month, r.first.day)) + 1;
    }
    EXPECT_EQ(runs.size(), 8u);
    EXPECT_EQ(days, 240);
    for (std::size_t i = 1; i < runs.size(); ++i) {
        EXPECT_LT(std::make_tuple(runs[i - 1].last.year, runs[i - 1].last.month, runs[i - 1].last.day),
                  std::make_tuple(runs[i].first.year, runs[i].first.month, runs[i].first.day));
    }
    for (const TermDifference& t : Differences().terms) {
        EXPECT_GE(t.term, 0);
        EXPECT_LT(t.term, 24);
        EXPECT_FALSE(t.standard == t.precise);
    }
}

TEST(HelpTable, ReplacesOnlyBetweenTheMarkers) {
    const std::string page = "a<!-- mode-differences -->old<!-- /mode-differences -->b";
    EXPECT_EQ(WithModeDifferences(page, "new"),
              "a<!-- mode-differences -->\nnew<!-- /mode-differences -->b");
    EXPECT_EQ(WithModeDifferences("a<!-- mode-differences -->old", "new"),
              "a<!-- mode-differences -->old");
    EXPECT_EQ(WithModeDifferences("plain", "new"), "plain");
}

}  // namespace
}  // namespace kalendo

namespace kalendo {
namespace {

TEST(HelpTable, BuiltPageHoldsTheCloseCallsAsComputed) {
    const char* bin = std::getenv("K2_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    const std::string built = ReadFile(std::string(bin) + "/Help/index.html");
    const std::string html =
        CloseCallsHtml(Calls(AlmanacMode::Standard), Calls(AlmanacMode::Precise));
    EXPECT_NE(built.find("<!-- close-calls -->\n" + html + "<!-- /close-calls -->"),
              std::string::npos);
    EXPECT_NE(html.find("<td>標準</td><td>朔</td><td>2035-01-09 23:56:21</td>"), std::string::npos);
}

// The two tables agree: every day of a run where the modes' lunisolar dates
// differ is changed by a standard close call, and every solar term on
// another day is one, with the precise day across its midnight.
TEST(HelpTable, EveryModeDifferenceIsAStandardCloseCall) {
    const auto& calls = Calls(AlmanacMode::Standard);
    for (const LunisolarRun& r : Differences().lunisolar) {
        for (CalendarDate d = r.first; CompareDates(d.year, d.month, d.day, r.last.year,
                                                    r.last.month, r.last.day) >= 0;
             d = DayAfter(d, 1)) {
            EXPECT_TRUE(std::any_of(calls.begin(), calls.end(),
                                    [&](const CloseCallDays& c) { return Changes(c, d); }))
                << d.year << "-" << d.month << "-" << d.day;
        }
    }
    for (const TermDifference& t : Differences().terms) {
        EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [&](const CloseCallDays& c) {
            return c.call.event.term == t.term && c.call.day == t.standard &&
                   c.call.otherDay == t.precise;
        })) << t.standard.year << " term " << t.term;
    }
}

}  // namespace
}  // namespace kalendo
