#include "platform/console_platform.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/text_codec.h"

namespace kalendo {

void ConsolePlatform::ShowMessage(std::string_view cp932) {
    const std::string line = Utf8FromCp932(cp932) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void ConsolePlatform::Fatal(std::string_view cp932) {
    std::fflush(stdout);  // lines already printed stay printed
    ShowMessage(cp932);
    std::_Exit(kFatalExitStatus);  // nothing is saved: no destructors, no atexit
}

std::optional<std::string> ConsolePlatform::ExecutablePath() { return ExecutablePathFromProc(); }

std::optional<CalendarDate> ConsolePlatform::Today() {
    if (fixedToday_) return fixedToday_;
    return TodayFromClock();
}

std::optional<std::string> ExecutablePathFromProc() {
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::nullopt;
    return std::string(buf, static_cast<size_t>(n));
}

std::optional<CalendarDate> TodayFromClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
        return std::nullopt;
    }
    return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace kalendo
