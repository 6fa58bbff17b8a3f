#include "ui/model/frame.h"

#include <algorithm>
#include <climits>

#include "month/compute_month.h"
#include "ui/model/view_layout.h"

namespace kalendo {
namespace {

int ModeIndex(int mode) { return mode == 1 ? 1 : 0; }

// The start of a frame of `length` pixels on a screen side of `screenLength`
// pixels: where it lies wholly on the screen, `start` itself; otherwise the
// nearest start that brings it on; a frame longer than the side is centred
// ((L - l) / 2, truncated toward zero). Each axis on its own: a frame that
// only hangs over the bottom edge keeps its left. The sum is taken in 64
// bits: a hand-edited settings file may hold any int.
int StartOnScreen(int start, int length, int screenLength) {
    if (length > screenLength) return (screenLength - length) / 2;
    const long long end = static_cast<long long>(start) + length;
    if (start < 0) return 0;
    if (end > screenLength) return screenLength - length;
    return start;
}

void PlaceOnScreen(AppSettings& s, FrameSize size, ScreenSize screen) {
    s.windowLeft = StartOnScreen(s.windowLeft, size.width, screen.width);
    s.windowTop = StartOnScreen(s.windowTop, size.height, screen.height);
}

// A stored position can come from a hand-edited settings file; a shift
// never wraps around.
int SaturatingAdd(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    if (sum > INT_MAX) return INT_MAX;
    if (sum < INT_MIN) return INT_MIN;
    return static_cast<int>(sum);
}

void Shift(AppSettings& s, FrameSize before, FrameSize after) {
    s.windowLeft = SaturatingAdd(s.windowLeft, before.width - after.width);
    s.windowTop = SaturatingAdd(s.windowTop, before.height - after.height);
}

}  // namespace

FrameSize ClientSizeFor(int sizeMode, int viewMode, const FrameBars& bars,
                        const LayoutNeeds& needs) {
    LayoutNeeds withBars = needs;
    withBars.barsWidth = std::max(needs.barsWidth, bars.widestBar);
    const FrameSize view = ViewContentSize(sizeMode, viewMode, withBars);
    return FrameSize{std::max(view.width, bars.widestBar),
                     bars.menuHeight + bars.topHeight + view.height + bars.bottomHeight};
}

FrameLayout ApplyFrameLayout(AppSettings& s, ScreenSize screen, const FrameSizes& sizes) {
    const FrameSize size = sizes.For(s.sizeMode, s.viewMode);
    PlaceOnScreen(s, size, screen);
    const bool full = ModeIndex(s.viewMode) == kViewFull;
    return FrameLayout{s.windowLeft, s.windowTop, size.width, size.height,
                       full, !full, full, full};
}

FrameLayout ShiftForSizeMode(AppSettings& s, ScreenSize screen, const FrameSizes& sizes) {
    const FrameSize before = sizes.For(1 - ModeIndex(s.sizeMode), s.viewMode);
    Shift(s, before, sizes.For(s.sizeMode, s.viewMode));
    return ApplyFrameLayout(s, screen, sizes);
}

FrameLayout ShiftForViewMode(AppSettings& s, ScreenSize screen, const FrameSizes& sizes) {
    const FrameSize before = sizes.For(s.sizeMode, 1 - ModeIndex(s.viewMode));
    Shift(s, before, sizes.For(s.sizeMode, s.viewMode));
    return ApplyFrameLayout(s, screen, sizes);
}

ModeCommandEffect RunModeCommand(AppSettings& s, MonthRecord& rec, int commandId, ScreenSize screen,
                                 const FrameMeasure& measure) {
    ModeCommandEffect effect;
    switch (commandId) {
        case kCmdAlmanacPrecise:
            s.almanacMode = s.almanacMode == kAlmanacPrecise ? kAlmanacStandard : kAlmanacPrecise;
            ComputeMonth(rec, rec.year[kTarget], rec.month[kTarget], rec.day[kTarget], MonthOptionsOf(s));
            effect.changed = true;
            effect.refresh = true;
            effect.updateTitle = true;
            return effect;
        case kCmdLunarLine:
            s.lunarLine = !s.lunarLine;
            effect.frame = ApplyFrameLayout(s, screen, measure(false));
            effect.refresh = true;
            break;
        case kCmdSizeNormal:
        case kCmdSizeEnlarged: {
            const int mode = commandId == kCmdSizeNormal ? kSizeNormal : kSizeEnlarged;
            if (s.sizeMode == mode) return effect;
            s.sizeMode = mode;
            effect.frame = ShiftForSizeMode(s, screen, measure(true));
            effect.refresh = true;
            effect.updateTitle = true;
            break;
        }
        case kCmdViewFull:
        case kCmdViewMonthly: {
            const int mode = commandId == kCmdViewFull ? kViewFull : kViewMonthly;
            if (s.viewMode == mode) return effect;
            s.viewMode = mode;
            effect.frame = ShiftForViewMode(s, screen, measure(false));
            // The monthly display is not refreshed: the grid keeps its month
            // until the next command, which then computes today's month.
            effect.refresh = mode == kViewFull;
            effect.updateTitle = mode == kViewFull;
            break;
        }
        default:
            return effect;
    }
    effect.changed = true;
    effect.applyFrame = true;
    effect.applyViewLayout = true;
    return effect;
}

bool ModeCommandChecked(const AppSettings& s, int commandId) {
    switch (commandId) {
        case kCmdSizeNormal: return s.sizeMode == kSizeNormal;
        case kCmdSizeEnlarged: return s.sizeMode == kSizeEnlarged;
        case kCmdViewFull: return s.viewMode == kViewFull;
        case kCmdViewMonthly: return s.viewMode == kViewMonthly;
        case kCmdAlmanacPrecise: return s.almanacMode == kAlmanacPrecise;
        case kCmdLunarLine: return s.lunarLine;
        default: return false;
    }
}

void OnFrameMoved(AppSettings& s, int left, int top, ScreenSize screen,
                  const FrameSizes& sizes) {
    s.windowLeft = left;
    s.windowTop = top;
    PlaceOnScreen(s, sizes.For(s.sizeMode, s.viewMode), screen);
}

void OnFrameClosing(AppSettings& s, int left, int top) {
    s.windowLeft = left;
    s.windowTop = top;
}

}  // namespace kalendo
