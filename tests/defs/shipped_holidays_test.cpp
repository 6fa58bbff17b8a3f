// The shipped 祝日.Def, evaluated by the program itself, against the
// national holidays of 1970-2050 as the community dataset lists them
// (tests/data/holidays/, whose README says what it is and where it came
// from). A missing reference file fails the test: a check that quietly
// skips would pass on every machine that lacks it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/day_arith.h"
#include "defs/day_off.h"
#include "defs/holidays.h"
#include "month/compute_month.h"
#include "platform/file_io.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

using Date = std::tuple<int, int, int>;

std::string ShippedHolidayFile() {
    const char* bin = std::getenv("K2_BIN_DIR");
    const std::string path = std::string(bin ? bin : "bin") + "/祝日.Def";
    const auto bytes = ReadWholeFile(path);
    if (!bytes) ADD_FAILURE() << "cannot read " << path;
    return bytes.value_or("");
}

std::string Text(const Date& date) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", std::get<0>(date), std::get<1>(date),
                  std::get<2>(date));
    return buf;
}

// "YYYY-MM-DD<TAB>name" lines.
std::set<Date> ReadReference(const std::string& tsv) {
    std::set<Date> days;
    std::istringstream lines(tsv);
    std::string line;
    while (std::getline(lines, line)) {
        int y = 0, m = 0, d = 0;
        if (std::sscanf(line.c_str(), "%d-%d-%d", &y, &m, &d) == 3) days.insert({y, m, d});
    }
    return days;
}

class ShippedHolidays : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(LoadHolidays(*rec_, ShippedHolidayFile()).has_value());
    }
    std::string GeneratedName(int month, int day) {
        const int i = FindGeneratedHoliday(*rec_, month, day);
        return i < 0 ? "" : Utf8FromCp932(GeneratedHolidayName(rec_->evaluated.generated[i]));
    }

    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_ = std::make_unique<MonthRecord>();
};

// Every day of 1970-2050: holiday (listed or generated) in the program
// exactly when the reference lists it. The fixed generation rules differ
// from the law in two known ways, and only there may the program show a
// holiday the reference lacks: a substitute for a Sunday holiday of 1973
// before the law took effect on 12 April 1973, and a citizens' holiday that
// falls on a Sunday.
TEST_F(ShippedHolidays, MatchTheReference1970To2050) {
    const char* data = std::getenv("K2_TEST_DATA");
    const std::string path =
        std::string(data ? data : "tests/data") + "/holidays/holidays-1970-2050.tsv";
    const auto tsv = ReadWholeFile(path);
    ASSERT_TRUE(tsv.has_value()) << "cannot read the reference " << path;
    const std::set<Date> reference = ReadReference(*tsv);
    ASSERT_GT(reference.size(), 1000u);

    const std::string citizens = "国民の休日（三連休）";
    const std::string substitute = "振り替え休日";
    std::vector<std::string> faults;
    std::vector<std::string> knownDifferences;
    int programDays = 0;
    for (int y = 1970; y <= 2050; ++y) {
        ASSERT_EQ(ComputeMonth(*rec_, y, 1, 1, {}), 1);
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                const Date date{y, m, d};
                const bool listed = FindHoliday(*rec_, m, d) >= 0;
                const std::string generated = GeneratedName(m, d);
                const bool program = listed || !generated.empty();
                programDays += program;
                if (program == (reference.count(date) > 0)) continue;
                const bool sundayCitizens =
                    !listed && generated == citizens && Weekday(y, m, d) == 0;
                const bool early1973 = !listed && generated == substitute && y == 1973 &&
                                       CompareDates(y, m, d, 1973, 4, 12) > 0;
                if (program && (sundayCitizens || early1973)) {
                    knownDifferences.push_back(Text(date));
                } else {
                    faults.push_back(Text(date) + (program ? " only in the program"
                                                           : " only in the reference"));
                }
            }
        }
    }
    std::string faultText;
    for (const std::string& f : faults) faultText += f + "\n";
    EXPECT_TRUE(faults.empty()) << faultText;
    EXPECT_EQ(programDays, static_cast<int>(reference.size() + knownDifferences.size()));
    const std::vector<std::string> wantKnown = {"1973-02-12", "1986-05-04", "1997-05-04",
                                                "2003-05-04"};
    EXPECT_EQ(knownDifferences, wantKnown);
}

TEST_F(ShippedHolidays, TenDaysOffIn2019) {
    ASSERT_EQ(ComputeMonth(*rec_, 2019, 4, 27, {}), 1);
    for (int d = 27; d <= 36; ++d) {
        SCOPED_TRACE(d);
        EXPECT_TRUE(IsDayOff(*rec_, 4, d));
    }
    EXPECT_FALSE(IsDayOff(*rec_, 4, 37)) << "7 May";
    const int april30 = FindHoliday(*rec_, 4, 30);
    ASSERT_GE(april30, 0);
    EXPECT_EQ(Utf8FromCp932(rec_->tables.holidays[april30].name), "国民の休日");
    EXPECT_EQ(GeneratedName(5, 2), "国民の休日（三連休）");
    EXPECT_EQ(GeneratedName(5, 6), "振り替え休日");
}

struct ShippedCase {
    int y, m, d;
    const char* name;  // listed holiday, or a generated one when not listed
    const char* why;
};

TEST_F(ShippedHolidays, RowsThatAreEasyToGetWrong) {
    const ShippedCase cases[] = {
        {1959, 4, 10, "皇太子明仁親王の結婚の儀", "one-off day before the reference's years"},
        {1948, 9, 23, "秋分の日", "the autumn equinox already in 1948"},
        {1989, 4, 29, "みどりの日", "renamed in 1989"},
        {2007, 4, 29, "昭和の日", "renamed in 2007"},
        {2009, 9, 22, "国民の休日（三連休）", "between 敬老の日 and 秋分の日"},
        {2015, 9, 22, "国民の休日（三連休）", "between 敬老の日 and 秋分の日"},
        {2020, 7, 24, "スポーツの日", "moved for the games"},
        {2021, 8, 9, "振り替え休日", "山の日 on Sunday 8 August 2021"},
        {2024, 2, 23, "天皇誕生日", "the present emperor's birthday"},
        {2019, 12, 23, "", "no emperor's birthday in 2019"},
    };
    for (const ShippedCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.y) + ": " + c.why);
        ASSERT_EQ(ComputeMonth(*rec_, c.y, c.m, c.d, {}), 1);
        const int i = FindHoliday(*rec_, c.m, c.d);
        const std::string name =
            i >= 0 ? Utf8FromCp932(rec_->tables.holidays[i].name) : GeneratedName(c.m, c.d);
        EXPECT_EQ(name, c.name);
    }
}

}  // namespace
}  // namespace kalendo
