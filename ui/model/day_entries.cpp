#include "ui/model/day_entries.h"

#include <cstring>

#include "defs/day_off.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"

namespace kalendo {
namespace {

// A text field of the tables, at most kTextBytes - 1 bytes even when a
// loader or an editor left it without its terminating NUL.
std::string FieldText(const char (&field)[kTextBytes]) {
    return std::string(field, strnlen(field, kTextBytes - 1));
}

}  // namespace

std::vector<DayEntry> EntriesOnDay(const MonthRecord& rec) {
    std::vector<DayEntry> entries;
    const int y = rec.year[kTarget], m = rec.month[kTarget], d = rec.day[kTarget];
    if (const int h = FindHoliday(rec, m, d); h >= 0) {
        const DefinitionEntry& e = rec.tables.holidays[h];
        entries.push_back({kHolidayRow, h, FieldText(e.name), FieldText(e.description)});
    } else if (const int g = FindGeneratedHoliday(rec, m, d); g >= 0) {
        entries.push_back({kGeneratedHolidayRow, g, GeneratedHolidayName(rec.evaluated.generated[g]), ""});
    }
    for (int i = 0; i < rec.noteCount; ++i) {
        if (NoteFallsOnTarget(rec, i) < 0) continue;
        const DefinitionEntry& e = rec.tables.notes[i];
        entries.push_back({kNoteRow, i, FieldText(e.name), FieldText(e.description)});
    }
    for (int i = 0; i < rec.userEntryCount; ++i) {
        if (UserEntryFallsOn(rec, i, y, m, d) < 0) continue;
        const DefinitionEntry& e = rec.tables.userEntries[i];
        entries.push_back({kUserEventRow, i, FieldText(e.name), FieldText(e.description)});
    }
    for (int i = 0; i < rec.scheduleCount; ++i) {
        if (ScheduleFallsOn(rec, i, y, m, d) < 0) continue;
        const CSchedule& s = rec.tables.schedules[i];
        entries.push_back({kScheduleRow, i, FieldText(s.name), FieldText(s.text)});
    }
    return entries;
}

}  // namespace kalendo
