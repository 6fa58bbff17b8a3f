// The almanac-mode switch of the window: its line pair in the settings
// file, the menu command, and the marks that only the precise almanac shows.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/almanac_mode.h"
#include "model_test_support.h"
#include "ui/model/day_texts.h"
#include "ui/model/frame.h"
#include "ui/model/settings.h"

namespace kalendo {
namespace {

using testing_support::ModelTest;
using testing_support::Utf;

constexpr char kElevenLines[] =
    ";;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n329 : 208\n\n"
    "[Size]\n0\n\n[View]\n1\n\n";

using AlmanacModeTest = ModelTest;

TEST(AlmanacModeSettings, ReadFromTheLinesAfterTheEleven) {
    const struct {
        std::string text;
        bool ok;
        int mode;
        const char* why;
    } cases[] = {
        {kElevenLines, true, kAlmanacStandard, "an older file: the standard almanac"},
        {std::string(kElevenLines) + "[Almanac]\n1\n", true, kAlmanacPrecise, "as written"},
        {std::string(kElevenLines) + "[Almanac]\r\n1\r\n", true, kAlmanacPrecise, "CR LF"},
        {std::string(kElevenLines) + "[Almanac]\n0\n", true, kAlmanacStandard, "standard"},
        {std::string(kElevenLines) + "[Almanac]\n7\n", true, kAlmanacStandard,
         "an unknown mode reads as standard"},
        {std::string(kElevenLines) + "[Almanac]\n", true, kAlmanacStandard,
         "a cut-off extension leaves the eleven lines valid"},
        {std::string(kElevenLines) + "[Almanac]\nx\n", true, kAlmanacStandard, "no number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        AppSettings s{};
        EXPECT_EQ(ParseSettings(c.text, s), c.ok);
        EXPECT_EQ(s.almanacMode, c.mode);
        EXPECT_EQ(s.viewMode, kViewMonthly);  // the eleven lines are read as before
    }
}

TEST(AlmanacModeSettings, StandardWritesTheElevenLinesAlone) {
    AppSettings s{329, 208, 0, 1};
    EXPECT_EQ(SettingsText(s), kElevenLines);
    s.almanacMode = kAlmanacPrecise;
    EXPECT_EQ(SettingsText(s), std::string(kElevenLines) + "[Almanac]\n1\n");
    AppSettings read{};
    ASSERT_TRUE(ParseSettings(SettingsText(s), read));
    EXPECT_EQ(read.almanacMode, kAlmanacPrecise);
}

// The grid's second line: its pair after the eleven lines and any almanac
// pair, written only when on and read back; older, cut and odd files.
TEST(GridLineSettings, RoundTripAfterTheAlmanacPair) {
    const struct {
        int almanac;
        bool line;
        const char* tail;
    } written[] = {{kAlmanacStandard, false, ""},
                   {kAlmanacPrecise, false, "[Almanac]\n1\n"},
                   {kAlmanacStandard, true, "[Grid]\n1\n"},
                   {kAlmanacPrecise, true, "[Almanac]\n1\n[Grid]\n1\n"}};
    for (const auto& c : written) {
        AppSettings s{329, 208, 0, 1, c.almanac, c.line}, read{};
        EXPECT_EQ(SettingsText(s), std::string(kElevenLines) + c.tail);
        ASSERT_TRUE(ParseSettings(SettingsText(s), read));
        EXPECT_EQ(std::tuple(read.windowTop, read.viewMode, read.almanacMode, read.lunarLine),
                  std::tuple(208, kViewMonthly, c.almanac, c.line)) << c.tail;
    }
    const struct {
        const char* tail;
        bool line;
    } read[] = {{"[Grid]\r\n1\r\n", true}, {"[Grid]\n0\n", false}, {"[Grid]\n2\n", false},
                {"[Grid]\n", false}, {"[Grid]\n1\n[Almanac]\n1\n", true}};
    for (const auto& c : read) {
        AppSettings s{};
        ASSERT_TRUE(ParseSettings(std::string(kElevenLines) + c.tail, s));
        EXPECT_EQ(s.lunarLine, c.line) << c.tail;
    }
}

// The command switches, recomputes the shown day (2035-01-09 is 12/1 in the
// standard almanac and 11/30 in the precise one) and marks the title and
// the detail texts only in the precise almanac.
TEST_F(AlmanacModeTest, CommandSwitchesAndRecomputes) {
    SetToday(2035, 1, 9);
    Select(2035, 1, 9);
    AppSettings s{};
    const std::string standardTitle = FrameTitle(*rec_);
    const DetailTexts standardDetail = BuildDetailTexts(*rec_);
    EXPECT_EQ(rec_->lunarDay, 1);
    EXPECT_FALSE(ModeCommandChecked(s, kCmdAlmanacPrecise));

    const ModeCommandEffect e = RunModeCommand(s, *rec_, kCmdAlmanacPrecise, {1920, 1080});
    EXPECT_TRUE(e.changed && e.refresh && e.updateTitle);
    EXPECT_FALSE(e.applyFrame || e.applyViewLayout) << "the window keeps its place and size";
    EXPECT_EQ(s.almanacMode, kAlmanacPrecise);
    EXPECT_TRUE(ModeCommandChecked(s, kCmdAlmanacPrecise));
    EXPECT_EQ(rec_->almanacMode, AlmanacMode::Precise);
    EXPECT_EQ(std::tuple(rec_->lunarMonth, rec_->lunarDay), std::tuple(11, 30));
    EXPECT_EQ(Utf(FrameTitle(*rec_)), Utf(standardTitle) + " 精密");
    const std::string detail = Utf(BuildDetailTexts(*rec_).almanac);
    EXPECT_NE(detail.find("\r\n精密な暦計算（ERFA 天体暦、ΔT 補正）"), std::string::npos);

    RunModeCommand(s, *rec_, kCmdAlmanacPrecise, {1920, 1080});
    EXPECT_EQ(s.almanacMode, kAlmanacStandard);
    EXPECT_EQ(rec_->almanacMode, AlmanacMode::Standard);
    EXPECT_EQ(rec_->lunarDay, 1);
    EXPECT_EQ(FrameTitle(*rec_), standardTitle);
    EXPECT_EQ(BuildDetailTexts(*rec_).almanac, standardDetail.almanac);
}

TEST_F(AlmanacModeTest, StartUpTakesTheStoredMode) {
    AppSettings s{};
    s.almanacMode = kAlmanacPrecise;
    EXPECT_EQ(MonthOptionsOf(s).almanac, AlmanacMode::Precise);
    ResetSettings(s, ScreenSize{1024, 768});
    EXPECT_EQ(s.almanacMode, kAlmanacStandard);
}

}  // namespace
}  // namespace kalendo
