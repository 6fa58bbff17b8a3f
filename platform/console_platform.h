// The platform of kalendo2-cli: messages are one UTF-8 line on stderr,
// control characters shown escaped (TerminalSafe); a
// fatal message is such a line, then exit status 3. Today's date can be
// fixed (--today) instead of read from the clock.
#pragma once

#include "platform/platform.h"

namespace kalendo {

class ConsolePlatform : public Platform {
public:
    void ShowMessage(std::string_view cp932) override;
    [[noreturn]] void Fatal(std::string_view cp932) override;
    void ShowMessageUtf8(std::string_view utf8) override;
    [[noreturn]] void FatalUtf8(std::string_view utf8) override;
    std::optional<std::string> ExecutablePath() override;
    std::optional<CalendarDate> Today() override;
    std::chrono::milliseconds UntilNextLocalMidnight() override;
    ScreenSize PrimaryScreen() override { return {1024, 768}; }
    bool OpenWithDefaultHandler(const std::string&) override { return false; }

    void FixToday(CalendarDate date) { fixedToday_ = date; }

private:
    std::optional<CalendarDate> fixedToday_;
};

// Shared by every real platform.
std::optional<std::string> ExecutablePathFromProc();
// Both read the system clock in the local time zone as it is now: a
// changed TZ or /etc/localtime counts from the next call on.
std::optional<CalendarDate> TodayFromClock();
std::chrono::milliseconds UntilNextLocalMidnightFromClock();

}  // namespace kalendo
