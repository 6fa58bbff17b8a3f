// The window's sizes for each combination of the two display modes, as the
// layouts were drawn: what the frame rules (frame.h) place and shift, and
// what the view's layout (view_layout.h) fills.
#pragma once

namespace kalendo {

struct FrameSize {
    int width;   // pixels
    int height;
    friend bool operator==(const FrameSize&, const FrameSize&) = default;
};

// The whole window (client area and the window manager's frame) of each
// combination of the modes, [sizeMode][viewMode]; a mode value other than 1
// counts as 0.
struct FrameSizes {
    FrameSize size[2][2];
    FrameSize For(int sizeMode, int viewMode) const;
};

// The sizes the layouts were drawn for, whole windows with title bar, menu
// and borders: 365 x 352 (normal, full), 185 x 280 (normal, monthly),
// 410 x 392 (enlarged, full), 220 x 315 (enlarged, monthly). Under a window
// manager whose frame is no thicker than the one they were drawn for, the
// real window stays within them.
inline constexpr FrameSizes kLayoutFrameSizes{
    {{{365, 352}, {185, 280}}, {{410, 392}, {220, 315}}}};
FrameSize FrameSizeFor(int sizeMode, int viewMode);  // from kLayoutFrameSizes

}  // namespace kalendo
