// Any day read as a question agrees with a month computation of that day,
// and the window's record it is asked of stays byte for byte as it was.
#include "month/read_day.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "astro/close_events.h"
#include "core/day_arith.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "platform/recording_platform.h"
#include "tests/cli/cli_fixture.h"

namespace kalendo {
namespace {

std::vector<unsigned char> BytesOf(const MonthRecord& rec) {
    std::vector<unsigned char> bytes(sizeof rec);
    std::memcpy(bytes.data(), static_cast<const void*>(&rec), sizeof rec);
    return bytes;
}

TEST(ReadDay, AgreesWithTheDayComputedAndLeavesTheWindowAsItWas) {
    ScopedRecordingPlatform platform;
    MonthRecord window;
    ASSERT_FALSE(LoadHolidays(window, ReadFileBytes(BinFolder() + "祝日.Def")).has_value());
    ASSERT_FALSE(LoadNotes(window, ReadFileBytes(BinFolder() + "暦日.Def")).has_value());
    ASSERT_EQ(ComputeMonth(window, 2024, 6, 15, {}), 1);
    const std::vector<unsigned char> before = BytesOf(window);
    DayReader reader(window);
    MonthRecord fresh(window, kReadingSameFiles);
    int days = 0;
    for (const AlmanacMode mode : {AlmanacMode::Standard, AlmanacMode::Precise}) {
        // Days across the range, its ends, leap months and year ends included.
        for (CalendarDate d{1600, 1, 1}; d.year <= 2999; d = DayAfter(d, mode == AlmanacMode::Standard ? 53 : 997)) {
            const MonthOptions options{mode, kViewFull};
            const LunisolarDate lunisolarAlone = reader.Lunisolar(d, mode);
            const std::optional<DayOfAlmanac> read = reader.Read(d, options, {.moonAge = true, .closeCalls = false, .lowerRegister = true, .readings = {}});
            ASSERT_TRUE(read.has_value());
            ASSERT_EQ(ComputeMonth(fresh, d.year, d.month, d.day, options), 1);
            EXPECT_EQ(read->reading, ReadingOfTarget(fresh)) << d.year << '-' << d.month << '-' << d.day;
            EXPECT_EQ(read->reading.lunisolar(), TargetLunisolarDate(fresh));
            EXPECT_EQ(lunisolarAlone, TargetLunisolarDate(fresh));
            EXPECT_EQ(read->mansion, MansionIndex(d.year, d.month, d.day));
            EXPECT_EQ(read->entries, EntriesOfTarget(fresh));
            EXPECT_EQ(*read->moonAge, MoonAgeAtNoon(fresh, d.year, d.month, d.day));
            ++days;
        }
    }
    EXPECT_GT(days, 10000);
    EXPECT_EQ(ReadDay(window, {2024, 6, 15}, {})->date, (CalendarDate{2024, 6, 15}));
    EXPECT_EQ(BytesOf(window), before);
    EXPECT_TRUE(platform->messages.empty());
}

// A day the month computation refuses is no reading, and no message: it is
// a question, not a command of the user's.
TEST(ReadDay, RefusedDatesReadNothingSilently) {
    ScopedRecordingPlatform platform;
    MonthRecord window;
    ASSERT_EQ(ComputeMonth(window, 2024, 6, 15, {}), 1);
    for (const CalendarDate d : {CalendarDate{1599, 12, 31}, CalendarDate{3000, 1, 1},
                                 CalendarDate{2023, 2, 29}, CalendarDate{2024, 13, 1}, CalendarDate{2024, 4, 0}}) {
        EXPECT_FALSE(ReadDay(window, d, {}).has_value()) << d.year << '-' << d.month << '-' << d.day;
    }
    EXPECT_TRUE(ReadDay(window, {2999, 12, 31}, {}).has_value());
    EXPECT_TRUE(platform->messages.empty());
}

}  // namespace
}  // namespace kalendo
