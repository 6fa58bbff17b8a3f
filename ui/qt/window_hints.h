// What the frame asks of an X11 window manager beyond Qt's window flags.
// Qt writes _MOTIF_WM_HINTS itself and always adds the resize handle and
// the resize function to a titled window; a window of fixed size that asks
// for them gets a resize border and, under openbox, a maximise button that
// does nothing. So the frame's hints are written again after Qt's.
#pragma once

#include <array>
#include <cstdint>

class QWidget;

namespace kalendo {

// The five CARDINALs of _MOTIF_WM_HINTS: flags, functions, decorations,
// input mode, status.
using MotifWmHints = std::array<std::uint32_t, 5>;

inline constexpr std::uint32_t kMwmHintsFunctions = 1u << 0;
inline constexpr std::uint32_t kMwmHintsDecorations = 1u << 1;
inline constexpr std::uint32_t kMwmFuncResize = 1u << 1;
inline constexpr std::uint32_t kMwmFuncMove = 1u << 2;
inline constexpr std::uint32_t kMwmFuncMinimize = 1u << 3;
inline constexpr std::uint32_t kMwmFuncMaximize = 1u << 4;
inline constexpr std::uint32_t kMwmFuncClose = 1u << 5;
inline constexpr std::uint32_t kMwmDecorBorder = 1u << 1;
inline constexpr std::uint32_t kMwmDecorResizeHandle = 1u << 2;
inline constexpr std::uint32_t kMwmDecorTitle = 1u << 3;
inline constexpr std::uint32_t kMwmDecorMenu = 1u << 4;
inline constexpr std::uint32_t kMwmDecorMinimize = 1u << 5;
inline constexpr std::uint32_t kMwmDecorMaximize = 1u << 6;

// A fixed-size frame: border, title, window menu and minimise button;
// moving, minimising and closing; no resize handle, no maximising.
inline constexpr MotifWmHints kFixedFrameMotifHints{
    kMwmHintsFunctions | kMwmHintsDecorations,
    kMwmFuncMove | kMwmFuncMinimize | kMwmFuncClose,
    kMwmDecorBorder | kMwmDecorTitle | kMwmDecorMenu | kMwmDecorMinimize,
    0,
    0};

// Writes kFixedFrameMotifHints on the top-level window under X11 (creating
// its native window if need be); does nothing on other platforms.
void AskForFixedFrame(QWidget* window);

// Whether the platform tells a window where it is. Under native Wayland a
// client never learns its position: Qt reports the client-side title bar's
// margins (-3, -30) as the frame's corner, which must not replace the
// stored position.
bool PlatformReportsWindowPosition();

}  // namespace kalendo
