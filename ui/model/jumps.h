// The date-moving dialogs of the "日付移動(&M)" menu: the direct jump
// (直接日付移動: a typed year, month and day), the relative jump (間接日付移動:
// a number and a unit such as "月後"), and the move of the era conversion
// dialog (西暦⇔元号変換, whose conversions are in almanac/era_convert.h).
//
// Each takes the dialog's texts or state after it ended with OK and moves
// the calendar with ComputeMonth. Only an accepted date (1) is followed by
// a rebuild of the view; a refused one has shown the range message and the
// previous month stays on the screen.
#pragma once

#include <optional>
#include <string_view>

#include "almanac/era_convert.h"
#include "core/month_record.h"
#include "ui/model/month_view.h"

namespace kalendo {

inline constexpr int kCmdDirectJump = 12774;    // "直接指定(&D)"
inline constexpr int kCmdRelativeJump = 12775;  // "間接指定(&I)"
inline constexpr int kCmdEraConvert = 12777;    // "西暦⇔元号(&C)"

// Relative jump units: the combo box's item indexes.
inline constexpr int kUnitDaysBack = 0;     // "日前"
inline constexpr int kUnitDaysAhead = 1;    // "日後"
inline constexpr int kUnitWeeksBack = 2;    // "週前"
inline constexpr int kUnitWeeksAhead = 3;   // "週後"
inline constexpr int kUnitMonthsBack = 4;   // "月前"
inline constexpr int kUnitMonthsAhead = 5;  // "月後"
inline constexpr int kUnitYearsBack = 6;    // "年前"
inline constexpr int kUnitYearsAhead = 7;   // "年後"

// A typed date brought into the calendar: months carried into years, then
// days into months (NormalizeDate), for any values the fields can hold.
// nullopt when the date lies millions of years away, beyond anything the
// calendar can show (the month computation refuses it either way).
std::optional<CalendarDate> NormalizedTypedDate(long long year, long long month, long long day);

// The direct jump: each text parsed as "%d"; a field that does not parse
// (an empty one included) keeps the target date's value; then normalised.
// So month 13 is January of the next year and day 0 the last day of the
// month before; only the day filled in moves within the selected month.
std::optional<CalendarDate> DirectJumpDate(const MonthRecord& rec, std::string_view yearText,
                                           std::string_view monthText, std::string_view dayText);
int RunDirectJump(MonthRecord& rec, std::string_view yearText, std::string_view monthText,
                  std::string_view dayText);

// "O K" of the relative jump: a unit outside 0-7 (none chosen, or text typed
// into the combo box: -1) shows "日付が不正です" and the dialog stays open.
bool RelativeJumpMayClose(int unit);

// The relative jump: the number ("%d"; empty or unparsable counts as 0) is
// applied by the unit to one field of the target date, then the date is
// normalised: 1 "月後" from 31 January 2023 gives 3 March, 2 "週前" from 10
// January gives 27 December. nullopt for a unit outside 0-7 (or a date
// beyond anything the calendar can show).
std::optional<CalendarDate> RelativeJumpDate(const MonthRecord& rec, std::string_view numberText,
                                             int unit);
// -1 (nothing happens) for a unit outside 0-7.
int RunRelativeJump(MonthRecord& rec, std::string_view numberText, int unit);

// "移 動" of the era conversion dialog: ComputeMonth for the state's Western
// year, month and day as the last conversion left them (the opening date
// if none was made), not normalised.
int MoveToEraConverted(MonthRecord& rec, const EraConvertState& state);

}  // namespace kalendo
