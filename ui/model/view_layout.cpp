#include "ui/model/view_layout.h"

#include <algorithm>

#include "ui/model/frame.h"
#include "ui/model/month_view.h"

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

}  // namespace

ViewLayout ViewLayoutFor(int sizeMode, int viewMode) {
    const SizeModeLayout& t = sizeMode == 1 ? kEnlargedLayout : kNormalLayout;
    ViewLayout l{};
    for (int c = 0; c < kGridColumns; ++c) {
        l.headings[c] = ControlRect{t.cellSize * c, t.headingTop, t.cellSize, t.cellSize};
    }
    for (int k = 0; k < kGridCells; ++k) {
        const int row = k / kGridColumns, column = k % kGridColumns;
        l.cells[k] = ControlRect{t.cellSize * column, t.gridTop + t.cellSize * row, t.cellSize,
                                 t.cellSize};
    }
    l.datePane = t.datePane;
    l.yearSignPane = t.yearSignPane;
    l.officerPane = t.officerPane;
    l.mansionPane = t.mansionPane;
    l.oldCalendarPane = t.oldCalendarPane;
    l.moonPane = t.moonPane;
    l.eventList = t.eventList;
    l.scheduleList = t.scheduleList;
    l.headingFontTwips = t.headingFontTwips;
    l.cellFontTwips = t.cellFontTwips;
    l.paneFontTenths = t.paneFontTenths;
    l.listFontTenths = t.listFontTenths;
    const FrameSize frame = FrameSizeFor(sizeMode, viewMode);
    l.logicalWidth = frame.width;
    l.logicalHeight = frame.height;
    return l;
}

FrameSize ViewContentSize(int sizeMode, int viewMode) {
    const ViewLayout l = ViewLayoutFor(sizeMode, viewMode);
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
    }
    return size;
}

int EventListColumnWidth(int clientWidth) { return clientWidth - kScrollBarAllowance; }

int ScheduleListDayColumnWidth(int clientWidth) { return clientWidth / 5; }

int ScheduleListTextColumnWidth(int clientWidth) {
    return 4 * clientWidth / 5 - kScrollBarAllowance;
}

}  // namespace kalendo
