// The one plain date of the program: a proleptic Gregorian year, month and
// day, as typed, stored or handed out by the clock. It is a value, never
// checked on construction: a date as typed (2023-02-30) is held as it is and
// refused or normalised where it is used. The weekday, where it is needed,
// travels beside it (the month record keeps one per date); it is never part
// of the date, so two equal dates are always the same day.
#pragma once

namespace kalendo {

struct CalendarDate {
    int year;   // e.g. 2024; the month computation accepts 1600-2999
    int month;  // 1-12 once normalised
    int day;    // 1-31 once normalised
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

}  // namespace kalendo
