#include "platform/ready_notice.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace kalendo {

ReadyNotice ReadyNotice::FromEnvironment() {
    const char* name = std::getenv("NOTIFY_SOCKET");
    ReadyNotice notice(name != nullptr ? name : "");
    unsetenv("NOTIFY_SOCKET");
    return notice;
}

bool ReadyNotice::Send() const {
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (socket_.size() < 2 || socket_.size() > sizeof address.sun_path ||
        (socket_[0] != '/' && socket_[0] != '@')) {
        return false;
    }
    std::memcpy(address.sun_path, socket_.data(), socket_.size());
    // An abstract name has no file: its first byte is 0, and its length is
    // that of the name, no terminating 0 counted.
    if (socket_[0] == '@') address.sun_path[0] = '\0';
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    constexpr char kReady[] = "READY=1";
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + socket_.size());
    const bool sent = sendto(fd, kReady, sizeof kReady - 1, MSG_NOSIGNAL,
                             reinterpret_cast<const sockaddr*>(&address), length) >= 0;
    close(fd);
    return sent;
}

}  // namespace kalendo
