// The process's month record lies on zero pages (TheMonthRecord): it must
// give every output a default record gives, and stay small in memory.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "cli/day_json.h"
#include "cli/json_writer.h"
#include "cli/year_json.h"
#include "cli_fixture.h"
#include "month/compute_month.h"
#include "platform/recording_platform.h"
#include "platform/text_codec.h"
#include "ui/model/document.h"

namespace kalendo {
namespace {

struct ZeroPageRecord {
    MonthRecord* rec = NewRecordOnZeroPages();
    ~ZeroPageRecord() { munmap(rec, sizeof(MonthRecord)); }
};

std::string YearAndDays(MonthRecord& rec, int y, int m, int d) {
    JsonWriter w;
    std::string out;
    if (ComputeMonth(rec, y, 1, 1, {})) WriteYearObject(w, rec);
    out += w.Text() + "\n";
    w.Clear();
    if (ComputeMonth(rec, y, m, d, {})) WriteDayObject(w, rec);
    return out + w.Text();
}

// Lines whose fields partly fail to match keep the defaults in the fields
// after the mismatch; the shipped files have none, so the test adds them.
TEST(RecordOnZeroPages, GivesWhatADefaultRecordGives) {
    ScopedRecordingPlatform platform;
    DefinitionFolder folder;
    std::ofstream(folder.path() + "Usr.Def", std::ios::app | std::ios::binary)
        << Cp932FromUtf8("記念日 2001 / 6/15\n");
    std::ofstream(folder.path() + "Schedule.Def", std::ios::app | std::ios::binary)
        << Cp932FromUtf8("月だけ              2024/06\t1\n{\n\n}\n");
    auto fresh = std::make_unique<MonthRecord>();
    ZeroPageRecord zero;
    OpenDocument(*fresh, folder.path());
    OpenDocument(*zero.rec, folder.path());
    ASSERT_EQ(zero.rec->userEntryCount, fresh->userEntryCount);
    EXPECT_EQ(zero.rec->userEntries[zero.rec->userEntryCount - 1].displayPeriod,
              fresh->userEntries[fresh->userEntryCount - 1].displayPeriod);
    ASSERT_EQ(zero.rec->scheduleCount, fresh->scheduleCount);
    EXPECT_EQ(zero.rec->schedules[zero.rec->scheduleCount - 1].day, -1) << "unmatched: default";
    const struct { int y, m, d; } kDates[] = {
        {2024, 6, 15}, {2024, 1, 1}, {2019, 5, 1}, {1600, 1, 1}, {2999, 12, 31}, {2033, 12, 22}};
    for (const auto& t : kDates) {
        SCOPED_TRACE(t.y);
        EXPECT_EQ(YearAndDays(*zero.rec, t.y, t.m, t.d), YearAndDays(*fresh, t.y, t.m, t.d));
    }
}

// Resident pages of the record, from mincore.
std::size_t ResidentBytes(const MonthRecord* rec) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t pages = (sizeof(MonthRecord) + page - 1) / page;
    std::vector<unsigned char> resident(pages);
    if (mincore(const_cast<MonthRecord*>(rec), sizeof(MonthRecord), resident.data()) != 0) {
        return SIZE_MAX;
    }
    std::size_t n = 0;
    for (const unsigned char r : resident) n += r & 1;
    return n * page;
}

TEST(RecordOnZeroPages, OnlyTheFilledSlotsBecomeResident) {
    ScopedRecordingPlatform platform;
    DefinitionFolder folder;
    ZeroPageRecord zero;
    OpenDocument(*zero.rec, folder.path());
    ComputeMonth(*zero.rec, 2024, 6, 15, {});
    EXPECT_LT(ResidentBytes(zero.rec), 1u << 20) << "of " << sizeof(MonthRecord);
}

}  // namespace
}  // namespace kalendo
