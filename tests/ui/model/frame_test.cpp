#include "ui/model/frame.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/month_record.h"

namespace kalendo {
namespace {

constexpr ScreenSize kFullHd{1920, 1080};

std::tuple<int, int> Corner(const AppSettings& s) { return {s.windowLeft, s.windowTop}; }
std::tuple<int, int, int, int> Rect(const FrameLayout& f) {
    return {f.left, f.top, f.width, f.height};
}

class FrameTest : public ::testing::Test {};

struct LayoutCase {
    AppSettings s;
    ScreenSize screen;
    int left, top, width, height;
    const char* why;
};
const LayoutCase kLayoutCases[] = {
    {{100, 100, 0, 0}, kFullHd, 100, 100, 365, 352, "on the screen: stays"},
    {{2000, 100, 0, 0}, kFullHd, 777, 364, 365, 352, "left beyond the width: centred"},
    {{1900, 100, 0, 0}, kFullHd, 1900, 100, 365, 352, "corner on screen, body off: stays"},
    {{1919, 1079, 0, 0}, kFullHd, 1919, 1079, 365, 352, "last pixel of the screen"},
    {{1920, 0, 0, 0}, kFullHd, 777, 364, 365, 352, "left equal to the width is off"},
    {{0, 1080, 0, 0}, kFullHd, 777, 364, 365, 352, "top equal to the height is off"},
    {{-1, 0, 0, 0}, kFullHd, 777, 364, 365, 352, "negative left is off"},
    {{-32000, -32000, 1, 1}, kFullHd, 850, 382, 220, 315,
     "a minimised window's corner: centred for the enlarged monthly size"},
    {{0, 0, 1, 0}, kFullHd, 0, 0, 410, 392, "the top-left pixel is on the screen"},
};

TEST_F(FrameTest, ApplyFrameLayoutRecentresOffScreenCorners) {
    for (const LayoutCase& c : kLayoutCases) {
        SCOPED_TRACE(c.why);
        AppSettings s = c.s;
        const FrameLayout f = ApplyFrameLayout(s, c.screen);
        EXPECT_EQ(Rect(f), std::make_tuple(c.left, c.top, c.width, c.height));
        EXPECT_EQ(Corner(s), std::make_tuple(c.left, c.top)) << "stored in the settings";
    }
}

TEST_F(FrameTest, BarsAndMenuFollowTheViewMode) {
    AppSettings full{10, 10, 0, 0};
    const FrameLayout f = ApplyFrameLayout(full, kFullHd);
    EXPECT_TRUE(f.showMainToolbar);
    EXPECT_FALSE(f.showCompactToolbar);
    EXPECT_TRUE(f.showMonthToolbar);
    EXPECT_TRUE(f.fullMenu);
    AppSettings monthly{10, 10, 1, 1};
    const FrameLayout m = ApplyFrameLayout(monthly, kFullHd);
    EXPECT_FALSE(m.showMainToolbar);
    EXPECT_TRUE(m.showCompactToolbar);
    EXPECT_FALSE(m.showMonthToolbar);
    EXPECT_FALSE(m.fullMenu);
}

// The shifts of the table: after the size (view) mode became the new value,
// the corner moves by the old size minus the new one.
struct ShiftCase {
    int size, view;  // modes after the change
    bool sizeChanged;
    int dx, dy;
};
constexpr ShiftCase kShiftCases[] = {
    {0, 0, true, +45, +40},   {0, 1, true, +35, +35},   {1, 0, true, -45, -40},
    {1, 1, true, -35, -35},   {0, 0, false, -180, -72}, {1, 0, false, -190, -77},
    {0, 1, false, +180, +72}, {1, 1, false, +190, +77},
};

TEST_F(FrameTest, ShiftsKeepTheBottomRightCorner) {
    for (const ShiftCase& c : kShiftCases) {
        SCOPED_TRACE(::testing::Message() << "size " << c.size << " view " << c.view
                                          << (c.sizeChanged ? " (size changed)" : " (view changed)"));
        AppSettings s{500, 400, c.size, c.view};
        const FrameLayout f = c.sizeChanged ? ShiftForSizeMode(s, kFullHd)
                                            : ShiftForViewMode(s, kFullHd);
        EXPECT_EQ(Corner(s), std::make_tuple(500 + c.dx, 400 + c.dy));
        EXPECT_EQ(std::make_tuple(f.left, f.top), Corner(s));
        const FrameSize before = c.sizeChanged ? FrameSizeFor(1 - c.size, c.view)
                                               : FrameSizeFor(c.size, 1 - c.view);
        EXPECT_EQ(f.left + f.width, 500 + before.width) << "right edge kept";
        EXPECT_EQ(f.top + f.height, 400 + before.height) << "bottom edge kept";
    }
}

TEST_F(FrameTest, ModeRoundTripsReturnToTheSameRectangle) {
    const int kCommandPairs[][2] = {{kCmdViewMonthly, kCmdViewFull},
                                    {kCmdSizeEnlarged, kCmdSizeNormal}};
    for (const auto& pair : kCommandPairs) {
        AppSettings s{600, 300, 0, 0};
        const FrameLayout start = ApplyFrameLayout(s, kFullHd);
        ASSERT_TRUE(RunModeCommand(s, pair[0], kFullHd).changed);
        const ModeCommandEffect back = RunModeCommand(s, pair[1], kFullHd);
        ASSERT_TRUE(back.changed);
        EXPECT_EQ(Rect(back.frame), Rect(start)) << pair[0];
    }
}

TEST_F(FrameTest, EnlargingNearTheTopRecentres) {
    // 30 pixels from the top, the shift of -40 puts the corner at -10: off
    // the screen, so the enlarged frame is centred.
    AppSettings s{500, 30, 0, 0};
    const ModeCommandEffect e = RunModeCommand(s, kCmdSizeEnlarged, kFullHd);
    ASSERT_TRUE(e.changed);
    EXPECT_EQ(Rect(e.frame), std::make_tuple(755, 344, 410, 392));
    EXPECT_EQ(Corner(s), std::make_tuple(755, 344));
}

struct CommandCase {
    int command;
    int size, view;  // modes afterwards
    bool layout, refresh, title;
};
constexpr CommandCase kCommandCases[] = {
    {kCmdSizeEnlarged, 1, 0, true, true, true},
    {kCmdViewMonthly, 0, 1, true, false, false},  // "月間" neither refreshes nor retitles
};

TEST_F(FrameTest, ModeCommandsSayWhatTheGuiDoes) {
    for (const CommandCase& c : kCommandCases) {
        SCOPED_TRACE(c.command);
        AppSettings s{500, 400, 0, 0};
        const ModeCommandEffect e = RunModeCommand(s, c.command, kFullHd);
        EXPECT_TRUE(e.changed);
        EXPECT_EQ(std::make_tuple(s.sizeMode, s.viewMode), std::make_tuple(c.size, c.view));
        EXPECT_EQ(e.applyViewLayout, c.layout);
        EXPECT_EQ(e.refresh, c.refresh);
        EXPECT_EQ(e.updateTitle, c.title);
        EXPECT_EQ(MonthOptionsOf(s).display, c.view);
        EXPECT_TRUE(ModeCommandChecked(s, c.command));
    }
    AppSettings s{500, 400, 1, 1};
    const ModeCommandEffect normal = RunModeCommand(s, kCmdSizeNormal, kFullHd);
    EXPECT_TRUE(normal.refresh && normal.updateTitle && normal.applyViewLayout);
    const ModeCommandEffect full = RunModeCommand(s, kCmdViewFull, kFullHd);
    EXPECT_TRUE(full.refresh && full.updateTitle && full.applyViewLayout);
    EXPECT_EQ(MonthOptionsOf(s).display, kViewFull);
}

TEST_F(FrameTest, CurrentModeCommandChangesNothing) {
    const int kCommands[] = {kCmdSizeNormal, kCmdViewFull};
    for (int command : kCommands) {
        AppSettings s{-500, 99999, 0, 0};  // off screen: even no re-centring happens
        const ModeCommandEffect e = RunModeCommand(s, command, kFullHd);
        EXPECT_FALSE(e.changed);
        EXPECT_FALSE(e.refresh || e.updateTitle || e.applyViewLayout);
        EXPECT_EQ(Corner(s), std::make_tuple(-500, 99999));
    }
    AppSettings s{10, 10, 0, 0};
    EXPECT_FALSE(RunModeCommand(s, 12345, kFullHd).changed) << "not a mode command";
}

TEST_F(FrameTest, MovedAndClosed) {
    AppSettings s{0, 0, 0, 1};
    OnFrameMoved(s, 1500, 900, kFullHd);
    EXPECT_EQ(Corner(s), std::make_tuple(1500, 900));
    OnFrameMoved(s, -5, 900, kFullHd);
    EXPECT_EQ(Corner(s), std::make_tuple(867, 400)) << "centred for 185 x 280";
    OnFrameClosing(s, -32000, -32000);
    EXPECT_EQ(Corner(s), std::make_tuple(-32000, -32000)) << "closing stores without the test";
    // ... and the next start re-centres it.
    EXPECT_EQ(Rect(ApplyFrameLayout(s, kFullHd)), std::make_tuple(867, 400, 185, 280));
}

TEST_F(FrameTest, ShiftsNeverOverflow) {
    // A hand-edited settings file can hold any int; the shifts saturate and
    // the corner, far off the screen, is centred.
    AppSettings s{2147483647 - 10, 0, 0, 0};
    ShiftForSizeMode(s, kFullHd);  // +45, +40
    EXPECT_EQ(Corner(s), std::make_tuple(777, 364));
    AppSettings t{0, -2147483647 - 1 + 10, 0, 0};
    ShiftForViewMode(t, kFullHd);  // -180, -72
    EXPECT_EQ(Corner(t), std::make_tuple(777, 364));
}

}  // namespace
}  // namespace kalendo
