// The end of a start-up measurement: the first paint of a window. Prints
// the milliseconds from K2_T0_NS (CLOCK_REALTIME nanoseconds the caller took
// just before starting the process, so loading and linking count) to the
// end of the first paint, the process's CPU time until then (all threads;
// less disturbed than the wall time on a busy machine) and VmRSS at that
// moment, then ends the process at once. Shared by the two probes that
// bench/window_startup.sh runs.
#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace kalendo::bench {

inline long long NowNs() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

// K2_T0_NS, or now when it is not set.
inline long long StartNs() {
    const char* t0 = std::getenv("K2_T0_NS");
    return t0 != nullptr ? std::atoll(t0) : NowNs();
}

inline std::string StatusLine(const char* key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0) return line;
    }
    return "";
}

class FirstPaint : public QObject {
public:
    explicit FirstPaint(long long t0Ns) : t0Ns_(t0Ns) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // The paint event is delivered after this filter returns; the
        // zero timer runs once it (and the children's paints of the same
        // pass) are done.
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [this] {
                timespec cpu{};
                clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
                std::printf("first_paint_ms %.1f\ncpu_ms %.1f\n%s\n", (NowNs() - t0Ns_) / 1e6,
                            cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6, StatusLine("VmRSS").c_str());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    long long t0Ns_;
    bool seen_ = false;
};

}  // namespace kalendo::bench
