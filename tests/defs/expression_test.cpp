#include "defs/expression.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <tuple>

#include "almanac/signs.h"
#include "core/day_arith.h"
#include "month/compute_month.h"
#include "platform/console_platform.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

// Target date 2024-06-15, a Saturday. 1 January 2024 is a Monday and the day
// 甲子 (sexagenary 1, stem 甲, branch 子). No holidays are loaded, so only
// Saturdays and Sundays are days off.
class ExpressionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ComputeMonth(*rec_, 2024, 6, 15, {}), 1); }

    EvaluatedDate Evaluate(const std::string& utf8) {
        DefinitionEntry e = kFreshDefinitionEntry;
        CopyText(e.name, Cp932FromUtf8("テスト").c_str());
        CopyText(e.expression, Cp932FromUtf8(utf8).c_str());
        ReadExpression(e);
        EvaluatedDate date;
        EvaluateExpression(*rec_, e, date);
        return date;
    }

    // The fatal message of an expression as UTF-8, or "(none)".
    std::string FatalMessage(const std::string& utf8) {
        try {
            Evaluate(utf8);
        } catch (const FatalExit& fatal) {
            return Utf8FromCp932(fatal.message);
        }
        return "(none)";
    }

    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_ = std::make_unique<MonthRecord>();
};

struct ExprCase {
    const char* expr;
    int y, m, d;
    const char* why;
    int oldCalendar = 0;
    int leapFlag = 0;
};

const ExprCase kExprCases[] = {
    // Worked examples of 2024.
    {"1/Mon2", 2024, 1, 8, "second Monday"},
    {"9/Mon3", 2024, 9, 16, "third Monday"},
    {"10/Mon99", 2024, 10, 28, "99: the last Monday"},
    {"2/Sun", 2024, 1, 28, "no ordinal is 0: the Sunday before the first"},
    {"1/十干・甲2", 2024, 1, 11, "second 甲 day"},
    {"1/十二支・子2", 2024, 1, 13, "second 子 day"},
    {"3/六十干支・1", 2024, 3, 1, "the 甲子 day of March"},
    {"2/六十干支・1", 2024, 2, 0, "February 2024 has no 甲子 day: no day"},
    {"5/6<Sat", 2024, 5, 11, "on or after"},
    {"5/6>Sun", 2024, 5, 5, "on or before"},
    {"5/6=Sat", 2024, 5, 4, "nearest: two days back beats five ahead"},
    {"5/Mon<休日", 2024, 4, 29, "operator right after a keyword is not seen"},
    {"12/25+7", 2025, 1, 1, "an offset runs into the next year"},
    {"13/1", 2025, 1, 1, "month 13 is January of the next year"},
    {"0/31", 2023, 12, 31, "month 0 is December of the year before"},
    {"1/1|3", 2024, 1, 1, "limit after the date keeps it"},
    {"5/1|3", 2024, 5, 0, "limit on or before the date: no day"},
    {"100/15", 2024, 6, 15, "100 is the target month"},
    {"100/Sat100", 2024, 6, 15, "the target day is a Saturday"},
    {"100/Sun100", 2024, 6, 0, "the target day is no Sunday: no day"},
    {"旧閏4/1", 2024, 4, 1, "leap lunisolar month", 1, 1},
    {"旧1/1", 2024, 1, 1, "lunisolar month", 1, 0},

    // The solar form. Angles run from this year's spring equinox.
    {"Deg0", 2024, 3, 20, "spring equinox"},
    {"Deg90", 2024, 6, 21, "summer solstice"},
    {"Deg180", 2024, 9, 22, "autumn equinox"},
    {"Deg-75", 2024, 1, 6, "小寒 before the equinox takes a negative angle"},
    {"Deg-45", 2024, 2, 4, "立春"},
    {"Deg315", 2025, 2, 3, "315 is the next year's 立春"},
    {"Deg-180", 2023, 9, 23, "the lowest angle: last year's autumn equinox"},
    {"Deg15", 2024, 4, 4, "清明"},
    {"Deg15.9", 2024, 4, 5, "the fraction counts: 0.9 deg is most of a day"},
    {"Deg0+1", 2024, 3, 21, "operators after an angle"},
    {"Deg1e2", 2024, 3, 21, "no exponent: the angle reads 1"},
    {"Deg-15+1", 2024, 3, 6, "the angle's own minus is no operator; the plus is"},

    // Ordinals of every kind.
    {"1/Sun1", 2024, 1, 7, "first Sunday"},
    {"1/Tue1", 2024, 1, 2, "first Tuesday"},
    {"1/Wed1", 2024, 1, 3, "first Wednesday"},
    {"1/Thr1", 2024, 1, 4, "Thursday is Thr"},
    {"1/Fri1", 2024, 1, 5, "first Friday"},
    {"1/Sat1", 2024, 1, 6, "first Saturday"},
    {"1/Mon5", 2024, 1, 29, "fifth Monday"},
    {"1/Mon6", 2024, 2, 5, "sixth Monday runs into February"},
    {"1/Mon0", 2023, 12, 25, "ordinal 0 runs into December"},
    {"1/Month2", 2023, 12, 25, "Mon matches; its ordinal is read at \"th2\": 0"},
    {"2/Thr99", 2024, 2, 29, "last Thursday of a leap February"},
    {"13/Sun99", 2025, 1, 26, "last Sunday of month 13"},
    {"0/Sun99", 2023, 12, 31, "last Sunday of month 0"},
    {"1/十干・己1", 2024, 1, 6, "己 reads its ordinal"},
    {"1/十二支・寅2", 2024, 1, 15, "寅 reads its ordinal"},
    {"1/十干・甲99", 2024, 1, 31, "last 甲 day of January"},
    {"6/十干・甲0", 2024, 6, 0, "stem marker 0: the target day is no 甲 day"},
    {"6/十二支・子0", 2024, 6, 0, "branch marker 0: the target day is no 子 day"},
    {"13/六十干支・37", 2025, 1, 31, "month 13 is searched to its 31st day"},
    {"0/六十干支・60", 2023, 12, 31, "month 0 is searched to its 31st day"},
    {"0/六十干支・1", 2024, 0, 0, "no day: month 0 stays unnormalised"},
    {"1/Mon-1", 2024, 1, 0, "negative ordinal: no day"},
    {"1/平日", 2024, 1, 0, "a day class in the day part: no day"},
    {"100/Sun100+1", 2024, 6, 0, "no day: operators are not applied"},
    {"100/Sun100<", 2024, 6, 0, "no day: an operator is not even read"},

    // Numbers are read as atoi reads them.
    {"+5/1", 2024, 5, 1, "a leading plus is taken"},
    {"1/Mon+2", 2024, 1, 8, "the plus at the cursor is the ordinal's sign"},
    {"1/05", 2024, 1, 5, "leading zero"},
    {"1/-5", 2024, 1, 5, "the day-token search skips the minus"},

    // Every byte position is examined: ギ is 0x83 'M', so "ギon" holds "Mon".
    {"1/ギon2", 2024, 1, 8, "a trail byte begins a keyword"},

    // Search operators.
    {"1/1<十干・甲", 2024, 1, 1, "the starting day is a candidate"},
    {"1/2<十干・甲", 2024, 1, 11, "stem on or after"},
    {"1/2>十二支・子", 2024, 1, 1, "branch on or before"},
    {"1/6=十干・甲", 2024, 1, 1, "equal distance: the earlier day wins"},
    {"1/2<六十干支・1", 2024, 3, 1, "60 candidates reach the next 甲子"},
    {"6/1<満月", 2024, 6, 22, "full moon on or after"},
    {"6/30>下弦", 2024, 6, 29, "last quarter on or before"},
    {"5/4<平日", 2024, 5, 6, "working day on or after a Saturday"},
    {"5/4>平日", 2024, 5, 3, "working day on or before"},
    {"5/4=平日", 2024, 5, 3, "nearest working day"},
    {"5/1<休日", 2024, 5, 4, "day off on or after"},
    {"5/6<Sat+1", 2024, 5, 12, "operators chain left to right"},
    {"5/6+1+1-3", 2024, 5, 5, "plus and minus"},
    {"1/1-1", 2023, 12, 31, "minus into the year before"},

    // Moon phases in the day part: the number selects the phase.
    {"6/満月180", 2024, 6, 22, "full moon"},
    {"6/満月", 2024, 6, 6, "a moon keyword alone is the new moon"},
    {"6/新月90", 2024, 6, 14, "first quarter"},
    {"6/新月45", 2024, 6, 0, "no phase 45: no day"},

    // Limits.
    {"1/1|Deg0", 2024, 1, 1, "before the equinox"},
    {"3/19|Deg0", 2024, 3, 19, "the day before the limit day"},
    {"3/20|Deg0", 2024, 3, 0, "on the limit day: no day"},
    {"12/31|13", 2024, 12, 31, "limit month 13 is next January"},
    {"12/31+1|13", 2025, 1, 0, "on next 1 January: no day"},
    {"1/1|3+5", 2024, 1, 1, "text after the limit is ignored"},

    // Lunisolar dates keep lunisolar month and day numbers.
    {"旧2/30", 2024, 2, 30, "the 30th of the second lunisolar month", 1, 0},
    {"旧2/31", 2024, 3, 2, "beyond 30: normalised as before", 1, 0},
    {"旧12/30+1", 2024, 12, 31, "day 31 after an offset is normalised", 1, 0},
    {"旧12/30+2", 2025, 1, 1, "day 32 runs into the next year", 1, 0},
    {"旧13/1", 2025, 1, 1, "month 13 is normalised", 1, 0},
};

TEST_F(ExpressionTest, Examples2024) {
    for (const ExprCase& c : kExprCases) {
        SCOPED_TRACE(std::string(c.expr) + ": " + c.why);
        const EvaluatedDate e = Evaluate(c.expr);
        EXPECT_EQ(std::tie(e.year, e.month, e.day), std::tie(c.y, c.m, c.d));
        EXPECT_EQ(e.oldCalendar, c.oldCalendar);
        EXPECT_EQ(e.leapFlag, c.leapFlag);
    }
}

// An expression keeps its first steps as read; the rest are read on from
// the text at each evaluation. Chains of every length across that boundary
// give the same days, limits and faults, the ones after the boundary too.
TEST_F(ExpressionTest, LongChainsReadOnPastTheKeptSteps) {
    for (int n = 0; n <= 2 * kKeptExpressionSteps; ++n) {
        SCOPED_TRACE(n);
        std::string plus;
        for (int i = 0; i < n; ++i) plus += "+1";
        // 2024-06-01 is a Saturday.
        EXPECT_EQ(Evaluate("6/1" + plus).day, 1 + n);
        EXPECT_EQ(Evaluate("6/1" + plus + "<Sat").day, 1 + (n + 6) / 7 * 7);
        EXPECT_EQ(Evaluate("6/2" + plus + "-1|7").day, 1 + n);
        EXPECT_EQ(Evaluate("7/1" + plus + "|7").day, 0);
        EXPECT_EQ(FatalMessage("6/1" + plus + "<Sxx+1"), "テストの表現式Sxx+1に誤りがあります");
        EXPECT_EQ(FatalMessage("6/1" + plus + "|x"), "日付表現式 テスト の x に誤りがあります");
        EXPECT_EQ(FatalMessage("100/Sun100" + plus + "<Sxx"), "(none)") << "no day: not read";
    }
}

TEST_F(ExpressionTest, EveryStemAndBranchReadsItsOrdinal) {
    // January 2024 starts on 甲子: stem k first falls on day k + 1, branch k too.
    const char* const stems[] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
    const char* const branches[] = {"子", "丑", "寅", "卯", "辰", "巳",
                                    "午", "未", "申", "酉", "戌", "亥"};
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(stems[k]);
        EXPECT_EQ(Evaluate(std::string("1/十干・") + stems[k] + "2").day, k + 11);
    }
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(branches[k]);
        EXPECT_EQ(Evaluate(std::string("1/十二支・") + branches[k] + "2").day, k + 13);
    }
}

// The searches for a day sign ("<", ">", "=" and the keyword of the day
// part) against the sign of each candidate day asked one by one: every
// weekday, stem, branch and sexagenary value, from start days inside and
// outside their month, in a year and months 0 and 13 around it.
TEST_F(ExpressionTest, SignSearchesFindTheDayAWalkFinds) {
    struct Family {
        std::string (*keyword)(int value);
        int cycle, first;
        int (*sign)(int y, int m, int d);
    };
    const char* const stems[] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
    const char* const branches[] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
    static const char* const* stemNames = stems;
    static const char* const* branchNames = branches;
    const Family kFamilies[] = {
        {[](int v) { return std::string(std::array{"Sun", "Mon", "Tue", "Wed", "Thr", "Fri", "Sat"}[v]); },
         7, 0, [](int y, int m, int d) { NormalizeDate(y, m, d); return Weekday(y, m, d); }},
        {[](int v) { return std::string("十干・") + stemNames[v]; }, 10, 0, DayStemIndex},
        {[](int v) { return std::string("十二支・") + branchNames[v]; }, 12, 0, DayBranchIndex},
        {[](int v) { return "六十干支・" + std::to_string(v); }, 60, 1, SexagenaryDay},
    };
    for (const Family& f : kFamilies) {
        for (int v = f.first; v < f.first + f.cycle; v += f.cycle == 60 ? 7 : 1) {
            const std::string key = f.keyword(v);
            SCOPED_TRACE(key);
            for (const int m : {0, 2, 13}) {
                for (const int start : {0, 1, 15, 29, 31, 40}) {
                    const std::string day = std::to_string(m) + "/" + std::to_string(start);
                    auto walk = [&](int step) {
                        int d = start;
                        while (f.sign(2024, m, d) != v) d += step;
                        return d;
                    };
                    int ahead = walk(+1), back = walk(-1);
                    const int nearest = start - back <= ahead - start ? back : ahead;
                    for (const auto& [op, want] : {std::pair{'<', ahead}, {'>', back}, {'=', nearest}}) {
                        int y = 2024, mm = m, d = want;
                        NormalizeDate(y, mm, d);
                        const EvaluatedDate e = Evaluate(day + op + key);
                        EXPECT_EQ(std::tie(e.year, e.month, e.day), std::tie(y, mm, d)) << day << op;
                    }
                }
            }
        }
    }
    // A value no day carries: the day stays.
    EXPECT_EQ(Evaluate("5/10<六十干支・61").day, 10);
}

TEST_F(ExpressionTest, AnglesBeyondADouble) {
    const std::string zeros(400, '0');
    const EvaluatedDate tiny = Evaluate("Deg0." + zeros + "1");
    EXPECT_EQ(std::tie(tiny.year, tiny.month, tiny.day), std::make_tuple(2024, 3, 20))
        << "too small for a double: 0";
    EXPECT_EQ(FatalMessage("Deg1" + zeros), "テストの表現式1" + zeros + "に誤りがあります");
}

TEST_F(ExpressionTest, NumbersAreCapped) {
    // Beyond six digits a number reads as 999999: same day, no overflow.
    const EvaluatedDate capped = Evaluate("1/1+999999");
    for (const char* expr : {"1/1+1000000", "1/1+2147483648", "1/1+99999999999999999999"}) {
        SCOPED_TRACE(expr);
        const EvaluatedDate e = Evaluate(expr);
        EXPECT_EQ(std::tie(e.year, e.month, e.day),
                  std::tie(capped.year, capped.month, capped.day));
    }
    EXPECT_EQ(capped.year, 2024 + 2737);
}

TEST_F(ExpressionTest, TargetMarkersFollowTheTargetDate) {
    // 2024-06-16 is a Sunday and the day 甲子 + 167 = 辛亥 (stem 7, branch 11).
    ASSERT_EQ(ComputeMonth(*rec_, 2024, 6, 16, {}), 1);
    EXPECT_EQ(Evaluate("100/Sun100").day, 16);
    EXPECT_EQ(Evaluate("100/十干・辛0").day, 16);
    EXPECT_EQ(Evaluate("100/十二支・亥0").day, 16);
    EXPECT_EQ(Evaluate("100/十干・甲0").day, 0);
    ASSERT_EQ(ComputeMonth(*rec_, 2024, 7, 1, {}), 1);
    EXPECT_EQ(Evaluate("100/1").month, 7);
}

struct FatalCase {
    const char* expr;
    const char* message;
    const char* why;
};

const FatalCase kFatalCases[] = {
    {"14/1", "テストの表現式14/1に誤りがあります", "month above 13"},
    {"-1/1", "テストの表現式-1/1に誤りがあります", "negative month"},
    {"101/1", "テストの表現式101/1に誤りがあります", "month 101"},
    {"1/1|x", "日付表現式 テスト の x に誤りがあります", "limit neither Deg nor digit"},
    {"1/1|", "日付表現式 テスト の  に誤りがあります", "nothing after the limit mark"},
    {"1/1|-3", "日付表現式 テスト の -3 に誤りがあります", "a signed limit month"},
    {"5", "テストの表現式5に誤りがあります", "no '/': shown from the month"},
    {"5/", "テストの表現式/に誤りがあります", "no day token: shown from the '/'"},
    {"5/xyz", "テストの表現式/xyzに誤りがあります", "no day token in the rest"},
    {"5/Foo", "テストの表現式Fooに誤りがあります", "unknown keyword"},
    {"5/Thu1", "テストの表現式Thu1に誤りがあります", "Thursday is Thr"},
    {"Deg", "テストの表現式Degに誤りがあります", "no angle: the whole expression"},
    {"Degx", "テストの表現式Degxに誤りがあります", "no angle after Deg"},
    {"Deg360", "テストの表現式360に誤りがあります", "360 is beyond the last term"},
    {"Deg-181", "テストの表現式-181に誤りがあります", "below -180"},
    {"Deg-180.5", "テストの表現式-180.5に誤りがあります", "just below -180"},
    {"1/1|Deg360", "テストの表現式360に誤りがあります", "limit angle too large"},
    {"1/1|Deg-200", "テストの表現式-200に誤りがあります", "limit angle too small"},
    {"旧", "テストの表現式に誤りがあります", "no number after 旧"},
    {"旧閏", "テストの表現式閏に誤りがあります", "no number after 旧閏"},
    {"1/1+", "テストの表現式に誤りがあります", "no number after +"},
    {"1/1-x", "テストの表現式xに誤りがあります", "no number after -"},
    {"1/1<", "テストの表現式<に誤りがあります", "nothing after <"},
    {"1/1=ab", "テストの表現式=abに誤りがあります", "no token after ="},
    {"1/1<Foo", "テストの表現式Fooに誤りがあります", "unknown keyword after <"},
    {"1/1>5", "テストの表現式5に誤りがあります", "a number after >"},
};

TEST_F(ExpressionTest, FatalMessages) {
    for (const FatalCase& c : kFatalCases) {
        SCOPED_TRACE(std::string(c.expr) + ": " + c.why);
        EXPECT_EQ(FatalMessage(c.expr), c.message);
    }
}

TEST_F(ExpressionTest, FaultInsideACharacterShowsTheBytesFromThere) {
    // The trail byte 'M' of ギ is a day token; "M" alone is no keyword, and the
    // message shows the bytes from the trail byte on.
    EXPECT_EQ(FatalMessage("1/ギ"), "テストの表現式Mに誤りがあります");
}

TEST_F(ExpressionTest, FatalEndsTheProcessWithStatus3) {
    EXPECT_EXIT(
        {
            ConsolePlatform console;
            SetPlatform(&console);
            Evaluate("14/1");
        },
        ::testing::ExitedWithCode(kFatalExitStatus), "14/1");
}

// Two computations check each other: the term table (a search for each 15
// deg step) and SolarLongitudeDate (a search from the term before). At every
// multiple of 15 they must name the same day; between them the days never
// go back and advance by at most two a degree.
TEST(SolarLongitudeDate, AgreesWithTheTermTable) {
    ScopedRecordingPlatform platform;
    auto rec = std::make_unique<MonthRecord>();
    for (int year : {1600, 1873, 2024, 2033, 2999}) {
        SCOPED_TRACE(year);
        ASSERT_EQ(ComputeMonth(*rec, year, 1, 1, {}), 1);
        for (int k = 17; k <= 52; ++k) {
            const CalendarDate date = SolarLongitudeDate(*rec, 15 * k - 435);
            EXPECT_EQ(std::tie(date.year, date.month, date.day),
                      std::tie(rec->terms.years[k], rec->terms.months[k], rec->terms.days[k]))
                << "term " << k;
        }
        double previousJd = 0;
        for (double angleDeg = -180; angleDeg < 360; angleDeg += 0.5) {
            const CalendarDate date = SolarLongitudeDate(*rec, angleDeg);
            const double jd = JulianDate(date.year, date.month, date.day);
            if (previousJd != 0) {
                EXPECT_GE(jd, previousJd) << angleDeg;
                EXPECT_LE(jd - previousJd, 1) << angleDeg;
            }
            previousJd = jd;
        }
    }
}

struct KeywordCase {
    const char* text;
    DayKeywordKind kind;
    int value;
    int endBytes;  // bytes from the start to the keyword's end; -1: none
};

TEST(LookUpDayKeyword, Table) {
    using K = DayKeywordKind;
    const KeywordCase cases[] = {
        {"Sun", K::Weekday, 0, 3},     {"Mon2", K::Weekday, 1, 3},   {"Monkey", K::Weekday, 1, 3},
        {"Tue", K::Weekday, 2, 3},     {"Wed", K::Weekday, 3, 3},    {"Thr", K::Weekday, 4, 3},
        {"Fri", K::Weekday, 5, 3},     {"Sat", K::Weekday, 6, 3},    {"Thu", K::Unknown, 0, -1},
        {"sun", K::Unknown, 0, -1},    {"平日", K::DayClass, 0, 4},  {"休日", K::DayClass, 1, 4},
        {"十干・甲", K::Stem, 0, 8},   {"十干・癸3", K::Stem, 9, 8},
        {"十二支・子", K::Branch, 0, 10}, {"十二支・亥", K::Branch, 11, 10},
        {"六十干支・37", K::Sexagenary, 37, 10}, {"六十干支・", K::Sexagenary, 0, 10},
        {"新月", K::MoonPhase, 0, 4},  {"上弦", K::MoonPhase, 1, 4},
        {"満月180", K::MoonPhase, 2, 4}, {"下弦", K::MoonPhase, 3, 4},
        {"十干", K::Unknown, 0, -1},   {"", K::Unknown, 0, -1},
    };
    for (const KeywordCase& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string text = Cp932FromUtf8(c.text);
        const DayKeyword k = LookUpDayKeyword(text.c_str());
        EXPECT_EQ(k.kind, c.kind);
        if (c.endBytes < 0) {
            EXPECT_EQ(k.end, nullptr);
        } else {
            EXPECT_EQ(k.value, c.value);
            EXPECT_EQ(k.end, text.c_str() + c.endBytes);
        }
    }
}

}  // namespace
}  // namespace kalendo
