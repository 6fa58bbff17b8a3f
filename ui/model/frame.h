// The main frame's rules: its fixed size for each combination of the two
// display modes, keeping its top-left corner on the primary screen, the
// position shifts that keep the bottom-right corner in place when a mode
// changes the size, the mode commands, and what moving and closing the
// window store. Everything is a function of AppSettings and the screen
// size: the GUI asks, then moves its window and shows its bars.
#pragma once

#include <functional>

#include "core/month_record.h"
#include "platform/platform.h"
#include "ui/model/frame_sizes.h"
#include "ui/model/settings.h"

namespace kalendo {
struct LayoutNeeds;
}

namespace kalendo {

// Mode command ids (menu items and toolbar buttons).
inline constexpr int kCmdSizeNormal = 32890;    // "通常(&S)"
inline constexpr int kCmdSizeEnlarged = 32891;  // "拡大(&L)"
inline constexpr int kCmdViewFull = 32831;      // "完全(&F)"
inline constexpr int kCmdViewMonthly = 32833;   // "月間(&M)"
inline constexpr int kCmdAlmanacPrecise = 32900;  // "精密な暦計算(&P)"
inline constexpr int kCmdLunarLine = 32901;       // "旧暦・六曜を表示(&K)"

// The bars of one view mode around the view, as the toolkit measures them.
struct FrameBars {
    int menuHeight;    // the menu bar at the client width
    int topHeight;     // the toolbar at the top (main or compact)
    int bottomHeight;  // the month toolbar; 0 when the mode does not show it
    int widestBar;     // the least width the bars need
};

// The client area inside the window manager's frame: exactly the bars and
// the view's controls at their layout (ViewContentSize with the texts'
// `needs`), no empty band and nothing cut off. Where a bar is wider than
// the controls, the view spans it (LayoutNeeds::barsWidth).
FrameSize ClientSizeFor(int sizeMode, int viewMode, const FrameBars& bars,
                        const LayoutNeeds& needs);

// What the frame shows after ApplyFrameLayout.
struct FrameLayout {
    int left, top, width, height;  // the whole window's rectangle, pixels
    bool showMainToolbar;          // full view: main toolbar (128) ...
    bool showCompactToolbar;       // ... monthly view: compact toolbar (186)
    bool showMonthToolbar;         // full view: the month toolbar (134) at the bottom
    bool fullMenu;                 // full view: menu 128; monthly view: compact menu 153
};

// Size from the table; a frame not wholly on the primary screen moves the
// least distance that brings it on (a stored position may come from another
// scale or another screen, and a window mostly off the screen cannot be
// reached), and on a side shorter than the frame it is centred: (W - w) / 2
// or (H - h) / 2, truncated toward zero. The position is stored in `s`.
// `sizes` are the whole windows' sizes, which the placing and the shifts use.
FrameLayout ApplyFrameLayout(AppSettings& s, ScreenSize screen,
                             const FrameSizes& sizes = kLayoutFrameSizes);

// After s.sizeMode (resp. s.viewMode) has just changed: moves the stored
// position by the difference between the old and the new frame size, so
// the bottom-right corner keeps its place, then ApplyFrameLayout.
FrameLayout ShiftForSizeMode(AppSettings& s, ScreenSize screen,
                             const FrameSizes& sizes = kLayoutFrameSizes);
FrameLayout ShiftForViewMode(AppSettings& s, ScreenSize screen,
                             const FrameSizes& sizes = kLayoutFrameSizes);

// What the GUI does after a mode command.
struct ModeCommandEffect {
    bool changed = false;      // false: the mode was already current; do nothing at all
    bool applyFrame = false;   // move/resize the window and show the bars of `frame`
    FrameLayout frame{};
    bool applyViewLayout = false;  // the view's control layout for the new size mode
    bool refresh = false;      // RefreshAll (BuildViewState)
    bool updateTitle = false;  // UpdateTitle
};

// One of the mode commands; nothing for another id. "通常", "拡大" and
// "完全" change the mode, shift, lay out the frame and the view, refresh and
// update the title; "月間" only shifts and lays out: the grid keeps its
// month until the next command, and from then on the month computation
// shows today's month. The month computation's display-mode flag follows
// the view mode at once.
// "精密な暦計算" switches between the standard and the precise almanac and
// computes the shown date of `rec` again in the new mode (a date the record
// was moved to is always in range); the GUI then refreshes every control
// and the title. "旧暦・六曜を表示" switches the grid's second line: the
// cells grow for it (or shrink back), so the frame keeps its corner and
// takes the new size, and the view is laid out and refreshed.
// `measure` gives the window's sizes as the settings now stand, asked
// after the change (the grid line's cells are measured with or without
// it); `everySizeMode` false lets it measure only the size mode shown, as
// measuring loads fonts the window may never draw.
using FrameMeasure = std::function<FrameSizes(bool everySizeMode)>;
ModeCommandEffect RunModeCommand(AppSettings& s, MonthRecord& rec, int commandId, ScreenSize screen,
                                 const FrameMeasure& measure = [](bool) { return kLayoutFrameSizes; });

// Whether the command's menu item and toolbar button carry the check mark.
bool ModeCommandChecked(const AppSettings& s, int commandId);

// The window was moved: its top-left corner is stored, placed on the
// primary screen as ApplyFrameLayout places it for the current modes' size
// (the window itself is not moved).
void OnFrameMoved(AppSettings& s, int left, int top, ScreenSize screen,
                  const FrameSizes& sizes = kLayoutFrameSizes);

// The window is closing (or the log-on is ending): the corner is stored as
// it is, without the screen test.
void OnFrameClosing(AppSettings& s, int left, int top);

}  // namespace kalendo
