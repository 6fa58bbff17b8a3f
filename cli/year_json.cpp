#include "cli/year_json.h"

#include <span>

#include "almanac/signs.h"
#include "cli/entry_json.h"
#include "defs/holidays.h"

namespace kalendo {
namespace {

template <int N>
void WriteDates(JsonWriter& w, const DateList<N>& list, int count) {
    w.BeginArray();
    for (int i = 0; i < count; ++i) w.Date(list.years[i], list.months[i], list.days[i]);
    w.EndArray();
}

// "year", "terms", "newMoons", "lunarMonthNumber", "anchorStart",
// "anchorFirst".
void WriteAstronomyKeys(JsonWriter& w, const MonthRecord& rec) {
    w.Key("year").Int(rec.year[kTarget]);
    w.Key("terms");
    WriteDates(w, rec.terms, kTermCount);
    w.Key("newMoons");
    WriteDates(w, rec.newMoons, kNewMoonCount);
    w.Key("lunarMonthNumber").BeginArray();
    for (const int number : rec.lunarMonthNumber) w.Int(number);
    w.EndArray();
    w.Key("anchorStart");
    WriteDates(w, rec.anchorStart, kAnchorCount);
    w.Key("anchorFirst");
    WriteDates(w, rec.anchorFirst, kAnchorCount);
}

// "eras": the loaded table, newest first.
void WriteEraKeys(JsonWriter& w, const MonthRecord& rec) {
    w.Key("eras").BeginArray();
    for (int i = 0; i <= rec.eraCount; ++i) {
        w.BeginObject();
        w.Key("name").Cp932(rec.tables.eraName[i]);
        w.Key("year").Int(rec.tables.eraStartYear[i]);
        w.Key("month").Int(rec.tables.eraStartMonth[i]);
        w.Key("day").Int(rec.tables.eraStartDay[i]);
        w.EndObject();
    }
    w.EndArray();
}

template <class Entry>
void WriteTable(JsonWriter& w, const char* key, std::span<const EntryField<Entry>> fields,
                const Entry* table, int count, const EvaluatedDate* dates = nullptr) {
    w.Key(key).BeginArray();
    for (int i = 0; i < count; ++i) WriteEntryObject(w, fields, table[i], i, dates ? &dates[i] : nullptr);
    w.EndArray();
}

// "holidays" (those valid in the year, as evaluated for it) and
// "generatedHolidays".
void WriteHolidayKeys(JsonWriter& w, const MonthRecord& rec) {
    const int y = rec.year[kTarget];
    w.Key("holidays").BeginArray();
    for (int i = 0; i < rec.holidayCount; ++i) {
        const DefinitionEntry& e = rec.tables.holidays[i];
        if (y < e.fromYear || y >= e.toYear) continue;
        WriteEntryObject(w, kHolidayFields, e, i, &rec.evaluated.holidays[i]);
    }
    w.EndArray();
    w.Key("generatedHolidays").BeginArray();
    for (int i = 0; i < rec.evaluated.generatedCount; ++i) {
        const GeneratedHoliday& g = rec.evaluated.generated[i];
        w.BeginObject();
        w.Key("name").Cp932(GeneratedHolidayName(g));
        w.Key("month").Int(g.month);
        w.Key("day").Int(g.day);
        w.Key("fromYear").Int(g.fromYear);
        w.Key("toYear").Int(g.toYear);
        w.EndObject();
    }
    w.EndArray();
}

// "notes", "userEntries", "schedules": every entry of the three tables.
void WriteEventKeys(JsonWriter& w, const MonthRecord& rec) {
    WriteTable<DefinitionEntry>(w, "notes", kNoteFields, rec.tables.notes, rec.noteCount,
                                rec.evaluated.notes);
    WriteTable<DefinitionEntry>(w, "userEntries", kUserEntryFields, rec.tables.userEntries,
                                rec.userEntryCount, rec.evaluated.userEntries);
    WriteTable<CSchedule>(w, "schedules", kScheduleFields, rec.tables.schedules, rec.scheduleCount);
}

}  // namespace

void WriteYearObject(JsonWriter& w, const MonthRecord& rec) {
    w.BeginObject();
    WriteAstronomyKeys(w, rec);
    WriteEraKeys(w, rec);
    WriteHolidayKeys(w, rec);
    WriteEventKeys(w, rec);
    w.EndObject();
}

}  // namespace kalendo
