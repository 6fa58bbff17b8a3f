#include "cli/eclipse_json.h"

#include <string>

#include "astro/ephemeris.h"
#include "core/day_arith.h"
#include "platform/text_codec.h"
#include "ui/model/eclipse_texts.h"

namespace kalendo {
namespace {

const char* TypeKey(EclipseType type) {
    switch (type) {
        case EclipseType::kPartial: return "partial";
        case EclipseType::kAnnular: return "annular";
        case EclipseType::kTotal: return "total";
        case EclipseType::kPenumbral: return "penumbral";
    }
    return "partial";
}

// "YYYY-MM-DDTHH:MM:SS+09:00": the instant rounded to the JST second.
std::string JstTimeText(double jdUt) {
    const JstSecond s = JstSecondOf(jdUt);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02lld:%02lld:%02lld+09:00", s.day.year,
                  s.day.month, s.day.day, s.secondOfDay / 3600, s.secondOfDay / 60 % 60,
                  s.secondOfDay % 60);
    return text;
}

void WriteCrossing(JsonWriter& w, const char* key, const HorizonCrossing& c) {
    if (!c.happens) return;
    w.Key(key).BeginObject();
    w.Key("time").Utf8(JstTimeText(c.jdUt));
    w.Key("magnitude").Double(c.magnitude);
    w.EndObject();
}

std::optional<Eclipse> EclipseOfDay(int y, int m, int d, const GeoPosition& where) {
    const double midnight = JstMidnightJd(y, m, d);
    return FirstEclipseSeenFrom(where, midnight, midnight + 1);
}

}  // namespace

void WriteEclipseObject(JsonWriter& w, const Eclipse& e) {
    const bool solar = e.kind == EclipseKind::kSolar;
    std::string names[kMaxContacts];
    for (int i = 0; i < e.contactCount; ++i) {
        names[i] = Utf8FromCp932(ContactNameText(e.contacts[i].name));
    }
    w.BeginObject();
    w.Key("kind").Utf8(solar ? "solar" : "lunar");
    w.Key("type").Utf8(TypeKey(e.type));
    const CalendarDate date = JstSecondOf(e.Maximum().jdUt).day;
    w.Key("date").Date(date.year, date.month, date.day);
    w.Key("contacts").BeginObject();
    for (int i = 0; i < e.contactCount; ++i) w.Key(names[i]).Utf8(JstTimeText(e.contacts[i].jdUt));
    w.EndObject();
    w.Key("magnitude").Double(e.magnitude);
    if (solar) w.Key("obscuration").Double(e.obscuration);
    w.Key("altitudes").BeginObject();
    for (int i = 0; i < e.contactCount; ++i) w.Key(names[i]).Double(e.contacts[i].altitudeDeg);
    w.EndObject();
    w.Key("visible").BeginObject();
    for (int i = 0; i < e.contactCount; ++i) w.Key(names[i]).Bool(e.contacts[i].up);
    w.EndObject();
    WriteCrossing(w, "rise", e.rise);
    WriteCrossing(w, "set", e.set);
    w.EndObject();
}

bool DayHasEclipse(int y, int m, int d, const GeoPosition& where) {
    return EclipseOfDay(y, m, d, where).has_value();
}

void WriteDayEclipse(JsonWriter& w, int y, int m, int d, const GeoPosition& where) {
    if (const std::optional<Eclipse> e = EclipseOfDay(y, m, d, where)) {
        w.Key("eclipse");
        WriteEclipseObject(w, *e);
    }
}

void PrintEclipses(CalendarDate first, CalendarDate last, const GeoPosition& where,
                   std::FILE* out) {
    int ny = last.year, nm = last.month, nd = last.day + 1;
    NormalizeDate(ny, nm, nd);
    const double before = JstMidnightJd(ny, nm, nd);
    double from = JstMidnightJd(first.year, first.month, first.day);
    JsonWriter w;
    while (const std::optional<Eclipse> e = FirstEclipseSeenFrom(where, from, before)) {
        WriteEclipseObject(w, *e);
        std::fwrite(w.Text().data(), 1, w.Text().size(), out);
        std::fputc('\n', out);
        w.Clear();
        // The next syzygy is two weeks on; half a day passes this one.
        from = e->Maximum().jdUt + 0.5;
    }
}

}  // namespace kalendo
