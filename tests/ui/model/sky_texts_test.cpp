// The place in the settings file and the sky's texts on the screens.
#include "ui/model/sky_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "astro/ephemeris.h"
#include "platform/text_codec.h"
#include "ui/model/settings.h"

namespace kalendo {
namespace {

// The [Place] section: read after the older lines, written only when set,
// and every shape read back as written.
TEST(SettingsPlace, ReadWrittenAndDefault) {
    const std::string older =
        ";;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n1 : 2\n\n[Size]\n0\n\n"
        "[View]\n0\n\n";
    struct Case { const char* tail; int index; bool own; double lat, lon; const char* nameUtf8; };
    const Case cases[] = {
        {"", 0, false, 0, 0, "東京"}, {"[Place]\n1\n", 1, false, 0, 0, "札幌"},
        {"[Grid]\n1\n[Place]\n47\n", 47, false, 0, 0, "那覇"},
        {"[Place]\r\n35.5,-139.25\r\n", 0, true, 35.5, -139.25, "35.5,-139.25"},
        {"[Place]\n-65,180\n", 0, true, -65, 180, "-65,180"},
        // No such place, beyond 65 deg, no number, cut off: the default.
        {"[Place]\n48\n", 0, false, 0, 0, "東京"}, {"[Place]\n66,0\n", 0, false, 0, 0, "東京"},
        {"[Place]\n1x\n", 0, false, 0, 0, "東京"}, {"[Place]\n", 0, false, 0, 0, "東京"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        AppSettings s{};
        ASSERT_TRUE(ParseSettings(older + c.tail, s));
        EXPECT_EQ(s.placeIndex, c.index);
        EXPECT_EQ(s.ownPlace, c.own);
        if (c.own) {
            EXPECT_EQ(s.ownPosition.latitudeDeg, c.lat);
            EXPECT_EQ(s.ownPosition.longitudeDeg, c.lon);
        }
        EXPECT_EQ(Utf8FromCp932(SettingsPlace(s).name), c.nameUtf8);
        AppSettings again{};
        ASSERT_TRUE(ParseSettings(SettingsText(s), again));
        EXPECT_EQ(SettingsText(again), SettingsText(s));
        EXPECT_EQ(SettingsText(s).find("[Place]") != std::string::npos, c.own || c.index != 0);
    }
    EXPECT_EQ(OwnPlaceText({35.658099222, 139.741357472}), "35.658099222,139.741357472");
    EXPECT_EQ(OwnPlaceText({-0.5, 0}), "-0.5,0");
}

TEST(SkyTexts, MinutesRoundedAndNone) {
    const double midnight = JstMidnightJd(2026, 1, 1);
    const struct { double seconds; const char* want; } clocks[] = {
        {24636, "6:51"}, {24629, "6:50"}, {0, "0:00"}, {86371, "24:00"}, {60000, "16:40"}};
    for (const auto& c : clocks) EXPECT_EQ(SkyClockText(midnight + c.seconds / 86400.0), c.want) << c.seconds;
    const SkyEvents none{}, two{2, {{midnight + 540 / 86400.0, 0}, {midnight + 86280 / 86400.0, 0}}};
    EXPECT_EQ(Utf8FromCp932(SkyTimesText(none)), "なし");
    EXPECT_EQ(Utf8FromCp932(SkyTimesText(two)), "0:09・23:58");
}

// Tokyo, 2026-01-10: a day without a moonrise, every line of the dialog,
// and the footer with the published 2017 minutes.
TEST(SkyTexts, TokyoDays) {
    const NamedPlace tokyo = NamedPlaceOf(ListedPlaces()[kDefaultPlaceIndex]);
    const DaySky sky = ComputeDaySky(2026, 1, 10, tokyo.position);
    const std::string detail = Utf8FromCp932(SkyDetailText(tokyo, sky));
    EXPECT_EQ(detail.rfind("場所 : 東京\r\n日の出 6:5", 0), 0u) << detail;
    for (const char* piece : {"°） 日の入 ", "\r\n夜明 ", "\r\n月の出 なし 月の南中 "}) {
        EXPECT_NE(detail.find(piece), std::string::npos) << detail;
    }
    const std::string footer = Utf8FromCp932(PrintFooterSkyText(tokyo, 2017, 1));
    EXPECT_EQ(footer.rfind("東京 1日 日の出 6:51 日の入 16:39 15日 日の出 6:5", 0), 0u) << footer;
}

}  // namespace
}  // namespace kalendo
