// The month view for screen readers: the grid as an accessible table of its
// 42 days (each a cell with its spoken name, selected and focused states)
// and the view without the day cells' own widgets (the table stands for
// them). What is said comes whole from the view state (view_state.h): the
// grid and the view hand it over; the names of the panes and lists, which
// change with the day, the view sets itself.
#pragma once

namespace kalendo {

// Makes Qt ask us for the grid's and the view's interfaces. Idempotent;
// called before the first view is made.
void InstallMonthAccessibility();

}  // namespace kalendo
