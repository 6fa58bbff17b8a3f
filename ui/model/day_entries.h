// What falls on the target day of a record, once: its holiday (or the
// generated holiday), calendar notes, user events and schedules, in the
// order the event list shows them. The event list makes rows of these
// entries, the iCalendar export events and print a cell's lines, so the
// three agree on every day by construction.
#pragma once

#include <string>
#include <vector>

#include "core/month_record.h"
#include "month/read_day.h"
#include "ui/model/row_kinds.h"

namespace kalendo {

struct DayEntry {
    int kind;                 // kHolidayRow ... kScheduleRow (row_kinds.h)
    int index;                // into the table of its kind
    std::string text;         // the entry's name (CP932)
    std::string description;  // what the memo dialog shows under it: "" for a generated holiday
    friend bool operator==(const DayEntry&, const DayEntry&) = default;
};

// The target day's entries: the holiday or, without one, the generated
// holiday (a holiday hides a generated holiday of its day); then every
// calendar note, user event and schedule falling on it, each table in index
// order. Reads the dates the record evaluated for its target year; the
// record is not changed. Schedules are taken as the table holds them.
std::vector<DayEntry> EntriesOnDay(const MonthRecord& rec);
// The same of any day read on the record's tables (`ReadDay`'s entries).
std::vector<DayEntry> EntriesOnDay(const MonthRecord& rec, const DayEntries& on);

}  // namespace kalendo
