// The printed month: one page per month, a wall calendar's grid of as many
// week rows as the month needs (4-6), filling the page. What each cell
// holds (the day number in the grid's colours, the lunisolar day and the
// 六曜, the moon's principal phase, the close-call mark, the holiday, the
// calendar notes, the user's events and the day's schedules) and where
// every text stands on the page are decided here; the Qt painter only
// draws them, with each text cut to its box with an ellipsis. No toolkit
// here. The picked notes of the lower register stand among a cell's lines,
// and the footer gives the sunrise and sunset and the eclipses of the
// place the settings name.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "almanac/rekichu.h"
#include "astro/places.h"
#include "core/almanac_mode.h"
#include "core/month_record.h"
#include "month/compute_month.h"
#include "ui/model/month_view.h"
#include "ui/model/settings.h"

namespace kalendo {

// A month of the Gregorian calendar, as the range dialog and the command
// line give it.
struct PrintMonth {
    int year = 0;
    int month = 0;  // 1-12
    friend bool operator==(const PrintMonth&, const PrintMonth&) = default;
};

// Both months lie in the years the almanac computes, month 1-12, and first
// is not after last.
bool PrintRangeAccepted(PrintMonth first, PrintMonth last);

// The pages of an accepted range: 12 for a year.
int PrintPageCount(PrintMonth first, PrintMonth last);

// One entry of a cell, CP932, in the event list's colour of its kind.
struct PrintEntry {
    std::string text;
    Rgb colour;
    friend bool operator==(const PrintEntry&, const PrintEntry&) = default;
};

struct PrintCell {
    int day = 0;  // 1-31; 0: the cell lies outside the month and stays blank
    std::string dayText;    // "%d"
    Rgb dayColour{};        // red Sundays and holidays, blue Saturdays, as the window's light grid
    // LunarCellText cut in two: the lunisolar day ("25", the month too on
    // the 1st of the Gregorian month and of a lunar month: "4/1") and the
    // 六曜, printed as a word of its own.
    std::string lunarDayText;
    std::string rokuyoText;
    int moonPhase = -1;      // kNewMoonPhase ... kLastQuarterPhase on its day, else kNoPhase
    bool closeCall = false;  // the day hangs on a close call (month/close_calls.h)
    bool eclipse = false;    // the maximum of an eclipse seen from the place falls on it
    // The holiday or else the generated holiday, then the calendar notes,
    // the user's events and the schedules of the day, each table in index
    // order (what the event list shows for that day), then the picked notes
    // of the lower register a calendar note does not already say, one a
    // line in the fixed order, in the notes' colour.
    std::vector<PrintEntry> lines;
    friend bool operator==(const PrintCell&, const PrintCell&) = default;
};

struct PrintPage {
    PrintMonth month;
    std::string heading;    // "2024年（令和6年）5月": the era of the month's 1st
    std::string monthSign;  // "己巳の月"
    std::string footer;     // the almanac mode
    // With a place: its name and the sunrise and sunset of the 1st and the
    // 15th (PrintFooterSkyText), and a line for each eclipse seen from it
    // whose maximum falls in the month: "11月8日 皆既月食 部分食の始め 18:09
    // … 食分 1.359", the contacts seen (those below the horizon left out,
    // and the penumbral ones of an eclipse that reaches the umbra) and a
    // rise or set within it, in time order, H:MM.
    std::string footerSky;
    std::vector<std::string> footerEclipses;
    int rows = kGridRows;   // the week rows the month needs, 4-6
    std::array<PrintCell, kGridCells> cells;  // row-major, column 0 = the week's first day; rows * 7 used
    WeekStart weekStart = WeekStart::Sunday;  // as the window counts the week
    friend bool operator==(const PrintPage&, const PrintPage&) = default;
};

// What of the settings the pages follow. The defaults are the window's
// with a settings file of none of these lines, but without a place.
struct PrintSettings {
    WeekStart weekStart = WeekStart::Sunday;
    RekichuReadings readings{};
    RekichuSet rekichuPicks = kDefaultRekichuPicks;
    std::optional<NamedPlace> place;  // none: no sunrise, sunset or eclipse
};

// The window's: its week start, readings and picks and the place 「場所」
// names.
PrintSettings PrintSettingsOf(const AppSettings& s);

// The pages of an accepted range, one month after the other. Every day is
// read (DayReader) in `almanac` and the full display (as the iCalendar
// export reads it), so a cell shows what the window shows on that day, on
// the tables of `rec`, which is not written. Schedules are taken as the table holds them
// (the caller sweeps past ones first).
std::vector<PrintPage> BuildPrintPages(const MonthRecord& rec, PrintMonth first, PrintMonth last,
                                       AlmanacMode almanac, const PrintSettings& settings = {});

// The same pages handed over one at a time, so that a range of centuries
// never holds more than one page: `visit` takes each page in turn and
// returns false to stop (a failed write). false when it stopped.
bool VisitPrintPages(const MonthRecord& rec, PrintMonth first, PrintMonth last, AlmanacMode almanac,
                     const PrintSettings& settings, const std::function<bool(const PrintPage&)>& visit);

// The lines a cell prints when it has room for `capacity` (>= 1): all of
// them when they fit, else the first capacity - 1 and "ほか N 件" for the
// rest, in the weekday text colour.
std::vector<PrintEntry> VisibleCellLines(const std::vector<PrintEntry>& lines, int capacity);

// ---------------------------------------------------------------------------
// Where the texts stand. Lengths in points (1/72 inch), from the top left
// corner of the paper's printable area; font sizes are em heights in points.

struct PrintRect {
    double x = 0, y = 0, w = 0, h = 0;
};

// Text sizes, points. The day number grows with the cell (a fifth of its
// height, read across a room); the lunisolar day and 六曜 are read at
// arm's length; the entries are the smallest: 7.5 pt still reads on paper
// and lets a portrait cell hold six of them.
inline constexpr double kPrintHeadingPt = 20;
inline constexpr double kPrintMonthSignPt = 12;
inline constexpr double kPrintWeekdayPt = 10;
inline constexpr double kPrintDayShareOfCell = 0.2;
inline constexpr double kPrintDayMaxPt = 36;
inline constexpr double kPrintLunarPt = 9.5;
inline constexpr double kPrintLinePt = 7.5;
inline constexpr double kPrintFooterPt = 8;
// A line of text takes its em height times this: room for the descenders
// and a little air between lines.
inline constexpr double kPrintLineSpacing = 1.25;

struct PrintGeometry {
    PrintRect heading;    // left-aligned
    PrintRect monthSign;  // right-aligned, on the heading's baseline band
    std::array<PrintRect, kGridColumns> weekdays;
    std::array<PrintRect, kGridCells> cells;  // the cells' frames; rows * 7 of them used
    PrintRect footer;      // all its lines: the sky's and the mode's, then the eclipses'
    int footerLines = 1;
    int rows = kGridRows;
    double cellPaddingPt = 0;
    double dayPt = 0;      // the day number's size in this page's cells
    int linesPerCell = 0;  // the entries' lines a cell holds under its two top lines
};

// The week rows a month's grid needs: 4 (a February from a Sunday in a
// common year) to 6.
int PrintRowsOfMonth(PrintMonth month);

// The footer's lines of a page: one for the place and the almanac mode,
// and one for each eclipse.
int PrintFooterLineCount(const PrintPage& page);

// The layout of a page with `rows` week rows and `footerLines` lines of
// footer whose printable area is widthPt x heightPt (A4 portrait, A4
// landscape and Letter less their margins; precondition: at least 200 x
// 200 pt; footerLines 1-4, a month having at most three eclipses).
PrintGeometry LayoutPrintPage(double widthPt, double heightPt, int rows = kGridRows, int footerLines = 1);

// The footer's line `line` (0: the sky at the left, the almanac mode at
// the right; then an eclipse each), the footer's full width.
PrintRect FooterLineRect(const PrintGeometry& g, int line);

// Inside cell k's frame: the day number (with the moon's sign and the
// close-call mark at its right end), then the lunisolar line (the day at
// the left, the 六曜 at the right), then the entries' lines 0 ...
// linesPerCell - 1, all of the cell's inner width.
PrintRect CellDayRect(const PrintGeometry& g, int k);
PrintRect CellLunarRect(const PrintGeometry& g, int k);
PrintRect CellLineRect(const PrintGeometry& g, int k, int line);
// The marks at the right end of the day number's line, squares of the
// lunar line's height, slot 0 the rightmost: the close-call mark in slot
// 0, the moon's sign in slot 1, the eclipse's sign in slot 0 when the day
// has no close call, else in slot 2 (an eclipse's day is a new or full
// moon's, or the day next to it, so the moon's slot is seldom free).
PrintRect CellMarkRect(const PrintGeometry& g, int k, int slot);
PrintRect CellMoonRect(const PrintGeometry& g, int k);
PrintRect CellCloseCallRect(const PrintGeometry& g, int k);
PrintRect CellEclipseRect(const PrintGeometry& g, int k, bool closeCall);

}  // namespace kalendo
