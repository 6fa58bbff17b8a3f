#include "almanac/era_convert.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "almanac/era.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

std::string Cp(const std::string& utf8) { return Cp932FromUtf8(utf8); }
std::string Utf(const std::string& cp932) { return Utf8FromCp932(cp932); }

std::tuple<int, int, int, int, int> Fields(const EraConvertState& s) {
    return {s.westernYear, s.month, s.day, s.eraYear, s.eraIndex};
}

class EraConvertTest : public ::testing::Test {
protected:
    EraConvertTest() : rec_(std::make_unique<MonthRecord>()) {
        // Newest first, each entry on the last day of the era before it.
        EXPECT_FALSE(LoadEras(*rec_, Cp("令和 2019/04/30\n"
                                        "平成 1989/01/07\n"
                                        "昭和 1926/12/24\n"
                                        "大正 1912/07/29\n"))
                         .has_value());
    }
    // The dialog opens on the target date, whose era year the month
    // computation has put into the record.
    EraConvertState Open(int y, int m, int d, int eraYear) {
        rec_->eraYear = eraYear;
        return OpenEraConvert(*rec_, y, m, d);
    }
    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
};

TEST_F(EraConvertTest, OpensOnTheTargetDate) {
    const EraConvertState s = Open(2024, 6, 5, 6);
    EXPECT_EQ(Fields(s), std::make_tuple(2024, 6, 5, 6, 0));
    EXPECT_EQ(Utf(EraDateText(s)), " 6年 6月 5日");
    EXPECT_EQ(Utf(WesternDateText(s)), "2024年 6月 5日");
    EXPECT_EQ(Open(1989, 1, 7, 64).eraIndex, 2) << "an entry's own date is the older era";
}

struct ToWesternCase {
    int eraIndex;
    const char* text;
    int wantYear, wantMonth, wantDay, wantEraYear;
    const char* westernText;
    const char* why;
};
const ToWesternCase kToWesternCases[] = {
    {0, "1年1月10日", 2019, 1, 10, 1, "2019年 1月10日",
     "era year 1 is the entry's year, even for a day before the era began"},
    {1, "1年1月8日", 1989, 1, 8, 1, "1989年 1月 8日", "平成 1"},
    {2, "64年1月7日", 1989, 1, 7, 64, "1989年 1月 7日", "昭和 64"},
    {3, "15年12月25日", 1926, 12, 25, 15, "1926年12月25日", "大正 15"},
    {1, "31年", 2019, 6, 15, 31, "2019年 6月15日", "only the year parses: month and day stay"},
    {1, "元年5月1日", 1989, 5, 1, 1, "1989年 5月 1日", "元年 is era year 1"},
    {0, " 元 年 ", 2019, 6, 15, 1, "2019年 6月15日", "元年 with blanks, nothing after it"},
    {3, "ー1年1月1日", 1910, 1, 1, -1, "1910年 1月 1日", "a leading long vowel mark is a minus"},
    {1, " 2年 3月 4日 ", 1990, 3, 4, 2, "1990年 3月 4日", "the dialog's own format, blanks after"},
    {-1, "3年2月1日", 1914, 2, 1, 3, "1914年 2月 1日", "no era selected: the oldest entry"},
};

TEST_F(EraConvertTest, ConvertToWestern) {
    for (const ToWesternCase& c : kToWesternCases) {
        SCOPED_TRACE(c.why);
        EraConvertState s = Open(2024, 6, 15, 6);
        s.eraIndex = c.eraIndex;
        OnConvertToWestern(*rec_, s, Cp(c.text));
        EXPECT_EQ(std::make_tuple(s.westernYear, s.month, s.day, s.eraYear),
                  std::make_tuple(c.wantYear, c.wantMonth, c.wantDay, c.wantEraYear));
        EXPECT_EQ(Utf(WesternDateText(s)), c.westernText);
    }
}

struct ToEraCase {
    const char* text;
    int wantYear, wantMonth, wantDay, wantEraYear, wantIndex;
    const char* eraText;
    const char* why;
};
const ToEraCase kToEraCases[] = {
    {"1989年1月7日", 1989, 1, 7, 64, 2, "64年 1月 7日", "an entry's own date: the older era"},
    {"1989年1月8日", 1989, 1, 8, 1, 1, " 1年 1月 8日", "the day after: era year 1"},
    {"2019年4月30日", 2019, 4, 30, 31, 1, "31年 4月30日", "the last day of 平成"},
    {"2019年5月1日", 2019, 5, 1, 1, 0, " 1年 5月 1日", "the first day of 令和"},
    {"1926年7月31日", 1926, 7, 31, 15, 3, "15年 7月31日", "before the December entry of 1926"},
    {"2020年", 2020, 6, 15, 2, 0, " 2年 6月15日", "only the year: month and day stay"},
    {" 2021 年1月1日", 2021, 1, 1, 3, 0, " 3年 1月 1日", "blanks around a number are allowed"},
    {"2019年5月1日 ", 2019, 5, 1, 1, 0, " 1年 5月 1日", "blanks after 日"},
    {"2019年5月", 2019, 5, 15, 1, 0, " 1年 5月15日", "the text may end after a mark"},
};

TEST_F(EraConvertTest, ConvertToEra) {
    for (const ToEraCase& c : kToEraCases) {
        SCOPED_TRACE(c.why);
        EraConvertState s = Open(2024, 6, 15, 6);
        OnConvertToEra(*rec_, s, Cp(c.text));
        EXPECT_EQ(Fields(s), std::make_tuple(c.wantYear, c.wantMonth, c.wantDay, c.wantEraYear,
                                             c.wantIndex));
        EXPECT_EQ(Utf(EraDateText(s)), c.eraText);
    }
}

TEST_F(EraConvertTest, OnlyTheFirst1023BytesAreRead) {
    EraConvertState s = Open(2024, 6, 15, 6);
    OnConvertToEra(*rec_, s, std::string(1020, ' ') + "2020" + Cp("年"));
    EXPECT_EQ(s.westernYear, 202) << "the number is cut after 1023 bytes";
    OnConvertToEra(*rec_, s, std::string(1023, ' ') + "1990");
    EXPECT_EQ(s.westernYear, 202) << "nothing of the number is read";
}

TEST_F(EraConvertTest, HugeNumbersDoNotOverflow) {
    EraConvertState s = Open(2024, 6, 15, 6);
    OnConvertToEra(*rec_, s, Cp("99999999999年1月1日"));
    EXPECT_EQ(s.westernYear, 1000000000);
    EXPECT_EQ(s.eraYear, 1000000000 - 2019 + 1);
    s.eraIndex = 3;
    OnConvertToWestern(*rec_, s, Cp("-99999999999年1月1日"));
    EXPECT_EQ(s.westernYear, 1912 - 1000000000 - 1);
}

TEST_F(EraConvertTest, RoundTripOverEveryMonth) {
    // Western -> era -> Western gives the year back for every month since
    // the oldest era began.
    for (int y = 1913; y <= 2100; ++y) {
        for (int m = 1; m <= 12; ++m) {
            EraConvertState s = Open(2024, 6, 15, 6);
            OnConvertToEra(*rec_, s, WesternDateText(EraConvertState{y, m, 28, 0, 0}));
            const int index = s.eraIndex;
            s.westernYear = 0;
            OnConvertToWestern(*rec_, s, EraDateText(s));
            ASSERT_EQ(s.westernYear, y) << y << '-' << m << " era " << index;
            ASSERT_EQ(std::make_tuple(s.month, s.day), std::make_tuple(m, 28));
        }
    }
}

TEST_F(EraConvertTest, TextsThatAreNotDatesChangeNothing) {
    struct Case { bool toWestern; const char* text; const char* why; } const kCases[] = {
        {true, "x年3月4日", "no number"},
        {true, "元5月1日", "元 without 年"},
        {true, "元元年", "元 twice"},
        {false, "元年5月1日", "元年 is no Western year"},
        {false, "2024/5/3", "slashes instead of the marks"},
        {false, "2024年5月3日(金)", "text after 日"},
        {false, "2024年5日", "a mark out of place"},
        {false, "2024年5月3日4", "a number after 日"},
        {true, "1年2月3日x", "garbage at the end"},
        {false, "２０２４年", "full-width digits the window has not folded"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.why);
        EraConvertState s = Open(2024, 6, 15, 6);
        const auto before = Fields(s);
        EXPECT_FALSE(c.toWestern ? OnConvertToWestern(*rec_, s, Cp(c.text))
                                 : OnConvertToEra(*rec_, s, Cp(c.text)));
        EXPECT_EQ(Fields(s), before);
    }
}

// Found by fuzzing: a refused Western text leaves a selection outside the
// era list where it was (the list decides nothing then).
TEST_F(EraConvertTest, RefusedTextKeepsASelectionOutsideTheList) {
    EraConvertState s = Open(2024, 6, 15, 6);
    s.eraIndex = -1;
    const auto before = Fields(s);
    EXPECT_FALSE(OnConvertToEra(*rec_, s, Cp("2020年'")));
    EXPECT_EQ(Fields(s), before);
}

TEST_F(EraConvertTest, EmptyTextChangesNothingAndIsNoError) {
    EraConvertState s = Open(2024, 6, 15, 6);
    EXPECT_TRUE(OnConvertToEra(*rec_, s, "  "));
    EXPECT_EQ(Fields(s), std::make_tuple(2024, 6, 15, 6, 0));
}

}  // namespace
}  // namespace kalendo
