#include "ui/model/view_layout.h"

#include <algorithm>
#include <tuple>

#include "almanac/sign_names.h"
#include "ui/model/day_lines.h"
#include "ui/model/day_texts.h"
#include "ui/model/lunisolar_days.h"
#include "ui/model/model_texts.h"
#include "ui/model/month_view.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

// Room the vertical scroll bar of a full list takes from its last column.
constexpr int kScrollBarAllowance = 17;

// What differs between the two size modes; the grid's 7 x 6 squares are
// derived from the cell size and the tops of the heading row and the grid.
struct SizeModeLayout {
    int cellSize;  // square cells and headings
    int headingTop;
    int gridTop;
    ControlRect datePane, yearSignPane, officerPane, mansionPane, oldCalendarPane, moonPane;
    ControlRect eventList, scheduleList;
    int headingFontTwips, cellFontTwips, paneFontTenths, listFontTenths;
};

constexpr SizeModeLayout kNormalLayout{
    25, 25, 50,
    {0, 0, 175, 25},   {0, 200, 175, 23},  {175, 200, 90, 23}, {265, 200, 90, 23},
    {0, 223, 175, 23}, {175, 223, 180, 23},
    {175, 0, 183, 100}, {175, 100, 183, 100},
    260, 260, 125, 100,
};

constexpr SizeModeLayout kEnlargedLayout{
    30, 25, 55,
    {0, 0, 210, 25},   {0, 235, 210, 25},  {210, 235, 95, 25}, {305, 235, 95, 25},
    {0, 260, 210, 25}, {210, 260, 190, 25},
    {210, 0, 190, 120}, {210, 120, 190, 115},
    330, 320, 140, 110,
};

void Extend(FrameSize& size, const ControlRect& r) {
    size.width = std::max(size.width, r.x + r.width);
    size.height = std::max(size.height, r.y + r.height);
}

FrameSize ContentOf(const ViewLayout& l, int viewMode) {
    FrameSize size{0, 0};
    Extend(size, l.datePane);
    for (const ControlRect& r : l.headings) Extend(size, r);
    for (const ControlRect& r : l.cells) Extend(size, r);
    if (viewMode != kViewMonthly) {
        for (const ControlRect& r : {l.yearSignPane, l.officerPane, l.mansionPane,
                                     l.oldCalendarPane, l.moonPane, l.eventList,
                                     l.scheduleList}) {
            Extend(size, r);
        }
        for (const ControlRect& r : l.dayLines) Extend(size, r);
    }
    return size;
}

static_assert(std::tuple_size_v<decltype(ViewLayout::dayLines)> == kDayLineCount);

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

}  // namespace

ViewLayout ViewLayoutFor(int sizeMode, int viewMode, const LayoutNeeds& needs) {
    const SizeModeLayout& t = sizeMode == 1 ? kEnlargedLayout : kNormalLayout;
    const bool full = viewMode != kViewMonthly;
    ViewLayout l{};

    // The left column: the date pane, the headings, the grid and the two
    // left panes, all as wide as the seven columns.
    const int week = std::max(needs.weekColumnWidth, 0);
    int leftWidth = std::max({week + kGridColumns * std::max({t.cellSize, needs.cellWidth,
                                                             needs.headingWidth}),
                              t.datePane.width, needs.datePaneWidth});
    if (full) leftWidth = std::max({leftWidth, needs.yearSignWidth, needs.oldCalendarWidth});
    else leftWidth = std::max(leftWidth, needs.barsWidth);
    const int cellWidth = CeilDiv(leftWidth - week, kGridColumns);
    leftWidth = week + cellWidth * kGridColumns;
    const int cellHeight = std::max(t.cellSize, needs.cellHeight);
    const int headingHeight = std::max(t.gridTop - t.headingTop, needs.headingHeight);
    const int headingTop = std::max(t.headingTop, needs.paneHeight);
    const int gridTop = headingTop + headingHeight;
    const int gridBottom = gridTop + kGridRows * cellHeight;

    l.datePane = ControlRect{0, 0, leftWidth, headingTop};
    for (int c = 0; c < kGridColumns; ++c) {
        l.headings[c] = ControlRect{week + cellWidth * c, headingTop, cellWidth, headingHeight};
    }
    for (int k = 0; k < kGridCells; ++k) {
        const int row = k / kGridColumns, column = k % kGridColumns;
        l.cells[k] = ControlRect{week + cellWidth * column, gridTop + cellHeight * row, cellWidth,
                                 cellHeight};
    }
    l.weekHeading = ControlRect{0, headingTop, week, headingHeight};
    for (int row = 0; row < kGridRows; ++row) {
        l.weekNumbers[row] = ControlRect{0, gridTop + cellHeight * row, week, cellHeight};
    }

    // The rows of panes below the grid and the right column beside it. The
    // normal table leaves the lists 3 pixels wider than the panes below
    // them; that stays as the column grows.
    const int paneHeight = std::max(t.yearSignPane.height, needs.paneHeight);
    const int firstRow = gridBottom, secondRow = gridBottom + paneHeight;
    const int slack = t.eventList.width - t.moonPane.width;
    int officerWidth = std::max(t.officerPane.width, needs.officerWidth);
    int mansionWidth = std::max(t.mansionPane.width, needs.mansionWidth);
    const int panesWidth =
        std::max(officerWidth + mansionWidth, std::max(t.moonPane.width, needs.moonWidth));
    const int rightWidth = std::max({t.eventList.width, panesWidth + slack, needs.dayLineWidth,
                                     full ? needs.barsWidth - leftWidth : 0});
    const int extra = rightWidth - slack - (officerWidth + mansionWidth);
    officerWidth += extra / 2;
    mansionWidth += extra - extra / 2;
    l.yearSignPane = ControlRect{0, firstRow, leftWidth, paneHeight};
    l.oldCalendarPane = ControlRect{0, secondRow, leftWidth, paneHeight};
    l.officerPane = ControlRect{leftWidth, firstRow, officerWidth, paneHeight};
    l.mansionPane = ControlRect{leftWidth + officerWidth, firstRow, mansionWidth, paneHeight};
    l.moonPane = ControlRect{leftWidth, secondRow, rightWidth - slack, paneHeight};
    // The day's lines take the foot of the right column from the lists,
    // which share the rest: the frame keeps its size.
    const int linesTop = gridBottom - kDayLineCount * paneHeight;
    const int eventHeight = linesTop / 2;
    l.eventList = ControlRect{leftWidth, 0, rightWidth, eventHeight};
    l.scheduleList = ControlRect{leftWidth, eventHeight, rightWidth, linesTop - eventHeight};
    for (int i = 0; i < kDayLineCount; ++i) {
        l.dayLines[static_cast<std::size_t>(i)] =
            ControlRect{leftWidth, linesTop + i * paneHeight, rightWidth, paneHeight};
    }

    l.headingFontTwips = t.headingFontTwips;
    l.cellFontTwips = t.cellFontTwips;
    l.paneFontTenths = t.paneFontTenths;
    l.listFontTenths = t.listFontTenths;
    const FrameSize frame = FrameSizeFor(sizeMode, viewMode);
    const FrameSize content = ContentOf(l, viewMode);
    l.logicalWidth = std::max(frame.width, content.width);
    l.logicalHeight = std::max(frame.height, content.height);
    return l;
}

FrameSize ViewContentSize(int sizeMode, int viewMode, const LayoutNeeds& needs) {
    return ContentOf(ViewLayoutFor(sizeMode, viewMode, needs), viewMode);
}

const SizingTexts& WidestTexts() {
    static const SizingTexts texts = [] {
        SizingTexts t;
        // "令和" in CP932: the era names of the years shown are two
        // characters; a longer one is drawn smaller by the pane itself.
        constexpr char kTwoCharacterEra[] = "\x97\xdf\x98\x61";
        constexpr int kLongestMonth = 12, kLongestDay = 30, kLongestEraYear = 30;
        constexpr double kLongestMoonAge = 29.9;
        constexpr int kMoonAgeDigits = 2;  // the pane's "%2d.%d" of the age
        t.datePane.push_back(FormatText(kDatePaneFormat, 2024, kTwoCharacterEra,
                                        kLongestEraYear, kLongestMonth, kLongestDay));
        for (int m = 1; m <= kMonthNameCount; ++m) {
            t.yearSign.push_back(FormatText(kYearSignPaneFormat, StemName(0), BranchName(0),
                                            MonthName(m)));
        }
        for (int k = 0; k < kRokuyoNameCount; ++k) {
            t.oldCalendar.push_back(FormatText(kOldCalendarLeapPaneFormat, kLongestMonth,
                                               kLongestDay, RokuyoName(k)));
            t.lunarLine.push_back(
                LunarCellText(LunisolarDay{{kLongestMonth, true, kLongestDay}, k}, true));
        }
        for (int k = 0; k < kOfficerNameCount; ++k) t.officer.push_back(OfficerName(k));
        for (int k = 0; k < kMansionNameCount; ++k) t.mansion.push_back(MansionName(k));
        const std::string age =
            std::string(kMoonPanePrefix) + FixedOneDecimal(kLongestMoonAge, kMoonAgeDigits);
        t.moon.push_back(age);
        for (const char* mark : kPanePhaseMarks) t.moon.push_back(age + mark);
        t.dayLines = DayLineSizingTexts();
        return t;
    }();
    return texts;
}

int EventListColumnWidth(int clientWidth) { return clientWidth - kScrollBarAllowance; }

int ScheduleListDayColumnWidth(int clientWidth) { return clientWidth / 5; }

int ScheduleListTextColumnWidth(int clientWidth) {
    return 4 * clientWidth / 5 - kScrollBarAllowance;
}

}  // namespace kalendo
