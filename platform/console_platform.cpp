#include "platform/console_platform.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/terminal_text.h"
#include "platform/text_codec.h"

namespace kalendo {

void ConsolePlatform::ShowMessage(std::string_view cp932) {
    ShowMessageUtf8(Utf8FromCp932(cp932));
}

void ConsolePlatform::ShowMessageUtf8(std::string_view utf8) {
    // stdout is fully buffered: what was printed before the message goes
    // first, so the two streams keep their order in one file or terminal.
    std::fflush(stdout);
    PrintTerminalLine(utf8);
}

void ConsolePlatform::Fatal(std::string_view cp932) {
    ConsolePlatform::FatalUtf8(Utf8FromCp932(cp932));
}

void ConsolePlatform::FatalUtf8(std::string_view utf8) {
    ShowMessageUtf8(utf8);  // flushes stdout: lines already printed stay printed
    std::_Exit(kFatalExitStatus);  // nothing is saved: no destructors, no atexit
}

std::optional<std::string> ConsolePlatform::ExecutablePath() { return ExecutablePathFromProc(); }

std::optional<CalendarDate> ConsolePlatform::Today() {
    if (fixedToday_) return fixedToday_;
    return TodayFromClock();
}

std::chrono::milliseconds ConsolePlatform::UntilNextLocalMidnight() {
    return UntilNextLocalMidnightFromClock();
}

std::optional<std::string> ExecutablePathFromProc() {
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::nullopt;
    return std::string(buf, static_cast<size_t>(n));
}

std::optional<CalendarDate> TodayFromClock() {
    const std::time_t now = std::time(nullptr);
    // localtime_r keeps the zone it read first; tzset looks again (glibc
    // re-reads /etc/localtime only when the file changed).
    tzset();
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
        return std::nullopt;
    }
    return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::chrono::milliseconds UntilNextLocalMidnightFromClock() {
    timespec now{};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0) return std::chrono::milliseconds(-1);
    tzset();
    std::tm next{};
    if (localtime_r(&now.tv_sec, &next) == nullptr) return std::chrono::milliseconds(-1);
    // 0 h of the next day; mktime carries the day over the month's end and,
    // with tm_isdst -1, finds the offset in force then (a day may have 23
    // or 25 hours, or begin at 01:00).
    ++next.tm_mday;
    next.tm_hour = next.tm_min = next.tm_sec = 0;
    next.tm_isdst = -1;
    const std::time_t midnight = std::mktime(&next);
    if (midnight == static_cast<std::time_t>(-1)) return std::chrono::milliseconds(-1);
    return std::chrono::seconds(midnight - now.tv_sec) -
           std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::nanoseconds(now.tv_nsec));
}

}  // namespace kalendo
