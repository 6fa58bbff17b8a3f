#include "cli/sky_json.h"

#include <cstdio>

#include "astro/ephemeris.h"
#include "cli/place_json.h"

namespace kalendo {
namespace {

constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

// "HH:MM:SS" of the JST second an instant rounds to.
void WriteTime(JsonWriter& w, double jdUt) {
    const int s = static_cast<int>(JstSecondOf(jdUt).secondOfDay);  // [0, 86400)
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", s / kSecondsPerHour,
                  s % kSecondsPerHour / kSecondsPerMinute, s % kSecondsPerMinute);
    w.Utf8(text);
}

// null, one value, or a list of them.
template <class WriteOne>
void WriteEvents(JsonWriter& w, const char* key, const SkyEvents& events, WriteOne writeOne) {
    w.Key(key);
    if (events.count == 0) {
        w.Null();
    } else if (events.count == 1) {
        writeOne(events.at[0]);
    } else {
        w.BeginArray();
        for (int i = 0; i < events.count; ++i) writeOne(events.at[i]);
        w.EndArray();
    }
}

}  // namespace

void WriteSkyKey(JsonWriter& w, const NamedPlace& place, const DaySky& sky) {
    const auto time = [&w](const SkyEvent& e) { WriteTime(w, e.jdUt); };
    const auto altitude = [&w](const SkyEvent& e) { w.Double(e.altitudeDeg); };
    w.Key("sky").BeginObject();
    w.Key("place");
    WritePlaceObject(w, place);
    WriteEvents(w, "sunrise", sky.sunrise, time);
    WriteEvents(w, "sunTransit", sky.sunTransit, time);
    WriteEvents(w, "sunTransitAltitude", sky.sunTransit, altitude);
    WriteEvents(w, "sunset", sky.sunset, time);
    WriteEvents(w, "dawn", sky.dawn, time);
    WriteEvents(w, "dusk", sky.dusk, time);
    WriteEvents(w, "moonrise", sky.moonrise, time);
    WriteEvents(w, "moonTransit", sky.moonTransit, time);
    WriteEvents(w, "moonset", sky.moonset, time);
    w.EndObject();
}

}  // namespace kalendo
