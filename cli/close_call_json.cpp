#include "cli/close_call_json.h"

#include <cmath>
#include <cstdio>

#include "almanac/rekichu.h"
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

void WriteNotes(JsonWriter& w, const MonthRecord& rec, const DayReading& r) {
    w.BeginArray();
    for (int i = 0; i < rec.noteCount; ++i) {
        if (r.notes.test(i)) WriteEntryObject(w, kIndexAndNameFields<DefinitionEntry>, rec.tables.notes[i], i);
    }
    w.EndArray();
}

// The lower register's members of a change, as the day object writes them:
// "kyusei" (all three stars) when a star differs, "rekichu" (every name of
// the other side, in the fixed order) when a name differs.
void WriteLowerRegisterChanges(JsonWriter& w, const DayReading& h, const DayReading& o) {
    if (!(h.kyusei == o.kyusei)) {
        w.Key("kyusei").BeginObject();
        w.Key("year").Int(o.kyusei.year);
        w.Key("month").Int(o.kyusei.month);
        w.Key("day").Int(o.kyusei.day);
        w.EndObject();
    }
    if (h.rekichu != o.rekichu) {
        w.Key("rekichu").BeginArray();
        for (int k = 0; k < kRekichuCount; ++k) {
            if (Contains(o.rekichu, static_cast<RekichuName>(k))) w.Cp932(RekichuNameText(k));
        }
        w.EndArray();
    }
}

// "changes": [{"date", then the other side's value of each member that
// differs: "lunarMonth", "lunarDay" and "leapMonth" together, "rokuyo",
// "officer", "holiday" (entry or null), "generatedHoliday" (name or null),
// "notes" (the notes the date would have), "kyusei" and "rekichu"}].
void WriteChanges(JsonWriter& w, const MonthRecord& rec, const std::vector<DayChange>& changes) {
    w.Key("changes").BeginArray();
    for (const DayChange& c : changes) {
        const DayReading& h = c.here;
        const DayReading& o = c.other;
        w.BeginObject();
        w.Key("date").Date(c.date.year, c.date.month, c.date.day);
        if (h.lunarMonth != o.lunarMonth || h.lunarDay != o.lunarDay || h.leapMonth != o.leapMonth) {
            w.Key("lunarMonth").Int(o.lunarMonth);
            w.Key("lunarDay").Int(o.lunarDay);
            w.Key("leapMonth").Int(o.leapMonth);
        }
        if (h.rokuyo != o.rokuyo) w.Key("rokuyo").Int(o.rokuyo);
        if (h.officer != o.officer) w.Key("officer").Int(o.officer);
        if (h.holiday != o.holiday) {
            w.Key("holiday");
            WriteEntryOrNull(w, rec.tables.holidays, o.holiday);
        }
        if (c.hereGenerated != c.otherGenerated) {
            w.Key("generatedHoliday");
            if (c.otherGenerated.empty()) {
                w.Null();
            } else {
                w.Cp932(c.otherGenerated);
            }
        }
        if (h.notes != o.notes) {
            w.Key("notes");
            WriteNotes(w, rec, o);
        }
        WriteLowerRegisterChanges(w, h, o);
        w.EndObject();
    }
    w.EndArray();
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
        w.Key("notes");
        WriteNotes(w, rec, o);
        w.EndObject();
        WriteChanges(w, rec, c.changes);
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
