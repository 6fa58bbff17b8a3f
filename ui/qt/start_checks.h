// What the window checks before it may start, each in the order main()
// calls them: a graphical session first, then a display platform Qt can
// start on (both before Qt is set up, which would abort without one), then,
// with the platform in place, the lock of the data folder (before any file
// is read or created).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/model/file_locations.h"

namespace kalendo {

// The exit status of a start that is refused: no graphical session, or
// another window already running on the same data folder.
inline constexpr int kRefusedStartStatus = 1;

// Whether Qt has a display to open: DISPLAY or WAYLAND_DISPLAY is set (not
// empty), or QT_QPA_PLATFORM chooses a platform (offscreen, vnc, …).
bool HasGraphicalSession();

// HasGraphicalSession; without one, kNoGraphicalSessionMessage as one line
// on stderr first (main then ends with kRefusedStartStatus).
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

// Takes the lock of the user's folder (LockDataFolder) for the process's
// life; an installed copy's user folder is created first, as the first
// start would anyway. false, after showing kAlreadyRunningMessage, when
// another window holds it (main then ends with kRefusedStartStatus, no
// file touched). A folder where no lock can be had (no lock file, no
// runtime folder) starts unlocked: true.
bool TakeSingleInstanceLock(const FileLocations& locations);

}  // namespace kalendo
