#include "ui/model/colour_scheme.h"

#include <gtest/gtest.h>

#include <array>

namespace kalendo {
namespace {

constexpr ColourScheme kSchemes[] = {ColourScheme::Light, ColourScheme::Dark};

// Every text and mark of the window against every ground it is drawn on,
// in both sets.
TEST(ColourScheme, EveryDrawnPairKeepsItsContrastInBothSets) {
    for (const ColourScheme scheme : kSchemes) {
        for (const DrawnPair& p : DrawnPairs()) {
            EXPECT_GE(ContrastRatio(SchemeColour(p.ink, scheme), SchemeColour(p.ground, scheme)), p.minContrast)
                << p.where << (scheme == ColourScheme::Dark ? " (dark)" : " (light)");
        }
    }
}

// Every meaning is measured somewhere (a new one left out of DrawnPairs
// would go unmeasured), except the print preview's ground, which carries
// no text. The dark set really is dark: each ground darker than each text
// it carries, and no ground above a quarter of white's luminance.
TEST(ColourScheme, EveryMeaningMeasuredAndTheDarkSetInverted) {
    std::array<bool, kColourRoleCount> measured{};
    measured[static_cast<std::size_t>(ColourRole::PreviewBackground)] = true;
    for (const DrawnPair& p : DrawnPairs()) {
        measured[static_cast<std::size_t>(p.ink)] = measured[static_cast<std::size_t>(p.ground)] = true;
        const Rgb ink = SchemeColour(p.ink, ColourScheme::Dark), ground = SchemeColour(p.ground, ColourScheme::Dark);
        EXPECT_GT(RelativeLuminance(ink), RelativeLuminance(ground)) << p.where;
        EXPECT_LT(RelativeLuminance(ground), 0.25) << p.where;
    }
    for (int r = 0; r < kColourRoleCount; ++r) EXPECT_TRUE(measured[static_cast<std::size_t>(r)]) << "role " << r;
}

// The portal's preference decides when it states one; else the palette's
// window colour; a fixed choice overrides the desktop.
TEST(ColourScheme, TheDesktopsPreferenceAndTheChoice) {
    const Rgb lightWindow{239, 239, 239}, darkWindow{53, 53, 53}, breezeDark{49, 54, 59};
    const struct { std::optional<int> portal; Rgb window; bool dark; const char* why; } desktops[] = {
        {kPortalPrefersDark, lightWindow, true, "portal dark over a light palette"},
        {kPortalPrefersLight, darkWindow, false, "portal light over a dark palette"},
        {0, darkWindow, true, "no preference: the palette"},
        {std::nullopt, breezeDark, true, "no portal, a dark style"},
        {std::nullopt, lightWindow, false, "no portal, a light style"},
        {7, {127, 127, 127}, true, "unknown value; just below mid grey"},
        {std::nullopt, {128, 128, 128}, false, "mid grey itself is not dark"},
    };
    for (const auto& d : desktops) EXPECT_EQ(DesktopPrefersDark(d.portal, d.window), d.dark) << d.why;
    for (const bool dark : {false, true}) {
        EXPECT_EQ(SchemeOf(SchemeChoice::Auto, dark), dark ? ColourScheme::Dark : ColourScheme::Light);
        EXPECT_EQ(SchemeOf(SchemeChoice::Light, dark), ColourScheme::Light);
        EXPECT_EQ(SchemeOf(SchemeChoice::Dark, dark), ColourScheme::Dark);
    }
}

}  // namespace
}  // namespace kalendo
