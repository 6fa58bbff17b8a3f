// The platform while the window ends on a termination signal. A desktop
// session that sends SIGTERM, or a user at the terminal who presses Ctrl+C,
// waits for the process to go; a modal box with nobody to press OK (a
// settings file that cannot be written) would hold it until it is killed,
// and what the box said would be lost with it. So from the signal on,
// messages are lines on stderr and a fatal error ends the process at once;
// everything else is the window's platform as before.
#pragma once

#include "platform/platform.h"

namespace kalendo {

class TerminalMessagesPlatform final : public Platform {
public:
    explicit TerminalMessagesPlatform(Platform& window) : window_(window) {}

    void ShowMessage(std::string_view cp932) override;
    void ShowNotice(std::string_view cp932) override { ShowMessage(cp932); }
    [[noreturn]] void Fatal(std::string_view cp932) override;
    void ShowMessageUtf8(std::string_view utf8) override;
    [[noreturn]] void FatalUtf8(std::string_view utf8) override;
    std::optional<std::string> ExecutablePath() override { return window_.ExecutablePath(); }
    std::optional<CalendarDate> Today() override { return window_.Today(); }
    std::chrono::milliseconds UntilNextLocalMidnight() override { return window_.UntilNextLocalMidnight(); }
    ScreenSize PrimaryScreen() override { return window_.PrimaryScreen(); }
    bool OpenWithDefaultHandler(const std::string&) override { return false; }

    Platform& window() { return window_; }

private:
    Platform& window_;
};

}  // namespace kalendo
