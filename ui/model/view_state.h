// Everything the month view shows, built in one go from the month record:
// the refresh that ends every navigation command, click, schedule change
// and accepted dialog (RefreshAll). The GUI draws a ViewState; the CLI
// prints one; so both always show the same thing.
#pragma once

#include <string>
#include <vector>

#include "core/month_record.h"
#include "month/compute_month.h"
#include "ui/model/day_texts.h"
#include "ui/model/lists.h"
#include "ui/model/month_view.h"

namespace kalendo {

struct ViewState {
    // In the order the refresh always builds them.
    std::string datePane;          // control 1000
    MonthGrid grid;                // the 42 day cells
    WeekStart weekStart = WeekStart::Sunday;  // the grid's first column
    GridWeekNumbers weekNumbers{};            // ISO 8601, of each row's Monday
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
};

// RefreshAll: the whole view from the record. Before any date has been
// accepted by ComputeMonth the panes and lists are empty and the grid holds
// no days (day 0, empty text). The record is only read. The grid's rows
// begin on `start`.
ViewState BuildViewState(const MonthRecord& rec, WeekStart start = WeekStart::Sunday);

// The view's first update, after the definition files are loaded: today is
// read, its month computed, past schedules swept (in memory), and the view
// built. The frame's layout (ApplyFrameLayout) comes before it, the date
// timer after it.
ViewState FirstViewUpdate(MonthRecord& rec, MonthOptions options,
                          WeekStart start = WeekStart::Sunday);

}  // namespace kalendo
