#include "model_test_support.h"

#include "almanac/era.h"
#include "core/day_arith.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"

namespace kalendo::testing_support {

ModelTest::ModelTest() : rec_(std::make_unique<MonthRecord>()) {
    EXPECT_FALSE(LoadEras(*rec_, Cp(kTestEras)).has_value());
    EXPECT_FALSE(LoadHolidays(*rec_, "").has_value());
    EXPECT_FALSE(LoadNotes(*rec_, "").has_value());
    EXPECT_FALSE(LoadUserEntries(*rec_, "").has_value());
    EXPECT_FALSE(LoadSchedules(*rec_, "").has_value());
    SetToday(2024, 6, 15);
}

void ModelTest::SetToday(int y, int m, int d) {
    platform_->today = CalendarDate{y, m, d};
    UpdateToday(*rec_);
}

void ModelTest::Select(int y, int m, int d) {
    ASSERT_EQ(ComputeMonth(*rec_, y, m, d, {}), 1) << y << '-' << m << '-' << d;
}

void ModelTest::LoadHolidayLines(const std::string& utf8) {
    ASSERT_FALSE(LoadHolidays(*rec_, Cp(utf8)).has_value());
}

void ModelTest::LoadNoteLines(const std::string& utf8) {
    ASSERT_FALSE(LoadNotes(*rec_, Cp(utf8)).has_value());
}

void ModelTest::LoadUserLines(const std::string& utf8) {
    ASSERT_FALSE(LoadUserEntries(*rec_, Cp(utf8)).has_value());
}

void ModelTest::LoadScheduleLines(const std::string& utf8) {
    ASSERT_FALSE(LoadSchedules(*rec_, Cp(utf8)).has_value());
}

std::vector<std::string> ModelTest::TakeMessages() {
    std::vector<std::string> out = platform_->MessagesUtf8();
    platform_->messages.clear();
    return out;
}

}  // namespace kalendo::testing_support
