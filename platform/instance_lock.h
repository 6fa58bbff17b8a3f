// One window per data folder. Two windows on one folder would each rewrite
// the schedule and settings files from their own tables, and the later save
// would drop the other's edits; so the window holds a lock for its whole
// life, and a second start on the same folder is refused.
//
// The lock is an flock(2) on a file of its own, never on a file that is
// replaced by a rename (a lock on the old file would not cover the new
// one). It lies beside the user's files (kLockFileName), so that it is the
// same lock whatever path names the folder, or, when the folder cannot
// take it (a read-only portable copy), in $XDG_RUNTIME_DIR under a name
// made from the folder's real path. The lock goes with the process: a
// crash leaves no stale lock behind.
#pragma once

#include <string>

namespace kalendo {

// The lock file beside the user's files.
inline constexpr char kLockFileName[] = "Kalendo2.lock";

enum class InstanceLockResult {
    Held,        // this process holds the folder's lock now
    HeldByOther, // another process holds it
    NoLock,      // neither place takes a lock file; the process goes on unlocked
};

// Takes the lock of the data folder `folder` (a path, with or without a
// trailing "/") for the rest of the process's life (the descriptor is kept
// open, closed on exec). Creates at most the lock file. Asking again for a
// folder already held by this process gives Held.
InstanceLockResult LockDataFolder(const std::string& folder);

// The lock file's path in $XDG_RUNTIME_DIR for a folder whose real path is
// `realFolder`: "<runtime>/Kalendo2-<16 hex digits>.lock", the digits a
// 64-bit FNV-1a hash of the path. "" when $XDG_RUNTIME_DIR is not an
// absolute path.
std::string RuntimeLockPath(const std::string& realFolder);

}  // namespace kalendo
