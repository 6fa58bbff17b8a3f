// What the window checks before it may start, in the order main() calls
// them: a graphical session first, then a display platform Qt can start on
// (both before Qt is set up, which would abort without one:
// platform/display_platform.h), then, with the platform in place, the lock
// of the data folder (before any file is read or created).
#pragma once

#include "ui/model/file_locations.h"

namespace kalendo {

// The exit status of a start that is refused: no graphical session, or
// another window already running on the same data folder.
inline constexpr int kRefusedStartStatus = 1;

// Takes the lock of the user's folder (LockDataFolder) for the process's
// life; an installed copy's user folder is created first, as the first
// start would anyway. false, after showing kAlreadyRunningMessage, when
// another window holds it (main then ends with kRefusedStartStatus, no
// file touched). A folder where no lock can be had (no lock file, no
// runtime folder) starts unlocked: true.
bool TakeSingleInstanceLock(const FileLocations& locations);

}  // namespace kalendo
