// The words of an eclipse and the grid's eclipses: numbers in the C rules
// whatever the locale, the span an eclipse is seen over, and the grid's
// marks against the eclipses of the month.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "astro/ephemeris.h"
#include "astro/places.h"
#include "core/day_arith.h"
#include "month/compute_month.h"
#include "platform/text_codec.h"
#include "ui/model/eclipse_texts.h"
#include "ui/model/grid_eclipses.h"

namespace kalendo {
namespace {

TEST(EclipseTexts, MagnitudesToTheThousandth) {
    const struct {
        double magnitude;
        const char* text;
    } kCases[] = {{0.4208, "0.421"}, {1.3642, "1.364"}, {0.0004, "0.000"}, {0.9995, "1.000"},
                  {0, "0.000"},      {2.05, "2.050"}};
    for (const auto& c : kCases) EXPECT_EQ(MagnitudeText(c.magnitude), c.text) << c.magnitude;
}

// Every eclipse seen from Tokyo or Naha over two centuries: it is seen
// between its first and last contacts and at least at a moment; its detail
// says its kind and has a line for 食分, each contact and each rise or set.
TEST(EclipseTexts, EverySeenSpanLiesWithinTheContacts) {
    for (const int place : {kDefaultPlaceIndex, kListedPlaceCount - 1}) {
        const NamedPlace where = NamedPlaceOf(ListedPlaces()[place]);
        int count = 0;
        for (int y = 1900; y <= 2100; ++y) {
            for (int m = 1; m <= 12; ++m) {
                for (const Eclipse& e : EclipsesOfMonth(y, m, where.position)) {
                    ++count;
                    const SeenSpan seen = SeenSpanOf(e);
                    EXPECT_LE(e.contacts[0].jdUt, seen.firstJdUt + 1e-9) << y << '-' << m;
                    EXPECT_LE(seen.firstJdUt, seen.lastJdUt) << y << '-' << m;
                    EXPECT_LE(seen.lastJdUt, e.contacts[e.contactCount - 1].jdUt + 1e-9) << y << '-' << m;
                    const std::string detail = EclipseDetailText(e, where.name);
                    std::size_t lines = 1;
                    for (std::size_t at = detail.find("\r\n"); at != std::string::npos;
                         at = detail.find("\r\n", at + 2)) {
                        ++lines;
                    }
                    EXPECT_EQ(lines, 2u + e.contactCount + e.rise.happens + e.set.happens);
                    EXPECT_EQ(detail.rfind(std::string(EclipseKindText(e)), 0), 0u);
                }
            }
        }
        EXPECT_GT(count, 300);
    }
}

// The grid marks exactly the days of the month on which an eclipse of
// EclipsesOfMonth has its maximum, in January-December 2019 for Tokyo.
TEST(GridEclipses, MarksTheDaysOfTheMonthsEclipses) {
    auto rec = std::make_unique<MonthRecord>();
    GridEclipses grid;
    const GeoPosition tokyo = ListedPlaces()[kDefaultPlaceIndex].position;
    int marked = 0;
    for (int m = 1; m <= 12; ++m) {
        ComputeMonth(*rec, 2019, m, 1, {AlmanacMode::Standard, kViewFull});
        const MonthGrid cells = FillMonthGrid(*rec);
        const auto marks = grid.OfGrid(tokyo, 2019, m, cells);
        std::vector<int> days;
        for (const Eclipse& e : EclipsesOfMonth(2019, m, tokyo)) days.push_back(JstDateOf(e.Maximum().jdUt).day);
        for (int k = 0; k < kGridCells; ++k) {
            const int day = cells[static_cast<std::size_t>(k)].day;
            const bool expected = day > 0 && std::find(days.begin(), days.end(), day) != days.end();
            EXPECT_EQ(marks[static_cast<std::size_t>(k)] != nullptr, expected) << m << '/' << day;
            marked += expected;
        }
    }
    EXPECT_EQ(marked, 3);  // 1月6日 and 12月26日 partial solar, 7月17日 partial lunar
    EXPECT_EQ(Utf8FromCp932(SpokenEclipse(*grid.OnDay(tokyo, 2019, 1, 6))), "、部分日食");
}

// The three years used last are kept, by year and place (the shown one and
// those the window finds beside it while it waits), and answer as found.
TEST(GridEclipses, KeepsTheThreeYearsUsedLast) {
    GridEclipses grid;
    const GeoPosition tokyo = ListedPlaces()[kDefaultPlaceIndex].position;
    ASSERT_NE(grid.OnDay(tokyo, 2019, 7, 17), nullptr);
    const struct { int prefetch, gone; } kSteps[] = {{2018, 2020}, {2020, 0}, {2019, 0}, {2021, 2018}};
    for (const auto& step : kSteps) {
        grid.PrefetchYear(tokyo, step.prefetch);
        EXPECT_TRUE(grid.Keeps(tokyo, step.prefetch) && grid.Keeps(tokyo, 2019) && !grid.Keeps(tokyo, step.gone));
        EXPECT_FALSE(grid.Keeps(ListedPlaces()[kListedPlaceCount - 1].position, step.prefetch));
    }
    for (int m = 1; m <= 12; ++m) {
        for (const Eclipse& e : EclipsesOfMonth(2020, m, tokyo)) {
            const CalendarDate d = JstDateOf(e.Maximum().jdUt);
            const Eclipse* kept = grid.OnDay(tokyo, d.year, d.month, d.day);
            ASSERT_TRUE(kept && kept->Maximum().jdUt == e.Maximum().jdUt);
        }
    }
}

}  // namespace
}  // namespace kalendo
