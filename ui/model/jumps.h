// The date-moving dialogs of the "日付移動(&M)" menu: the direct jump
// (直接日付移動: a typed year, month and day), the relative jump (間接日付移動:
// a number and a unit such as "月後"), and the move of the era conversion
// dialog (西暦⇔元号変換, whose conversions are in almanac/era_convert.h).
//
// Each takes the dialog's texts or state after it ended with OK and moves
// the calendar with ComputeMonth. Only an accepted date (1) is followed by
// a rebuild of the view. The two jump dialogs ask first whether they may
// close: a date out of the range is refused there, with the range message,
// and the dialog stays open with what was typed, so it can be corrected.
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

// Every number field takes what a user types, as the window hands it over
// (full-width digits and signs already folded to ASCII): blanks, an
// optional sign ("-", "+", "−", or "ー" with nothing but blanks before it)
// and digits. An empty field keeps its meaning below; a field holding
// anything else ("12x", "x", "1 2") is not a number, and nothing moves.

// The direct jump: a field left empty keeps the target date's value; then
// normalised. So month 13 is January of the next year and day 0 the last
// day of the month before; only the day filled in moves within the selected
// month. nullopt when a field is not a number (or the date lies beyond
// anything the calendar can show).
std::optional<CalendarDate> DirectJumpDate(const MonthRecord& rec, std::string_view yearText,
                                           std::string_view monthText, std::string_view dayText);
// -1 (nothing happens) when a field is not a number.
int RunDirectJump(MonthRecord& rec, std::string_view yearText, std::string_view monthText,
                  std::string_view dayText, MonthOptions options);

// "O K" of the direct jump: a field that is not a number shows "年・月・日は
// 数字で入力してください", a date the month computation would refuse in
// `options` the range message (ComputeMonth's); the dialog then stays open.
bool DirectJumpMayClose(const MonthRecord& rec, std::string_view yearText,
                        std::string_view monthText, std::string_view dayText,
                        MonthOptions options);

// "O K" of the relative jump: a unit outside 0-7 (none chosen, or text typed
// into the combo box: -1) shows "日付が不正です", a number field that is not
// a number "移動する数は数字で入力してください", a date the month computation
// would refuse the range message; the dialog then stays open.
bool RelativeJumpMayClose(const MonthRecord& rec, std::string_view numberText, int unit,
                          MonthOptions options);

// The relative jump: the number (empty counts as 0) is applied by the unit
// to one field of the target date, then the date is normalised: 1 "月後"
// from 31 January 2023 gives 3 March, 2 "週前" from 10 January gives 27
// December. nullopt for a unit outside 0-7, a number field that is not a
// number, or a date beyond anything the calendar can show.
std::optional<CalendarDate> RelativeJumpDate(const MonthRecord& rec, std::string_view numberText,
                                             int unit);
// -1 (nothing happens) for a unit outside 0-7 or a number that is not one.
int RunRelativeJump(MonthRecord& rec, std::string_view numberText, int unit,
                    MonthOptions options);

// "西暦変換" and "元号変換" of the era conversion dialog (almanac/
// era_convert.h): a text that is not a date shows "和暦の日付は「元年5月1日」の
// ように入力してください" or "西暦の日付は「2024年5月3日」のように入力してく
// ださい", changes nothing and gives false.
bool RunConvertToWestern(const MonthRecord& rec, EraConvertState& state,
                         std::string_view eraDateText);
bool RunConvertToEra(const MonthRecord& rec, EraConvertState& state,
                     std::string_view westernDateText);

// "移 動" of the era conversion dialog: ComputeMonth for the state's Western
// year, month and day as the last conversion left them (the opening date
// if none was made), not normalised.
int MoveToEraConverted(MonthRecord& rec, const EraConvertState& state, MonthOptions options);

}  // namespace kalendo
