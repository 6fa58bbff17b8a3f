// The schedule file (Schedule.Def) through the common reading loop with its
// whole-line notes, then what the program does with the table: the day and
// period questions, the file's bytes and the sweep of past schedules.
#include "defs/schedules.h"

#include <cstring>

#include "tests/fuzz/fuzz_support.h"

using namespace kalendo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::unique_ptr<MonthRecord> rec = [] {
        auto r = fuzz::ShippedRecord(2024, 6, 15);
        fuzz::ResetSchedules(r->TablesToChange().schedules, kScheduleCapacity);
        return r;
    }();
    static int used = 0;
    fuzz::StartInput();
    fuzz::ResetSchedules(rec->TablesToChange().schedules, used);

    const std::optional<std::string> text = fuzz::DefinitionText(data, size);
    if (!text) return 0;  // the document's fatal error
    const auto problem = LoadSchedules(*rec, *text);
    used = rec->scheduleCount;
    fuzz::FuzzCheck(used >= 0 && used <= kScheduleCapacity, "schedule count within the table");
    if (problem) return 0;
    for (int i = 0; i < rec->scheduleCount; ++i) {
        const CSchedule& s = rec->tables.schedules[i];
        fuzz::FuzzCheck(s.displayPeriod >= 0 && s.displayPeriod <= 4, "display period 0-4");
        fuzz::FuzzCheck(std::memchr(s.name, '\0', sizeof s.name) != nullptr, "name terminated");
        fuzz::FuzzCheck(std::memchr(s.text, '\0', sizeof s.text) != nullptr, "text terminated");
        const int on = ScheduleFallsOn(*rec, i, 2024, 6, 15);
        fuzz::FuzzCheck(on == i || on == -1, "ScheduleFallsOn answers i or -1");
        const int announced = ScheduleInPeriod(*rec, i, 3);
        fuzz::FuzzCheck(announced == i || announced == -1, "ScheduleInPeriod answers i or -1");
        ScheduleNameFitsFile(s.name);
        ScheduleNoteFitsFile(s.text);
    }
    const std::string bytes = ScheduleFileBytes(*rec);
    const int before = rec->scheduleCount;
    RemovePastSchedules(*rec);
    fuzz::FuzzCheck(rec->scheduleCount >= 0 && rec->scheduleCount <= before,
                    "the sweep only removes");
    fuzz::FuzzCheck(ScheduleFileBytes(*rec) == bytes,
                    "the file holds exactly the schedules the sweep keeps");
    return 0;
}
