#include "ui/model/sky_texts.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

#include "astro/ephemeris.h"
#include "ui/model/sky_words.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

constexpr long long kSecondsPerMinute = 60;
constexpr long long kMinutesPerHour = 60;

// "label time" pairs joined by blanks.
std::string Pairs(std::initializer_list<std::pair<const char*, const SkyEvents*>> pairs) {
    std::string text;
    for (const auto& [label, events] : pairs) {
        if (!text.empty()) text += ' ';
        text += label;
        text += ' ';
        text += SkyTimesText(*events);
    }
    return text;
}

}  // namespace

NamedPlace SettingsPlace(const AppSettings& s) {
    if (s.ownPlace) return {OwnPlaceText(s.ownPosition), s.ownPosition};
    const int index = s.placeIndex >= 0 && s.placeIndex < kListedPlaceCount ? s.placeIndex
                                                                             : kDefaultPlaceIndex;
    return NamedPlaceOf(ListedPlaces()[index]);
}

std::string SkyClockText(double jdUt) {
    const long long minute = (JstSecondOf(jdUt).secondOfDay + kSecondsPerMinute / 2) / kSecondsPerMinute;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", minute / kMinutesPerHour, minute % kMinutesPerHour);
    return text;
}

std::string SkyTimesText(const SkyEvents& events) {
    if (events.count == 0) return kSkyNone;
    std::string text;
    for (int i = 0; i < events.count; ++i) {
        if (i > 0) text += kSkyTwoSeparator;
        text += SkyClockText(events.at[i].jdUt);
    }
    return text;
}

std::string SkyDetailText(const NamedPlace& place, const DaySky& sky) {
    std::string text = kSkyPlacePrefix + place.name + "\r\n";
    text += Pairs({{kSkySunrise, &sky.sunrise}, {kSkySunTransit, &sky.sunTransit}});
    for (int i = 0; i < sky.sunTransit.count; ++i) {
        text += kSkyAltitudeOpen;
        text += FixedOneDecimal(sky.sunTransit.at[i].altitudeDeg, 0);
        text += kSkyAltitudeClose;
    }
    text += ' ';
    text += Pairs({{kSkySunset, &sky.sunset}});
    text += "\r\n";
    text += Pairs({{kSkyDawn, &sky.dawn}, {kSkyDusk, &sky.dusk}});
    text += "\r\n";
    text += Pairs({{kSkyMoonrise, &sky.moonrise}, {kSkyMoonTransit, &sky.moonTransit},
                   {kSkyMoonset, &sky.moonset}});
    return text;
}

std::string PrintFooterSkyText(const NamedPlace& place, int y, int m) {
    std::string text = place.name;
    for (const int d : {1, 15}) {
        const DaySky sky = ComputeDaySky(y, m, d, place.position);
        char day[32];
        std::snprintf(day, sizeof day, kSkyFooterDayFormat, d);
        text += ' ';
        text += day;
        text += ' ';
        text += Pairs({{kSkySunrise, &sky.sunrise}, {kSkySunset, &sky.sunset}});
    }
    return text;
}

}  // namespace kalendo
