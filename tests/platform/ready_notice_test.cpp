#include "platform/ready_notice.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace kalendo {
namespace {

// Every form of the socket's name, with a listener bound where one is
// named: the notice arrives exactly where a name can be reached, and the
// variable is gone from the environment once read.
TEST(ReadyNotice, ArrivesWhereTheNameCanBeReached) {
    const std::string id = std::to_string(getpid());
    const std::string path = (std::filesystem::temp_directory_path() / ("k2-ready-" + id)).string();
    const struct {
        std::string named;  // NOTIFY_SOCKET
        bool listening;
        bool arrives;
    } cases[] = {
        {"@k2-ready-" + id, true, true},
        {path, true, true},
        {"@k2-ready-nobody-" + id, false, false},
        {"k2-relative-" + id, true, false},
        {"", false, false},
        {"@", false, false},
        {"/" + std::string(sizeof(sockaddr_un::sun_path), 'x'), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        int listener = -1;
        if (c.listening) {
            listener = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
            sockaddr_un address = {};
            address.sun_family = AF_UNIX;
            c.named.copy(address.sun_path, c.named.size());
            if (c.named[0] == '@') address.sun_path[0] = '\0';
            unlink(c.named.c_str());
            ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address),
                           static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + c.named.size())), 0);
        }
        setenv("NOTIFY_SOCKET", c.named.c_str(), 1);
        const ReadyNotice notice = ReadyNotice::FromEnvironment();
        EXPECT_EQ(std::getenv("NOTIFY_SOCKET"), nullptr);
        EXPECT_EQ(notice.Send(), c.arrives);
        if (listener >= 0) {
            char got[16] = {};
            EXPECT_EQ(recv(listener, got, sizeof got - 1, MSG_DONTWAIT), c.arrives ? 7 : -1);
            EXPECT_EQ(std::string(got), c.arrives ? "READY=1" : "");
            close(listener);
            unlink(c.named.c_str());
        }
    }
}

}  // namespace
}  // namespace kalendo
