// Whether Qt will find a display platform to start the window on, asked
// before Qt is set up: its constructor aborts the process when none of the
// platforms it tries starts, and the program says instead, in one line,
// what is missing. Environment, plugin files and one connection tried to
// each display; no widget, no window.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kalendo {

// Whether Qt has a display to open: DISPLAY or WAYLAND_DISPLAY is set (not
// empty), or QT_QPA_PLATFORM chooses a platform (offscreen, vnc, …).
bool HasGraphicalSession();

// HasGraphicalSession; without one, kNoGraphicalSessionMessage as one line
// on stderr first (main then ends with kRefusedStartStatus, ui/qt/start_checks.h).
bool CheckGraphicalSession();

// What decides whether Qt can open a window at all. Qt tries the platforms
// of QT_QPA_PLATFORM (a list separated by ";", each "name[:options]") or,
// without it, Wayland when WAYLAND_DISPLAY is set and then X11 (xcb); when
// none of them starts, its constructor aborts the process. So the program
// asks first, from these facts.
struct DisplayFacts {
    std::string chosen;          // QT_QPA_PLATFORM; "" when not set
    std::string x11Display;      // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    // A platform plugin file for the name is in one of Qt's plugin folders.
    std::function<bool(std::string_view name)> hasPlugin;
    // The X server of DISPLAY accepts a connection; the compositor's socket
    // (WAYLAND_DISPLAY in XDG_RUNTIME_DIR) accepts one.
    std::function<bool()> x11Answers;
    std::function<bool()> waylandAnswers;
};

// "" when one of the platforms Qt will try can start; otherwise the one
// line (UTF-8, for stderr) that names what is missing for each of them, in the order
// Qt tries them: the plugin (for Wayland the package qt6-wayland that
// holds it), the display variable, or a display that does not answer.
std::string DisplayPlatformRefusal(const DisplayFacts& facts);

// The facts of this process: the environment, the plugin files in Qt's
// plugin folders (QT_QPA_PLATFORM_PLUGIN_PATH, QT_PLUGIN_PATH, Qt's own and
// the executable's folder, each with "platforms/"), and a connection tried
// to each display and closed again.
DisplayFacts ReadDisplayFacts();

// DisplayPlatformRefusal(ReadDisplayFacts()); a refusal is printed as one
// line on stderr (main then ends with kRefusedStartStatus). Call it after
// PreferXcbUnderWayland and before the QApplication is constructed.
bool CheckDisplayPlatform();

}  // namespace kalendo
