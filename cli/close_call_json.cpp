#include "cli/close_call_json.h"

#include <cmath>
#include <cstdio>

#include "astro/delta_t.h"
#include "astro/ephemeris.h"
#include "cli/entry_json.h"
#include "core/day_arith.h"

namespace kalendo {
namespace {

// An instant (JD, UT) as JST to the second.
void WriteInstant(JsonWriter& w, double jdUt) {
    const JstSecond at = JstSecondOf(jdUt);
    const CalendarDate& d = at.day;
    const long long seconds = at.secondOfDay;
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02lld:%02lld:%02lld+09:00", d.year, d.month,
                  d.day, seconds / 3600, seconds / 60 % 60, seconds % 60);
    w.Utf8(text);
}

void WriteEntryOrNull(JsonWriter& w, const DefinitionEntry* table, int i) {
    if (i < 0) {
        w.Null();
    } else {
        WriteEntryObject(w, kIndexAndNameFields<DefinitionEntry>, table[i], i);
    }
}

}  // namespace

void WriteCloseCallMembers(JsonWriter& w, const CloseCall& c) {
    const bool term = c.event.kind == EventKind::SolarTerm;
    w.Key("kind").Utf8(term ? "solarTerm" : "newMoon");
    w.Key("term");
    if (term) {
        w.Int(c.event.term);
    } else {
        w.Null();
    }
    w.Key("day").Date(c.day.year, c.day.month, c.day.day);
    w.Key("otherDay").Date(c.otherDay.year, c.otherDay.month, c.otherDay.day);
    w.Key("instant");
    WriteInstant(w, c.instantJdUt);
    w.Key("distanceSeconds").Int(std::llround(c.distanceSeconds));
    w.Key("preciseInstant");
    WriteInstant(w, c.event.preciseJdUt);
    w.Key("preciseDistanceSeconds").Int(std::llround(c.preciseDistanceSeconds));
    w.Key("boundSeconds").Int(std::llround(std::ceil(c.event.boundSeconds)));
}

void WriteCloseCallsKey(JsonWriter& w, const MonthRecord& rec,
                        const std::vector<DayCloseCall>& calls) {
    w.Key("closeCalls").BeginArray();
    for (const DayCloseCall& c : calls) {
        w.BeginObject();
        WriteCloseCallMembers(w, c.call);
        const DayReading& o = c.other;
        w.Key("otherSide").BeginObject();
        w.Key("lunarMonth").Int(o.lunarMonth);
        w.Key("lunarDay").Int(o.lunarDay);
        w.Key("leapMonth").Int(o.leapMonth);
        w.Key("rokuyo").Int(o.rokuyo);
        w.Key("officer").Int(o.officer);
        w.Key("holiday");
        WriteEntryOrNull(w, rec.tables.holidays, o.holiday);
        // The generated holidays of the other side are not kept: only
        // whether the day would be one.
        w.Key("generatedHoliday").Bool(o.generatedHoliday >= 0);
        w.Key("notes").BeginArray();
        for (int i = 0; i < rec.noteCount; ++i) {
            if (o.notes.test(i)) {
                WriteEntryObject(w, kIndexAndNameFields<DefinitionEntry>, rec.tables.notes[i], i);
            }
        }
        w.EndArray();
        w.EndObject();
        w.EndObject();
    }
    w.EndArray();
}

void WriteCloseCallLine(JsonWriter& w, const CloseCallDays& c) {
    w.BeginObject();
    WriteCloseCallMembers(w, c.call);
    w.Key("days").BeginArray();
    for (const CalendarDate& d : c.days) w.Date(d.year, d.month, d.day);
    w.EndArray();
    w.EndObject();
}

}  // namespace kalendo
