#include "month/compute_month.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/recording_platform.h"

namespace kalendo {
namespace {

class ComputeMonthTest : public ::testing::Test {
protected:
    ComputeMonthTest() : rec_(std::make_unique<MonthRecord>()) {}
    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
};

struct RangeCase { int y, m, d, accepted; const char* why; };
constexpr RangeCase kRangeCases[] = {
    {1600, 1, 1, 1, "first day of the range"},
    {2999, 12, 31, 1, "last day of the range"},
    {1599, 12, 31, 0, "day before the range"},
    {3000, 1, 1, 0, "day after the range"},
    {2023, 2, 29, 0, "29 February of a common year"},
    {2023, 4, 31, 0, "31 April"},
    {2024, 2, 29, 1, "29 February of a leap year"},
    {2000, 2, 29, 1, "2000 is a leap year"},
    {1900, 2, 29, 0, "1900 is not"},
    {2024, 0, 1, 0, "month 0"},
    {2024, 13, 1, 0, "month 13"},
    {2024, 1, 0, 0, "day 0"},
};

TEST_F(ComputeMonthTest, RangeCheck) {
    for (const RangeCase& c : kRangeCases) {
        SCOPED_TRACE(c.why);
        platform_->messages.clear();
        ASSERT_EQ(ComputeMonth(*rec_, 2024, 6, 15, {}), 1);
        EXPECT_EQ(ComputeMonth(*rec_, c.y, c.m, c.d, {}), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(platform_->messages.empty());
            EXPECT_EQ(rec_->year[kTarget], c.y);
            EXPECT_EQ(rec_->month[kTarget], c.m);
            EXPECT_EQ(rec_->day[kTarget], c.d);
        } else {
            ASSERT_EQ(platform_->MessagesUtf8().size(), 1u);
            EXPECT_EQ(platform_->MessagesUtf8()[0], "ERROR : 年月の設定範囲が不適切です.");
            EXPECT_EQ(rec_->year[kTarget], 2024) << "the previous target stays";
            EXPECT_EQ(rec_->month[kTarget], 6);
            EXPECT_EQ(rec_->day[kTarget], 15);
        }
    }
}

TEST_F(ComputeMonthTest, StoresWeekday) {
    ASSERT_EQ(ComputeMonth(*rec_, 2024, 6, 15, {}), 1);
    EXPECT_EQ(rec_->weekday[kTarget], 6);
}

TEST_F(ComputeMonthTest, MonthlyDisplayUsesTodayWhateverTheArguments) {
    platform_->today = CalendarDate{2025, 3, 9};
    UpdateToday(*rec_);
    EXPECT_EQ(ComputeMonth(*rec_, 3000, 13, 40, {AlmanacMode::Standard, kViewMonthly}), 1);
    EXPECT_EQ(rec_->year[kTarget], 2025);
    EXPECT_EQ(rec_->month[kTarget], 3);
    EXPECT_EQ(rec_->day[kTarget], 9);
    EXPECT_TRUE(platform_->messages.empty());
}

TEST_F(ComputeMonthTest, UpdateTodayWithoutClock) {
    platform_->today.reset();
    UpdateToday(*rec_);
    EXPECT_EQ(rec_->year[kToday], 0);
    EXPECT_EQ(rec_->month[kToday], 0);
    EXPECT_EQ(rec_->day[kToday], 0);
    EXPECT_EQ(rec_->weekday[kToday], -1);
}

TEST(MonthRecord, InitialState) {
    auto rec = std::make_unique<MonthRecord>();
    EXPECT_EQ(rec->year[0], -1);
    EXPECT_EQ(rec->weekday[1], -1);
    EXPECT_EQ(rec->eraCount, -1);
    EXPECT_EQ(rec->holidayCount, -1);
    EXPECT_EQ(rec->evaluated.generatedCount, -1);
    EXPECT_EQ(rec->noteCount, -1);
    EXPECT_EQ(rec->userEntryCount, 0);
    EXPECT_EQ(rec->scheduleCount, 0);
    // The slot tables are all zero bytes until a loader fills a slot, which
    // it starts from the fresh entry.
    const auto zero = std::make_unique<SlotTables>();
    EXPECT_EQ(std::memcmp(&rec->tables, zero.get(), sizeof(SlotTables)), 0);
    EXPECT_EQ(kFreshDefinitionEntry.fromYear, -1);
    EXPECT_EQ(kFreshDefinitionEntry.displayPeriod, -1);
    EXPECT_EQ(kFreshSchedule.month, -1);
}

}  // namespace
}  // namespace kalendo
