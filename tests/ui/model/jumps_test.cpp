#include "ui/model/jumps.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/day_arith.h"
#include "core/typed_number.h"
#include "model_test_support.h"

namespace kalendo {
namespace {

using testing_support::Cp;
using testing_support::ModelTest;

constexpr char kRangeMessage[] = "ERROR : 年月の設定範囲が不適切です.";

std::tuple<int, int, int> Ymd(const std::optional<CalendarDate>& d) {
    if (!d) return {0, 0, 0};
    return {d->year, d->month, d->day};
}

class JumpsTest : public ModelTest {
protected:
    std::tuple<int, int, int> TargetNow() const {
        return {rec_->year[kTarget], rec_->month[kTarget], rec_->day[kTarget]};
    }
};

struct RelativeCase {
    int y, m, d;
    const char* number;
    int unit;
    int wantY, wantM, wantD;
    const char* why;
};
constexpr RelativeCase kRelativeCases[] = {
    {2023, 1, 31, "1", kUnitMonthsAhead, 2023, 3, 3, "1 月後 from 31 January 2023"},
    {2024, 1, 31, "1", kUnitMonthsAhead, 2024, 3, 2, "1 月後 from 31 January 2024"},
    {2024, 1, 10, "2", kUnitWeeksBack, 2023, 12, 27, "2 週前 from 10 January"},
    {2024, 2, 29, "1", kUnitYearsAhead, 2025, 3, 1, "29 February plus a year"},
    {2024, 2, 29, "4", kUnitYearsBack, 2020, 2, 29, "a leap year four years back"},
    {2024, 6, 15, "20", kUnitDaysAhead, 2024, 7, 5, "days ahead"},
    {2024, 6, 15, "15", kUnitDaysBack, 2024, 5, 31, "days back"},
    {2024, 6, 15, "3", kUnitWeeksAhead, 2024, 7, 6, "weeks ahead"},
    {2024, 6, 15, "7", kUnitMonthsBack, 2023, 11, 15, "months back across the year"},
    {2024, 6, 15, "", kUnitDaysAhead, 2024, 6, 15, "an empty number is 0"},
    {2024, 6, 15, " 12 ", kUnitMonthsAhead, 2025, 6, 15, "blanks around the number"},
    {2024, 6, 15, "-3", kUnitDaysAhead, 2024, 6, 12, "a negative number goes the other way"},
    {2024, 6, 15, "3650", kUnitDaysAhead, 2034, 6, 13, "ten years of days, two of them leap"},
};

TEST_F(JumpsTest, RelativeJumps) {
    for (const RelativeCase& c : kRelativeCases) {
        SCOPED_TRACE(c.why);
        Select(c.y, c.m, c.d);
        EXPECT_EQ(Ymd(RelativeJumpDate(*rec_, c.number, c.unit)),
                  std::make_tuple(c.wantY, c.wantM, c.wantD));
        EXPECT_TRUE(RelativeJumpMayClose(*rec_, c.number, c.unit, {}));
        EXPECT_EQ(RunRelativeJump(*rec_, c.number, c.unit, {}), 1);
        EXPECT_EQ(TargetNow(), std::make_tuple(c.wantY, c.wantM, c.wantD));
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(JumpsTest, RelativeJumpWithoutUnitKeepsTheDialog) {
    Select(2024, 6, 15);
    for (int unit : {-1, 8}) {
        EXPECT_FALSE(RelativeJumpMayClose(*rec_, "1", unit, {}));
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{"日付が不正です"});
        EXPECT_FALSE(RelativeJumpDate(*rec_, "1", unit).has_value());
        EXPECT_EQ(RunRelativeJump(*rec_, "1", unit, {}), -1);
        EXPECT_TRUE(TakeMessages().empty());
        EXPECT_EQ(TargetNow(), std::make_tuple(2024, 6, 15));
    }
    for (int unit = 0; unit < 8; ++unit) EXPECT_TRUE(RelativeJumpMayClose(*rec_, "1", unit, {}));
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(JumpsTest, JumpsOutOfTheRangeAreRefused) {
    struct Case { const char* number; int unit; const char* why; } const kCases[] = {
        {"1", kUnitDaysAhead, "one day past 2999"},
        {"2147483647", kUnitWeeksAhead, "weeks that overflow an int"},
        {"99999999999", kUnitYearsAhead, "a number beyond int"},
        {"-2147483648", kUnitMonthsAhead, "the most negative int of months"},
        {"2147483647", kUnitDaysAhead, "the most days an int holds"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.why);
        Select(2999, 12, 31);
        TakeMessages();
        // Refused before the dialog closes, with the message the jump gives.
        EXPECT_FALSE(RelativeJumpMayClose(*rec_, c.number, c.unit, {}));
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{kRangeMessage});
        EXPECT_EQ(RunRelativeJump(*rec_, c.number, c.unit, {}), 0);
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{kRangeMessage});
        EXPECT_EQ(TargetNow(), std::make_tuple(2999, 12, 31));
    }
}

struct DirectCase {
    const char* year;
    const char* month;
    const char* day;
    int wantY, wantM, wantD;
    const char* why;
};
constexpr DirectCase kDirectCases[] = {
    {"", "", "5", 2024, 6, 5, "only the day: that day of the selected month"},
    {"2024", "2", "30", 2024, 3, 1, "30 February 2024 is 1 March"},
    {"", "", "", 2024, 6, 15, "nothing typed: the selected date"},
    {"2023", "13", "1", 2024, 1, 1, "month 13 is January of the next year"},
    {"2024", "3", "0", 2024, 2, 29, "day 0 is the last day of the month before"},
    {" 1999 ", "+12", "31", 1999, 12, 31, "blanks and a sign"},
    {"2000", "-1", "1", 1999, 11, 1, "negative months carry back"},
};

TEST_F(JumpsTest, DirectJumps) {
    for (const DirectCase& c : kDirectCases) {
        SCOPED_TRACE(c.why);
        Select(2024, 6, 15);
        EXPECT_EQ(Ymd(DirectJumpDate(*rec_, c.year, c.month, c.day)),
                  std::make_tuple(c.wantY, c.wantM, c.wantD));
        EXPECT_TRUE(DirectJumpMayClose(*rec_, c.year, c.month, c.day, {}));
        EXPECT_EQ(RunDirectJump(*rec_, c.year, c.month, c.day, {}), 1);
        EXPECT_EQ(TargetNow(), std::make_tuple(c.wantY, c.wantM, c.wantD));
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(JumpsTest, DirectJumpOutOfRange) {
    const char* const kYears[] = {"1599", "3000", "2147483647", "-2147483648"};
    for (const char* year : kYears) {
        Select(2024, 6, 15);
        TakeMessages();
        EXPECT_FALSE(DirectJumpMayClose(*rec_, year, "13", "2147483647", {})) << year;
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{kRangeMessage});
        EXPECT_EQ(RunDirectJump(*rec_, year, "13", "2147483647", {}), 0) << year;
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{kRangeMessage});
        EXPECT_EQ(TargetNow(), std::make_tuple(2024, 6, 15));
    }
}

// In the monthly display the jump shows today whatever was typed, so no
// typed date keeps the dialog; a full display refuses the same date.
TEST_F(JumpsTest, MonthlyDisplayClosesOnAnyDate) {
    SetToday(2024, 6, 15);
    Select(2024, 6, 15);
    const MonthOptions monthly{AlmanacMode::Standard, kViewMonthly};
    EXPECT_TRUE(DirectJumpMayClose(*rec_, "3000", "", "", monthly));
    EXPECT_TRUE(RelativeJumpMayClose(*rec_, "2000", kUnitYearsAhead, monthly));
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_FALSE(RelativeJumpMayClose(*rec_, "2000", kUnitYearsAhead, {}));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kRangeMessage});
}

TEST(NormalizedTypedDate, AgreesWithNormalizeDate) {
    // The 400-year shortcut and the month carry give what NormalizeDate
    // gives, for offsets up to some centuries either way.
    const int kMonths[] = {-30, -12, -1, 0, 1, 2, 12, 13, 25};
    const int kDays[] = {-200000, -146097, -400, -31, -1, 0, 1, 29, 31, 32, 366, 146097, 146098, 300001};
    for (int y : {1600, 1999, 2000, 2024, 2999}) {
        for (int m : kMonths) {
            for (int d : kDays) {
                int ny = y, nm = m, nd = d;
                NormalizeDate(ny, nm, nd);
                EXPECT_EQ(Ymd(NormalizedTypedDate(y, m, d)), std::make_tuple(ny, nm, nd))
                    << y << ' ' << m << ' ' << d;
            }
        }
    }
    EXPECT_FALSE(NormalizedTypedDate(2147483647LL, 13, 1).has_value());
    EXPECT_FALSE(NormalizedTypedDate(2024, 1, 15032385529LL).has_value());
}

TEST_F(JumpsTest, EraConversionMoves) {
    Select(2024, 6, 15);
    EraConvertState s = OpenEraConvert(*rec_, 2024, 6, 15);
    EXPECT_EQ(MoveToEraConverted(*rec_, s, {}), 1) << "without a conversion: the opening date";
    EXPECT_EQ(TargetNow(), std::make_tuple(2024, 6, 15));
    OnConvertToEra(*rec_, s, Cp("1989年1月8日"));
    EXPECT_EQ(MoveToEraConverted(*rec_, s, {}), 1);
    EXPECT_EQ(TargetNow(), std::make_tuple(1989, 1, 8));
    OnConvertToEra(*rec_, s, Cp("2023年2月30日"));  // not normalised: refused
    TakeMessages();
    EXPECT_EQ(MoveToEraConverted(*rec_, s, {}), 0);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kRangeMessage});
    EXPECT_EQ(TargetNow(), std::make_tuple(1989, 1, 8));
}

// What the number fields read, as the window hands them over: CP932 after
// NFKC has made full-width digits, signs and blanks ASCII. "−" (U+2212;
// NFKC leaves it) and "－" share CP932 81 7C; "ー" is 81 5B.
struct TypedCase {
    const char* text;  // UTF-8
    TypedFieldKind kind;
    int value;
    const char* why;
};
const TypedCase kTypedCases[] = {
    {"", TypedFieldKind::Empty, 0, "nothing typed"},
    {"  \t", TypedFieldKind::Empty, 0, "blanks only"},
    {"2030", TypedFieldKind::Number, 2030, "digits"},
    {" 7 ", TypedFieldKind::Number, 7, "blanks around"},
    {"+3", TypedFieldKind::Number, 3, "plus sign"},
    {"-3", TypedFieldKind::Number, -3, "ASCII minus"},
    {"−3", TypedFieldKind::Number, -3, "U+2212 minus sign"},
    {"－3", TypedFieldKind::Number, -3, "full-width hyphen-minus"},
    {"ー3", TypedFieldKind::Number, -3, "the long vowel mark first"},
    {"  ー3", TypedFieldKind::Number, -3, "the long vowel mark after blanks"},
    {"3ー", TypedFieldKind::NotANumber, 0, "the long vowel mark after the digits"},
    {"ー", TypedFieldKind::NotANumber, 0, "a sign alone"},
    {"--3", TypedFieldKind::NotANumber, 0, "two signs"},
    {"12x", TypedFieldKind::NotANumber, 0, "digits then garbage"},
    {"x12", TypedFieldKind::NotANumber, 0, "garbage then digits"},
    {"1 2", TypedFieldKind::NotANumber, 0, "two numbers"},
    {"２０３０", TypedFieldKind::NotANumber, 0, "full-width digits the window has not folded"},
    {"元", TypedFieldKind::NotANumber, 0, "元 is a year only in an era date"},
    {"99999999999", TypedFieldKind::Number, 1000000000, "held to 10^9"},
    {"-99999999999", TypedFieldKind::Number, -1000000000, "held to -10^9"},
};

TEST(TypedNumbers, FieldsAreNumbersEmptyOrRefused) {
    for (const TypedCase& c : kTypedCases) {
        SCOPED_TRACE(c.why);
        const TypedField f = ReadTypedField(Cp(c.text));
        EXPECT_EQ(f.kind, c.kind);
        EXPECT_EQ(f.value, c.value);
    }
}

TEST_F(JumpsTest, FieldsThatAreNotNumbersChangeNothing) {
    struct Case { const char* year; const char* month; const char* day; } const kDirect[] = {
        {"abc", "7", ""}, {"", "", "31x"}, {"2024/5/3", "", ""}, {"", "5月", ""}};
    for (const auto& c : kDirect) {
        SCOPED_TRACE(c.year + std::string("|") + c.month + "|" + c.day);
        Select(2024, 6, 15);
        EXPECT_FALSE(DirectJumpMayClose(*rec_, Cp(c.year), Cp(c.month), Cp(c.day), {}));
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{"年・月・日は数字で入力してください"});
        EXPECT_FALSE(DirectJumpDate(*rec_, Cp(c.year), Cp(c.month), Cp(c.day)).has_value());
        EXPECT_EQ(RunDirectJump(*rec_, Cp(c.year), Cp(c.month), Cp(c.day), {}), -1);
        EXPECT_TRUE(TakeMessages().empty()) << "no range message either";
        EXPECT_EQ(TargetNow(), std::make_tuple(2024, 6, 15));
    }
    for (const char* number : {"abc", " 12x", "1 2"}) {
        SCOPED_TRACE(number);
        EXPECT_FALSE(RelativeJumpMayClose(*rec_, number, kUnitDaysAhead, {}));
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{"移動する数は数字で入力してください"});
        EXPECT_EQ(RunRelativeJump(*rec_, number, kUnitDaysAhead, {}), -1);
        EXPECT_EQ(TargetNow(), std::make_tuple(2024, 6, 15));
    }
    EXPECT_FALSE(RelativeJumpMayClose(*rec_, "abc", -1, {}));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"日付が不正です"}) << "the unit first";
    EXPECT_TRUE(DirectJumpMayClose(*rec_, "", " 2 ", Cp("−1"), {}));
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(JumpsTest, MinusSignsOfAnInputMethodMoveBack) {
    Select(2024, 6, 15);
    EXPECT_EQ(Ymd(DirectJumpDate(*rec_, "", Cp("ー1"), "")), std::make_tuple(2023, 11, 15));
    EXPECT_EQ(Ymd(RelativeJumpDate(*rec_, Cp("－3"), kUnitDaysAhead)), std::make_tuple(2024, 6, 12));
}

TEST_F(JumpsTest, EraConversionTextsThatAreNotDatesShowWhy) {
    Select(2024, 6, 15);
    EraConvertState s = OpenEraConvert(*rec_, 2024, 6, 15);
    const EraConvertState before = s;
    EXPECT_FALSE(RunConvertToWestern(*rec_, s, Cp("x年3月4日")));
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{"和暦の日付は「元年5月1日」のように入力してください"});
    EXPECT_FALSE(RunConvertToEra(*rec_, s, Cp("2024/5/3")));
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{"西暦の日付は「2024年5月3日」のように入力してください"});
    EXPECT_EQ(std::make_tuple(s.westernYear, s.month, s.day, s.eraYear, s.eraIndex),
              std::make_tuple(before.westernYear, before.month, before.day, before.eraYear,
                              before.eraIndex));
    s.eraIndex = 1;  // 平成
    EXPECT_TRUE(RunConvertToWestern(*rec_, s, Cp("元年5月1日")));
    EXPECT_EQ(std::make_tuple(s.westernYear, s.month, s.day), std::make_tuple(1989, 5, 1));
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
}  // namespace kalendo
