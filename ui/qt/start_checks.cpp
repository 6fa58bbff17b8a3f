#include "ui/qt/start_checks.h"

#include <cstdlib>

#include "platform/instance_lock.h"
#include "platform/platform.h"
#include "platform/terminal_text.h"
#include "platform/text_codec.h"
#include "platform/user_folders.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool HasGraphicalSession() {
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

bool CheckGraphicalSession() {
    if (HasGraphicalSession()) return true;
    PrintTerminalLine(Utf8FromCp932(kNoGraphicalSessionMessage));
    return false;
}

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
