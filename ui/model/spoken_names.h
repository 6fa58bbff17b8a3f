// What a screen reader says for the month view: the name of each of the
// grid's 42 days, of the grid itself and of the date pane, and the rows of
// the two lists as one text. The window hands these to the toolkit's
// accessibility layer; a sighted user reads the same facts from colours,
// the second line of the cells and the panes, so every name is built from
// the same month computation those come from. Texts are code page 932.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "almanac/rekichu.h"
#include "core/month_record.h"
#include "platform/calendar_date.h"
#include "ui/model/lists.h"
#include "ui/model/month_view.h"

namespace kalendo {

// "金曜日": a weekday, 0 = Sunday ... 6 = Saturday, as it is read.
std::string SpokenWeekday(int weekday);

// "2024年5月3日 金曜日": the date as a person reads it. `weekday`: 0 =
// Sunday ... 6 = Saturday.
std::string SpokenDate(const CalendarDate& date, int weekday);

// The date pane's name: the target day with its weekday. Precondition: the
// record describes a target date.
std::string DatePaneName(const MonthRecord& rec);

// The grid's name: the month it shows, "2024年5月"; "" before any month.
std::string GridName(const MonthRecord& rec);

// A list's rows as one text, in their order, joined by "、" (the schedule
// list's rows with their day: "5日 会議"); "なし" without rows.
std::string SpokenRows(const std::vector<ListRow>& rows);

// What a day's name says after it of the notes of the lower register the
// user picked: "、天赦日、一粒万倍日" in the fixed order; "" for none.
std::string SpokenRekichu(RekichuSet picked);

// The names of the grid's days. A day's name is its date and weekday, then
// "今日" for today, "前月の日" or "翌月の日" for a day of a neighbouring
// month, then what the
// event list would show were that day selected (its holiday, notes, user
// events and schedules), then its 六曜 and lunisolar date:
// 「2024年5月3日 金曜日 憲法記念日 先負 旧暦3月25日」. A day outside the
// years the almanac computes has only its date, weekday and month mark.
//
// Each day is read as a question (DayReader, month/read_day.h), on a record
// of the reader's own that reads the window's tables (expressions such as "100/15" depend on the target
// date, so the window's record could not answer for other days); the
// record handed in is never moved, and no table is copied.
class GridDayNames {
public:
    GridDayNames();
    ~GridDayNames();
    GridDayNames(const GridDayNames&) = delete;
    GridDayNames& operator=(const GridDayNames&) = delete;

    // The names of FillMonthGrid(rec, start)'s cells, in the record's
    // almanac mode; all empty before any month.
    std::array<std::string, kGridCells> Of(const MonthRecord& rec,
                                           WeekStart start = WeekStart::Sunday);
};

}  // namespace kalendo
