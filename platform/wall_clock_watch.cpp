#include "platform/wall_clock_watch.h"

#include <sys/inotify.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>

namespace kalendo {
namespace {

// The files the C library and the desktop take the local zone from.
bool IsZoneFile(const char* name) {
    return std::strcmp(name, "localtime") == 0 || std::strcmp(name, "timezone") == 0;
}

}  // namespace

WallClockWatch::WallClockWatch(const std::string& zoneFolder) {
    timerFd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    zoneFd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // The folder, not the file: /etc/localtime is a link replaced by a
    // rename, which a watch on the old link would never see.
    if (zoneFd_ >= 0 &&
        inotify_add_watch(zoneFd_, zoneFolder.c_str(),
                          IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE | IN_ONLYDIR) < 0) {
        close(zoneFd_);
        zoneFd_ = -1;
    }
}

WallClockWatch::~WallClockWatch() {
    if (timerFd_ >= 0) close(timerFd_);
    if (zoneFd_ >= 0) close(zoneFd_);
}

bool WallClockWatch::ArmAt(std::chrono::system_clock::time_point wall) {
    if (timerFd_ < 0) return false;
    using namespace std::chrono;
    const nanoseconds since = duration_cast<nanoseconds>(wall.time_since_epoch());
    itimerspec expiry{};
    expiry.it_value.tv_sec = static_cast<time_t>(duration_cast<seconds>(since).count());
    expiry.it_value.tv_nsec = static_cast<long>((since % seconds(1)).count());
    // An instant of 0 would disarm the timer instead of firing at once.
    if (expiry.it_value.tv_sec <= 0) expiry.it_value = {0, 1};
    return timerfd_settime(timerFd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &expiry, nullptr) == 0;
}

void WallClockWatch::Disarm() {
    const itimerspec none{};
    if (timerFd_ >= 0) timerfd_settime(timerFd_, 0, &none, nullptr);
}

WallClockWatch::TimerNews WallClockWatch::ReadTimer() {
    if (timerFd_ < 0) return TimerNews::Nothing;
    std::uint64_t expirations = 0;
    if (read(timerFd_, &expirations, sizeof expirations) == sizeof expirations) return TimerNews::Due;
    return errno == ECANCELED ? TimerNews::ClockSet : TimerNews::Nothing;
}

bool WallClockWatch::ReadZone() {
    if (zoneFd_ < 0) return false;
    bool zone = false;
    alignas(inotify_event) char buf[4096];
    for (ssize_t n; (n = read(zoneFd_, buf, sizeof buf)) > 0;) {
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(buf + at);
            if (e->len > 0 && IsZoneFile(e->name)) zone = true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
        }
    }
    if (zone) tzset();
    return zone;
}

}  // namespace kalendo
