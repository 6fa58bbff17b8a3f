// The month record: the target date (the selected day, element 0), today's
// date (element 1) and everything computed for the target, read on the
// definition files' tables, which it holds as const: only the loaders and
// the schedule editor change those. ComputeMonth moves a record to a new
// target date; the process's record is the window's and the CLI's, and
// other records of their own (the close calls, the spoken names) read the
// same tables without moving it.
//
// Everything is fixed-capacity: nothing is allocated while computing. Text
// fields are NUL-terminated code page 932 bytes.
#pragma once

#include <cassert>
#include <memory>

#include "core/almanac_mode.h"
#include "core/lunisolar_date.h"
#include "core/parsed_expression.h"
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

// One line of the holiday, calendar-note or user file as the file says it;
// the date it gives a year is the record's (EvaluatedDate). A
// value-initialised entry is all zero bytes, so that the slot tables can lie
// in untouched zero pages; a loader starts every slot it fills from
// kFreshDefinitionEntry.
struct DefinitionEntry {
    char name[kTextBytes] = {};
    char description[kTextBytes] = {};
    int fromYear = 0;    // holidays: first valid year; user entries: start year
    int toYear = 0;      // holidays: first year no longer valid
    char expression[kTextBytes] = {};
    ParsedExpression parsed;  // the expression as read with its line
    int displayPeriod = 0;   // user entries: weeks of advance notice, 0-4
};

// An entry before its line is read: a field the line leaves unmatched keeps
// its -1 ("not given").
inline constexpr DefinitionEntry kFreshDefinitionEntry = [] {
    DefinitionEntry e;
    e.fromYear = -1;
    e.toYear = -1;
    e.displayPeriod = -1;
    return e;
}();

// One schedule: the user's one-off appointment. All zero when
// value-initialised, like DefinitionEntry; kFreshSchedule is one before its
// line is read.
struct CSchedule {
    char name[kTextBytes] = {};
    char text[kTextBytes] = {};  // the note; lines separated by CR LF
    int year = 0;
    int month = 0;
    int day = 0;
    int displayPeriod = 0;       // 0 "前日", 1-4 weeks ahead
};

inline constexpr CSchedule kFreshSchedule = [] {
    CSchedule s;
    s.month = -1;
    s.day = -1;
    return s;
}();

// The tables of slots: the definition files' entries as read. They make up
// nearly all of the 7 MB a record reads, and the files fill a few dozen of
// their thousands of slots. Every byte is
// zero by default, so the process's tables (a static object) lie in .bss:
// pages the kernel hands out untouched, of which only those of the slots
// written ever become resident. A slot is read only below its table's
// count, and the loaders start each slot they fill afresh.
struct SlotTables {
    char eraName[kEraCapacity][kTextBytes] = {};
    int eraStartYear[kEraCapacity] = {};
    int eraStartMonth[kEraCapacity] = {};
    int eraStartDay[kEraCapacity] = {};
    DefinitionEntry holidays[kHolidayCapacity];
    DefinitionEntry notes[kNoteCapacity];
    DefinitionEntry userEntries[kUserEntryCapacity];
    CSchedule schedules[kScheduleCapacity];
    // Which reading of the holiday and calendar-note files the tables hold:
    // a number no other reading in the process gets (0: none yet). What is
    // computed from those files is kept under it.
    unsigned long long definitionsStamp = 0;
};

// The date a holiday, calendar note or user entry gets for the target, as
// its expression gives it (defs/expression.h): the computed part of a
// definition, kept in the record and never in the tables. Before the first
// evaluation an entry falls on no day.
struct EvaluatedDate {
    int year = -1;
    int month = 0;        // lunisolar when oldCalendar is 1
    int day = 0;          // 0 or less: falls on no day
    int oldCalendar = 0;  // 1: a lunisolar date ("旧")
    int leapFlag = 0;     // with oldCalendar: 1 for a leap month ("旧閏")
    friend bool operator==(const EvaluatedDate&, const EvaluatedDate&) = default;
};

// A substitute or citizens' holiday of the target year, generated from the
// evaluated holidays (defs/holidays.h names it).
struct GeneratedHoliday {
    bool substitute = false;  // else a citizens' holiday
    int month = 0;
    int day = 0;
    int fromYear = 0;
    int toYear = 0;
    friend bool operator==(const GeneratedHoliday&, const GeneratedHoliday&) = default;
};

// Everything the month computation evaluates from the definition files for
// its target: a fixed-capacity value of some 37 KB in the record, written
// while computing without allocating, entry i of each list beside slot i of
// its table.
struct EvaluatedDefinitions {
    EvaluatedDate holidays[kHolidayCapacity];
    EvaluatedDate notes[kNoteCapacity];
    EvaluatedDate userEntries[kUserEntryCapacity];
    GeneratedHoliday generated[kGeneratedHolidayCapacity];
    int generatedCount = -1;
};

// The tag of the record made on another's tables and files.
struct ReadingSameFiles {};
inline constexpr ReadingSameFiles kReadingSameFiles{};

// The record proper: the target and today, the counts of the slot tables
// and everything computed for the target (some 40 KB), reading the slot
// tables beside it. Never copied: a second record is made on the same
// tables (kReadingSameFiles) or with slot tables of its own.
struct MonthRecord {
private:
    std::unique_ptr<SlotTables> ownTables_;  // before `tables`, which may refer to it
    SlotTables* changeable_ = nullptr;       // the tables when this record may change them

public:
    // With slot tables of its own, all zero (tests, a record of its own files).
    MonthRecord();
    // On slot tables that outlive the record and that it loads (the
    // process's record).
    explicit MonthRecord(SlotTables& shared);
    // On another record's tables, which it only reads (the years, the month
    // numbers and the evaluated dates are its own).
    explicit MonthRecord(const SlotTables& shared);
    // On the tables of `source`, which it only reads, with the same counts
    // and today, and with the definitions as `source` last evaluated them
    // (a holiday's "平日"/"休日" sees the generated holidays of the last
    // computation); no target yet.
    MonthRecord(const MonthRecord& source, ReadingSameFiles);
    MonthRecord(const MonthRecord&) = delete;
    MonthRecord& operator=(const MonthRecord&) = delete;

    // The tables to load the files into and edit the schedules in: for the
    // loaders and the schedule editor only. A record made on another's
    // const tables has none (a fatal programming error).
    SlotTables& TablesToChange();

    int year[2] = {-1, -1};
    int month[2] = {-1, -1};
    int day[2] = {-1, -1};
    int weekday[2] = {-1, -1};

    const SlotTables& tables;

    int eraCount = -1;  // index of the last era entry
    char currentEraName[kTextBytes] = {};
    int eraYear = -1;

    int holidayCount = -1;
    int noteCount = -1;
    int userEntryCount = 0;
    int scheduleCount = 0;

    // The astronomy the target's tables were computed from: every question
    // asked of the record afterwards (the moon's age, the day's phase, the
    // date expressions' solar longitudes) is answered in the same one.
    AlmanacMode almanacMode = AlmanacMode::Standard;
    DateList<kTermCount> terms;
    DateList<kAnchorCapacity> anchorStart;  // S: solar-month starts
    DateList<kAnchorCapacity> anchorFirst;  // F: first 建 day on or after S
    int lunarMonthNumber[kNewMoonCount] = {};
    int lunarMonth = 0;  // of the target date; negative in a leap month
    int lunarDay = 0;
    int leapMonth = 0;   // month number when the target is in a leap month
    DateList<kNewMoonCount> newMoons;

    // The definitions' dates for the target and the generated holidays.
    EvaluatedDefinitions evaluated;
};

// The target's lunisolar date as one value, and the reverse: the three
// fields above are its stored form.
inline LunisolarDate TargetLunisolarDate(const MonthRecord& rec) {
    return LunisolarDateFromSignedMonth(rec.lunarMonth, rec.lunarDay);
}
inline void StoreTargetLunisolarDate(MonthRecord& rec, const LunisolarDate& date) {
    rec.lunarMonth = SignedMonthFromLunisolarDate(date);
    rec.lunarDay = date.day;
    rec.leapMonth = date.leap ? date.month : 0;
}

// The single instance that lives for the whole process, on slot tables in
// .bss: of its 7 MB only the slots the definition files fill become
// resident.
MonthRecord& TheMonthRecord();

// The display modes: kViewFull, or kViewMonthly, in which the month record
// always describes today. Kept in the settings file as the view mode and
// handed to every month computation.
inline constexpr int kViewFull = 0;     // "完全": grid, panes and lists
inline constexpr int kViewMonthly = 1;  // "月間": date pane and grid only

// Copies a NUL-terminated text into a fixed field, cut to fit at a character
// boundary of code page 932 (never between a lead and a trail byte).
void CopyText(char (&dst)[kTextBytes], const char* src);

}  // namespace kalendo
