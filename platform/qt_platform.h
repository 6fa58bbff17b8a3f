// The platform of the window: Qt message boxes, the screen Qt reports, the
// desktop's default handler for the help page. Needs a QApplication.
#pragma once

#include "platform/platform.h"

namespace kalendo {

class QtPlatform : public Platform {
public:
    // A modal box titled "Kalendo2" with an OK button. Before a QApplication
    // exists the message goes to stderr as one UTF-8 line instead.
    void ShowMessage(std::string_view cp932) override;
    void ShowNotice(std::string_view cp932) override;
    // The box, then everything printed so far is flushed and the process
    // ends at once with kFatalExitStatus: no destructor runs, nothing is saved.
    [[noreturn]] void Fatal(std::string_view cp932) override;
    void ShowMessageUtf8(std::string_view utf8) override;
    [[noreturn]] void FatalUtf8(std::string_view utf8) override;
    std::optional<std::string> ExecutablePath() override;
    std::optional<CalendarDate> Today() override;
    std::chrono::milliseconds UntilNextLocalMidnight() override;
    ScreenSize PrimaryScreen() override;
    bool OpenWithDefaultHandler(const std::string& path) override;
};

}  // namespace kalendo
