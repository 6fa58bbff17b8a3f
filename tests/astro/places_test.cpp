#include "astro/places.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "platform/text_codec.h"

namespace kalendo {
namespace {

// Positions the almanac must hold exactly as published (tests/data/sky).
TEST(ListedPlaces, PublishedPositions) {
    struct Case { const char* nameUtf8; double latitudeDeg, longitudeDeg; };
    const Case cases[] = {
        {"札幌", 43.0643, 141.3469}, {"那覇", 26.2124, 127.6809},
        {"東京", 35 + 39 / 60.0 + 29.1572 / 3600, 139 + 44 / 60.0 + 28.8869 / 3600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nameUtf8);
        const int i = FindListedPlace(Cp932FromUtf8(c.nameUtf8));
        ASSERT_GE(i, 0);
        EXPECT_NEAR(ListedPlaces()[i].position.latitudeDeg, c.latitudeDeg, 1e-12);
        EXPECT_NEAR(ListedPlaces()[i].position.longitudeDeg, c.longitudeDeg, 1e-12);
    }
    EXPECT_EQ(FindListedPlace(Cp932FromUtf8("東京都庁")), 13) << "the office apart from the default";
    EXPECT_EQ(FindListedPlace(Cp932FromUtf8("東京都")), -1) << "whole names only";
}

// Every place: a name of its own that finds it again, inside the offices'
// extent (Naha to Sapporo), and more than 1 km from the others, so that no
// row was copied.
TEST(ListedPlaces, EachDistinctAndInJapan) {
    std::set<std::string> names;
    for (int i = 0; i < kListedPlaceCount; ++i) {
        const ListedPlace& p = ListedPlaces()[i];
        SCOPED_TRACE(Utf8FromCp932(p.name));
        EXPECT_TRUE(names.insert(p.name).second);
        EXPECT_EQ(FindListedPlace(p.name), i);
        EXPECT_TRUE(p.position.latitudeDeg >= 26.2 && p.position.latitudeDeg <= 43.1);
        EXPECT_TRUE(p.position.longitudeDeg >= 127.6 && p.position.longitudeDeg <= 141.4);
        for (int j = 1; j < i; ++j) {
            const GeoPosition& q = ListedPlaces()[j].position;
            EXPECT_GT(std::hypot(p.position.latitudeDeg - q.latitudeDeg,
                                 p.position.longitudeDeg - q.longitudeDeg), 0.01);
        }
    }
}

}  // namespace
}  // namespace kalendo
