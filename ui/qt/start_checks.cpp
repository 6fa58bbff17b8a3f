#include "ui/qt/start_checks.h"

#include <string>

#include "platform/instance_lock.h"
#include "platform/platform.h"
#include "platform/user_folders.h"
#include "ui/qt/window_texts.h"

namespace kalendo {

bool TakeSingleInstanceLock(const FileLocations& locations) {
    const std::string folder = locations.userFolder.empty() ? locations.programFolder
                                                      : locations.userFolder;
    if (!locations.portable && !locations.userFolder.empty()) {
        // Locked in the folder itself, so that a later start that finds the
        // folder there locks the same file.
        MakeFolders(folder);
    }
    if (LockDataFolder(folder) != InstanceLockResult::HeldByOther) return true;
    ThePlatform().ShowMessage(kAlreadyRunningMessage);
    return false;
}

}  // namespace kalendo
