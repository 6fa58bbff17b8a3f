// Where the month view's controls stand and how big their fonts are, for
// each size mode (the view's ApplyLayout), and the widths of the two lists'
// columns. Pixels in the view's client area; font heights in twips (1/20
// point) for the grid and tenths of a point for the panes and lists, as the
// controls have always been given them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ui/model/frame_sizes.h"
#include "ui/model/month_view.h"  // kGridColumns, kGridCells

namespace kalendo {

struct ControlRect {
    int x, y, width, height;
    friend bool operator==(const ControlRect&, const ControlRect&) = default;
};

struct ViewLayout {
    ControlRect datePane;                 // 1000
    std::array<ControlRect, kGridColumns> headings;  // 1001-1007, the week's first day first
    std::array<ControlRect, kGridCells> cells;       // row-major, likewise
    // The ISO week column left of the grid: the square beside the headings
    // and one number per row; zero-width without the column.
    ControlRect weekHeading;
    std::array<ControlRect, kGridRows> weekNumbers;
    ControlRect yearSignPane;             // 1039
    ControlRect officerPane;              // 1055
    ControlRect mansionPane;              // 1057
    ControlRect oldCalendarPane;          // 1053
    ControlRect moonPane;                 // 1054
    ControlRect eventList;                // 1029
    ControlRect scheduleList;             // 1038
    // The selected day's lines at the foot of the right column, below the
    // lists: its picked notes, the sun's and the moon's rise and set
    // (day_lines.h), one pane height each, in the lists' font.
    std::array<ControlRect, 3> dayLines;
    int headingFontTwips;  // normal: face "System" 260; enlarged: "ＭＳ ゴシック" 330
    int cellFontTwips;     // normal: "System" 260; enlarged: "ＭＳ ゴシック" 320 (bold)
    int paneFontTenths;    // "ＭＳ ゴシック" 125 (12.5 pt) or 140
    int listFontTenths;    // "ＭＳ ゴシック" 100 or 110
    int logicalWidth;      // the view's scrolling size: the frame size of the
    int logicalHeight;     // current modes, so no scroll bar ever shows
};

// The least room the toolkit measured for the controls' texts under the
// style, fonts and scale in use, pixels (frames and margins included). A
// need within the table's size changes nothing; 0 asks for nothing.
struct LayoutNeeds {
    int cellWidth = 0, cellHeight = 0;        // a day cell: its number and second line
    int headingWidth = 0, headingHeight = 0;  // a weekday heading
    int paneHeight = 0;                       // one line of pane text
    int datePaneWidth = 0, yearSignWidth = 0, oldCalendarWidth = 0;
    int officerWidth = 0, mansionWidth = 0, moonWidth = 0;
    int barsWidth = 0;  // the widest bar above or below: the view spans it, leaving no strip
    int weekColumnWidth = 0;  // the week numbers left of the grid; 0 without them
    int dayLineWidth = 0;     // the day's lines below the lists
};

// The layout of size mode 0 (normal) or 1 (enlarged; any other value counts
// as 0) in view mode `viewMode`. Without needs beyond the table it is the
// table's: the sizes the window was drawn for. Otherwise the controls grow
// only where a text needs it: the cells (all alike) to the widest and
// tallest need, the left column to its widest pane, the rows to the pane
// height, the right column to its panes; in the full view room the bars
// leave over goes to the right column (the lists and the right panes), in
// the monthly view to the cells. The week column, when asked for, stands
// left of the headings and the grid, inside the left column.
ViewLayout ViewLayoutFor(int sizeMode, int viewMode, const LayoutNeeds& needs = {});

// The room the view's shown controls take from its top-left corner: in the
// full view 358 x 246 (normal) or 400 x 285 (enlarged); in the monthly view
// the date pane, the headings and the grid, 175 x 200 or 210 x 235; more
// where `needs` ask for it.
FrameSize ViewContentSize(int sizeMode, int viewMode, const LayoutNeeds& needs = {});

// The widest texts each control can show, CP932: the controls are sized for
// these, so that they keep their size from day to day. Each list holds the
// candidates (the widest depends on the font): the date pane with a
// two-character era, the year's signs with every month name, the leap
// twelfth month's 30th with every 六曜 in the pane and in the grid's second
// line, every officer and mansion, the moon's age 29.9 with every phase.
struct SizingTexts {
    std::vector<std::string> datePane, yearSign, oldCalendar, officer, mansion, moon;
    std::vector<std::string> lunarLine;
    std::vector<std::string> dayLines;  // in the lists' font
};
const SizingTexts& WidestTexts();

// Column widths from a list's client width w: the event list's one column
// "この日の暦" is w - 17; the schedule list's "日" is w / 5 and "予 定"
// 4w / 5 - 17 (integer division). All columns are centred.
int EventListColumnWidth(int clientWidth);
int ScheduleListDayColumnWidth(int clientWidth);
int ScheduleListTextColumnWidth(int clientWidth);

}  // namespace kalendo
