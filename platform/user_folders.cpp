#include "platform/user_folders.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace kalendo {

std::optional<std::string> AbsoluteEnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') return std::nullopt;
    return std::string(value);
}

std::optional<std::string> HomeFolder() {
    if (auto home = AbsoluteEnvironmentPath("HOME")) return home;
    struct passwd entry;
    struct passwd* found = nullptr;
    char buf[4096];
    if (getpwuid_r(getuid(), &entry, buf, sizeof buf, &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr || found->pw_dir[0] != '/') {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

bool MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (!prefix.empty() && prefix.back() != '/' && mkdir(prefix.c_str(), 0700) != 0 &&
            errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) break;
    }
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FolderTakesNewFiles(const std::string& folder) {
    return faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool PathExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

}  // namespace kalendo
