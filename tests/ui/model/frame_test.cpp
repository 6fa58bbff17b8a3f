#include "ui/model/frame.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "core/month_record.h"

namespace kalendo {
namespace {

constexpr ScreenSize kFullHd{1920, 1080};

std::tuple<int, int> Corner(const AppSettings& s) { return {s.windowLeft, s.windowTop}; }
std::tuple<int, int, int, int> Rect(const FrameLayout& f) {
    return {f.left, f.top, f.width, f.height};
}

class FrameTest : public ::testing::Test {
protected:
    std::unique_ptr<MonthRecord> rec_ = std::make_unique<MonthRecord>();
};

// Where a stored corner opens the frame: the least move that brings the
// whole frame on the screen, each axis on its own; centred on a side
// shorter than the frame. `frame` {0, 0}: the sizes the layouts were drawn
// for; otherwise one size for every mode.
struct LayoutCase {
    AppSettings s;
    ScreenSize screen;
    FrameSize frame;
    int left, top, width, height;
    const char* why;
};
const LayoutCase kLayoutCases[] = {
    {{100, 100, 0, 0}, kFullHd, {}, 100, 100, 365, 352, "on the screen: stays"},
    {{1555, 728, 0, 0}, kFullHd, {}, 1555, 728, 365, 352, "touching the bottom-right corner: stays"},
    {{2000, 100, 0, 0}, kFullHd, {}, 1555, 100, 365, 352, "left beyond the width: back to the right edge"},
    {{1900, 100, 0, 0}, kFullHd, {}, 1555, 100, 365, 352, "body past the right edge: moved just enough"},
    {{1919, 1079, 0, 0}, kFullHd, {}, 1555, 728, 365, 352, "corner on the last pixel: both axes move"},
    {{0, 1080, 0, 0}, kFullHd, {}, 0, 728, 365, 352, "below the screen: up, left kept"},
    {{-1, 500, 0, 0}, kFullHd, {}, 0, 500, 365, 352, "one pixel past the left edge"},
    {{-32000, -32000, 1, 1}, kFullHd, {}, 0, 0, 220, 315,
     "a minimised window's corner: the nearest corner, enlarged monthly size"},
    {{914, 548, 0, 0}, {1280, 900}, {718, 621}, 562, 279, 718, 621,
     "written at scale 1, opened at scale 2: moved back on"},
    {{100, 100, 0, 0}, {1280, 900}, {1400, 621}, -60, 100, 1400, 621,
     "wider than the screen: centred across, kept down"},
    {{100, 100, 0, 0}, {300, 200}, {365, 352}, -32, -76, 365, 352,
     "larger both ways: centred, truncated toward zero"},
};

TEST_F(FrameTest, ApplyFrameLayoutBringsTheFrameOnTheScreen) {
    for (const LayoutCase& c : kLayoutCases) {
        SCOPED_TRACE(c.why);
        AppSettings s = c.s;
        const FrameSizes sizes = c.frame.width == 0
                                     ? kLayoutFrameSizes
                                     : FrameSizes{{{c.frame, c.frame}, {c.frame, c.frame}}};
        const FrameLayout f = ApplyFrameLayout(s, c.screen, sizes);
        EXPECT_EQ(Rect(f), std::make_tuple(c.left, c.top, c.width, c.height));
        EXPECT_EQ(Corner(s), std::make_tuple(c.left, c.top)) << "stored in the settings";
        OnFrameMoved(s, c.s.windowLeft, c.s.windowTop, c.screen, sizes);
        EXPECT_EQ(Corner(s), std::make_tuple(c.left, c.top)) << "a move stores the same place";
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
        ASSERT_TRUE(RunModeCommand(s, *rec_, pair[0], kFullHd).changed);
        const ModeCommandEffect back = RunModeCommand(s, *rec_, pair[1], kFullHd);
        ASSERT_TRUE(back.changed);
        EXPECT_EQ(Rect(back.frame), Rect(start)) << pair[0];
    }
}

TEST_F(FrameTest, EnlargingNearTheTopMovesDownOnly) {
    // 30 pixels from the top, the shift of -40 puts the corner at -10: the
    // enlarged frame comes down to the top edge and keeps its left.
    AppSettings s{500, 30, 0, 0};
    const ModeCommandEffect e = RunModeCommand(s, *rec_, kCmdSizeEnlarged, kFullHd);
    ASSERT_TRUE(e.changed);
    EXPECT_EQ(Rect(e.frame), std::make_tuple(455, 0, 410, 392));
    EXPECT_EQ(Corner(s), std::make_tuple(455, 0));
}

struct CommandCase {
    int command;
    int size, view;  // modes afterwards
    bool layout, refresh, title;
};
constexpr CommandCase kCommandCases[] = {
    {kCmdSizeEnlarged, 1, 0, true, true, true},
    {kCmdViewMonthly, 0, 1, true, false, false},  // "月間" neither refreshes nor retitles
    {kCmdLunarLine, 0, 0, true, true, false},     // the frame takes the cells' new size
};

TEST_F(FrameTest, ModeCommandsSayWhatTheGuiDoes) {
    for (const CommandCase& c : kCommandCases) {
        SCOPED_TRACE(c.command);
        AppSettings s{500, 400, 0, 0};
        const ModeCommandEffect e = RunModeCommand(s, *rec_, c.command, kFullHd);
        EXPECT_TRUE(e.changed && e.applyFrame);
        EXPECT_EQ(std::make_tuple(s.sizeMode, s.viewMode), std::make_tuple(c.size, c.view));
        EXPECT_EQ(e.applyViewLayout, c.layout);
        EXPECT_EQ(e.refresh, c.refresh);
        EXPECT_EQ(e.updateTitle, c.title);
        EXPECT_EQ(MonthOptionsOf(s).display, c.view);
        EXPECT_TRUE(ModeCommandChecked(s, c.command));
    }
    AppSettings s{500, 400, 1, 1};
    const ModeCommandEffect normal = RunModeCommand(s, *rec_, kCmdSizeNormal, kFullHd);
    EXPECT_TRUE(normal.refresh && normal.updateTitle && normal.applyViewLayout);
    const ModeCommandEffect full = RunModeCommand(s, *rec_, kCmdViewFull, kFullHd);
    EXPECT_TRUE(full.refresh && full.updateTitle && full.applyViewLayout);
    EXPECT_EQ(MonthOptionsOf(s).display, kViewFull);
}

TEST_F(FrameTest, CurrentModeCommandChangesNothing) {
    const int kCommands[] = {kCmdSizeNormal, kCmdViewFull};
    for (int command : kCommands) {
        AppSettings s{-500, 99999, 0, 0};  // off screen: even no re-centring happens
        const ModeCommandEffect e = RunModeCommand(s, *rec_, command, kFullHd);
        EXPECT_FALSE(e.changed);
        EXPECT_FALSE(e.refresh || e.updateTitle || e.applyViewLayout);
        EXPECT_EQ(Corner(s), std::make_tuple(-500, 99999));
    }
    AppSettings s{10, 10, 0, 0};
    EXPECT_FALSE(RunModeCommand(s, *rec_, 12345, kFullHd).changed) << "not a mode command";
}

TEST_F(FrameTest, MovedAndClosed) {
    AppSettings s{0, 0, 0, 1};
    OnFrameMoved(s, 1500, 700, kFullHd);
    EXPECT_EQ(Corner(s), std::make_tuple(1500, 700));
    OnFrameMoved(s, -5, 900, kFullHd);
    EXPECT_EQ(Corner(s), std::make_tuple(0, 800)) << "on the screen for 185 x 280";
    OnFrameClosing(s, -32000, -32000);
    EXPECT_EQ(Corner(s), std::make_tuple(-32000, -32000)) << "closing stores without the test";
    // ... and the next start brings it back.
    EXPECT_EQ(Rect(ApplyFrameLayout(s, kFullHd)), std::make_tuple(0, 0, 185, 280));
}

TEST_F(FrameTest, ShiftsNeverOverflow) {
    // A hand-edited settings file can hold any int; the shifts saturate and
    // the corner, far off the screen, comes back to the nearest edge.
    AppSettings s{2147483647 - 10, 0, 0, 0};
    ShiftForSizeMode(s, kFullHd);  // +45, +40
    EXPECT_EQ(Corner(s), std::make_tuple(1555, 40));
    AppSettings t{0, -2147483647 - 1 + 10, 0, 0};
    ShiftForViewMode(t, kFullHd);  // -180, -72
    EXPECT_EQ(Corner(t), std::make_tuple(0, 0));
}

}  // namespace
}  // namespace kalendo
