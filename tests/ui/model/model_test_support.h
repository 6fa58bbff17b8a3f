// Shared set-up of the screen-model tests: a month record of their own
// (it is ~7 MB, so on the heap), the recording platform with today pinned,
// and small definition files written inline as UTF-8.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/month_record.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"

namespace kalendo::testing_support {

inline std::string Cp(const std::string& utf8) { return Cp932FromUtf8(utf8); }
inline std::string Utf(const std::string& cp932) { return Utf8FromCp932(cp932); }

// The last five eras, each dated on the last day of the era before it.
inline constexpr char kTestEras[] =
    "令和 2019/04/30\n"
    "平成 1989/01/07\n"
    "昭和 1926/12/24\n"
    "大正 1912/07/29\n"
    "明治 1868/10/22\n";

class ModelTest : public ::testing::Test {
protected:
    ModelTest();

    // Pins today (and reads it into the record).
    void SetToday(int y, int m, int d);
    // ComputeMonth that must be accepted.
    void Select(int y, int m, int d);

    void LoadHolidayLines(const std::string& utf8);
    void LoadNoteLines(const std::string& utf8);
    void LoadUserLines(const std::string& utf8);
    void LoadScheduleLines(const std::string& utf8);

    // Messages shown so far, UTF-8; clears them.
    std::vector<std::string> TakeMessages();

    ScopedRecordingPlatform platform_;
    std::unique_ptr<MonthRecord> rec_;
};

}  // namespace kalendo::testing_support
