// The month view for screen readers: the grid as an accessible table of its
// 42 days (each a cell with its spoken name, selected and focused states),
// the view without the day cells' own widgets (the table stands for them),
// names for the panes and lists, and the texts that change with the day.
// What is said comes from ui/model/spoken_names.h.
#pragma once

#include "core/month_record.h"
#include "ui/model/view_state.h"

namespace kalendo {

class MonthView;

// Makes Qt ask us for the grid's and the view's interfaces. Idempotent.
void InstallMonthAccessibility();

// The fixed names: the panes by what they show, the lists. Once, after the
// view made its controls.
void NameViewControls(MonthView& view);

// What changes with the day: the weekday headings (with the week's first
// day), the week numbers ("第23週"), the date pane's name (the selected day
// with its weekday) and each list's rows as its description, which a reader
// announces when they change.
void UpdateSpokenTexts(MonthView& view, const MonthRecord& rec, const ViewState& state);

}  // namespace kalendo
