// The kinds of the lists' rows: which table a row's entry is in, and so
// what a double-click opens and which colour the row's text takes.
#pragma once

namespace kalendo {

inline constexpr int kNoteRow = 0;              // calendar note (notes)
inline constexpr int kHolidayRow = 1;           // holiday (holidays)
inline constexpr int kGeneratedHolidayRow = 2;  // substitute or citizens' holiday (generatedHolidays)
inline constexpr int kUserEventRow = 3;         // user event (userEntries)
inline constexpr int kScheduleRow = 4;          // schedule (schedules)

}  // namespace kalendo
