#include "cli/day_json.h"

#include <bitset>

#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "cli/close_call_json.h"
#include "cli/eclipse_json.h"
#include "cli/entry_json.h"
#include "cli/sky_json.h"
#include "core/day_arith.h"
#include "defs/day_off.h"
#include "defs/holidays.h"
#include "ui/model/day_texts.h"
#include "ui/model/month_view.h"
#include "ui/model/view_state.h"

namespace kalendo {
namespace {

// "date", "accepted", "weekday", "julianDate".
void WriteDateKeys(JsonWriter& w, const DayOfAlmanac& day) {
    const CalendarDate t = day.date;
    w.Key("date").Date(t.year, t.month, t.day);
    w.Key("accepted").Bool(true);
    w.Key("weekday").Int(day.weekday);
    w.Key("julianDate").Double(JulianDate(t.year, t.month, t.day));
}

// "sexagenary" and the stem and branch indexes of day, year and month.
void WriteSignKeys(JsonWriter& w, const DayOfAlmanac& day) {
    w.Key("sexagenary").Int(SexagenaryDay(day.date.year, day.date.month, day.date.day));
    w.Key("dayStem").Int(day.dayStem);
    w.Key("dayBranch").Int(day.dayBranch);
    w.Key("yearStem").Int(day.yearStem);
    w.Key("yearBranch").Int(day.yearBranch);
    w.Key("monthStem").Int(day.monthStem);
    w.Key("monthBranch").Int(day.monthBranch);
}

// The lunisolar date and the signs that follow the lunisolar calendar or
// the solar months: "lunarMonth" … "mansion".
void WriteLunisolarKeys(JsonWriter& w, const DayOfAlmanac& day) {
    w.Key("lunarMonth").Int(day.reading.lunarMonth);
    w.Key("lunarDay").Int(day.reading.lunarDay);
    w.Key("leapMonth").Int(day.reading.leapMonth);
    w.Key("rokuyo").Int(day.reading.rokuyo);
    w.Key("officer").Int(day.reading.officer);
    w.Key("mansion").Int(day.mansion);
}

// "moonPhase", "moonAge", and both longitudes at 0 h of the date.
void WriteSkyKeys(JsonWriter& w, const DayOfAlmanac& day, const ViewState& view) {
    const CalendarDate t = day.date;
    const Astronomy& sky = AstronomyOf(day.almanac);
    w.Key("moonPhase").Int(sky.moonPhaseOfDay(t.year, t.month, t.day));
    w.Key("moonAge").Double(view.moonAge);
    w.Key("sunLongitude").Double(sky.sunLongitudeShownDeg(t.year, t.month, t.day));
    w.Key("moonLongitude").Double(sky.moonLongitudeShownDeg(t.year, t.month, t.day));
}

void WriteEraKeys(JsonWriter& w, const MonthRecord& rec) {
    w.Key("era").Cp932(rec.currentEraName);
    w.Key("eraYear").Int(rec.eraYear);
}

// {"index","name"} of entry i of a table, or null for -1.
void WriteEntryOrNull(JsonWriter& w, const DefinitionEntry* table, int i) {
    if (i < 0) {
        w.Null();
    } else {
        WriteEntryObject(w, kIndexAndNameFields<DefinitionEntry>, table[i], i);
    }
}

// "holiday", "generatedHoliday", "dayOff": `rec` the record the day was read on.
void WriteHolidayKeys(JsonWriter& w, const MonthRecord& rec, const DayOfAlmanac& day) {
    w.Key("holiday");
    WriteEntryOrNull(w, rec.tables.holidays, day.entries.holiday);
    w.Key("generatedHoliday");
    if (!day.entries.generated) {
        w.Null();
    } else {
        w.BeginObject();
        w.Key("index").Int(day.entries.generatedIndex);
        w.Key("name").Cp932(GeneratedHolidayName(*day.entries.generated));
        w.EndObject();
    }
    w.Key("dayOff").Bool(IsDayOff(rec, day.date.month, day.date.day));
}

// `key`: [{"index","name"}] of every entry of a table that falls on the
// day, in table order.
template <class Entry, std::size_t N>
void WriteEntriesOfDay(JsonWriter& w, const char* key, const Entry* table, int count,
                       const std::bitset<N>& on) {
    w.Key(key).BeginArray();
    for (int i = 0; i < count; ++i) {
        if (on.test(static_cast<std::size_t>(i))) WriteEntryObject(w, kIndexAndNameFields<Entry>, table[i], i);
    }
    w.EndArray();
}

// "notes", "userEntries", "schedules".
void WriteEventKeys(JsonWriter& w, const MonthRecord& rec, const DayEntries& on) {
    WriteEntriesOfDay(w, "notes", rec.tables.notes, rec.noteCount, on.notes);
    WriteEntriesOfDay(w, "userEntries", rec.tables.userEntries, rec.userEntryCount, on.userEntries);
    WriteEntriesOfDay(w, "schedules", rec.tables.schedules, rec.scheduleCount, on.schedules);
}

void WriteRgb(JsonWriter& w, Rgb c) {
    w.BeginArray();
    w.Int(c.r).Int(c.g).Int(c.b);
    w.EndArray();
}

void WriteDetail(JsonWriter& w, const DetailPane& pane) {
    w.BeginObject();
    w.Key("title").Cp932(pane.detailTitle);
    w.Key("text").Cp932(pane.detailText);
    w.EndObject();
}

// What the window shows for the day, from the view state the window
// draws: "panes", "officerDetail", "mansionDetail", "detail", "eventList",
// "scheduleList", "grid", "title".
void WriteScreenKeys(JsonWriter& w, const MonthRecord& rec, const ViewState& view) {
    const DetailTexts detail = BuildDetailTexts(rec);

    w.Key("panes").BeginObject();
    w.Key("date").Cp932(view.datePane);
    w.Key("oldCalendar").Cp932(view.oldCalendarPane);
    w.Key("yearSign").Cp932(view.yearSignPane);
    w.Key("officer").Cp932(view.officer.text);
    w.Key("mansion").Cp932(view.mansion.text);
    w.Key("moon").Cp932(view.moonPane);
    w.EndObject();
    w.Key("officerDetail");
    WriteDetail(w, view.officer);
    w.Key("mansionDetail");
    WriteDetail(w, view.mansion);
    w.Key("detail").BeginObject();
    w.Key("almanac").Cp932(detail.almanac);
    w.Key("events").Cp932(detail.events);
    w.EndObject();

    w.Key("eventList").BeginArray();
    for (const ListRow& row : view.eventList) {
        w.BeginObject();
        w.Key("kind").Int(row.kind);
        w.Key("index").Int(row.index);
        w.Key("text").Cp932(row.text);
        w.EndObject();
    }
    w.EndArray();
    w.Key("scheduleList").BeginArray();
    for (const ListRow& row : view.scheduleList) {
        w.BeginObject();
        w.Key("kind").Int(row.kind);
        w.Key("index").Int(row.index);
        w.Key("day").Cp932(row.dayText);
        w.Key("text").Cp932(row.text);
        w.EndObject();
    }
    w.EndArray();

    w.Key("grid").BeginArray();
    for (const DayCell& cell : view.grid) {
        w.BeginObject();
        w.Key("day").Int(cell.day);
        w.Key("text").Cp932(cell.text);
        w.Key("fg");
        WriteRgb(w, cell.fg);
        w.Key("bg");
        WriteRgb(w, cell.bg);
        w.Key("lunarText").Cp932(cell.lunarText);
        w.EndObject();
    }
    w.EndArray();
    w.Key("title").Cp932(view.title);
}

// The lower register: "solarMonth" (1 寅 ... 12 丑), "kyusei" (the stars
// 1-9 of year, month and day) and "rekichu" (the names of every note of the
// day under the readings, in their fixed order, whatever a calendar note
// of the day already says).
void WriteRekichuKeys(JsonWriter& w, const DayOfAlmanac& day) {
    const DayReading& reading = day.reading;
    w.Key("solarMonth").Int(day.solarMonth);
    w.Key("kyusei").BeginObject();
    w.Key("year").Int(reading.kyusei.year);
    w.Key("month").Int(reading.kyusei.month);
    w.Key("day").Int(reading.kyusei.day);
    w.EndObject();
    w.Key("rekichu").BeginArray();
    for (int k = 0; k < kRekichuCount; ++k) {
        if (Contains(reading.rekichu, static_cast<RekichuName>(k))) w.Cp932(RekichuNameText(k));
    }
    w.EndArray();
}

}  // namespace

DayQuestions DayObjectQuestions(const DayObjectOptions& options) {
    DayQuestions questions;
    questions.closeCalls = true;
    questions.readings = options.readings;
    return questions;
}

void WriteDayObject(JsonWriter& w, const DayOfAlmanac& day, const MonthRecord& rec, ViewBuilder& views,
                    const DayObjectOptions& options) {
    const CalendarDate t = day.date;
    ViewOptions viewOptions;
    viewOptions.weekStart = options.weekStart;
    viewOptions.lunarLine = true;
    const ViewState view = views.Build(rec, viewOptions);
    w.BeginObject();
    WriteDateKeys(w, day);
    WriteSignKeys(w, day);
    WriteLunisolarKeys(w, day);
    WriteSkyKeys(w, day, view);
    WriteEraKeys(w, rec);
    WriteHolidayKeys(w, rec, day);
    WriteEventKeys(w, rec, day.entries);
    WriteScreenKeys(w, rec, view);
    WriteCloseCallsKey(w, rec, day.closeCalls);
    WriteRekichuKeys(w, day);
    if (const NamedPlace* place = options.place) {
        WriteSkyKey(w, *place, ComputeDaySky(t.year, t.month, t.day, place->position));
        WriteDayEclipse(w, t.year, t.month, t.day, place->position);
    }
    w.EndObject();
}

void WriteRefusedDayObject(JsonWriter& w, int y, int m, int d) {
    w.BeginObject();
    w.Key("date").Date(y, m, d);
    w.Key("accepted").Bool(false);
    w.EndObject();
}

}  // namespace kalendo
