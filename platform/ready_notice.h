// Telling whoever started the window that it is up: the service manager's
// readiness notice, one datagram "READY=1" to the Unix socket that
// NOTIFY_SOCKET names (a path, or "@name" in the abstract namespace), as a
// systemd service of Type=notify sends it. A user unit, `systemd-run
// --service-type=notify` or a test can thus wait for the window instead of
// guessing how long its start takes. Without the variable nothing is sent.
#pragma once

#include <string>
#include <utility>

namespace kalendo {

class ReadyNotice {
public:
    // Reads NOTIFY_SOCKET and removes it from the environment, so that the
    // programs the window starts (the help page's browser) do not report to
    // the same socket. Called while the process has one thread.
    static ReadyNotice FromEnvironment();

    explicit ReadyNotice(std::string socket) : socket_(std::move(socket)) {}

    // Sends "READY=1". false when no socket was named, the name is neither
    // absolute nor abstract, or nobody listens.
    bool Send() const;

private:
    std::string socket_;
};

}  // namespace kalendo
