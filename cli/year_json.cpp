#include "cli/year_json.h"

namespace kalendo {
namespace {

inline constexpr int kAnchorsUsed = 14;  // of the anchor lists' 15 slots

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
    WriteDates(w, rec.anchorStart, kAnchorsUsed);
    w.Key("anchorFirst");
    WriteDates(w, rec.anchorFirst, kAnchorsUsed);
}

// "eras": the loaded table, newest first.
void WriteEraKeys(JsonWriter& w, const MonthRecord& rec) {
    w.Key("eras").BeginArray();
    for (int i = 0; i <= rec.eraCount; ++i) {
        w.BeginObject();
        w.Key("name").Cp932(rec.eraName[i]);
        w.Key("year").Int(rec.eraStartYear[i]);
        w.Key("month").Int(rec.eraStartMonth[i]);
        w.Key("day").Int(rec.eraStartDay[i]);
        w.EndObject();
    }
    w.EndArray();
}

// "holidays" (those valid in the year, as evaluated for it) and
// "generatedHolidays".
void WriteHolidayKeys(JsonWriter& w, const MonthRecord& rec) {
    const int y = rec.year[kTarget];
    w.Key("holidays").BeginArray();
    for (int i = 0; i < rec.holidayCount; ++i) {
        const DefinitionEntry& e = rec.holidays[i];
        if (y < e.fromYear || y >= e.toYear) continue;
        w.BeginObject();
        w.Key("index").Int(i);
        w.Key("name").Cp932(e.name);
        w.Key("fromYear").Int(e.fromYear);
        w.Key("toYear").Int(e.toYear);
        w.Key("expression").Cp932(e.expression);
        w.Key("month").Int(e.month);
        w.Key("day").Int(e.day);
        w.EndObject();
    }
    w.EndArray();
    w.Key("generatedHolidays").BeginArray();
    for (int i = 0; i < rec.generatedHolidayCount; ++i) {
        const DefinitionEntry& e = rec.generatedHolidays[i];
        w.BeginObject();
        w.Key("name").Cp932(e.name);
        w.Key("month").Int(e.month);
        w.Key("day").Int(e.day);
        w.Key("fromYear").Int(e.fromYear);
        w.Key("toYear").Int(e.toYear);
        w.EndObject();
    }
    w.EndArray();
}

// "notes", "userEntries", "schedules": every entry of the three tables.
void WriteEventKeys(JsonWriter& w, const MonthRecord& rec) {
    w.Key("notes").BeginArray();
    for (int i = 0; i < rec.noteCount; ++i) {
        const DefinitionEntry& e = rec.notes[i];
        w.BeginObject();
        w.Key("index").Int(i);
        w.Key("name").Cp932(e.name);
        w.Key("expression").Cp932(e.expression);
        w.Key("year").Int(e.year);
        w.Key("month").Int(e.month);
        w.Key("day").Int(e.day);
        w.Key("oldCalendar").Int(e.oldCalendar);
        w.Key("leapFlag").Int(e.leapFlag);
        w.EndObject();
    }
    w.EndArray();
    w.Key("userEntries").BeginArray();
    for (int i = 0; i < rec.userEntryCount; ++i) {
        const DefinitionEntry& e = rec.userEntries[i];
        w.BeginObject();
        w.Key("index").Int(i);
        w.Key("name").Cp932(e.name);
        w.Key("fromYear").Int(e.fromYear);
        w.Key("expression").Cp932(e.expression);
        w.Key("displayPeriod").Int(e.displayPeriod);
        w.Key("year").Int(e.year);
        w.Key("month").Int(e.month);
        w.Key("day").Int(e.day);
        w.EndObject();
    }
    w.EndArray();
    w.Key("schedules").BeginArray();
    for (int i = 0; i < rec.scheduleCount; ++i) {
        const CSchedule& s = rec.schedules[i];
        w.BeginObject();
        w.Key("index").Int(i);
        w.Key("name").Cp932(s.name);
        w.Key("year").Int(s.year);
        w.Key("month").Int(s.month);
        w.Key("day").Int(s.day);
        w.Key("displayPeriod").Int(s.displayPeriod);
        w.Key("text").Cp932(s.text);
        w.EndObject();
    }
    w.EndArray();
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
