#include "defs/holidays.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "defs/day_off.h"
#include "month/compute_month.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

class HolidaysTest : public ::testing::Test {
protected:
    // Loads a holiday file written as UTF-8 and computes 15 June of year y.
    void Load(const std::string& utf8) {
        ASSERT_FALSE(LoadHolidays(*rec_, Cp932FromUtf8(utf8)).has_value());
    }
    void Compute(int y, int m = 6, int d = 15) { ASSERT_EQ(ComputeMonth(*rec_, y, m, d, {}), 1); }

    const DefinitionEntry& Holiday(int i) const { return rec_->tables.holidays[i]; }
    const EvaluatedDate& Date(int i) const { return rec_->evaluated.holidays[i]; }

    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_ = std::make_unique<MonthRecord>();
};

std::string FixtureUtf8(const std::string& name) {
    const char* data = std::getenv("K2_TEST_DATA");
    const std::string path = std::string(data ? data : "tests/data") + "/defs/" + name;
    const auto bytes = ReadWholeFile(path);
    if (!bytes) ADD_FAILURE() << "cannot read " << path;
    return bytes.value_or("");
}

TEST_F(HolidaysTest, LoadsTheLineFormat) {
    Load(FixtureUtf8("holiday_lines.Def"));
    ASSERT_EQ(rec_->holidayCount, 5) << "every non-empty line counts, a '{' line too";
    const DefinitionEntry& e = Holiday(0);
    EXPECT_EQ(Utf8FromCp932(e.name), "祝日");
    EXPECT_EQ(std::tie(e.fromYear, e.toYear), std::make_tuple(2000, 2010));
    EXPECT_EQ(std::string(e.expression), "5/6");
    EXPECT_EQ(Utf8FromCp932(e.description), "説明");

    EXPECT_EQ(std::string(Holiday(1).name), "a(1949-2000)/1/1") << "%s runs to a blank";
    EXPECT_EQ(Holiday(1).fromYear, -1);
    EXPECT_EQ(std::string(Holiday(1).description), "");

    EXPECT_EQ(std::string(Holiday(2).name), "a");
    EXPECT_EQ(std::tie(Holiday(2).fromYear, Holiday(2).toYear), std::make_tuple(1949, 2000));
    EXPECT_EQ(std::string(Holiday(2).expression), "1/1");
    EXPECT_EQ(std::string(Holiday(2).description), "") << "missing field keeps its value";

    EXPECT_EQ(std::string(Holiday(3).name), "bad");
    EXPECT_EQ(std::tie(Holiday(3).fromYear, Holiday(3).toYear), std::make_tuple(-1, -1));
    EXPECT_EQ(std::string(Holiday(4).name), "{");
}

TEST_F(HolidaysTest, CapacityOf512) {
    std::string file;
    for (int i = 0; i < 512; ++i) file += "x ( 2000 - 2001 ) / 1/1 d\n";
    EXPECT_FALSE(LoadHolidays(*rec_, file).has_value());
    EXPECT_EQ(rec_->holidayCount, 512);

    file += "y ( 2000 - 2001 ) / 1/2 d\n";
    const auto problem = LoadHolidays(*rec_, file);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(Utf8FromCp932(problem->message),
              "定義ファイル 祝日.Def の定義数が上限 512 件を超えています");
}

TEST_F(HolidaysTest, ValidFromFirstYearUntilBeforeSecond) {
    Load("a ( 1949 - 2000 ) / 1/1 d\n");
    for (const auto& [year, found] : {std::pair{1948, -1}, {1949, 0}, {1999, 0}, {2000, -1}}) {
        SCOPED_TRACE(year);
        Compute(year);
        EXPECT_EQ(FindHoliday(*rec_, 1, 1), found);
        if (found < 0) {
            EXPECT_EQ(Date(0).day, -1) << "not evaluated when not valid";
        }
    }
}

TEST_F(HolidaysTest, LookUps) {
    Load(
        "a ( 2000 - 3000 ) / 6/1 d\n"
        "b ( 2000 - 3000 ) / 6/1 d\n"
        "c ( 2000 - 3000 ) / 5/1|3 d\n");
    Compute(2023);  // 1 June 2023 is a Thursday
    EXPECT_EQ(FindHoliday(*rec_, 6, 1), 0) << "the lowest index";
    EXPECT_EQ(FindHoliday(*rec_, 6, 2), -1);
    EXPECT_EQ(Date(2).day, 0);
    EXPECT_EQ(FindHoliday(*rec_, 5, 0), -1) << "an entry on no day is never found";
    EXPECT_TRUE(IsDayOff(*rec_, 5, 32)) << "5/32 is 1 June";
    EXPECT_FALSE(IsDayOff(*rec_, 5, 31));
    EXPECT_TRUE(IsDayOff(*rec_, 6, 3)) << "Saturday";
    EXPECT_TRUE(IsDayOff(*rec_, 6, 4)) << "Sunday";
    EXPECT_FALSE(IsDayOff(*rec_, 6, 5));
    EXPECT_TRUE(IsDayOff(*rec_, 1, 0)) << "31 December 2022 was a Saturday";
}

struct Generated {
    std::string name;  // UTF-8
    int month, day, fromYear;
    bool operator==(const Generated&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Generated& g) {
    return os << g.name << ' ' << g.month << '/' << g.day << " from " << g.fromYear;
}

constexpr char kCitizens[] = "国民の休日（三連休）";
constexpr char kSubstitute[] = "振り替え休日";

constexpr char kMay3And5[] =
    "憲法記念日 ( 1949 - 3000 ) / 5/3 d\n"
    "こどもの日 ( 1949 - 3000 ) / 5/5 d\n";
constexpr char kMay3To5[] =
    "憲法記念日 ( 1949 - 3000 ) / 5/3 d\n"
    "みどりの日 ( 2007 - 3000 ) / 5/4 d\n"
    "こどもの日 ( 1949 - 3000 ) / 5/5 d\n";

struct GenerationCase {
    const char* file;
    int year;
    std::vector<Generated> want;
    const char* why;
};

TEST_F(HolidaysTest, Generation) {
    const GenerationCase cases[] = {
        {kMay3And5, 2024, {{kCitizens, 5, 4, 1986}, {kSubstitute, 5, 6, 2008}},
         "the day between; 5 May 2024 is a Sunday"},
        {"こどもの日 ( 1949 - 3000 ) / 5/5 d\n憲法記念日 ( 1949 - 3000 ) / 5/3 d\n", 2024,
         {{kSubstitute, 5, 6, 2008}}, "only the earlier date listed first makes a pair"},
        {kMay3And5, 1985, {{kSubstitute, 5, 6, 1973}}, "no citizens' holiday before 1986"},
        {"元日 ( 1949 - 3000 ) / 1/1 d\n", 1989, {{kSubstitute, 1, 2, 1973}},
         "1 January 1989 is a Sunday"},
        {"建国記念の日 ( 1967 - 3000 ) / 2/11 d\n", 2007, {{kSubstitute, 2, 12, 1973}},
         "11 February 2007: the rule of 1973-2007"},
        {kMay3To5, 2008, {{kCitizens, 5, 4, 1986}, {kSubstitute, 5, 6, 2008}},
         "4 May 2008: the substitute moves past 5 May"},
        {kMay3To5, 2020, {{kCitizens, 5, 4, 1986}, {kSubstitute, 5, 6, 2008}},
         "3 May 2020: past 4 and 5 May"},
        {kMay3And5, 1998, {{kCitizens, 5, 4, 1986}, {kSubstitute, 5, 4, 1973}},
         "3 May 1998: both on 4 May"},
        {kMay3And5, 2019, {{kCitizens, 5, 4, 1986}, {kSubstitute, 5, 6, 2008}},
         "5 May 2019: the generated 4 May is not consulted"},
        {kMay3And5, 2003, {{kCitizens, 5, 4, 1986}}, "the day between is generated on a Sunday"},
        {"x ( 2010 - 3000 ) / 5/3 d\ny ( 1990 - 3000 ) / 5/5 d\n", 2024,
         {{kCitizens, 5, 4, 2010}, {kSubstitute, 5, 6, 2008}}, "fromYear the largest"},
        {"x ( 2012 - 3000 ) / 3/31 d\n", 2024, {{kSubstitute, 4, 1, 2012}},
         "31 March 2024 is a Sunday: the substitute is 1 April"},
        {"x ( 1900 - 3000 ) / 12/31 d\n", 2023, {}, "2023-12-31: leaves the year, dropped"},
        {"x ( 1900 - 3000 ) / 12/31 d\n", 2006, {}, "2006-12-31: dropped under the old rule"},
        {"x ( 1900 - 3000 ) / 1/2 d\n", 1972, {}, "no substitute before 1973"},
        {"a ( 2000 - 3000 ) / 5/1|3 d\nb ( 2000 - 3000 ) / 5/2 d\n", 2024, {},
         "an entry on no day makes no pair"},
        {"a ( 2000 - 3000 ) / 4/1|3 d\n", 2024, {},
         "day 0 of April would be Sunday 31 March: no substitute"},
        {"a ( 2000 - 3000 ) / 4/30 d\nb ( 2000 - 3000 ) / 5/2 d\n", 2024, {},
         "pairs lie in one month"},
    };
    for (const GenerationCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + ": " + c.why);
        Load(c.file);
        Compute(c.year);
        std::vector<Generated> got;
        for (int i = 0; i < rec_->evaluated.generatedCount; ++i) {
            const GeneratedHoliday& g = rec_->evaluated.generated[i];
            EXPECT_EQ(g.toYear, 3000);
            got.push_back({Utf8FromCp932(GeneratedHolidayName(g)), g.month, g.day, g.fromYear});
        }
        EXPECT_EQ(got, c.want);
    }
}

TEST_F(HolidaysTest, GenerationStopsAt256) {
    std::string file;
    for (int i = 0; i < 20; ++i) file += "a ( 2000 - 3000 ) / 1/1 d\n";
    for (int i = 0; i < 20; ++i) file += "b ( 2000 - 3000 ) / 1/3 d\n";
    Load(file);
    Compute(2024);  // 400 pairs
    EXPECT_EQ(rec_->evaluated.generatedCount, 256);
    EXPECT_EQ(FindGeneratedHoliday(*rec_, 1, 2), 0);
}

TEST_F(HolidaysTest, DayClassSeesHolidaysAboveWithNewDates) {
    // 5 May 2024 is a Sunday, 6 May a Monday.
    Load("a ( 2000 - 3000 ) / 5/6 d\nb ( 2000 - 3000 ) / 5/5<平日 d\n");
    Compute(2024);
    EXPECT_EQ(Date(1).day, 7) << "a, above, is seen";

    Load("b ( 2000 - 3000 ) / 5/5<平日 d\na ( 2000 - 3000 ) / 5/6 d\n");
    Compute(2024);
    EXPECT_EQ(Date(0).day, 6) << "a, below, is not seen";

    // While it searches, the entry itself stands on its starting day.
    Load("c ( 2000 - 3000 ) / 5/7<平日 d\n");
    Compute(2024);
    EXPECT_EQ(Date(0).day, 8);
}

TEST_F(HolidaysTest, DayClassSeesTheGeneratedHolidaysLeftBefore) {
    // 2019 leaves a substitute on 6 May, 2023 none. In 2024, t starts on itself
    // (7 May), and 6 May is off only if the table left behind says so.
    Load(std::string(kMay3And5) + "t ( 2024 - 2025 ) / 5/7>平日 d\n");
    Compute(2019);
    Compute(2024);
    EXPECT_EQ(Date(2).day, 2) << "6 May off, then Sunday 5, Saturday 4, holiday 3";
    Compute(2023);
    Compute(2024);
    EXPECT_EQ(Date(2).day, 6);
}

TEST_F(HolidaysTest, DayClassSearchIsBounded) {
    // Every day of the year a holiday: "<平日" tests 366 days and keeps its day.
    std::string file;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= 31; ++d) {
            file += "h ( 2000 - 3000 ) / " + std::to_string(m) + "/" + std::to_string(d) + " d\n";
        }
    }
    file += "t ( 2000 - 3000 ) / 6/10<平日 d\nu ( 2000 - 3000 ) / 6/10>平日 d\n";
    Load(file);
    Compute(2024);
    EXPECT_EQ(Date(372).day, 10);
    EXPECT_EQ(Date(373).day, 10);
}

TEST_F(HolidaysTest, WrongExpressionIsFatalOnlyWhenValid) {
    Load("x ( 2024 - 2025 ) / 14/1 d\n");
    Compute(2023);
    try {
        ComputeMonth(*rec_, 2024, 1, 1, {});
        FAIL() << "no fatal error";
    } catch (const FatalExit& fatal) {
        EXPECT_EQ(Utf8FromCp932(fatal.message), "xの表現式14/1に誤りがあります");
    }
}

}  // namespace
}  // namespace kalendo
