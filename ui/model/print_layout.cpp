#include "ui/model/print_layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "almanac/sign_names.h"
#include "almanac/signs.h"
#include "astro/astronomy.h"
#include "astro/ephemeris.h"
#include "core/calendar_constants.h"
#include "core/day_arith.h"
#include "month/read_day.h"
#include "ui/model/eclipse_texts.h"
#include "ui/model/eclipse_words.h"
#include "ui/model/day_entries.h"
#include "ui/model/lunisolar_days.h"
#include "ui/model/model_texts.h"
#include "ui/model/print_texts.h"
#include "ui/model/rekichu_notes.h"
#include "ui/model/sky_texts.h"
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

// The day's entries and lunisolar line, the day read on the tables of `rec`.
void FillCell(const MonthRecord& rec, DayReader& reader, CalendarDate date, AlmanacMode almanac,
              const PrintSettings& settings, PrintCell& cell) {
    // Every day as the full display computes it (as the iCalendar export
    // does), whatever the window shows.
    DayQuestions questions;
    questions.closeCalls = true;
    questions.lowerRegister = settings.rekichuPicks != 0;
    questions.readings = settings.readings;
    const std::optional<DayOfAlmanac> day = reader.Read(date, MonthOptions{almanac, kViewFull}, questions);
    if (!day) return;  // not within the accepted months
    std::vector<std::string> notes;
    for (DayEntry& e : EntriesOnDay(rec, day->entries)) {
        const ColourRole role = RowTextRole(e.kind).value_or(ColourRole::WeekdayText);
        if (e.kind == kNoteRow) notes.push_back(e.text);
        cell.lines.push_back({std::move(e.text), SchemeColour(role, ColourScheme::Light)});
    }
    if (settings.rekichuPicks != 0) {
        const Rgb noteColour = SchemeColour(RowTextRole(kNoteRow).value_or(ColourRole::WeekdayText), ColourScheme::Light);
        const RekichuSet picked = day->reading.rekichu & settings.rekichuPicks;
        const RekichuSet shown = RekichuNotInNotes(picked, notes);
        for (int k = 0; k < kRekichuCount; ++k) {
            if (Contains(shown, static_cast<RekichuName>(k))) cell.lines.push_back({RekichuNameText(k), noteColour});
        }
    }
    cell.day = date.day;
    cell.dayText = FormatText("%d", date.day);
    const LunisolarDay lunar{day->reading.lunisolar(), day->reading.rokuyo};
    // The 1st names the lunar month, so every page says which it is.
    const std::string lunarText = LunarCellText(lunar, date.day == 1);
    cell.rokuyoText = RokuyoName(lunar.rokuyo);
    const std::size_t rokuyoAt = lunarText.rfind(cell.rokuyoText);
    cell.lunarDayText = lunarText.substr(0, rokuyoAt - std::strlen(kGridLunarRokuyoSeparator));
    cell.moonPhase = AstronomyOf(almanac).moonPhaseOfDay(date.year, date.month, date.day);
    // Computed whole only on the few days whose reading could change.
    cell.closeCall = !day->closeCalls.empty();
}

// The footer's line of an eclipse (PrintPage::footerEclipses).
std::string EclipseFooterText(const Eclipse& e) {
    struct Seen {
        double jdUt;
        std::string_view name;
    };
    std::vector<Seen> seen;
    for (int i = 0; i < e.contactCount; ++i) {
        const EclipseContact& c = e.contacts[i];
        // The penumbra dims the moon too little to see while the umbra is to come.
        const bool penumbral = c.name == ContactName::kPenumbralBegin || c.name == ContactName::kPenumbralEnd;
        if (c.up && (!penumbral || e.type == EclipseType::kPenumbral)) seen.push_back({c.jdUt, ContactNameText(c.name)});
    }
    if (e.rise.happens) seen.push_back({e.rise.jdUt, RiseEclipseText(e)});
    if (e.set.happens) seen.push_back({e.set.jdUt, SetEclipseText(e)});
    std::stable_sort(seen.begin(), seen.end(), [](const Seen& a, const Seen& b) { return a.jdUt < b.jdUt; });
    const CalendarDate day = JstDateOf(e.Maximum().jdUt);
    std::string text = FormatText(kPrintEclipseFormat, day.month, day.day, std::string(EclipseKindText(e)).c_str());
    for (const Seen& s : seen) {
        text += ' ';
        text += s.name;
        text += ' ' + SkyClockText(s.jdUt);
    }
    return text + ' ' + kEclipseMagnitudeLabel + ' ' + MagnitudeText(e.magnitude);
}

// The footer's place, sky and eclipses, and the eclipses' marks.
void FillPlace(PrintPage& page, const NamedPlace& place, int firstCell) {
    const PrintMonth month = page.month;
    page.footerSky = PrintFooterSkyText(place, month.year, month.month);
    for (const Eclipse& e : EclipsesOfMonth(month.year, month.month, place.position)) {
        page.footerEclipses.push_back(EclipseFooterText(e));
        page.cells[firstCell + JstDateOf(e.Maximum().jdUt).day - 1].eclipse = true;
    }
}

PrintPage BuildPage(const MonthRecord& rec, DayReader& reader, PrintMonth month, AlmanacMode almanac,
                   const PrintSettings& settings) {
    const WeekStart start = settings.weekStart;
    PrintPage page;
    page.month = month;
    page.weekStart = start;
    const int firstCell = LeadingDays(Weekday(month.year, month.month, 1), start);
    const int days = DaysInMonth(month.year, month.month);
    page.rows = PrintRowsOfMonth(month);
    for (int d = 1; d <= days; ++d) {
        FillCell(rec, reader, {month.year, month.month, d}, almanac, settings, page.cells[firstCell + d - 1]);
        if (d == 1) {
            const MonthRecord& first = reader.LastRead();
            page.heading = FormatText(kPrintHeadingFormat, month.year, first.currentEraName, first.eraYear,
                                      month.month);
        }
    }
    // The numbers in the grid's colours (red holidays and Sundays, blue
    // Saturdays), from the month the reader's record now shows; the grid
    // places the days as the page does. Paper is light whatever the window's set.
    const MonthGrid grid = FillMonthGrid(reader.LastRead(), start);
    for (int k = 0; k < kGridCells; ++k) {
        if (grid[k].day > 0) page.cells[k].dayColour = SchemeColour(grid[k].ink, ColourScheme::Light);
    }
    page.monthSign = FormatText(kPrintMonthSignFormat, StemName(MonthStemIndex(month.year, month.month)),
                                BranchName(MonthBranchIndex(month.month)));
    page.footer = almanac == AlmanacMode::Precise ? kPrintFooterPrecise : kPrintFooterStandard;
    if (settings.place) FillPlace(page, *settings.place, firstCell);
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

PrintSettings PrintSettingsOf(const AppSettings& s) {
    return {s.weekStart, s.rekichuReadings, s.rekichuPicks, SettingsPlace(s)};
}

std::vector<PrintPage> BuildPrintPages(const MonthRecord& rec, PrintMonth first, PrintMonth last,
                                       AlmanacMode almanac, const PrintSettings& settings) {
    std::vector<PrintPage> pages;
    if (!PrintRangeAccepted(first, last)) return pages;
    pages.reserve(static_cast<std::size_t>(PrintPageCount(first, last)));
    VisitPrintPages(rec, first, last, almanac, settings, [&pages](const PrintPage& page) {
        pages.push_back(page);
        return true;
    });
    return pages;
}

bool VisitPrintPages(const MonthRecord& rec, PrintMonth first, PrintMonth last, AlmanacMode almanac,
                     const PrintSettings& settings, const std::function<bool(const PrintPage&)>& visit) {
    if (!PrintRangeAccepted(first, last)) return true;
    // The days are read on a record of the reader's own: the window's day
    // stays as it is.
    const auto reader = std::make_unique<DayReader>(rec);
    for (int k = MonthOrdinal(first); k <= MonthOrdinal(last); ++k) {
        if (!visit(BuildPage(rec, *reader, MonthOfOrdinal(k), almanac, settings))) return false;
    }
    return true;
}

std::vector<PrintEntry> VisibleCellLines(const std::vector<PrintEntry>& lines, int capacity) {
    if (static_cast<int>(lines.size()) <= capacity) return lines;
    std::vector<PrintEntry> shown(lines.begin(), lines.begin() + (capacity - 1));
    const int rest = static_cast<int>(lines.size()) - (capacity - 1);
    shown.push_back({FormatText(kPrintMoreLinesFormat, rest), kWeekdayText});
    return shown;
}

int PrintFooterLineCount(const PrintPage& page) { return 1 + static_cast<int>(page.footerEclipses.size()); }

PrintGeometry LayoutPrintPage(double widthPt, double heightPt, int rows, int footerLines) {
    PrintGeometry g;
    const double headingH = LineHeight(kPrintHeadingPt);
    g.heading = {0, 0, widthPt * kHeadingShare, headingH};
    g.monthSign = {widthPt * kHeadingShare, 0, widthPt * (1 - kHeadingShare), headingH};
    const double footerH = LineHeight(kPrintFooterPt) * footerLines;
    g.footer = {0, heightPt - footerH, widthPt, footerH};
    g.footerLines = footerLines;

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
    // The day number is sized as under a footer of one line, so that the
    // numbers of pages with the same rows match whatever their footers
    // hold; an eclipse's line takes its height from the entries' lines.
    const double oneLineFooterCellH = cellH + (footerLines - 1) * LineHeight(kPrintFooterPt) / rows;
    g.dayPt = std::min(kPrintDayMaxPt, oneLineFooterCellH * kPrintDayShareOfCell);
    const double linesH = cellH - 2 * kCellPaddingPt - DayLineHeight(g.dayPt) - LineHeight(kPrintLunarPt);
    g.linesPerCell = std::max(0, static_cast<int>(std::floor(linesH / LineHeight(kPrintLinePt))));
    return g;
}

PrintRect CellDayRect(const PrintGeometry& g, int k) {
    const PrintRect& c = g.cells[k];
    const double pad = g.cellPaddingPt;
    return {c.x + pad, c.y + pad, c.w - 2 * pad, DayLineHeight(g.dayPt)};
}

PrintRect CellMarkRect(const PrintGeometry& g, int k, int slot) {
    const PrintRect day = CellDayRect(g, k);
    const double side = LineHeight(kPrintLunarPt);
    return {day.x + day.w - side - slot * (side + kCellPaddingPt), day.y, side, side};
}

PrintRect CellCloseCallRect(const PrintGeometry& g, int k) { return CellMarkRect(g, k, 0); }
PrintRect CellMoonRect(const PrintGeometry& g, int k) { return CellMarkRect(g, k, 1); }
PrintRect CellEclipseRect(const PrintGeometry& g, int k, bool closeCall) {
    return CellMarkRect(g, k, closeCall ? 2 : 0);
}

PrintRect FooterLineRect(const PrintGeometry& g, int line) {
    const double h = LineHeight(kPrintFooterPt);
    return {g.footer.x, g.footer.y + line * h, g.footer.w, h};
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
