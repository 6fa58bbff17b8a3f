#include "cli/day_json.h"

#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "astro/lunisolar.h"
#include "cli/close_call_json.h"
#include "cli/eclipse_json.h"
#include "cli/entry_json.h"
#include "cli/sky_json.h"
#include "core/day_arith.h"
#include "defs/day_off.h"
#include "defs/holidays.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "month/lower_register.h"
#include "ui/model/day_texts.h"
#include "ui/model/month_view.h"
#include "ui/model/view_state.h"

namespace kalendo {
namespace {

// "date", "accepted", "weekday", "julianDate".
void WriteDateKeys(JsonWriter& w, const MonthRecord& rec, CalendarDate t) {
    w.Key("date").Date(t.year, t.month, t.day);
    w.Key("accepted").Bool(true);
    w.Key("weekday").Int(rec.weekday[kTarget]);
    w.Key("julianDate").Double(JulianDate(t.year, t.month, t.day));
}

// "sexagenary" and the stem and branch indexes of day, year and month.
void WriteSignKeys(JsonWriter& w, CalendarDate t) {
    w.Key("sexagenary").Int(SexagenaryDay(t.year, t.month, t.day));
    w.Key("dayStem").Int(DayStemIndex(t.year, t.month, t.day));
    w.Key("dayBranch").Int(DayBranchIndex(t.year, t.month, t.day));
    w.Key("yearStem").Int(YearStemIndex(t.year));
    w.Key("yearBranch").Int(YearBranchIndex(t.year));
    w.Key("monthStem").Int(MonthStemIndex(t.year, t.month));
    w.Key("monthBranch").Int(MonthBranchIndex(t.month));
}

// The lunisolar date and the signs that follow the lunisolar calendar or
// the solar months: "lunarMonth" … "mansion".
void WriteLunisolarKeys(JsonWriter& w, const MonthRecord& rec, CalendarDate t) {
    w.Key("lunarMonth").Int(rec.lunarMonth);
    w.Key("lunarDay").Int(rec.lunarDay);
    w.Key("leapMonth").Int(rec.leapMonth);
    w.Key("rokuyo").Int(RokuyoIndex(rec));
    w.Key("officer").Int(OfficerIndex(rec, t.year, t.month, t.day));
    w.Key("mansion").Int(MansionIndex(t.year, t.month, t.day));
}

// "moonPhase", "moonAge", and both longitudes at 0 h of the date.
void WriteSkyKeys(JsonWriter& w, const MonthRecord& rec, CalendarDate t, const ViewState& view) {
    const Astronomy& sky = AstronomyOf(rec.almanacMode);
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

// "holiday", "generatedHoliday", "dayOff".
void WriteHolidayKeys(JsonWriter& w, const MonthRecord& rec, CalendarDate t) {
    w.Key("holiday");
    WriteEntryOrNull(w, rec.tables.holidays, FindHoliday(rec, t.month, t.day));
    w.Key("generatedHoliday");
    if (const int g = FindGeneratedHoliday(rec, t.month, t.day); g < 0) {
        w.Null();
    } else {
        w.BeginObject();
        w.Key("index").Int(g);
        w.Key("name").Cp932(GeneratedHolidayName(rec.evaluated.generated[g]));
        w.EndObject();
    }
    w.Key("dayOff").Bool(IsDayOff(rec, t.month, t.day));
}

// `key`: [{"index","name"}] of every entry of a table that falls on the
// day, in table order.
template <class Entry, class FallsOn>
void WriteEntriesOfDay(JsonWriter& w, const char* key, const Entry* table, int count,
                       FallsOn fallsOn) {
    w.Key(key).BeginArray();
    for (int i = 0; i < count; ++i) {
        if (fallsOn(i) >= 0) WriteEntryObject(w, kIndexAndNameFields<Entry>, table[i], i);
    }
    w.EndArray();
}

// "notes", "userEntries", "schedules".
void WriteEventKeys(JsonWriter& w, const MonthRecord& rec, CalendarDate t) {
    WriteEntriesOfDay(w, "notes", rec.tables.notes, rec.noteCount,
                      [&](int i) { return NoteFallsOnTarget(rec, i); });
    WriteEntriesOfDay(w, "userEntries", rec.tables.userEntries, rec.userEntryCount,
                      [&](int i) { return UserEntryFallsOn(rec, i, t.year, t.month, t.day); });
    WriteEntriesOfDay(w, "schedules", rec.tables.schedules, rec.scheduleCount,
                      [&](int i) { return ScheduleFallsOn(rec, i, t.year, t.month, t.day); });
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
void WriteRekichuKeys(JsonWriter& w, const MonthRecord& rec, RekichuReadings readings) {
    const LowerRegister reading = LowerRegisterOfTarget(rec, readings);
    w.Key("solarMonth").Int(reading.solarMonth);
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

void WriteDayObject(JsonWriter& w, MonthRecord& rec, ViewBuilder& views,
                    const DayObjectOptions& options) {
    const CalendarDate t = TargetDate(rec);
    ViewOptions viewOptions;
    viewOptions.weekStart = options.weekStart;
    viewOptions.lunarLine = true;
    const ViewState view = views.Build(rec, viewOptions);
    w.BeginObject();
    WriteDateKeys(w, rec, t);
    WriteSignKeys(w, t);
    WriteLunisolarKeys(w, rec, t);
    WriteSkyKeys(w, rec, t, view);
    WriteEraKeys(w, rec);
    WriteHolidayKeys(w, rec, t);
    WriteEventKeys(w, rec, t);
    WriteScreenKeys(w, rec, view);
    WriteCloseCallsKey(w, rec, CloseCallsOfTarget(rec, options.readings));
    WriteRekichuKeys(w, rec, options.readings);
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
