// The close calls against the two almanacs themselves: every day the modes
// read differently hangs, in the standard almanac, on a close call whose
// other side is what the precise almanac reads; the precise almanac's own
// close calls of 1900-2100 are the few that ΔT and the ephemeris leave open.
#include "month/close_calls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>

#include "almanac/signs.h"
#include "astro/lunisolar.h"
#include "core/day_arith.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"
#include "tests/cli/cli_fixture.h"

namespace kalendo {
namespace {

// The whole range in the plain build; the sanitizers add nothing to this
// arithmetic but time, so there every 10th year.
#ifndef __has_feature  // GCC before 14
#define __has_feature(x) 0
#endif
#if defined(__SANITIZE_ADDRESS__) || __has_feature(address_sanitizer)
constexpr int kYearStride = 10;
#else
constexpr int kYearStride = 1;
#endif

std::unique_ptr<MonthRecord> RecordWithShippedFiles() {
    auto rec = std::make_unique<MonthRecord>();
    const std::string holidays = ReadFileBytes(BinFolder() + "祝日.Def"), notes = ReadFileBytes(BinFolder() + "暦日.Def");
    EXPECT_TRUE(!holidays.empty() && !notes.empty()) << "no shipped files in " << BinFolder();
    EXPECT_FALSE(LoadHolidays(*rec, holidays).has_value());
    EXPECT_FALSE(LoadNotes(*rec, notes).has_value());
    return rec;
}

// The fields the two modes are compared on, the lower register (暦注 and
// 九星, read from each mode's own term days and lunisolar dates) among them.
bool SameCalendar(const DayReading& a, const DayReading& b) {
    return a.lunarMonth == b.lunarMonth && a.lunarDay == b.lunarDay &&
           a.leapMonth == b.leapMonth && a.rokuyo == b.rokuyo && a.officer == b.officer &&
           a.holiday == b.holiday && a.rekichu == b.rekichu && a.kyusei == b.kyusei;
}

TEST(CloseCalls, EveryDayTheModesReadDifferentlyHangsOnAStandardCloseCall) {
    ScopedRecordingPlatform platform;
    auto standard = RecordWithShippedFiles();
    auto precise = RecordWithShippedFiles();
    int differingDays = 0;
    for (int y = 1900; y <= 2100; y += kYearStride) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= DaysInMonth(y, m); ++d) {
                SCOPED_TRACE(testing::Message() << y << "-" << m << "-" << d);
                ASSERT_EQ(ComputeMonth(*standard, y, m, d, {AlmanacMode::Standard, kViewFull}), 1);
                ASSERT_EQ(ComputeMonth(*precise, y, m, d, {AlmanacMode::Precise, kViewFull}), 1);
                const DayReading s = ReadingOfTarget(*standard);
                const DayReading p = ReadingOfTarget(*precise);
                const std::vector<DayCloseCall> calls = CloseCallsOfTarget(*standard);
                // The record reads as its month computation left it.
                ASSERT_EQ(ReadingOfTarget(*standard), s);
                for (const DayCloseCall& c : calls) EXPECT_FALSE(c.other == s);
                if (SameCalendar(s, p)) continue;
                ++differingDays;
                EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [&p](const DayCloseCall& c) {
                    return SameCalendar(c.other, p);
                })) << calls.size() << " close calls";
            }
        }
    }
    EXPECT_GE(differingDays, kYearStride == 1 ? 240 : 0);
}

// Kind, day and the day across the midnight of every precise close call of
// 1900-2100 (README: Close calls).
struct PreciseCall {
    EventKind kind;
    int term;
    CalendarDate day, other;
};
constexpr PreciseCall kPreciseCalls[] = {
    {EventKind::SolarTerm, 17, {1917, 9, 24}, {1917, 9, 23}},
    {EventKind::SolarTerm, 5, {1927, 3, 21}, {1927, 3, 22}},
    {EventKind::SolarTerm, 1, {1950, 1, 20}, {1950, 1, 21}},
    {EventKind::SolarTerm, 16, {1964, 9, 7}, {1964, 9, 8}},
    {EventKind::SolarTerm, 21, {2019, 11, 22}, {2019, 11, 23}},
    {EventKind::SolarTerm, 2, {2021, 2, 3}, {2021, 2, 4}},
    {EventKind::SolarTerm, 3, {2030, 2, 18}, {2030, 2, 19}},
    {EventKind::SolarTerm, 1, {2053, 1, 19}, {2053, 1, 20}},
    {EventKind::SolarTerm, 20, {2064, 11, 7}, {2064, 11, 6}},
    {EventKind::NewMoon, -1, {2074, 8, 22}, {2074, 8, 23}},
    {EventKind::SolarTerm, 23, {2095, 12, 22}, {2095, 12, 21}},
    {EventKind::NewMoon, -1, {2097, 1, 13}, {2097, 1, 14}},
};

// The close calls of a year are kept with the files they were moved
// against: a record with a note on a solar term, asked after one without
// any, finds that the note moves with the term.
TEST(CloseCalls, KeptPerYearAndPerReadingOfTheFiles) {
    ScopedRecordingPlatform platform;
    auto plain = std::make_unique<MonthRecord>();
    ASSERT_FALSE(LoadNotes(*plain, "").has_value());
    for (int y = 2000; y <= 2100; ++y) {
        for (const CloseCallDays& c : CloseCallsOfYear(*plain, y, AlmanacMode::Standard)) {
            if (c.call.event.kind != EventKind::SolarTerm || c.call.otherDay.year != y) continue;
            const CalendarDate t = c.call.otherDay;
            const int angleDeg = static_cast<int>(SolarTermSpringScaleDeg(24 + c.call.event.term));
            const std::string note = "節気 Deg" + std::to_string(angleDeg) + "\n";
            auto noted = std::make_unique<MonthRecord>();
            ASSERT_FALSE(LoadNotes(*noted, note).has_value());
            for (MonthRecord* rec : {plain.get(), noted.get()}) {
                ASSERT_EQ(ComputeMonth(*rec, t.year, t.month, t.day, {}), 1);
            }
            ASSERT_EQ(noted->evaluated.notes[0].day, c.call.day.day) << "the note is on the term's day";
            CloseCallsOfTarget(*plain);
            const std::vector<DayCloseCall> calls = CloseCallsOfTarget(*noted);
            EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [&](const DayCloseCall& d) {
                return d.call.day == c.call.day && d.other.notes[0];
            })) << y;
            return;
        }
    }
    FAIL() << "no standard close call of a solar term within its year in 2000-2100";
}

TEST(CloseCalls, ThePreciseAlmanacOf1900To2100HasTwelve) {
    ScopedRecordingPlatform platform;
    auto rec = RecordWithShippedFiles();
    std::vector<CloseCall> found;
    for (int y = 1900; y <= 2100; ++y) {
        for (const CloseCallDays& c : CloseCallsOfYear(*rec, y, AlmanacMode::Precise)) {
            found.push_back(c.call);
            // The precise instant lies within its bound of the midnight,
            // and the event's own day and the day across it both change.
            EXPECT_LE(std::fabs(c.call.distanceSeconds), c.call.event.boundSeconds);
            EXPECT_NE(std::find(c.days.begin(), c.days.end(), c.call.day), c.days.end());
        }
    }
    ASSERT_EQ(found.size(), std::size(kPreciseCalls));
    for (std::size_t i = 0; i < found.size(); ++i) {
        const PreciseCall& want = kPreciseCalls[i];
        EXPECT_EQ(std::tie(found[i].event.kind, found[i].event.term, found[i].day, found[i].otherDay),
                  std::tie(want.kind, want.term, want.day, want.other)) << i;
    }
}

}  // namespace
}  // namespace kalendo
