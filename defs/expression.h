// The date-expression language: how a holiday, calendar-note or user line
// names its day ("1/Mon2", "Deg180", "旧8/15", "5/6<Sat|2008", ...). Every
// expression is read once, with its line, and evaluated afresh for the
// target date of the month record; the grammar is described for users in
// defs/date_expression.md, and the scanning below is the final word on which
// texts are accepted.
//
// Reading and evaluation work on the stored CP932 bytes; evaluation
// allocates nothing and reads nothing but the month record (target date,
// solar terms, the holidays' evaluated dates) and the entry it evaluates. A wrong expression is fatal through
// ThePlatform().Fatal when an evaluation reaches its fault.
#pragma once

#include "core/month_record.h"
#include "platform/calendar_date.h"

namespace kalendo {

struct DayKeyword {
    DayKeywordKind kind = DayKeywordKind::Unknown;
    int value = 0;
    const char* end = nullptr;  // just after the keyword (for "六十干支・" after
                                // the "・", where its number begins); null
                                // for Unknown
};

// Looks up the keyword at the start of a NUL-terminated text: the first
// keyword of the table (weekdays, day classes, stems, branches, sexagenary,
// moon phases, in that order) whose bytes begin the text. "Mon" matches any
// word that begins with those three letters.
DayKeyword LookUpDayKeyword(const char* text);

// Reads e.expression into e.parsed, once, when the entry's line is read. A
// wrong expression is not reported here: its fault is kept and reported by
// the evaluations that reach it, so an entry is only ever wrong in the
// years it is evaluated.
void ReadExpression(DefinitionEntry& e);

// Evaluates the expression of `entry`, as ReadExpression read it, against
// the target date of rec into `date`: every field of it is written. An
// entry whose day is 0 or less afterwards falls on no day. Does not return
// when the expression is wrong: "%sの表現式%sに誤りがあります" or "日付表現式
// %s の %s に誤りがあります" (the entry's name, then the text from the fault)
// goes to ThePlatform().Fatal. Holidays used through "平日"/"休日" are those
// of rec.evaluated as they stand (see IsDayOff), `date` too when it is one
// of them.
void EvaluateExpression(const MonthRecord& rec, const DefinitionEntry& entry, EvaluatedDate& date);

// The day (JST, decided at 0 h) during which the sun's ecliptic longitude
// passes angleDeg, on a scale where 0 is the spring equinox of the target
// year: negative angles down to -180 lie before it in the same year's
// winter, and angles up to 360 run on towards the next equinox (315 is the
// next 立春), in the almanac mode the record was computed in. Needs
// rec.terms of the target year; -180 <= angleDeg < 360.
CalendarDate SolarLongitudeDate(const MonthRecord& rec, double angleDeg);

}  // namespace kalendo
