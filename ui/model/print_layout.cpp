#include "ui/model/print_layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"
#include "month/close_calls.h"
#include "ui/model/ics_events.h"
#include "ui/model/lists.h"
#include "ui/model/lunisolar_days.h"
#include "ui/model/model_texts.h"
#include "ui/model/print_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

// Months counted from year 0, so that a range is a difference.
int MonthOrdinal(PrintMonth m) { return m.year * kMonthsPerYear + (m.month - 1); }

PrintMonth MonthOfOrdinal(int ordinal) {
    return {ordinal / kMonthsPerYear, ordinal % kMonthsPerYear + 1};
}

bool MonthAccepted(PrintMonth m) {
    return m.year >= kFirstComputedYear && m.year <= kLastComputedYear && m.month >= 1 &&
           m.month <= kMonthsPerYear;
}

// The event list's row kind of an event, for its colour.
int RowKindOf(IcsKind kind) {
    switch (kind) {
        case IcsKind::Holiday: return kHolidayRow;
        case IcsKind::GeneratedHoliday: return kGeneratedHolidayRow;
        case IcsKind::Note: return kNoteRow;
        case IcsKind::UserEvent: return kUserEventRow;
        default: return kScheduleRow;
    }
}

// The day's entries and lunisolar line; the record is left computed for
// that day.
void FillCell(MonthRecord& rec, CalendarDate date, AlmanacMode almanac, PrintCell& cell) {
    VisitIcsEvents(rec, date, date, IcsInclude{}, almanac, [&](const IcsEvent& e) {
        cell.lines.push_back({e.name, RowTextColour(RowKindOf(e.kind)).value_or(kWeekdayText)});
        return true;
    });
    cell.day = date.day;
    cell.dayText = FormatText("%d", date.day);
    const int lunarMonth = rec.lunarMonth;
    const LunisolarDay lunar{std::abs(lunarMonth), lunarMonth < 0, rec.lunarDay, RokuyoIndex(rec)};
    // The 1st names the lunar month, so every page says which it is.
    const std::string lunarText = LunarCellText(lunar, date.day == 1);
    cell.rokuyoText = RokuyoName(lunar.rokuyo);
    const std::size_t rokuyoAt = lunarText.rfind(cell.rokuyoText);
    cell.lunarDayText = lunarText.substr(0, rokuyoAt - std::strlen(kGridLunarRokuyoSeparator));
    cell.moonPhase = AstronomyOf(almanac).moonPhaseOfDay(date.year, date.month, date.day);
    // Computed whole only on the few days whose reading could change.
    cell.closeCall = !CloseCallsOfTarget(rec).empty();
}

PrintPage BuildPage(MonthRecord& rec, PrintMonth month, AlmanacMode almanac, WeekStart start) {
    PrintPage page;
    page.month = month;
    page.weekStart = start;
    const int firstCell = LeadingDays(Weekday(month.year, month.month, 1), start);
    const int days = DaysInMonth(month.year, month.month);
    page.rows = PrintRowsOfMonth(month);
    for (int d = 1; d <= days; ++d) {
        FillCell(rec, {month.year, month.month, d}, almanac, page.cells[firstCell + d - 1]);
        if (d == 1) {
            page.heading = FormatText(kPrintHeadingFormat, month.year, rec.currentEraName, rec.eraYear,
                                      month.month);
        }
    }
    // The numbers in the grid's colours (red holidays and Sundays, blue
    // Saturdays), from the month the record now shows; the grid places the
    // days as the page does.
    const MonthGrid grid = FillMonthGrid(rec, start);
    for (int k = 0; k < kGridCells; ++k) {
        if (grid[k].day > 0) page.cells[k].dayColour = grid[k].fg;
    }
    page.monthSign = FormatText(kPrintMonthSignFormat, StemName(MonthStemIndex(month.year, month.month)),
                                BranchName(MonthBranchIndex(month.month)));
    page.footer = almanac == AlmanacMode::Precise ? kPrintFooterPrecise : kPrintFooterStandard;
    return page;
}

// Space around a cell's texts, points.
constexpr double kCellPaddingPt = 3;
// Between the heading and the weekdays, and between the grid and the footer.
constexpr double kBandGapPt = 6;
// The weekday band: its text and a little air above and below.
constexpr double kWeekdayBandPt = kPrintWeekdayPt * kPrintLineSpacing + 4;
// The heading takes this share of the width; the month's sign the rest.
constexpr double kHeadingShare = 0.7;

double LineHeight(double emPt) { return emPt * kPrintLineSpacing; }
// Digits have no descenders: the day number's line needs less air.
constexpr double kDaySpacing = 1.1;
double DayLineHeight(double emPt) { return emPt * kDaySpacing; }

}  // namespace

int PrintRowsOfMonth(PrintMonth month) {
    const int used = Weekday(month.year, month.month, 1) + DaysInMonth(month.year, month.month);
    return (used + kGridColumns - 1) / kGridColumns;
}

bool PrintRangeAccepted(PrintMonth first, PrintMonth last) {
    return MonthAccepted(first) && MonthAccepted(last) && MonthOrdinal(first) <= MonthOrdinal(last);
}

int PrintPageCount(PrintMonth first, PrintMonth last) {
    return MonthOrdinal(last) - MonthOrdinal(first) + 1;
}

std::vector<PrintPage> BuildPrintPages(MonthRecord& rec, PrintMonth first, PrintMonth last,
                                       AlmanacMode almanac, WeekStart start) {
    std::vector<PrintPage> pages;
    if (!PrintRangeAccepted(first, last)) return pages;
    pages.reserve(static_cast<std::size_t>(PrintPageCount(first, last)));
    VisitPrintPages(rec, first, last, almanac, start, [&pages](const PrintPage& page) {
        pages.push_back(page);
        return true;
    });
    return pages;
}

bool VisitPrintPages(MonthRecord& rec, PrintMonth first, PrintMonth last, AlmanacMode almanac,
                     WeekStart start, const std::function<bool(const PrintPage&)>& visit) {
    if (!PrintRangeAccepted(first, last)) return true;
    for (int k = MonthOrdinal(first); k <= MonthOrdinal(last); ++k) {
        if (!visit(BuildPage(rec, MonthOfOrdinal(k), almanac, start))) return false;
    }
    return true;
}

std::vector<PrintPage> BuildPrintPagesKeepingDay(MonthRecord& rec, PrintMonth first, PrintMonth last,
                                                 MonthOptions shown, WeekStart start) {
    const CalendarDate day = TargetDate(rec);
    std::vector<PrintPage> pages = BuildPrintPages(rec, first, last, shown.almanac, start);
    // The window accepted this day before, so it is accepted again.
    ComputeMonth(rec, day.year, day.month, day.day, shown);
    return pages;
}

std::vector<PrintEntry> VisibleCellLines(const std::vector<PrintEntry>& lines, int capacity) {
    if (static_cast<int>(lines.size()) <= capacity) return lines;
    std::vector<PrintEntry> shown(lines.begin(), lines.begin() + (capacity - 1));
    const int rest = static_cast<int>(lines.size()) - (capacity - 1);
    shown.push_back({FormatText(kPrintMoreLinesFormat, rest), kWeekdayText});
    return shown;
}

PrintGeometry LayoutPrintPage(double widthPt, double heightPt, int rows) {
    PrintGeometry g;
    const double headingH = LineHeight(kPrintHeadingPt);
    g.heading = {0, 0, widthPt * kHeadingShare, headingH};
    g.monthSign = {widthPt * kHeadingShare, 0, widthPt * (1 - kHeadingShare), headingH};
    const double footerH = LineHeight(kPrintFooterPt);
    g.footer = {0, heightPt - footerH, widthPt, footerH};

    const double cellW = widthPt / kGridColumns;
    const double weekdayY = headingH + kBandGapPt;
    for (int c = 0; c < kGridColumns; ++c) g.weekdays[c] = {c * cellW, weekdayY, cellW, kWeekdayBandPt};
    const double gridY = weekdayY + kWeekdayBandPt;
    g.rows = rows;
    const double cellH = (g.footer.y - kBandGapPt - gridY) / rows;
    for (int k = 0; k < rows * kGridColumns; ++k) {
        g.cells[k] = {(k % kGridColumns) * cellW, gridY + (k / kGridColumns) * cellH, cellW, cellH};
    }
    g.cellPaddingPt = kCellPaddingPt;
    g.dayPt = std::min(kPrintDayMaxPt, cellH * kPrintDayShareOfCell);
    const double linesH = cellH - 2 * kCellPaddingPt - DayLineHeight(g.dayPt) - LineHeight(kPrintLunarPt);
    g.linesPerCell = std::max(0, static_cast<int>(std::floor(linesH / LineHeight(kPrintLinePt))));
    return g;
}

PrintRect CellDayRect(const PrintGeometry& g, int k) {
    const PrintRect& c = g.cells[k];
    const double pad = g.cellPaddingPt;
    return {c.x + pad, c.y + pad, c.w - 2 * pad, DayLineHeight(g.dayPt)};
}

PrintRect CellCloseCallRect(const PrintGeometry& g, int k) {
    const PrintRect day = CellDayRect(g, k);
    const double side = LineHeight(kPrintLunarPt);
    return {day.x + day.w - side, day.y, side, side};
}

PrintRect CellMoonRect(const PrintGeometry& g, int k) {
    const PrintRect mark = CellCloseCallRect(g, k);
    return {mark.x - mark.w - kCellPaddingPt, mark.y, mark.w, mark.h};
}

PrintRect CellLunarRect(const PrintGeometry& g, int k) {
    const PrintRect day = CellDayRect(g, k);
    return {day.x, day.y + day.h, day.w, LineHeight(kPrintLunarPt)};
}

PrintRect CellLineRect(const PrintGeometry& g, int k, int line) {
    const PrintRect lunar = CellLunarRect(g, k);
    const double h = LineHeight(kPrintLinePt);
    return {lunar.x, lunar.y + lunar.h + line * h, lunar.w, h};
}

}  // namespace kalendo
