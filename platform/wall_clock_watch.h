// What the kernel tells a sleeping window about the wall clock: that the
// instant it waits for has come, that the clock was set (by hand, by NTP
// stepping it, at a resume from suspend), or that the local time zone
// changed. A window that waits on these descriptors needs no polling: it
// sleeps until one of them becomes readable. Linux only (timerfd, inotify);
// no toolkit: the window hands the descriptors to its event loop.
#pragma once

#include <chrono>
#include <string>

namespace kalendo {

class WallClockWatch {
public:
    // The zone is that of /etc/localtime (replaced by timedatectl, by the
    // desktop's settings and by dpkg-reconfigure tzdata) and of
    // /etc/timezone; `zoneFolder` is /etc but for a test.
    explicit WallClockWatch(const std::string& zoneFolder = "/etc");
    ~WallClockWatch();
    WallClockWatch(const WallClockWatch&) = delete;
    WallClockWatch& operator=(const WallClockWatch&) = delete;

    // false when the kernel gave no timer (then nothing wakes the window
    // but its own events: the caller keeps a fallback).
    bool ok() const { return timerFd_ >= 0; }

    // Readable when the armed instant has come or the clock was set.
    int timerFd() const { return timerFd_; }
    // Readable when something changed in the zone folder (-1 without one).
    int zoneFd() const { return zoneFd_; }

    // Wakes at `wall` on the real-time clock, as an absolute instant: a
    // machine that slept through it wakes the window at its resume, and a
    // clock set before it makes timerFd readable at once. Replaces the
    // instant armed before.
    bool ArmAt(std::chrono::system_clock::time_point wall);

    // Nothing armed.
    void Disarm();

    enum class TimerNews { Nothing, Due, ClockSet };
    // What made timerFd readable. After ClockSet the timer is disarmed:
    // arm it again from the new clock.
    TimerNews ReadTimer();

    // Whether the zone's files are among the changes that made zoneFd
    // readable; every change read is taken, and the C library is told to
    // read the zone again (tzset), so local times follow at once.
    bool ReadZone();

private:
    int timerFd_ = -1;
    int zoneFd_ = -1;
};

}  // namespace kalendo
