// The process's month record (TheMonthRecord) keeps its slot tables in
// .bss: it must give every output a record of its own gives, and stay small
// in memory.
#include <gtest/gtest.h>
#include <sys/mman.h>  // mincore
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

std::string YearAndDays(MonthRecord& rec, int y, int m, int d) {
    JsonWriter w;
    std::string out;
    if (ComputeMonth(rec, y, 1, 1, {})) WriteYearObject(w, rec);
    out += w.Text() + "\n";
    w.Clear();
    ViewBuilder views;
    const auto reader = std::make_unique<DayReader>(rec);
    if (const auto day = reader->Read({y, m, d}, {}, DayObjectQuestions({}))) {
        WriteDayObject(w, *day, reader->LastRead(), views);
    }
    return out + w.Text();
}

// Lines whose fields partly fail to match keep the defaults in the fields
// after the mismatch; the shipped files have none, so the test adds them.
TEST(ProcessRecord, GivesWhatARecordOfItsOwnGives) {
    ScopedRecordingPlatform platform;
    DefinitionFolder folder;
    std::ofstream(folder.path() + "Usr.Def", std::ios::app | std::ios::binary)
        << Cp932FromUtf8("記念日 2001 / 6/15\n");
    std::ofstream(folder.path() + "Schedule.Def", std::ios::app | std::ios::binary)
        << Cp932FromUtf8("月だけ              2024/06\t1\n{\n\n}\n");
    auto fresh = std::make_unique<MonthRecord>();
    MonthRecord& process = TheMonthRecord();
    OpenDocument(*fresh, folder.path());
    OpenDocument(process, folder.path());
    ASSERT_EQ(process.userEntryCount, fresh->userEntryCount);
    EXPECT_EQ(process.tables.userEntries[process.userEntryCount - 1].displayPeriod,
              fresh->tables.userEntries[fresh->userEntryCount - 1].displayPeriod);
    ASSERT_EQ(process.scheduleCount, fresh->scheduleCount);
    EXPECT_EQ(process.tables.schedules[process.scheduleCount - 1].day, -1) << "unmatched: not given";
    const struct { int y, m, d; } kDates[] = {
        {2024, 6, 15}, {2024, 1, 1}, {2019, 5, 1}, {1600, 1, 1}, {2999, 12, 31}, {2033, 12, 22}};
    for (const auto& t : kDates) {
        SCOPED_TRACE(t.y);
        EXPECT_EQ(YearAndDays(process, t.y, t.m, t.d), YearAndDays(*fresh, t.y, t.m, t.d));
    }
}

// Resident pages of the slot tables, from mincore (whole pages inside them).
std::size_t ResidentBytes(const SlotTables& tables) {
    const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(&tables);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + sizeof(SlotTables)) / page * page;
    std::vector<unsigned char> resident((end - first) / page);
    if (mincore(reinterpret_cast<void*>(first), end - first, resident.data()) != 0) return SIZE_MAX;
    std::size_t n = 0;
    for (const unsigned char r : resident) n += r & 1;
    return n * page;
}

TEST(ProcessRecord, OnlyTheFilledSlotsBecomeResident) {
    ScopedRecordingPlatform platform;
    DefinitionFolder folder;
    MonthRecord& process = TheMonthRecord();
    OpenDocument(process, folder.path());
    ComputeMonth(process, 2024, 6, 15, {});
    EXPECT_LT(ResidentBytes(process.tables), 1u << 20) << "of " << sizeof(SlotTables);
}

}  // namespace
}  // namespace kalendo
