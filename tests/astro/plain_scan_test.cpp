// The searches skip work the plain rules would do: the day searches reuse a
// day's value as the next step's, and the new-moon minute search skips
// minutes that cannot qualify. Both must give exactly what the plain rules
// give; these tests run the plain rules beside them over 1600-2999.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "astro/longitude.h"
#include "astro/longitude_detail.h"
#include "astro/lunisolar.h"
#include "astro/lunisolar_detail.h"
#include "core/day_arith.h"
#include "platform/recording_platform.h"
#include "tests/calendar_date_print.h"

namespace kalendo {
namespace {

constexpr int kFirstYear = 1600;
constexpr int kLastYear = 2999;
constexpr int kYearsPerShard = 50;

// The plain scan of every new moon takes about 12 million evaluations of
// both series (some 20 s). The sanitized build adds nothing to that
// arithmetic proof but time, so there it takes every 5th year; the plain
// build compares every new moon.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kYearStride = 5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kYearStride = 5;
#else
constexpr int kYearStride = 1;
#endif
#else
constexpr int kYearStride = 1;
#endif

std::string ShardName(const ::testing::TestParamInfo<int>& info) {
    return "From" + std::to_string(info.param) + "To" +
           std::to_string(info.param + kYearsPerShard - 1);
}

// The plain minute scan: from 0 h, one minute at a time, until sun minus
// moon lies within 0.1 degrees. Also reports the largest change of the
// difference between two minutes, around the circle.
struct PlainScan {
    int hour = 0;
    int minute = 0;
    double largestStepDeg = 0;
};

PlainScan ScanEveryMinute(int y, int m, int d) {
    PlainScan scan;
    double prev = NAN;
    for (;;) {
        const double diff = SunLongitude(y, m, d, scan.hour, scan.minute, 0) -
                            MoonLongitude(y, m, d, scan.hour, scan.minute, 0);
        if (!std::isnan(prev)) {
            double step = std::fabs(diff - prev);
            if (step > 180) step = 360 - step;
            if (step > scan.largestStepDeg) scan.largestStepDeg = step;
        }
        if (!(diff < -0.1 || diff > 0.1)) return scan;
        prev = diff;
        if (++scan.minute == 60) {
            scan.minute = 0;
            ++scan.hour;
        }
    }
}

class NewMoonMinuteShard : public ::testing::TestWithParam<int> {
protected:
    NewMoonMinuteShard() : rec_(std::make_unique<MonthRecord>()) {}
    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
};

// Every new moon of the shard's years (each counted in its own year),
// located by the skipping search and by the plain scan.
TEST_P(NewMoonMinuteShard, MatchesThePlainScan) {
    const double rateBound = MaxElongationRateDegPerMinute();
    double largestStep = 0;
    for (int y = GetParam(); y < GetParam() + kYearsPerShard; y += kYearStride) {
        rec_->year[kTarget] = y;
        ComputeNewMoons(*rec_);
        for (int n = 0; n < kNewMoonCount; ++n) {
            const int ny = rec_->newMoons.years[n];
            const int nm = rec_->newMoons.months[n];
            const int nd = rec_->newMoons.days[n];
            if (ny != y) continue;
            const PlainScan plain = ScanEveryMinute(ny, nm, nd);
            const ClockMinute fast = NewMoonMinute(ny, nm, nd);
            ASSERT_EQ(fast.hour, plain.hour) << ny << '-' << nm << '-' << nd;
            ASSERT_EQ(fast.minute, plain.minute) << ny << '-' << nm << '-' << nd;
            ASSERT_LT(plain.hour, 24) << "the conjunction lies within its day";
            if (plain.largestStepDeg > largestStep) largestStep = plain.largestStepDeg;
        }
    }
    // The premise of the skipping: no minute moves the difference by more
    // than the bound (the bound is wide: the moon's fastest is ~0.011).
    EXPECT_LT(largestStep, rateBound);
    EXPECT_GT(largestStep * 1.3, 0.011);
    EXPECT_LT(rateBound, 0.02) << "a loose bound only slows the search";
}

INSTANTIATE_TEST_SUITE_P(Years, NewMoonMinuteShard,
                         ::testing::Range(kFirstYear, kLastYear + 1, kYearsPerShard), ShardName);

// The day searches written plainly, every value computed afresh.
void PlainSolarTerms(int targetYear, DateList<kTermCount>& terms) {
    int y = targetYear - 1, m = 1, d = 1;
    double angle = 285.0;
    int count = 0;
    while (d <= DaysInMonth(targetYear - 1, m)) {
        const double l1 = SunLongitude(y, m, d, 0, 0, 0);
        int ny = y, nm = m, nd = d + 1;
        NormalizeDate(ny, nm, nd);
        double l2 = SunLongitude(ny, nm, nd, 0, 0, 0);
        if (l2 < l1) l2 += 360;
        if (l1 <= angle && angle <= l2) {
            terms.years[count] = y;
            terms.months[count] = m;
            terms.days[count] = d;
            if (++count == kTermCount) return;
            d += 13;
            angle += 15;
            NormalizeDate(y, m, d);
            if (angle > 360) angle -= 360;
        } else {
            d += 1;
        }
    }
}

double Elongation(int y, int m, int d) {
    double e = std::fmod(SunLongitude(y, m, d, 0, 0, 0) - MoonLongitude(y, m, d, 0, 0, 0), 360.0);
    while (e < 0) e += 360;
    return e;
}

void PlainNewMoons(int targetYear, DateList<kNewMoonCount>& newMoons) {
    int y = targetYear - 1, m = 1, d = 1;
    for (int n = 0; n < kNewMoonCount; ++n) {
        for (;;) {
            int ny = y, nm = m, nd = d + 1;
            NormalizeDate(ny, nm, nd);
            if (Elongation(y, m, d) < Elongation(ny, nm, nd)) break;
            y = ny;
            m = nm;
            d = nd;
        }
        newMoons.years[n] = y;
        newMoons.months[n] = m;
        newMoons.days[n] = d;
        d += 28;
        NormalizeDate(y, m, d);
    }
}

// The day during which the sun reaches an angle, every day from `from` asked.
CalendarDate PlainSunReaches(double angleDeg, CalendarDate day) {
    for (;;) {
        CalendarDate next{day.year, day.month, day.day + 1};
        NormalizeDate(next.year, next.month, next.day);
        const double start = SunLongitude(day.year, day.month, day.day, 0, 0, 0);
        const double end = SunLongitude(next.year, next.month, next.day, 0, 0, 0);
        if (end < start ? (angleDeg >= start || angleDeg < end) : (start <= angleDeg && angleDeg < end)) {
            return day;
        }
        day = next;
    }
}

class DaySearchShard : public NewMoonMinuteShard {};

TEST_P(DaySearchShard, MatchesThePlainSearches) {
    auto plain = std::make_unique<MonthRecord>();
    for (int y = GetParam(); y < GetParam() + kYearsPerShard; ++y) {
        rec_->year[kTarget] = y;
        ComputeSolarTerms(*rec_);
        ComputeNewMoons(*rec_);
        PlainSolarTerms(y, plain->terms);
        PlainNewMoons(y, plain->newMoons);
        for (int k = 0; k < kTermCount; ++k) {
            ASSERT_EQ(rec_->terms.years[k], plain->terms.years[k]) << y << " term " << k;
            ASSERT_EQ(rec_->terms.months[k], plain->terms.months[k]) << y << " term " << k;
            ASSERT_EQ(rec_->terms.days[k], plain->terms.days[k]) << y << " term " << k;
        }
        for (int n = 0; n < kNewMoonCount; ++n) {
            ASSERT_EQ(rec_->newMoons.years[n], plain->newMoons.years[n]) << y << " new moon " << n;
            ASSERT_EQ(rec_->newMoons.months[n], plain->newMoons.months[n])
                << y << " new moon " << n;
            ASSERT_EQ(rec_->newMoons.days[n], plain->newMoons.days[n]) << y << " new moon " << n;
        }
        // The angles of the date expressions, whole and between whole
        // degrees, from the term at or before each (on the spring scale).
        for (double springDeg = -180; springDeg < 360; springDeg += 6.37) {
            const CalendarDate from = EntryAt(plain->terms, SolarTermIndexAtOrBefore(springDeg));
            const double deg = springDeg < 0 ? springDeg + 360 : springDeg;
            ASSERT_EQ(SunReachesDate(deg, from), PlainSunReaches(deg, from)) << y << " " << springDeg;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Years, DaySearchShard,
                         ::testing::Range(kFirstYear, kLastYear + 1, kYearsPerShard), ShardName);

}  // namespace
}  // namespace kalendo
