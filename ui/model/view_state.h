// Everything the month view shows for the selected day, built in one go
// from the month record: the refresh that ends every navigation command,
// click, schedule change and accepted dialog (RefreshAll). The panes, the
// lists, the grid with its colours, second line and marks, the selected
// cell, the close-call words, the notes line and what a screen reader is
// told are all decided here; the window only draws a ViewState, and the
// CLI prints one, so both always show the same thing. The sun's and the
// moon's lines alone come later: the window asks for them (ComputeDaySky,
// day_lines.h) after the step has been drawn.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "almanac/rekichu.h"
#include "astro/geo_position.h"
#include "core/month_record.h"
#include "month/compute_month.h"
#include "platform/calendar_date.h"
#include "ui/model/close_call_texts.h"
#include "ui/model/day_texts.h"
#include "ui/model/grid_eclipses.h"
#include "ui/model/grid_rekichu.h"
#include "ui/model/lists.h"
#include "ui/model/lunisolar_days.h"
#include "ui/model/month_view.h"
#include "ui/model/spoken_names.h"

namespace kalendo {

// What a screen reader is told of the view (CP932). The days' own names
// take a month computation each, so they are made only when a reader asks
// (ViewBuilder::CellNames); the rest with every state.
struct SpokenView {
    std::string grid;      // "2024年5月"
    std::string datePane;  // the selected day with its weekday
    std::array<std::string, kGridColumns> headings;  // "日曜日" ...
    std::array<std::string, kGridRows> weekNumbers;  // "第23週"; "" before a month
    std::string eventList;     // the rows as one text
    std::string scheduleList;
    std::array<std::string, kGridCells> cells;  // empty until named
    bool cellsNamed = false;
};

struct ViewState {
    // In the order the refresh always builds them.
    CalendarDate target{};         // the selected day; {} before the first one
    std::string datePane;          // control 1000
    std::array<WeekdayHeading, kGridColumns> headings{};
    MonthGrid grid;                // the 42 day cells
    int selectedCell = -1;         // the target's cell; -1 before any month
    WeekStart weekStart = WeekStart::Sunday;  // the grid's first column
    GridWeekNumbers weekNumbers{};            // ISO 8601, of each row's Monday
    std::array<std::string, kGridRows> weekNumberTexts;  // "23"; "" for 0
    std::string oldCalendarPane;   // 1053
    std::string yearSignPane;      // 1039
    DetailPane officer;            // 1055, with its memo title and text
    DetailPane mansion;            // 1057, likewise
    std::string moonPane;          // 1054
    double moonAge = 0;            // days at noon of the target, as moonPane shows it
    std::vector<ListRow> eventList;     // control 1029
    std::vector<ListRow> scheduleList;  // control 1038
    // The frame title for today. The GUI sets it from the timer tick and the
    // mode commands (a mode change that changes nothing leaves the title).
    std::string title;
    // The window's own parts (ViewOptions::windowParts), empty otherwise.
    CloseCallTexts closeCalls;     // the old-calendar pane's mark and words
    std::string rekichuLine;       // the first day line: the picked notes of the day
    SpokenView spoken;
};

// RefreshAll: the whole view from the record. Before any date has been
// accepted by ComputeMonth the panes and lists are empty and the grid holds
// no days (day 0, empty text). The record is only read. The grid's rows
// begin on `start`. Without the grid's second line and the window's own
// parts (ViewBuilder adds them).
ViewState BuildViewState(const MonthRecord& rec, WeekStart start = WeekStart::Sunday);

// What a view state holds beyond BuildViewState's.
struct ViewOptions {
    WeekStart weekStart = WeekStart::Sunday;
    bool lunarLine = false;    // the cells' second line (the CLI lists it always)
    bool windowParts = false;  // the marks, close-call words, notes line and spoken texts
    RekichuReadings readings{};  // of the close calls and the picked notes
    RekichuSet rekichuPicks = 0;  // marked in the grid, listed in the notes line, said after each day
    GeoPosition place{0, 0};      // where the grid's eclipses are seen from
};
// The window's: its settings, with every part.
ViewOptions WindowViewOptions(const AppSettings& s);

// Builds the view states of a view that refreshes again and again, keeping
// what the second line, the marks and the days' names take long to find
// (each keyed by what it depends on: lunisolar_days.h, grid_eclipses.h,
// grid_rekichu.h, spoken_names.h).
class ViewBuilder {
public:
    // BuildViewState and what `options` ask for, read from the record
    // without changing it.
    ViewState Build(const MonthRecord& rec, const ViewOptions& options);

    // The view's first update, after the definition files are loaded: today
    // is read, its month computed, past schedules swept (in memory), and
    // the view built. The frame's layout (ApplyFrameLayout) comes before it,
    // the date timer after it.
    ViewState First(MonthRecord& rec, MonthOptions monthOptions, const ViewOptions& options);

    // The names of the state's days (the record must still be the one it
    // was built from): its date and weekday with what the day holds
    // (GridDayNames), then the picked notes and the eclipse of the day.
    // Made on the first question and kept in the state.
    const std::array<std::string, kGridCells>& CellNames(const MonthRecord& rec, ViewState& state);

    // The eclipses kept for the marks, for the detail dialog and for
    // finding the years beside the shown one ahead of time.
    GridEclipses& eclipses() { return eclipses_; }

private:
    ViewOptions options_;  // of the last Build, which CellNames names for
    GridLunarTexts lunarTexts_;
    GridEclipses eclipses_;
    GridRekichu rekichuMarks_;
    GridDayNames dayNames_;
};

}  // namespace kalendo
