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

// What the memo dialog shows under an entry's name.
const char (&Memo(const DefinitionEntry& e))[kTextBytes] { return e.description; }
const char (&Memo(const CSchedule& s))[kTextBytes] { return s.text; }

}  // namespace

std::vector<DayEntry> EntriesOnDay(const MonthRecord& rec, const DayEntries& on) {
    std::vector<DayEntry> entries;
    if (on.holiday >= 0) {
        const DefinitionEntry& e = rec.tables.holidays[on.holiday];
        entries.push_back({kHolidayRow, on.holiday, FieldText(e.name), FieldText(e.description)});
    } else if (on.generated) {
        entries.push_back({kGeneratedHolidayRow, on.generatedIndex, GeneratedHolidayName(*on.generated), ""});
    }
    const auto add = [&entries](const auto& set, int count, int kind, const auto* table) {
        for (int i = 0; i < count; ++i) {
            if (!set.test(static_cast<std::size_t>(i))) continue;
            entries.push_back({kind, i, FieldText(table[i].name), FieldText(Memo(table[i]))});
        }
    };
    add(on.notes, rec.noteCount, kNoteRow, rec.tables.notes);
    add(on.userEntries, rec.userEntryCount, kUserEventRow, rec.tables.userEntries);
    add(on.schedules, rec.scheduleCount, kScheduleRow, rec.tables.schedules);
    return entries;
}

std::vector<DayEntry> EntriesOnDay(const MonthRecord& rec) { return EntriesOnDay(rec, EntriesOfTarget(rec)); }

}  // namespace kalendo
