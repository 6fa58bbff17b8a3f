#include "ui/model/view_layout.h"

#include "ui/model/frame.h"

namespace kalendo {
namespace {

// Room the vertical scroll bar of a full list takes from its last column.
constexpr int kScrollBarAllowance = 17;

struct GridGeometry {
    int cellSize;  // square cells and headings
    int headingTop;
    int gridTop;
};

}  // namespace

ViewLayout ViewLayoutFor(int sizeMode, int viewMode) {
    const bool enlarged = sizeMode == 1;
    const GridGeometry g = enlarged ? GridGeometry{30, 25, 55} : GridGeometry{25, 25, 50};
    ViewLayout l{};
    for (int c = 0; c < kGridColumns; ++c) {
        l.headings[c] = ControlRect{g.cellSize * c, g.headingTop, g.cellSize, g.cellSize};
    }
    for (int k = 0; k < kGridCells; ++k) {
        const int row = k / kGridColumns, column = k % kGridColumns;
        l.cells[k] = ControlRect{g.cellSize * column, g.gridTop + g.cellSize * row, g.cellSize,
                                 g.cellSize};
    }
    if (enlarged) {
        l.datePane = {0, 0, 210, 25};
        l.yearSignPane = {0, 235, 210, 25};
        l.officerPane = {210, 235, 95, 25};
        l.mansionPane = {305, 235, 95, 25};
        l.oldCalendarPane = {0, 260, 210, 25};
        l.moonPane = {210, 260, 190, 25};
        l.eventList = {210, 0, 190, 120};
        l.scheduleList = {210, 120, 190, 115};
        l.headingFontTwips = 330;
        l.cellFontTwips = 320;
        l.paneFontTenths = 140;
        l.listFontTenths = 110;
    } else {
        l.datePane = {0, 0, 175, 25};
        l.yearSignPane = {0, 200, 175, 23};
        l.officerPane = {175, 200, 90, 23};
        l.mansionPane = {265, 200, 90, 23};
        l.oldCalendarPane = {0, 223, 175, 23};
        l.moonPane = {175, 223, 180, 23};
        l.eventList = {175, 0, 183, 100};
        l.scheduleList = {175, 100, 183, 100};
        l.headingFontTwips = 260;
        l.cellFontTwips = 260;
        l.paneFontTenths = 125;
        l.listFontTenths = 100;
    }
    const FrameSize frame = FrameSizeFor(sizeMode, viewMode);
    l.logicalWidth = frame.width;
    l.logicalHeight = frame.height;
    return l;
}

int EventListColumnWidth(int clientWidth) { return clientWidth - kScrollBarAllowance; }

int ScheduleListDayColumnWidth(int clientWidth) { return clientWidth / 5; }

int ScheduleListTextColumnWidth(int clientWidth) {
    return 4 * clientWidth / 5 - kScrollBarAllowance;
}

}  // namespace kalendo
