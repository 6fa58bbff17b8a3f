// Where the month view's controls stand and how big their fonts are, for
// each size mode (the view's ApplyLayout), and the widths of the two lists'
// columns. Pixels in the view's client area; font heights in twips (1/20
// point) for the grid and tenths of a point for the panes and lists, as the
// controls have always been given them.
#pragma once

#include <array>

#include "ui/model/frame.h"
#include "ui/model/month_view.h"  // kGridColumns, kGridCells

namespace kalendo {

struct ControlRect {
    int x, y, width, height;
    friend bool operator==(const ControlRect&, const ControlRect&) = default;
};

struct ViewLayout {
    ControlRect datePane;                 // 1000
    std::array<ControlRect, kGridColumns> headings;  // 1001-1007, Sunday first
    std::array<ControlRect, kGridCells> cells;       // row-major, Sunday first
    ControlRect yearSignPane;             // 1039
    ControlRect officerPane;              // 1055
    ControlRect mansionPane;              // 1057
    ControlRect oldCalendarPane;          // 1053
    ControlRect moonPane;                 // 1054
    ControlRect eventList;                // 1029
    ControlRect scheduleList;             // 1038
    int headingFontTwips;  // normal: face "System" 260; enlarged: "ＭＳ ゴシック" 330
    int cellFontTwips;     // normal: "System" 260; enlarged: "ＭＳ ゴシック" 320 (bold)
    int paneFontTenths;    // "ＭＳ ゴシック" 125 (12.5 pt) or 140
    int listFontTenths;    // "ＭＳ ゴシック" 100 or 110
    int logicalWidth;      // the view's scrolling size: the frame size of the
    int logicalHeight;     // current modes, so no scroll bar ever shows
};

// The layout of size mode 0 (normal) or 1 (enlarged; any other value counts
// as 0) in view mode `viewMode` (only the logical size depends on it).
ViewLayout ViewLayoutFor(int sizeMode, int viewMode);

// The room the view's shown controls take from its top-left corner: in the
// full view 358 x 246 (normal) or 400 x 285 (enlarged); in the monthly view
// the date pane, the headings and the grid, 175 x 200 or 210 x 235.
FrameSize ViewContentSize(int sizeMode, int viewMode);

// Column widths from a list's client width w: the event list's one column
// "この日の暦" is w - 17; the schedule list's "日" is w / 5 and "予 定"
// 4w / 5 - 17 (integer division). All columns are centred.
int EventListColumnWidth(int clientWidth);
int ScheduleListDayColumnWidth(int clientWidth);
int ScheduleListTextColumnWidth(int clientWidth);

}  // namespace kalendo
