// The services the almanac asks of the machine it runs on: messages, the
// fatal exit, its own path, the screen, the clock, the help page and the
// log-on start. One implementation per setting: Qt for the window, the
// console for kalendo2-cli, a recorder for the tests.
//
// Texts handed to the platform are the system's own, in code page 932;
// each implementation converts them at its edge.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "platform/calendar_date.h"

namespace kalendo {

// The exit status of every fatal error: unusable input files, a wrong date
// expression, the lunisolar computation error; also kalendo2-cli's refused
// --data folder and failed writes to stdout.
inline constexpr int kFatalExitStatus = 3;

struct ScreenSize {
    int width;   // pixels
    int height;  // pixels
};

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message with an OK button; returns when it is dismissed.
    virtual void ShowMessage(std::string_view cp932) = 0;

    // The same for news of something done (a file written): where the
    // platform marks messages, as information rather than a warning.
    virtual void ShowNotice(std::string_view cp932) { ShowMessage(cp932); }

    // The message, then the process ends with kFatalExitStatus; nothing is
    // saved. What was already printed is flushed first. The recorder throws
    // FatalExit instead, so tests and fuzzers can observe the path.
    [[noreturn]] virtual void Fatal(std::string_view cp932) = 0;

    // The same two for a message that quotes characters code page 932
    // cannot hold (what a user typed, what a UTF-8 definition file holds),
    // so that it shows them as they are: handed over in UTF-8.
    virtual void ShowMessageUtf8(std::string_view utf8) = 0;
    [[noreturn]] virtual void FatalUtf8(std::string_view utf8) = 0;

    // Full path of the running executable (UTF-8); nullopt when unknown.
    virtual std::optional<std::string> ExecutablePath() = 0;

    // Today's local date; nullopt when the clock cannot be converted. Its
    // weekday is the day arithmetic's to compute (UpdateToday).
    virtual std::optional<CalendarDate> Today() = 0;

    // Time from now to the next local midnight, when Today() changes
    // (on a day that begins at 01:00 because of a time change, to that
    // moment); negative when the clock cannot be read. Read afresh on
    // each call, so a clock set or a new time zone counts at once.
    virtual std::chrono::milliseconds UntilNextLocalMidnight() = 0;

    virtual ScreenSize PrimaryScreen() = 0;

    // Opens a local file (UTF-8 path) with the desktop's default handler.
    // false when no handler could be started (no browser, no desktop); the
    // caller says so.
    virtual bool OpenWithDefaultHandler(const std::string& path) = 0;
};

// The platform in use. Set once at start-up, before anything computes.
Platform& ThePlatform();
Platform* PlatformOrNull();
void SetPlatform(Platform* platform);

// Thrown by the recording platform's Fatal (never by the real ones).
struct FatalExit {
    std::string message;      // CP932, as handed to Fatal; empty after FatalUtf8
    std::string messageUtf8;  // the message in UTF-8, either way
};

}  // namespace kalendo
