// The names the desktop knows the window by, for the window itself and for
// the services it talks to (the notifications name it by its entry).
#pragma once

namespace kalendo {

// The window's class under X11 (WM_CLASS) and the name of the desktop
// entry, which is the window's app id under Wayland: app/kalendo2.desktop
// and its StartupWMClass.
inline constexpr char kWindowClass[] = "Kalendo2";
inline constexpr char kDesktopEntryName[] = "kalendo2";

}  // namespace kalendo
