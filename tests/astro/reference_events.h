// The reference ephemeris' events (tests/data/ephemeris, see its README) and
// a fixture that runs a test in the precise almanac.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "astro/ephemeris.h"
#include "core/almanac_mode.h"
#include "core/month_record.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"

namespace kalendo::testing_support {

inline constexpr double kSecondsPerDay = 86400.0;

inline std::string EphemerisDataPath(const std::string& name) {
    const char* root = std::getenv("K2_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/ephemeris/" + name;
}

struct RefEvent {
    double jdUt;
    CalendarDate date;
    double secondsOfDay;  // JST clock time
    int angle;            // solar term: the sun's longitude; -1: new moon
};

inline std::vector<RefEvent> ReadEvents() {
    std::vector<RefEvent> events;
    std::ifstream in(EphemerisDataPath("events-1899-2101.txt"));
    std::string line;
    while (std::getline(in, line)) {
        int y, mo, d, h, mi, s;
        char kind[8] = {};
        if (std::sscanf(line.c_str(), "%d-%d-%d %d:%d:%d %7s", &y, &mo, &d, &h, &mi, &s, kind) != 7) {
            continue;
        }
        const double sec = h * 3600 + mi * 60 + s;
        events.push_back({JstMidnightJd(y, mo, d) + sec / kSecondsPerDay, {y, mo, d}, sec,
                          kind[0] == 'T' ? std::atoi(kind + 1) : -1});
    }
    return events;
}

inline const std::vector<RefEvent>& Events() {
    static const std::vector<RefEvent> events = ReadEvents();
    return events;
}

// The month computation in the precise almanac.
inline constexpr MonthOptions kPrecise{AlmanacMode::Precise, kViewFull};

class PreciseModeTest : public ::testing::Test {
protected:
    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_ = std::make_unique<MonthRecord>();
};

}  // namespace kalendo::testing_support
