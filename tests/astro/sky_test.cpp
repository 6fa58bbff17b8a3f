// The sky over a place: the published minutes, an independent ephemeris,
// and a second route through ERFA's observed-place functions (eraApco and
// eraAtioq, eraXys06a's CIP, the moon's light time on barycentric places).
#include "astro/sky.h"

#include <erfa.h>
#include <erfam.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "astro/delta_t.h"
#include "astro/ephemeris.h"
#include "astro/longitude_memo.h"
#include "astro/places.h"
#include "core/day_arith.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

constexpr double kMjdZero = 2400000.5;

// The instant as the almanac publishes it: JST hours and minutes, rounded
// to the nearest minute.
std::string PublishedMinute(double jdUt) {
    const long long minute = (JstSecondOf(jdUt).secondOfDay + 30) / 60;
    return std::to_string(minute / 60) + (minute % 60 < 10 ? ":0" : ":") + std::to_string(minute % 60);
}

GeoPosition PlaceNamed(const char* utf8) {
    const int i = FindListedPlace(Cp932FromUtf8(utf8));
    EXPECT_GE(i, 0) << utf8;
    return ListedPlaces()[i < 0 ? 0 : i].position;
}

TEST(DaySky, PublishedSunriseAndSunset) {
    struct Case { const char* place; int y, m, d; const char* sunrise; const char* sunset; };
    const Case cases[] = {
        {"東京", 2017, 1, 1, "6:51", "16:39"}, {"東京", 2017, 2, 1, "6:41", "17:08"},
        {"東京", 2026, 1, 1, "6:51", nullptr}, {"札幌", 2026, 1, 1, "7:06", nullptr},
        {"那覇", 2026, 1, 1, "7:17", nullptr}, {"福岡", 2026, 1, 1, "7:23", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.place) + " " + std::to_string(c.y) + "-" + std::to_string(c.m));
        const DaySky sky = ComputeDaySky(c.y, c.m, c.d, PlaceNamed(c.place));
        ASSERT_EQ(sky.sunrise.count + sky.sunset.count, 2);
        EXPECT_EQ(PublishedMinute(sky.sunrise.at[0].jdUt), c.sunrise);
        EXPECT_EQ(c.sunset ? PublishedMinute(sky.sunset.at[0].jdUt) : "", c.sunset ? c.sunset : "");
    }
}

// The second route: ERFA's star-place machinery for a body at a
// barycentric position, observer on the ellipsoid, no refraction.
struct Observed {
    double altitudeDeg;
    double hourAngleOnSkyArcsec;  // the hour angle times cos(declination)
    double geocentricDistanceAu;
};

Observed ObserveBody(bool moon, double jdUt, GeoPosition where) {
    const double tt2 = jdUt - kMjdZero + DeltaTDaysAt(jdUt);
    double pvh[2][3], pvb[2][3], x, y, s;
    eraEpv00(kMjdZero, tt2, pvh, pvb);
    eraXys06a(kMjdZero, tt2, &x, &y, &s);
    eraASTROM astrom;
    eraApco(kMjdZero, tt2, pvb, pvh[0], x, y, s, eraEra00(kMjdZero, jdUt - kMjdZero),
            where.longitudeDeg * ERFA_DD2R, where.latitudeDeg * ERFA_DD2R, 0, 0, 0, 0, 0, 0,
            &astrom);
    double bary[3], geocentricAu;
    if (moon) {
        // Where the moon was when its light left it, in the barycentric
        // frame: the earth then plus the moon's geocentric place then.
        double pv[2][3];
        eraMoon98(kMjdZero, tt2, pv);
        geocentricAu = eraPm(pv[0]);
        const double lightDays = geocentricAu / ERFA_DC;
        for (int i = 0; i < 3; ++i) bary[i] = pvb[0][i] - pvb[1][i] * lightDays + pv[0][i] - pv[1][i] * lightDays;
    } else {
        eraPmp(pvb[0], pvh[0], bary);
        geocentricAu = eraPm(pvh[0]);
    }
    double rc, dc, towardBody[3], natural[3], intermediate[3], ri, di, aob, zob, hob, dob, rob;
    eraC2s(bary, &rc, &dc);
    eraPmpx(rc, dc, 0, 0, 1 / eraPm(bary) / ERFA_DAS2R, 0, astrom.pmt, astrom.eb, towardBody);
    eraAb(towardBody, astrom.v, astrom.em, astrom.bm1, natural);
    eraRxp(astrom.bpn, natural, intermediate);
    eraC2s(intermediate, &ri, &di);
    eraAtioq(eraAnp(ri), di, &astrom, &aob, &zob, &hob, &dob, &rob);
    return {90 - zob * ERFA_DR2D, eraAnpm(hob) * std::cos(dob) * ERFA_DR2AS, geocentricAu};
}

// The kinds of event: which body, and the altitude its definition puts it
// at (NaN for a transit: there the hour angle is 0 and the altitude the
// one reported).
struct Kind {
    const char* name;
    SkyEvents DaySky::*events;
    bool moon;
    double altitudeDeg;  // NaN: transit; +inf: the sun's rise-set altitude at its distance
};
const Kind kKinds[] = {
    {"sunrise", &DaySky::sunrise, false, HUGE_VAL}, {"sunset", &DaySky::sunset, false, HUGE_VAL},
    {"dawn", &DaySky::dawn, false, kTwilightSunAltitudeDeg}, {"dusk", &DaySky::dusk, false, kTwilightSunAltitudeDeg},
    {"moonrise", &DaySky::moonrise, true, -kHorizontalRefractionDeg},
    {"moonset", &DaySky::moonset, true, -kHorizontalRefractionDeg},
    {"sunTransit", &DaySky::sunTransit, false, NAN}, {"moonTransit", &DaySky::moonTransit, true, NAN},
};

// 280 days of 1900-2100 at latitudes 24-46 deg across Japan's longitudes:
// every event is where its definition puts it, within 1".
TEST(DaySky, EveryInstantMeetsItsDefinitionBySecondRoute) {
    const double latitudes[] = {24.3, 26.2, 31.6, 35.7, 39.0, 43.1, 45.5};
    std::uint32_t seed = 20260101;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    double worstArcsec = 0;
    int checked = 0;
    for (int sample = 0; sample < 280; ++sample) {
        const int y = 1900 + next() % 201, m = 1 + next() % 12, d = 1 + next() % 28;
        const GeoPosition where = {latitudes[sample % 7], 123.0 + (next() % 2300) / 100.0};
        SCOPED_TRACE(std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d) + " at " +
                     std::to_string(where.latitudeDeg) + "," + std::to_string(where.longitudeDeg));
        const DaySky sky = ComputeDaySky(y, m, d, where);
        for (const Kind& kind : kKinds) {
            const SkyEvents& events = sky.*kind.events;
            EXPECT_EQ(events.count, kind.moon ? events.count : 1) << kind.name << ": the sun's, once a day";
            for (int i = 0; i < events.count; ++i) {
                SCOPED_TRACE(kind.name);
                const SkyEvent& e = events.at[i];
                EXPECT_EQ(JstSecondOf(e.jdUt).day, (CalendarDate{y, m, d}));
                const Observed o = ObserveBody(kind.moon, e.jdUt, where);
                const double off = std::isnan(kind.altitudeDeg) ? o.hourAngleOnSkyArcsec
                                   : std::isinf(kind.altitudeDeg)
                                       ? (o.altitudeDeg - SunriseAltitudeDeg(o.geocentricDistanceAu)) * 3600
                                       : (o.altitudeDeg - kind.altitudeDeg) * 3600;
                EXPECT_LT(std::abs(off), 1.0);
                EXPECT_LT(std::abs(e.altitudeDeg - o.altitudeDeg) * 3600, 1.0);
                worstArcsec = std::max(worstArcsec, std::abs(off));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 280 * 7);
    std::printf("worst difference from the second route: %.3f\"\n", worstArcsec);
}

// Over a whole year, day after day: rises and sets alternate (none lost,
// none counted twice at the days' seams), and a day without a moonrise
// comes about once a lunation. At 65 deg the sun and the moon also stay up
// or down for whole days and come back, and some days hold two.
TEST(DaySky, RisesAndSetsAlternateThroughAYear) {
    struct Case { double latitudeDeg, longitudeDeg; int y; bool sunEveryDay; };
    const Case cases[] = {
        {35.658, 139.741, 2026, true}, {26.21, 127.68, 1600, true},
        {65.0, 139.7, 2026, false},    {-65.0, 20.0, 2998, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.latitudeDeg);
        struct Mark { double jd; int kind; };  // 0 rise, 1 set
        std::vector<Mark> sun, moon;
        int daysWithoutMoonrise = 0;
        for (int day = 0; day < 365; ++day) {
            int y = c.y, m = 1, d = 1 + day;
            NormalizeDate(y, m, d);
            const DaySky sky = ComputeDaySky(y, m, d, {c.latitudeDeg, c.longitudeDeg});
            const auto add = [](std::vector<Mark>& into, const SkyEvents& e, int kind) {
                for (int i = 0; i < e.count; ++i) into.push_back({e.at[i].jdUt, kind});
            };
            add(sun, sky.sunrise, 0);
            add(sun, sky.sunset, 1);
            add(moon, sky.moonrise, 0);
            add(moon, sky.moonset, 1);
            daysWithoutMoonrise += sky.moonrise.count == 0;
            EXPECT_TRUE(!c.sunEveryDay || sky.sunrise.count + sky.sunset.count + sky.sunTransit.count == 3);
        }
        for (std::vector<Mark>* marks : {&sun, &moon}) {
            std::sort(marks->begin(), marks->end(), [](const Mark& a, const Mark& b) { return a.jd < b.jd; });
            for (std::size_t i = 1; i < marks->size(); ++i) {
                ASSERT_NE((*marks)[i].kind, (*marks)[i - 1].kind) << "at JD " << (*marks)[i].jd;
            }
        }
        EXPECT_TRUE(!c.sunEveryDay || (daysWithoutMoonrise >= 11 && daysWithoutMoonrise <= 14));
    }
}

// The remembered midnights change no bit: days in a row, a jump back, and
// the same days with the almanac's caching off.
TEST(DaySky, RememberedMidnightsChangeNothing) {
    const GeoPosition where = {35.0, 135.0};
    const CalendarDate days[] = {{2024, 2, 28}, {2024, 2, 29}, {2024, 3, 1}, {2024, 2, 29}, {1600, 1, 1}, {2999, 12, 31}};
    std::vector<double> remembered, fresh;
    for (const bool caching : {true, false}) {
        SetAlmanacCaching(caching);
        std::vector<double>& into = caching ? remembered : fresh;
        for (const CalendarDate& t : days) {
            const DaySky sky = ComputeDaySky(t.year, t.month, t.day, where);
            for (const Kind& k : kKinds) for (int i = 0; i < (sky.*k.events).count; ++i) into.push_back((sky.*k.events).at[i].jdUt);
        }
    }
    SetAlmanacCaching(true);
    EXPECT_EQ(remembered, fresh);
    EXPECT_GT(remembered.size(), 6u * 5);
}

// Every event of an independent ephemeris with the same definitions
// (tests/data/sky: astronomy-engine, every fifth day of 1900, 2026 and
// 2100 at 東京 and 那覇) is an event here within 2 s, and no day has one
// more or one fewer.
TEST(DaySky, AgreesWithAnIndependentEphemeris) {
    const char* root = std::getenv("K2_TEST_DATA");
    std::ifstream in(std::string(root ? root : "tests/data") + "/sky/astronomy-engine-1900-2026-2100.txt");
    ASSERT_TRUE(in.good());
    std::map<std::string, std::vector<long long>> reference;  // "date place kind" -> JST seconds
    std::string date, place, kind, clock;
    while (in >> date >> place >> kind >> clock) {
        reference[date + " " + place + " " + kind].push_back(
            std::stoll(clock.substr(0, 2)) * 3600 + std::stoll(clock.substr(3, 2)) * 60 + std::stoll(clock.substr(6, 2)));
    }
    ASSERT_GT(reference.size(), 3000u);
    std::set<std::string> days;
    for (const auto& [key, seconds] : reference) days.insert(key.substr(0, key.find(' ', 11)));
    long long worst = 0;
    for (const std::string& day : days) {
        const std::string placeUtf8 = day.substr(11);
        const int y = std::stoi(day.substr(0, 4)), m = std::stoi(day.substr(5, 2)), d = std::stoi(day.substr(8, 2));
        const DaySky sky = ComputeDaySky(y, m, d, PlaceNamed(placeUtf8.c_str()));
        for (const Kind& kind : kKinds) {
            SCOPED_TRACE(day + " " + kind.name);
            const SkyEvents& events = sky.*kind.events;
            const std::vector<long long>& want = reference[day + " " + kind.name];
            ASSERT_EQ(events.count, static_cast<int>(want.size()));
            for (int i = 0; i < events.count; ++i) {
                const long long got = JstSecondOf(events.at[i].jdUt).secondOfDay;
                EXPECT_LE(std::llabs(got - want[i]), 2);
                worst = std::max(worst, std::llabs(got - want[i]));
            }
        }
    }
    std::printf("largest difference from astronomy-engine: %lld s\n", worst);
}

}  // namespace
}  // namespace kalendo
