#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/fnv1a.h"
#include "platform/user_folders.h"

namespace kalendo {
namespace {

enum class Attempt { Held, HeldByOther, CannotCreate };

Attempt TryLock(const std::string& path) {
    // O_NOFOLLOW: a link planted at the name cannot make the lock create
    // or truncate another file (nothing is ever written into it).
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    // A folder that takes no new files may still hold the lock file of an
    // earlier start; a lock needs no write permission.
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
        fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    }
    if (fd < 0) return Attempt::CannotCreate;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        const bool busy = errno == EWOULDBLOCK;
        close(fd);
        return busy ? Attempt::HeldByOther : Attempt::CannotCreate;
    }
    return Attempt::Held;  // fd stays open: the lock lasts as long as the process
}

std::string RealPath(const std::string& folder) {
    char buf[PATH_MAX];
    if (realpath(folder.c_str(), buf) == nullptr) return folder;
    return buf;
}

}  // namespace

std::string RuntimeLockPath(const std::string& realFolder) {
    const std::optional<std::string> runtime = AbsoluteEnvironmentPath("XDG_RUNTIME_DIR");
    if (!runtime) return "";
    char name[64];
    std::snprintf(name, sizeof name, "/Kalendo2-%016llx.lock",
                  static_cast<unsigned long long>(Fnv1a64(realFolder)));
    return *runtime + name;
}

InstanceLockResult LockDataFolder(const std::string& folder) {
    // flock conflicts between two descriptors of one process as well: a
    // second request from the same process is answered from here.
    static std::map<std::string, InstanceLockResult> held;
    const std::string real = RealPath(folder);
    if (const auto it = held.find(real); it != held.end()) return it->second;

    std::string inFolder = real;
    if (inFolder.empty() || inFolder.back() != '/') inFolder += '/';
    inFolder += kLockFileName;
    Attempt attempt = TryLock(inFolder);
    if (attempt == Attempt::CannotCreate) {
        const std::string runtime = RuntimeLockPath(real);
        if (!runtime.empty()) attempt = TryLock(runtime);
    }
    switch (attempt) {
        case Attempt::Held: return held[real] = InstanceLockResult::Held;
        case Attempt::HeldByOther: return InstanceLockResult::HeldByOther;
        case Attempt::CannotCreate: return InstanceLockResult::NoLock;
    }
    return InstanceLockResult::NoLock;
}

}  // namespace kalendo
