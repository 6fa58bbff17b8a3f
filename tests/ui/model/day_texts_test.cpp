#include "ui/model/day_texts.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "almanac/sign_names.h"
#include "astro/astronomy.h"
#include "astro/longitude.h"
#include "astro/lunisolar.h"
#include "model_test_support.h"
#include "ui/model/text_format.h"
#include "ui/model/view_state.h"

namespace kalendo {
namespace {

using testing_support::Cp;
using testing_support::ModelTest;
using testing_support::Utf;

class DayTextsTest : public ModelTest {};

// printf's "%.1f" with the tests' C locale: an independent way to the
// digits the panes must show.
std::string OneDecimal(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

struct PaneCase {
    int y, m, d;
    const char* date;
    const char* oldCalendar;
    const char* yearSign;
    const char* why;
};
const PaneCase kPaneCases[] = {
    {2023, 3, 22, "2023/令和 5年 3月22日", " 旧歴 閏 2月 1日 友引", "癸卯の年 弥生",
     "first day of a leap 2nd month: 閏 with the positive number"},
    {2024, 1, 1, "2024/令和 6年 1月 1日", " 旧歴 11月20日 赤口", "甲辰の年 睦月",
     "January is 睦月 whatever the lunisolar month; the year sign changes on 1 January"},
    {1984, 1, 15, "1984/昭和59年 1月15日", " 旧歴 12月13日 赤口", "甲子の年 睦月",
     "甲子 before the lunisolar new year"},
    {2019, 5, 1, "2019/令和 1年 5月 1日", " 旧歴  3月27日 大安", "己亥の年 皐月",
     "the first day after an era entry is era year 1"},
    {2019, 4, 30, "2019/平成31年 4月30日", " 旧歴  3月26日 仏滅", "己亥の年 卯月",
     "the entry's own date belongs to the older era"},
};

TEST_F(DayTextsTest, DateOldCalendarAndYearSignPanes) {
    for (const PaneCase& c : kPaneCases) {
        SCOPED_TRACE(c.why);
        Select(c.y, c.m, c.d);
        EXPECT_EQ(Utf(DatePaneText(*rec_)), c.date);
        EXPECT_EQ(Utf(OldCalendarPaneText(*rec_)), c.oldCalendar);
        EXPECT_EQ(Utf(YearSignPaneText(*rec_)), c.yearSign);
    }
}

TEST_F(DayTextsTest, MoonPaneOnAFullMoonDay) {
    // Full moon of 22 June 2024 (10 h JST): the mark follows the number directly.
    Select(2024, 6, 22);
    EXPECT_EQ(Utf(MoonPaneText(*rec_)), " 月齢:15.6[満月]");
    EXPECT_EQ(OneDecimal(BuildViewState(*rec_).moonAge), "15.6") << "the view returns the age";
    Select(2024, 6, 21);
    const std::string pane = Utf(MoonPaneText(*rec_));
    EXPECT_EQ(pane, " 月齢:" + OneDecimal(MoonAgeAtNoon(*rec_, 2024, 6, 21))) << "no phase, no mark";
}

TEST_F(DayTextsTest, EveryPhaseMark) {
    // One day of each principal phase in 2024, found by the phase itself.
    const char* const kMarks[] = {"[新月]", "[上弦]", "[満月]", "[下弦]"};
    int found = 0;
    for (int d = 1; d <= 31; ++d) {
        const int phase = MoonPhaseOfDay(2024, 3, d);
        if (phase < 0) continue;
        Select(2024, 3, d);
        const std::string pane = Utf(MoonPaneText(*rec_));
        const std::string mark = kMarks[phase / 90];
        ASSERT_GE(pane.size(), mark.size());
        EXPECT_EQ(pane.substr(pane.size() - mark.size()), mark) << "March " << d;
        ++found;
    }
    EXPECT_GE(found, 4);
}

TEST(FixedOneDecimal, RoundsLikePrintf) {
    struct Case { double v; int width; const char* want; } const kCases[] = {
        {29.55, 2, "29.6"},  // stored a little above 29.55
        {0.25, 2, "0.2"},    // an exact tie goes to even, as printf does
        {0.04, 2, "0.0"},
        {5.0, 5, "  5.0"},   // padded to the width
        {359.96, 3, "360.0"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(FixedOneDecimal(c.v, c.width), c.want) << c.v;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%*.1f", c.width, c.v);
        EXPECT_EQ(FixedOneDecimal(c.v, c.width), buf) << "same as the C locale's printf";
    }
}

// Compiles tests/data/ui_model/comma_decimal.locale into a temporary folder
// and switches LC_NUMERIC to it for the test's lifetime.
class CommaDecimalLocale {
public:
    CommaDecimalLocale() {
        const char* data = std::getenv("K2_TEST_DATA");
        if (data == nullptr) return;
        folder_ = std::filesystem::temp_directory_path() /
                  ("k2_locale_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        const std::string command = "localedef -c -f ANSI_X3.4-1968 -i '" + std::string(data) +
                                    "/ui_model/comma_decimal.locale' '" +
                                    (folder_ / "k2comma").string() + "' >/dev/null 2>&1";
        // localedef exits with 1 for the categories the source leaves out
        // (-c writes the locale anyway); setlocale below says whether it worked.
        const int status = std::system(command.c_str());
        static_cast<void>(status);
        saved_ = std::setlocale(LC_NUMERIC, nullptr);
        ::setenv("LOCPATH", folder_.c_str(), 1);
        active_ = std::setlocale(LC_NUMERIC, "k2comma") != nullptr;
    }
    ~CommaDecimalLocale() {
        if (!saved_.empty()) std::setlocale(LC_NUMERIC, saved_.c_str());
        ::unsetenv("LOCPATH");
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }
    bool active() const { return active_; }

private:
    std::filesystem::path folder_;
    std::string saved_;
    bool active_ = false;
};

TEST_F(DayTextsTest, DecimalsIgnoreTheUserLocale) {
    Select(2024, 6, 22);
    CommaDecimalLocale comma;
    if (!comma.active()) GTEST_SKIP() << "localedef could not build the test locale";
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 15.6);
    ASSERT_STREQ(printed, "15,6") << "the locale is in force";
    EXPECT_EQ(Utf(MoonPaneText(*rec_)), " 月齢:15.6[満月]");
    EXPECT_NE(Utf(BuildDetailTexts(*rec_).almanac).find("月齢 : 15.6[満月]"), std::string::npos);
}

TEST_F(DayTextsTest, OfficerAndMansionPanes) {
    Select(2024, 1, 1);  // 甲子, in the 子 solar month: 建; mansion 畢
    EXPECT_EQ(Utf(OfficerPane(*rec_).text), "建");
    EXPECT_EQ(Utf(OfficerPane(*rec_).detailTitle), "十二直：建（たつ）");
    EXPECT_EQ(OfficerPane(*rec_).detailText, OfficerDescription(0));
    const DetailPane mansion = MansionPane(*rec_);
    EXPECT_EQ(Utf(mansion.text), "畢");
    EXPECT_EQ(Utf(mansion.detailTitle), "二十八宿：畢（ひつ）");
    EXPECT_EQ(Utf(mansion.detailText), "神事・祭礼・造作・不動産取得に吉。\r\n婚礼に凶。");
}

TEST_F(DayTextsTest, DayWithoutOfficerGivesEmptyStrings) {
    Select(2024, 1, 1);
    // Anchors that leave the day outside [F[0], F[13]).
    for (int k = 0; k < kAnchorCapacity; ++k) rec_->anchorFirst.years[k] = 2999;
    const DetailPane officer = OfficerPane(*rec_);
    EXPECT_EQ(officer.text, "");
    EXPECT_EQ(Utf(officer.detailTitle), "十二直：（）");
    EXPECT_EQ(officer.detailText, "");
    EXPECT_NE(Utf(BuildDetailTexts(*rec_).almanac).find("十二直：（）\r\n"), std::string::npos);
}

TEST_F(DayTextsTest, TitleShowsTodayNotTheSelection) {
    SetToday(2024, 6, 15);
    Select(2020, 2, 29);
    EXPECT_EQ(Utf(FrameTitle(*rec_)), "KalendoⅡ [ 2024/ 6/15(土) ]");
    SetToday(2025, 12, 7);
    EXPECT_EQ(Utf(FrameTitle(*rec_)), "KalendoⅡ [ 2025/12/ 7(日) ]");
}

TEST_F(DayTextsTest, AlmanacTextOfADayWithoutPhase) {
    Select(2024, 1, 1);
    const std::string want =
        "西暦2024年/令和 6年 1月 1日\r\n"
        "睦月（むつき）\r\n"
        "旧歴 11月20日\r\n"
        "六曜：赤口（しゃっく）\r\n"
        "十二直：建（たつ）\r\n"
        "二十八宿：畢（ひつ）\r\n"
        "甲・辰（きのえ・たつ）の年\r\n"
        "丙・寅（ひのえ・とら）の月\r\n"
        "甲・子（きのえ・ね）の日\r\n"
        "月齢 : " + OneDecimal(MoonAgeAtNoon(*rec_, 2024, 1, 1)) +
        "\r\n太陽黄径 : " + OneDecimal(SunLongitude(2024, 1, 1, 0, 0, 0));
    EXPECT_EQ(Utf(BuildDetailTexts(*rec_).almanac), want);
}

TEST_F(DayTextsTest, AlmanacTextOfLeapMonthAndFullMoon) {
    Select(2023, 3, 22);
    EXPECT_NE(Utf(BuildDetailTexts(*rec_).almanac).find("\r\n旧歴 閏 2月 1日\r\n"),
              std::string::npos);
    Select(2024, 6, 22);
    const std::string text = Utf(BuildDetailTexts(*rec_).almanac);
    EXPECT_NE(text.find("\r\n月齢 : 15.6[満月]\r\n\r\n太陽黄径 : "), std::string::npos)
        << "an empty line before the longitude";
}

TEST_F(DayTextsTest, EventTextHolidayFirstThenNotes) {
    LoadHolidayLines("元日 ( 1949 - 3000 ) / 1/1 説明\n");
    LoadNoteLines("初詣 1/1\nほかの日 1/2\n歳旦祭 1/1\n");
    Select(2024, 1, 1);
    EXPECT_EQ(Utf(BuildDetailTexts(*rec_).events), "元日\r\n初詣\r\n歳旦祭\r\n");
    Select(2024, 1, 3);
    EXPECT_EQ(BuildDetailTexts(*rec_).events, "");
}

TEST_F(DayTextsTest, EventTextStopsAtTheFirstPieceThatDoesNotFit) {
    // 40 notes of 60 bytes on one day: 62-byte pieces, 16 of them fit 1023.
    std::string lines;
    for (int i = 0; i < 40; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "n%02d", i);
        lines += std::string(name) + std::string(57, 'x') + " 3/3\n";
    }
    // A short note after them must not slip into the room that is left.
    lines += "short 3/3\n";
    LoadNoteLines(lines);
    Select(2024, 3, 3);
    const std::string events = BuildDetailTexts(*rec_).events;
    EXPECT_EQ(events.size(), 16u * 62u);
    EXPECT_EQ(events.substr(events.size() - 62, 3), "n15");
    EXPECT_EQ(events.find("short"), std::string::npos);
}

TEST_F(DayTextsTest, AlmanacTextKeepsOnlyWholePieces) {
    Select(2024, 1, 1);
    // An era name of 990 bytes: the first line (1015 bytes) fits, the
    // month-name line (16 more) no longer does, and nothing after it is
    // appended, however short.
    CopyText(rec_->currentEraName, std::string(990, 'E').c_str());
    const std::string text = BuildDetailTexts(*rec_).almanac;
    ASSERT_LE(text.size(), 1023u);
    EXPECT_EQ(Utf(text), "西暦2024年/" + std::string(990, 'E') + " 6年 1月 1日\r\n");
    // The date pane is cut at 1023 bytes instead.
    CopyText(rec_->currentEraName, std::string(1023, 'E').c_str());
    EXPECT_EQ(DatePaneText(*rec_).size(), 1023u);
}

}  // namespace
}  // namespace kalendo
