#include "ui/model/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "astro/lunisolar.h"
#include "core/day_arith.h"
#include "defs/schedules.h"
#include "model_test_support.h"
#include "ui/model/lists.h"
#include "ui/model/lunisolar_days.h"
#include "ui/model/sky_texts.h"

namespace kalendo {
namespace {

using testing_support::Cp;
using testing_support::ModelTest;
using testing_support::Utf;

class PrintLayoutTest : public ModelTest {
protected:
    PrintLayoutTest() {
        LoadHolidayLines(
            "憲法記念日 ( 1949 - 3000 ) / 5/3\n"
            "みどりの日 ( 2007 - 3000 ) / 5/4\n"
            "こどもの日 ( 1949 - 3000 ) / 5/5\n"
            "元日 ( 1949 - 3000 ) / 1/1\n");
        LoadNoteLines("端午の節句 5/5\n旧正月 旧1/1\n");
        LoadUserLines("結婚記念日 2000 / 5/6 1\n");
        SetToday(2024, 5, 1);
        LoadScheduleLines("会議                2024/05/06\t0\n{\n\n}\n");
        Select(2024, 5, 1);
        RemovePastSchedules(*rec_);
    }
};

// Every day of the printed months shows what the window shows for it: the
// grid's place and colour of its number, the grid's second line (with the
// month on the 1st), and the event list's rows in their colours, for
// months across a year's end, around the leap months of 2023 and 2033 and
// at both ends of the range, in both almanacs; the cells outside the month
// stay blank.
TEST_F(PrintLayoutTest, EveryDayShowsWhatTheWindowShowsForIt) {
    struct Range { PrintMonth first, last; };
    const Range ranges[] = {{{2023, 12}, {2024, 5}}, {{2033, 10}, {2034, 1}}, {{1600, 1}, {1600, 1}},
                            {{2999, 12}, {2999, 12}}};
    MonthRecord& window = *rec_;  // the pages are made before it moves again
    // Both week starts: the pages place the days as the window's grid does.
    for (const auto& [mode, start] : {std::pair{AlmanacMode::Standard, WeekStart::Sunday},
                                      std::pair{AlmanacMode::Precise, WeekStart::Sunday},
                                      std::pair{AlmanacMode::Standard, WeekStart::Monday}}) {
        for (const Range& r : ranges) {
            for (const PrintPage& page : BuildPrintPages(*rec_, r.first, r.last, mode, {start, {}, 0, {}})) {
                const PrintMonth m = page.month;
                SCOPED_TRACE(testing::Message() << m.year << "-" << m.month << " mode " << static_cast<int>(mode)
                                                << " week " << static_cast<int>(start));
                ASSERT_EQ(ComputeMonth(window, m.year, m.month, 1, {mode, kViewFull}), 1);
                const MonthGrid grid = FillMonthGrid(window, start);
                LunisolarDays lunar(window);
                // The rows the month needs and no more: its last day in the last.
                const int lastCell = Weekday(m.year, m.month, 1) + DaysInMonth(m.year, m.month) - 1;
                EXPECT_EQ(page.rows, lastCell / kGridColumns + 1);
                for (int k = 0; k < kGridCells; ++k) {
                    const PrintCell& cell = page.cells[k];
                    if (grid[k].day <= 0) {
                        EXPECT_EQ(cell, PrintCell{}) << "cell " << k;
                        continue;
                    }
                    const int d = grid[k].day;
                    EXPECT_EQ(cell.day, d);
                    EXPECT_EQ(cell.dayColour, SchemeColour(grid[k].ink, ColourScheme::Light)) << d;
                    EXPECT_EQ(cell.lunarDayText + " " + cell.rokuyoText,
                              LunarCellText(lunar.Of({m.year, m.month, d}), d == 1)) << d;
                    ASSERT_EQ(ComputeMonth(window, m.year, m.month, d, {mode, kViewFull}), 1);
                    std::vector<PrintEntry> want;
                    for (const ListRow& row : FillEventList(window)) {
                        want.push_back({row.text, SchemeColour(*RowTextRole(row.kind), ColourScheme::Light)});
                    }
                    EXPECT_EQ(cell.lines, want) << d;
                }
            }
        }
    }
}

// The heading, the month's sign and the footer as the window prints them
// (the sky of 東京; its words are sky_texts' own), with each eclipse seen
// from 東京 a line and its day marked: the total lunar eclipse of
// 2022-11-08 from the moon's rise (its penumbral contacts left out) and
// the partial solar eclipse of 2019-01-06.
TEST_F(PrintLayoutTest, HeadingSignAndFooter) {
    struct Case {
        PrintMonth month; AlmanacMode mode; const char* heading; const char* sign; const char* footer;
        const char* eclipses; int eclipseDay;
    };
    const Case cases[] = {
        {{2024, 5}, AlmanacMode::Standard, "2024年（令和6年）5月", "庚午の月", "標準の暦計算", "", 0},
        {{2019, 4}, AlmanacMode::Standard, "2019年（平成31年）4月", "己巳の月", "標準の暦計算", "", 0},
        {{2019, 5}, AlmanacMode::Precise, "2019年（令和1年）5月", "庚午の月", "精密な暦計算（ERFA 天体暦、ΔT 補正）", "", 0},
        {{1989, 1}, AlmanacMode::Standard, "1989年（昭和64年）1月", "丙寅の月", "標準の暦計算", "", 0},
        {{2022, 11}, AlmanacMode::Standard, "2022年（令和4年）11月", "壬子の月", "標準の暦計算",
         "11月8日 皆既月食 部分食の始め 18:09 皆既食の始め 19:16 食の最大 19:59 皆既食の終わり 20:42 部分食の終わり 21:49 食分 1.364", 8},
        {{2019, 1}, AlmanacMode::Standard, "2019年（平成31年）1月", "丙寅の月", "標準の暦計算",
         "1月6日 部分日食 食の始め 8:44 食の最大 10:06 食の終わり 11:36 食分 0.421", 6},
    };
    AppSettings settings;
    const PrintSettings print = PrintSettingsOf(settings);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        const std::vector<PrintPage> pages = BuildPrintPages(*rec_, c.month, c.month, c.mode, print);
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_EQ(Utf(pages[0].heading), c.heading);
        EXPECT_EQ(Utf(pages[0].monthSign), c.sign);
        EXPECT_EQ(Utf(pages[0].footer), c.footer);
        EXPECT_EQ(pages[0].footerSky, PrintFooterSkyText(SettingsPlace(settings), c.month.year, c.month.month));
        std::string eclipses;
        for (const std::string& line : pages[0].footerEclipses) eclipses.append(eclipses.empty() ? "" : "|").append(Utf(line));
        EXPECT_EQ(eclipses, c.eclipses);
        EXPECT_EQ(PrintFooterLineCount(pages[0]), c.eclipseDay > 0 ? 2 : 1);
        for (int k = 0; k < kGridCells; ++k) {
            EXPECT_EQ(pages[0].cells[k].eclipse, c.eclipseDay > 0 && pages[0].cells[k].day == c.eclipseDay) << k;
        }
    }
}

// The picked notes of the lower register end a cell's lines, in the fixed
// order and the notes' colour, under the readings chosen, without a name a
// calendar note of the day already says (甲子 for 甲子の日, 庚申 for 庚申の日,
// 天赦日 and 八専 by name).
TEST_F(PrintLayoutTest, PickedNotesOfTheLowerRegister) {
    LoadNoteLines("甲子 12/21\n天赦日 3/5\n庚申 2/26\n八専 2/18\n");
    constexpr RekichuSet kSome = RekichuBit(RekichuName::Tensha) | RekichuBit(RekichuName::Ichiryu) |
                                 RekichuBit(RekichuName::Tenon) | RekichuBit(RekichuName::Kinoene);
    constexpr RekichuSet kSigns = RekichuBit(RekichuName::Koushin) | RekichuBit(RekichuName::Hassen);
    struct Case { CalendarDate date; RekichuReadings readings; RekichuSet picks; const char* lines; };
    const Case cases[] = {
        {{2025, 12, 21}, {}, kSome, "甲子|天赦日|一粒万倍日|天恩日"},
        {{2025, 12, 21}, {}, 0, "甲子"},
        {{2026, 3, 5}, {}, kDefaultRekichuPicks, "天赦日|一粒万倍日"},
        {{2026, 3, 5}, {IchiryuReading::OneBranch, {}}, kDefaultRekichuPicks, "天赦日"},
        {{2026, 5, 4}, {}, kDefaultRekichuPicks, "みどりの日|天赦日"},
        {{2026, 1, 3}, {}, kDefaultRekichuPicks, ""},
        {{2024, 2, 26}, {}, kSigns, "庚申|八専"},
        {{2024, 2, 18}, {}, kSigns, "八専"},
        {{2024, 2, 19}, {}, kSigns, ""},
        {{2024, 2, 20}, {}, kSigns, "八専"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.date.year << "-" << c.date.month << "-" << c.date.day);
        const PrintMonth month{c.date.year, c.date.month};
        const PrintPage page = BuildPrintPages(*rec_, month, month, AlmanacMode::Standard, {{}, c.readings, c.picks, {}}).at(0);
        std::string lines;
        for (const PrintEntry& e : page.cells[Weekday(month.year, month.month, 1) + c.date.day - 1].lines) {
            lines.append(lines.empty() ? "" : "|").append(Utf(e.text));
            EXPECT_TRUE(!RekichuByName(e.text) || e.colour == *RowTextColour(kNoteRow));
        }
        EXPECT_EQ(lines, c.lines);
    }
}

// Up to the capacity every line; beyond it the first capacity - 1 and the
// count of the others.
TEST(VisibleCellLines, AFullCellEndsWithTheCountOfTheRest) {
    std::vector<PrintEntry> lines;
    for (int n = 0; n <= 5; lines.push_back({std::to_string(n++), kSundayText})) {
        std::vector<PrintEntry> want(lines.begin(), lines.begin() + (n > 3 ? 2 : n));
        if (n > 3) want.push_back({Cp("ほか " + std::to_string(n - 2) + " 件"), kWeekdayText});
        EXPECT_EQ(VisibleCellLines(lines, 3), want) << n;
    }
}

// The marks of a wall calendar: the moon's principal phases on their days
// (June 2024: new moon on the 6th 21:38 JST, first quarter on the 14th,
// full moon on the 22nd, last quarter on the 29th) and the close-call mark
// on the days that hang on 立春 2021 (節分 and the 立春 note would move).
TEST_F(PrintLayoutTest, MoonPhasesAndCloseCallMarks) {
    LoadNoteLines("節分 Deg-45-1\n立春 Deg-45\n");
    struct Case { PrintMonth month; int day; int phase; bool closeCall; };
    const Case cases[] = {
        {{2024, 6}, 6, kNewMoonPhase, false}, {{2024, 6}, 14, kFirstQuarterPhase, false},
        {{2024, 6}, 22, kFullMoonPhase, false}, {{2024, 6}, 29, kLastQuarterPhase, false},
        {{2024, 6}, 7, kNoPhase, false}, {{2021, 2}, 2, kNoPhase, true}, {{2021, 2}, 3, kNoPhase, true},
        {{2021, 2}, 4, kNoPhase, true}, {{2021, 2}, 1, kNoPhase, false}, {{2021, 2}, 6, kNoPhase, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.month.year << "-" << c.month.month << "-" << c.day);
        const PrintPage page = BuildPrintPages(*rec_, c.month, c.month, AlmanacMode::Standard).at(0);
        const PrintCell& cell = page.cells[Weekday(c.month.year, c.month.month, 1) + c.day - 1];
        ASSERT_EQ(cell.day, c.day);
        EXPECT_EQ(cell.moonPhase, c.phase);
        EXPECT_EQ(cell.closeCall, c.closeCall);
    }
}

// Every month of 1600-2999 takes the rows its days need: 4 only for a
// February of 28 days from a Sunday, 6 when the 31st or 30th spills over.
TEST(PrintRows, EveryMonthOf1600To2999) {
    for (int y = 1600; y <= 2999; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const int rows = PrintRowsOfMonth({y, m});
            const int used = Weekday(y, m, 1) + DaysInMonth(y, m);
            ASSERT_TRUE(rows * 7 >= used && (rows - 1) * 7 < used) << y << "-" << m;
            ASSERT_EQ(rows == 4, m == 2 && Weekday(y, m, 1) == 0 && DaysInMonth(y, m) == 28) << y << "-" << m;
        }
    }
}

// On the three papers (printable areas inside 10 mm margins) and with 4, 5
// and 6 rows and 1-3 footer lines every box lies on the page and apart
// from the others, each cell's texts stand in their cell one under the
// other, the marks apart from each other, the day number is a fifth of
// the cell under a footer of one line and as large under more (in A4
// portrait at least 24 pt), and a cell holds at least a busy day's lines. February 2024 (5 rows) fills the page: its
// last row starts below 70 % of the A4 paper's height.
TEST(PrintGeometry, BoxesStayInsideAndApartOnEveryPaper) {
    constexpr double e = 1e-9;  // rounding of the sums
    auto inside = [](const PrintRect& a, const PrintRect& b) {
        return a.x >= b.x - e && a.y >= b.y - e && a.x + a.w <= b.x + b.w + e && a.y + a.h <= b.y + b.h + e;
    };
    auto apart = [](const PrintRect& a, const PrintRect& b) {
        return a.x + a.w <= b.x + e || b.x + b.w <= a.x + e || a.y + a.h <= b.y + e || b.y + b.h <= a.y + e;
    };
    struct Paper { const char* name; double w, h; int minLines; };
    const Paper papers[] = {{"A4 portrait", 538.6, 785.2, 7}, {"A4 landscape", 785.2, 538.6, 4}, {"Letter", 555.3, 735.3, 7}};
    constexpr double kMarginPt = 10 / 25.4 * 72;
    const PrintGeometry february = LayoutPrintPage(538.6, 785.2, PrintRowsOfMonth({2024, 2}));
    EXPECT_GE((february.cells[4 * kGridColumns].y + kMarginPt) / (785.2 + 2 * kMarginPt), 0.70);
    for (const Paper& p : papers) {
      for (int rows = 4; rows <= 6; ++rows) {
        SCOPED_TRACE(testing::Message() << p.name << ", " << rows << " rows");
        const PrintGeometry g = LayoutPrintPage(p.w, p.h, rows, rows - 3);  // 1-3 footer lines
        EXPECT_GE(g.linesPerCell, p.minLines);
        const PrintGeometry oneLineFooter = LayoutPrintPage(p.w, p.h, rows);
        EXPECT_NEAR(oneLineFooter.dayPt, std::min(oneLineFooter.cells[0].h / 5, kPrintDayMaxPt), 1e-9);
        EXPECT_NEAR(g.dayPt, oneLineFooter.dayPt, 1e-9) << "the same numbers whatever the footer holds";
        EXPECT_TRUE(p.w > p.h || g.dayPt >= 24 || std::string(p.name) != "A4 portrait") << g.dayPt;
        EXPECT_GE(kPrintLunarPt, 9.0);
        EXPECT_NEAR(g.cells[rows * kGridColumns - 1].y + g.cells[0].h, g.footer.y - 6, 1e-9) << "fills the page";
        for (int line = 0; line < g.footerLines; ++line) EXPECT_TRUE(inside(FooterLineRect(g, line), g.footer)) << line;
        std::vector<PrintRect> boxes = {g.heading, g.monthSign, g.footer};
        boxes.insert(boxes.end(), g.weekdays.begin(), g.weekdays.end());
        boxes.insert(boxes.end(), g.cells.begin(), g.cells.begin() + rows * kGridColumns);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_TRUE(inside(boxes[i], {0, 0, p.w, p.h})) << i;
            for (std::size_t j = i + 1; j < boxes.size(); ++j) EXPECT_TRUE(apart(boxes[i], boxes[j])) << i << " " << j;
        }
        for (int k = 0; k < rows * kGridColumns; ++k) {
            EXPECT_TRUE(inside(CellMoonRect(g, k), CellDayRect(g, k)) && inside(CellCloseCallRect(g, k), CellDayRect(g, k)));
            EXPECT_TRUE(apart(CellMoonRect(g, k), CellCloseCallRect(g, k)));
            for (const bool closeCall : {false, true}) {
                const PrintRect eclipse = CellEclipseRect(g, k, closeCall);
                EXPECT_TRUE(inside(eclipse, CellDayRect(g, k)) && apart(eclipse, CellMoonRect(g, k)));
                EXPECT_TRUE(!closeCall || apart(eclipse, CellCloseCallRect(g, k)));
            }
            std::vector<PrintRect> texts = {CellDayRect(g, k), CellLunarRect(g, k)};
            for (int line = 0; line < g.linesPerCell; ++line) texts.push_back(CellLineRect(g, k, line));
            for (std::size_t i = 0; i < texts.size(); ++i) {
                EXPECT_TRUE(inside(texts[i], g.cells[k])) << k << " " << i;
                EXPECT_TRUE(i == 0 || texts[i - 1].y + texts[i - 1].h <= texts[i].y + e) << k << " " << i;
            }
        }
      }
    }
}

}  // namespace
}  // namespace kalendo
