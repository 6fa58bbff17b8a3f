#include "almanac/sign_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "almanac/signs.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

std::string U(const char* cp932) { return Utf8FromCp932(cp932); }

std::string Joined(const char* (*row)(int), int first, int last) {
    std::string s;
    for (int i = first; i <= last; ++i) s += U(row(i)) + "|";
    return s;
}

TEST(SignNames, ShortTablesExactly) {
    EXPECT_EQ(Joined(WeekdayName, 0, 6), "日|月|火|水|木|金|土|");
    EXPECT_EQ(Joined(RokuyoName, 0, 5), "先勝|友引|先負|仏滅|大安|赤口|");
    EXPECT_EQ(Joined(RokuyoReading, 0, 5), "せんかち|ともびき|せんまけ|ぶつめつ|たいあん|しゃっく|");
    EXPECT_EQ(Joined(StemName, 0, 9), "甲|乙|丙|丁|戊|己|庚|辛|壬|癸|");
    EXPECT_EQ(Joined(BranchName, 0, 11), "子|丑|寅|卯|辰|巳|午|未|申|酉|戌|亥|");
    EXPECT_EQ(Joined(OfficerName, 0, 11), "建|除|満|平|定|執|破|危|成|納|開|閉|");
    EXPECT_EQ(Joined(MansionName, 0, 27),
              "角|亢|氏|房|心|尾|箕|斗|牛|女|虚|危|室|壁|奎|婁|胃|昴|畢|觜|参|井|鬼|柳|星|張|翼|軫|");
}

struct RowCase { const char* (*row)(int); int index; const char* want; const char* why; };
const RowCase kRowCases[] = {
    {MonthName, 1, "睦月", "month 1"},
    {MonthName, 6, "水無月", "month 6"},
    {MonthNameReading, 6, "みなつき", "month 6"},
    {MonthName, 12, "師走", "month 12"},
    {StemReading, 4, "つちのえ", "戊"},
    {BranchReading, 7, "ひつじ", "未"},
    {BranchReading, 11, "い", "亥"},
    {OfficerReading, 4, "さだん", "定"},
    {MansionReading, 2, "てい", "氏"},
    {MansionReading, 8, "ぎゅう", "牛"},
    {OfficerDescription, 0,
     "「たつ」とは「万物を建て生ずる」の意味。\r\n\r\nそこから着物の新着・家などの新築・財宝の取り納め、"
     "\r\n外出に大吉。\r\n逆に土を動かすこと・船に乗ること・\r\n倉を開くには凶とされた。",
     "建: five lines after the blank one"},
    {OfficerDescription, 6,
     "「やぶる」とは「物事を破壊する」の意味。\r\n\r\nそこから、罪人の処罰・出陣・漁猟・服薬に吉\r\n"
     "。逆に善事に凶とされた。",
     "破 breaks before the 。"},
    {OfficerDescription, 11,
     "「とず」とは「流れが閉じる」の意味。\r\n\r\nそこから、堤や墓を築く事・池を埋める・穴を塞ぐに吉\r\n"
     "。逆にその他の事には凶とされた。",
     "閉, the last row, breaks before the 。"},
    {MansionDescription, 2,
     "＊当て字であり正しくは氏の下に一が書かれる。\r\n\r\n婚礼・開店・酒造り・移転・種蒔きに吉。\r\n"
     "着始め・造作に凶。",
     "氏 explains its stand-in character"},
    {MansionDescription, 8, "万事に吉。鬼につぐ吉日で、\r\n午（うま）の刻を除いて大吉祥の日。",
     "牛, full-width parentheses"},
    {MansionDescription, 27, "万事に吉。\r\nただし、衣類裁断すれば火難に合う。", "軫, the last row"},
};

TEST(SignNames, ExactRows) {
    for (const RowCase& c : kRowCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(U(c.row(c.index)), c.want);
    }
}

struct TableCase { const char* (*row)(int); int first, count; const char* name; };
const TableCase kTables[] = {
    {WeekdayName, 0, kWeekdayNameCount, "weekday names"},
    {MonthName, 1, kMonthNameCount, "month names"},
    {MonthNameReading, 1, kMonthNameCount, "month name readings"},
    {RokuyoName, 0, kRokuyoNameCount, "rokuyo names"},
    {RokuyoReading, 0, kRokuyoNameCount, "rokuyo readings"},
    {StemName, 0, kStemNameCount, "stems"},
    {StemReading, 0, kStemNameCount, "stem readings"},
    {BranchName, 0, kBranchNameCount, "branches"},
    {BranchReading, 0, kBranchNameCount, "branch readings"},
    {OfficerName, 0, kOfficerNameCount, "officers"},
    {OfficerReading, 0, kOfficerNameCount, "officer readings"},
    {OfficerDescription, 0, kOfficerNameCount, "officer descriptions"},
    {MansionName, 0, kMansionNameCount, "mansions"},
    {MansionReading, 0, kMansionNameCount, "mansion readings"},
    {MansionDescription, 0, kMansionNameCount, "mansion descriptions"},
};

// Every row inside a table is a text that fits a 1024-byte field and is
// valid code page 932; just outside, on both sides, is "".
TEST(SignNames, EveryTableHasItsRowsAndNoMore) {
    for (const TableCase& t : kTables) {
        SCOPED_TRACE(t.name);
        EXPECT_STREQ(t.row(t.first - 1), "");
        EXPECT_STREQ(t.row(t.first + t.count), "");
        for (int i = t.first; i < t.first + t.count; ++i) {
            const char* row = t.row(i);
            EXPECT_GT(std::strlen(row), 0u) << i;
            EXPECT_LT(std::strlen(row), 1024u) << i;
            EXPECT_EQ(U(row).find("\xEF\xBF\xBD"), std::string::npos) << i;
        }
    }
}

TEST(SignNames, SexagenaryNameOfADay) {
    const int n = SexagenaryDay(2000, 1, 1);
    EXPECT_EQ(U(StemName((n - 1) % 10)) + U(BranchName((n - 1) % 12)), "戊午");
}

TEST(SignNames, MansionOfADayNormalisesTheDate) {
    EXPECT_EQ(U(MansionNameOfDay(2000, 1, 1)), "胃");
    EXPECT_EQ(U(MansionReadingOfDay(2024, 1, 1)), "ひつ");
    EXPECT_EQ(U(MansionNameOfDay(1984, 2, 2)), "角");
    EXPECT_STREQ(MansionNameOfDay(2024, 0, 32), MansionNameOfDay(2024, 1, 1)) << "month 0, day 32";
    EXPECT_STREQ(MansionNameOfDay(2000, 1, 0), MansionName(15)) << "1999-12-31 is 婁";
    EXPECT_STREQ(MansionDescriptionOfDay(2023, 13, 1), MansionDescription(18));
}

}  // namespace
}  // namespace kalendo
