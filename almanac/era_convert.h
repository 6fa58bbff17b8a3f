// The era conversion dialog's logic (西暦⇔元号変換), without any widgets:
// the dialog copies between its edits and an EraConvertState, and the view
// moves the calendar to the state's Western date when the dialog ends with
// "移 動".
//
// The dialog holds one month and one day, shared by both dates; only the
// years differ. Converting an era date to a Western one adds the era year
// to the year of the era's entry and carries month and day over unchanged,
// without comparing them with the era's first day, as the almanac has
// always done: era year 1 of an era that began in mid-year is that year
// for any month and day.
//
// Texts are code page 932; a date text reads "<year>年<month>月<day>日".
#pragma once

#include <string>
#include <string_view>

#include "core/month_record.h"

namespace kalendo {

struct EraConvertState {
    int westernYear;  // the date the dialog returns: year,
    int month;        // month and
    int day;          // day (shared with the era date)
    int eraYear;
    int eraIndex;     // the era list's selection (entries 0 ... rec.eraCount, newest first)
};

// The dialog opening on the target date (y, m, d) of the record: the era
// list selects EraIndex(y, m, d) and the era year is rec.eraYear.
EraConvertState OpenEraConvert(const MonthRecord& rec, int y, int m, int d);

// "%2d年%2d月%2d日" with era year, month and day (edit 1057).
std::string EraDateText(const EraConvertState& s);

// "%4d年%2d月%2d日" with Western year, month and day (edit 1050).
std::string WesternDateText(const EraConvertState& s);

// Both read at most the first 1023 bytes of a text "<year>年<month>月<day>日"
// as the window hands it over (full-width digits already folded to ASCII):
// blanks may stand around numbers and marks, a sign may be "-", "+", "−"
// or a leading "ー", and the text may end after any number or mark, the
// fields not reached keeping their values ("31年" changes only the year).
// A text that is anything else ("x年", "2024/5/3", text after "日") is not
// a date: false, and nothing changes.
//
// "西暦変換": the era named by s.eraIndex (set it from the list first) and
// the era date text, whose year may be "元" ("元年5月1日" is era year 1),
// give the Western year; month and day are carried over.
bool OnConvertToWestern(const MonthRecord& rec, EraConvertState& s, std::string_view eraDateText);

// "元号変換": the Western date text gives the era of that date, which the
// list then selects, and its era year.
bool OnConvertToEra(const MonthRecord& rec, EraConvertState& s, std::string_view westernDateText);

}  // namespace kalendo
