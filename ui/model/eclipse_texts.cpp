#include "ui/model/eclipse_texts.h"

#include <cmath>
#include <cstdio>

#include "astro/ephemeris.h"
#include "core/day_arith.h"
#include "ui/model/eclipse_words.h"
#include "ui/model/text_format.h"

namespace kalendo {

std::string_view ContactNameText(ContactName name) {
    return kEclipseContactNames[static_cast<int>(name)];
}

std::string_view EclipseKindText(const Eclipse& e) {
    const int type = static_cast<int>(e.type);
    return e.kind == EclipseKind::kSolar ? kSolarEclipseNames[type] : kLunarEclipseNames[type];
}

std::string_view RiseEclipseText(const Eclipse& e) {
    return e.kind == EclipseKind::kSolar ? kSunriseEclipse : kMoonriseEclipse;
}

std::string_view SetEclipseText(const Eclipse& e) {
    return e.kind == EclipseKind::kSolar ? kSunsetEclipse : kMoonsetEclipse;
}

std::string MagnitudeText(double magnitude) {
    // Thousandths as an integer: "%.3f" would follow LC_NUMERIC.
    const long long thousandths = std::llround(magnitude * 1000);
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", thousandths / 1000, thousandths % 1000);
    return text;
}

SeenSpan SeenSpanOf(const Eclipse& e) {
    SeenSpan seen{0, 0};
    bool found = false;
    for (int i = 0; i < e.contactCount; ++i) {
        if (!e.contacts[i].up) continue;
        if (!found) seen.firstJdUt = e.contacts[i].jdUt;
        seen.lastJdUt = e.contacts[i].jdUt;
        found = true;
    }
    // Risen within the eclipse: seen from the rise; set within it: until the set.
    if (e.rise.happens && (!found || e.rise.jdUt < seen.firstJdUt)) {
        seen.firstJdUt = e.rise.jdUt;
        if (!found) seen.lastJdUt = e.contacts[e.contactCount - 1].jdUt;
        found = true;
    }
    if (e.set.happens && (!found || e.set.jdUt > seen.lastJdUt)) {
        if (!found) seen.firstJdUt = e.contacts[0].jdUt;
        seen.lastJdUt = e.set.jdUt;
    }
    return seen;
}

std::string JstClockText(double jdUt) {
    const JstSecond s = JstSecondOf(jdUt);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s.secondOfDay / 3600,
                  s.secondOfDay / 60 % 60, s.secondOfDay % 60);
    return text;
}

namespace {

// "H:MM.m": the JST minute and its tenth, rounded.
std::string JstTenthMinuteText(double jdUt) {
    // Rounded to six seconds first, so that a time just before midnight
    // becomes 0:00.0 of the next day rather than 24:00.0.
    constexpr double kTenthsPerDay = 14400;
    const JstSecond s = JstSecondOf(std::round(jdUt * kTenthsPerDay) / kTenthsPerDay);
    const long long tenths = (s.secondOfDay + 3) / 6;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", tenths / 600, tenths / 10 % 60, tenths % 10);
    return text;
}

// An altitude to the tenth of a degree, C rules ("-0.4").
std::string AltitudeText(double deg) {
    const long long tenths = std::llround(std::abs(deg) * 10);
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%lld", deg < 0 && tenths > 0 ? "-" : "", tenths / 10,
                  tenths % 10);
    return text;
}

}  // namespace

std::string EclipseDescription(const Eclipse& e, EclipseClock clock) {
    const bool tenths = clock == EclipseClock::kWindow && e.kind == EclipseKind::kLunar;
    auto clockText = [tenths](double jdUt) { return tenths ? JstTenthMinuteText(jdUt) : JstClockText(jdUt); };
    std::string text = kEclipseMagnitudeLabel;
    text += ' ';
    text += MagnitudeText(e.magnitude);
    if (e.kind == EclipseKind::kSolar) {
        text += std::string(" ") + kEclipseObscurationLabel + ' ' + MagnitudeText(e.obscuration);
    }
    for (int i = 0; i < e.contactCount; ++i) {
        const EclipseContact& c = e.contacts[i];
        text += "\r\n";
        text += ContactNameText(c.name);
        text += ' ' + clockText(c.jdUt) + ' ' + kEclipseAltitudeLabel + AltitudeText(c.altitudeDeg) +
                kEclipseDegreeSign;
        if (!c.up) text += kEclipseBelowHorizon;
    }
    const struct {
        const HorizonCrossing& crossing;
        std::string_view name;
    } crossings[] = {{e.rise, RiseEclipseText(e)}, {e.set, SetEclipseText(e)}};
    for (const auto& c : crossings) {
        if (!c.crossing.happens) continue;
        text += "\r\n";
        text += c.name;
        text += ' ' + clockText(c.crossing.jdUt) + ' ' + kEclipseMagnitudeLabel + ' ' +
                MagnitudeText(c.crossing.magnitude);
    }
    return text;
}

std::string EclipseDetailText(const Eclipse& e, std::string_view placeName) {
    return FormatText(kEclipseDetailFormat, std::string(EclipseKindText(e)).c_str(),
                      std::string(placeName).c_str()) +
           "\r\n" + EclipseDescription(e, EclipseClock::kWindow);
}

std::vector<Eclipse> EclipsesOfMonth(int y, int m, const GeoPosition& where) {
    int ny = y, nm = m + 1, nd = 1;
    NormalizeDate(ny, nm, nd);
    const double before = JstMidnightJd(ny, nm, nd);
    std::vector<Eclipse> found;
    double from = JstMidnightJd(y, m, 1);
    while (const std::optional<Eclipse> e = FirstEclipseSeenFrom(where, from, before)) {
        found.push_back(*e);
        // The next syzygy is two weeks on; half a day passes this one.
        from = e->Maximum().jdUt + 0.5;
    }
    return found;
}

}  // namespace kalendo
