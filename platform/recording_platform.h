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
    std::optional<std::string> ExecutablePath() override { return executablePath; }
    std::optional<CalendarDate> Today() override { return today; }
    ScreenSize PrimaryScreen() override { return screen; }
    void OpenWithDefaultHandler(const std::string& path) override { opened.push_back(path); }

    // Messages as UTF-8, for readable assertions.
    std::vector<std::string> MessagesUtf8() const;

    std::vector<std::string> messages;  // CP932, in order shown
    std::vector<std::string> opened;
    std::optional<std::string> executablePath = std::string("/opt/kalendo2/Kalendo2");
    std::optional<CalendarDate> today = CalendarDate{2024, 6, 15};
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
