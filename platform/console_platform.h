// The platform of kalendo2-cli: messages are one UTF-8 line on stderr; a
// fatal message is such a line, then exit status 3. Today's date can be
// fixed (--today) instead of read from the clock.
#pragma once

#include "platform/platform.h"

namespace kalendo {

class ConsolePlatform : public Platform {
public:
    void ShowMessage(std::string_view cp932) override;
    [[noreturn]] void Fatal(std::string_view cp932) override;
    std::optional<std::string> ExecutablePath() override;
    std::optional<CalendarDate> Today() override;
    ScreenSize PrimaryScreen() override { return {1024, 768}; }
    void OpenWithDefaultHandler(const std::string&) override {}

    void FixToday(CalendarDate date) { fixedToday_ = date; }

private:
    std::optional<CalendarDate> fixedToday_;
};

// Shared by every real platform.
std::optional<std::string> ExecutablePathFromProc();
std::optional<CalendarDate> TodayFromClock();

}  // namespace kalendo
