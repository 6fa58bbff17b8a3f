// The two lists beside the grid. The event list ("この日の暦") shows what
// falls on the selected day: its holiday (or generated holiday), calendar
// notes, user events and schedules. The schedule list ("日", "予 定") shows
// the user events and schedules of the next 27 days whose advance notice has
// begun, ordered by date. Every row remembers its kind and the index of its
// entry in that kind's table, which is what double-clicks and the schedule
// commands act on.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/month_record.h"
#include "month/read_day.h"
#include "ui/model/month_view.h"
#include "ui/model/row_kinds.h"

namespace kalendo {

// Each list holds at most this many rows; further entries are not listed.
inline constexpr int kListRowCapacity = 512;

// How far ahead the schedule list looks: days 1 ... 27 after the target.
inline constexpr int kScheduleListDaysAhead = 27;

struct ListRow {
    int kind;
    int index;            // into the table of its kind
    std::string dayText;  // schedule list: "%d" with the entry's day of the month; event list: ""
    std::string text;     // the entry's name (CP932)
    friend bool operator==(const ListRow&, const ListRow&) = default;
};

// The target day's entries (EntriesOnDay, day_entries.h) as rows: the
// holiday (kind 1) or, without one, the generated holiday (kind 2); then
// every calendar note, user event and schedule falling on it, each table in
// index order.
std::vector<ListRow> FillEventList(const MonthRecord& rec);

// The same rows for any day's entries read on the tables of `rec`
// (ReadDay): a generated holiday's row index is the reader's.
std::vector<ListRow> EventListOf(const MonthRecord& rec, const DayEntries& entries);

// For n = 1 ... 27 days after the target, and within each day for every
// index j of the user-entry and schedule tables (all of them, not only the
// first 256): user entry j, then schedule j, when announced n days ahead
// and falling on that day.
std::vector<ListRow> FillScheduleList(const MonthRecord& rec);

// Text colour of a row: black notes, red holidays, blue user events, teal
// schedules. nullopt for a kind outside 0-4 (the list's default colour).
std::optional<Rgb> RowTextColour(int kind);

// A selected row of any kind: white text on a dark blue, whatever the
// desktop's own selection colours, so that no kind's colour ends up on a
// blue it cannot be read on (teal on the usual selection blue is about
// 1.3 : 1). The contrast is 6.7 : 1.
struct RowColours {
    Rgb text;
    Rgb background;
};
inline constexpr RowColours kSelectedRowColours{{255, 255, 255}, {0, 90, 180}};

// What a double-click on a row opens in the memo dialog "詳細".
struct MemoContent {
    std::string title;  // edit 1031
    std::string text;   // edit 1041
    friend bool operator==(const MemoContent&, const MemoContent&) = default;
};

// Event list: the entry's name and description (a schedule's name and
// note); a generated holiday shows the title "振り替え休日" and no text.
// Schedule list: only user events and schedules. nullopt: nothing opens
// (no row, or a kind the list does not open). `row` is the selection mark,
// -1 for none.
std::optional<MemoContent> EventListMemo(const MonthRecord& rec,
                                         const std::vector<ListRow>& rows, int row);
std::optional<MemoContent> ScheduleListMemo(const MonthRecord& rec,
                                            const std::vector<ListRow>& rows, int row);

}  // namespace kalendo
