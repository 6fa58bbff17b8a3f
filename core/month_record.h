// The month record: the one global record every part of the almanac reads.
// It holds the target date (the selected day, element 0), today's date
// (element 1), the contents of all definition files and everything computed
// for the target year. Only ComputeMonth moves it to a new target date.
//
// Everything is fixed-capacity: nothing is allocated while computing. Text
// fields are NUL-terminated code page 932 bytes.
#pragma once

#include <cassert>

#include "core/almanac_mode.h"
#include "platform/calendar_date.h"

namespace kalendo {

inline constexpr int kTextBytes = 1024;  // every text field: 1023 bytes + NUL

inline constexpr int kEraCapacity = 512;
inline constexpr int kHolidayCapacity = 512;
inline constexpr int kGeneratedHolidayCapacity = 256;
inline constexpr int kNoteCapacity = 512;
inline constexpr int kUserEntryCapacity = 512;
inline constexpr int kScheduleCapacity = 512;
inline constexpr int kTermCount = 72;        // 24 solar terms of Y-1, Y, Y+1
inline constexpr int kNewMoonCount = 36;     // new moons from 1 January of Y-1
inline constexpr int kAnchorCapacity = 15;   // 14 officer anchors used

// A lunar month that the numbering leaves without a number.
inline constexpr int kUnnumberedLunarMonth = 99;

// Target (element 0) and today (element 1) in the date arrays.
inline constexpr int kTarget = 0;
inline constexpr int kToday = 1;

// A fixed-capacity list of dates as three parallel arrays.
template <int N>
struct DateList {
    int years[N] = {};
    int months[N] = {};
    int days[N] = {};
};

// Entry i of a date list as one date, and the reverse; 0 <= i < N.
template <int N>
CalendarDate EntryAt(const DateList<N>& list, int i) {
    assert(i >= 0 && i < N);
    return {list.years[i], list.months[i], list.days[i]};
}

template <int N>
void StoreEntry(DateList<N>& list, int i, const CalendarDate& date) {
    assert(i >= 0 && i < N);
    list.years[i] = date.year;
    list.months[i] = date.month;
    list.days[i] = date.day;
}

// One line of the holiday, calendar-note or user file with the date computed
// from it for the target year.
struct DefinitionEntry {
    char name[kTextBytes] = {};
    char description[kTextBytes] = {};
    int year = -1;       // computed year
    int fromYear = -1;   // holidays: first valid year; user entries: start year
    int toYear = -1;     // holidays: first year no longer valid
    int month = 0;       // computed month (lunisolar when oldCalendar is 1)
    int day = 0;         // computed day; 0 or less: falls on no day
    char expression[kTextBytes] = {};
    int oldCalendar = 0; // 1: a lunisolar date ("旧")
    int leapFlag = 0;    // with oldCalendar: 1 for a leap month ("旧閏")
    int displayPeriod = -1;  // user entries: weeks of advance notice, 0-4
};

// One schedule: the user's one-off appointment.
struct CSchedule {
    char name[kTextBytes] = {};
    char text[kTextBytes] = {};  // the note; lines separated by CR LF
    int year = 0;
    int month = -1;
    int day = -1;
    int displayPeriod = 0;       // 0 "前日", 1-4 weeks ahead
};

struct MonthRecord {
    int year[2] = {-1, -1};
    int month[2] = {-1, -1};
    int day[2] = {-1, -1};
    int weekday[2] = {-1, -1};

    char eraName[kEraCapacity][kTextBytes] = {};
    int eraStartYear[kEraCapacity] = {};
    int eraStartMonth[kEraCapacity] = {};
    int eraStartDay[kEraCapacity] = {};
    int eraCount = -1;  // index of the last era entry
    char currentEraName[kTextBytes] = {};
    int eraYear = -1;

    DefinitionEntry holidays[kHolidayCapacity];
    DefinitionEntry generatedHolidays[kGeneratedHolidayCapacity];
    int holidayCount = -1;
    int generatedHolidayCount = -1;
    DefinitionEntry notes[kNoteCapacity];
    int noteCount = -1;
    DefinitionEntry userEntries[kUserEntryCapacity];
    int userEntryCount = 0;
    CSchedule schedules[kScheduleCapacity];
    int scheduleCount = 0;

    // The astronomy the target's tables were computed from: every question
    // asked of the record afterwards (the moon's age, the day's phase, the
    // date expressions' solar longitudes) is answered in the same one.
    AlmanacMode almanacMode = AlmanacMode::Standard;
    double moonAge = 0.0;  // days, at noon of the date last given to MoonAge
    DateList<kTermCount> terms;
    DateList<kAnchorCapacity> anchorStart;  // S: solar-month starts
    DateList<kAnchorCapacity> anchorFirst;  // F: first 建 day on or after S
    int lunarMonthNumber[kNewMoonCount] = {};
    int lunarMonth = 0;  // of the target date; negative in a leap month
    int lunarDay = 0;
    int leapMonth = 0;   // month number when the target is in a leap month
    DateList<kNewMoonCount> newMoons;
};

// The single instance that lives for the whole process (about 7 MB, of
// which only the slots the definition files fill become resident).
MonthRecord& TheMonthRecord();

// How TheMonthRecord is made: the tables of slots (eras, holidays,
// generated holidays, notes, user entries, schedules) on zero pages that
// stay untouched until a slot is written, everything else as in a default
// record. Never freed.
MonthRecord* NewRecordOnZeroPages();

// The display modes: kViewFull, or kViewMonthly, in which the month record
// always describes today. Kept in the settings file as the view mode and
// handed to every month computation.
inline constexpr int kViewFull = 0;     // "完全": grid, panes and lists
inline constexpr int kViewMonthly = 1;  // "月間": date pane and grid only

// Copies a NUL-terminated text into a fixed field, cut to fit at a character
// boundary of code page 932 (never between a lead and a trail byte).
void CopyText(char (&dst)[kTextBytes], const char* src);

}  // namespace kalendo
