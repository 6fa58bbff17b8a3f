#include "platform/ready_notice.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <string>

namespace kalendo {
namespace {

// The notice arrives where the name reaches a listener, a path or an
// abstract name; a relative name, a name too long for the address and a
// name nobody listens on send nothing. The variable is gone once read.
TEST(ReadyNotice, ArrivesWhereTheNameReachesAListener) {
    const std::string id = std::to_string(getpid());
    const std::string tooLong = "/" + std::string(sizeof(sockaddr_un::sun_path), 'x');
    for (const std::string& name : {"@k2-ready-" + id, "/tmp/k2-ready-" + id, "k2-ready-" + id, tooLong,
                                    std::string("@"), std::string()}) {
        SCOPED_TRACE(name);
        const bool reachable = name.size() > 1 && name.size() < sizeof(sockaddr_un::sun_path) &&
                               (name[0] == '/' || name[0] == '@');
        const int listener = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        name.copy(address.sun_path, std::min(name.size(), sizeof address.sun_path));
        if (name[0] == '@') address.sun_path[0] = '\0';
        const bool bound = name.size() > 1 && name.size() < sizeof address.sun_path &&
                           bind(listener, reinterpret_cast<sockaddr*>(&address),
                                static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size())) == 0;
        setenv("NOTIFY_SOCKET", name.c_str(), 1);
        const ReadyNotice notice = ReadyNotice::FromEnvironment();
        EXPECT_EQ(std::getenv("NOTIFY_SOCKET"), nullptr);
        EXPECT_EQ(notice.Send(), reachable);
        char got[16] = {};
        EXPECT_EQ(recv(listener, got, sizeof got - 1, MSG_DONTWAIT), bound && reachable ? 7 : -1);
        EXPECT_EQ(std::string(got), reachable ? "READY=1" : "");
        close(listener);
        if (name[0] != '@') unlink(name.c_str());
    }
    EXPECT_FALSE(ReadyNotice("@k2-ready-nobody-" + id).Send());
}

}  // namespace
}  // namespace kalendo
