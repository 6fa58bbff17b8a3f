// The platform of the tests: records every message, throws FatalExit from
// Fatal, and answers with a date, a screen size and a path it was given.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kalendo {

class RecordingPlatform : public Platform {
public:
    void ShowMessage(std::string_view cp932) override;
    [[noreturn]] void Fatal(std::string_view cp932) override;
    void ShowMessageUtf8(std::string_view utf8) override;
    [[noreturn]] void FatalUtf8(std::string_view utf8) override;
    std::optional<std::string> ExecutablePath() override { return executablePath; }
    std::optional<CalendarDate> Today() override { return today; }
    std::chrono::milliseconds UntilNextLocalMidnight() override { return untilMidnight; }
    ScreenSize PrimaryScreen() override { return screen; }
    bool OpenWithDefaultHandler(const std::string& path) override {
        opened.push_back(path);
        return openSucceeds;
    }

    // Messages as UTF-8, for readable assertions: `messages` converted, in
    // order, then `utf8Messages`.
    std::vector<std::string> MessagesUtf8() const;

    std::vector<std::string> messages;      // handed over in CP932, in order shown
    std::vector<std::string> utf8Messages;  // handed over in UTF-8, in order shown
    std::vector<std::string> opened;
    bool openSucceeds = true;  // what OpenWithDefaultHandler answers
    std::optional<std::string> executablePath = std::string("/opt/kalendo2/Kalendo2");
    std::optional<CalendarDate> today = CalendarDate{2024, 6, 15};
    // The clock stands this long before the end of `today`; a test that
    // changes `today` sets it short, as the real clock would be.
    std::chrono::milliseconds untilMidnight = std::chrono::hours(1);
    ScreenSize screen{1920, 1080};
};

// Installs a RecordingPlatform for the lifetime of the object and restores
// the previous platform afterwards.
class ScopedRecordingPlatform {
public:
    ScopedRecordingPlatform();
    ~ScopedRecordingPlatform();
    RecordingPlatform& operator*() { return platform_; }
    RecordingPlatform* operator->() { return &platform_; }

private:
    RecordingPlatform platform_;
    Platform* previous_;
};

}  // namespace kalendo
