#include "ui/model/lists.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/day_arith.h"
#include "defs/notes.h"
#include "defs/schedules.h"
#include "ui/model/day_entries.h"
#include "ui/model/model_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

class RowSink {
public:
    explicit RowSink(std::vector<ListRow>& rows) : rows_(rows) {}
    bool full() const { return static_cast<int>(rows_.size()) >= kListRowCapacity; }
    void Add(int kind, int index, std::string dayText, const char* name) {
        Add(kind, index, std::move(dayText), FormatText("%s", name));
    }
    void Add(int kind, int index, std::string dayText, std::string text) {
        if (full()) return;
        rows_.push_back(ListRow{kind, index, std::move(dayText), std::move(text)});
    }

private:
    std::vector<ListRow>& rows_;
};

std::string DayOfMonthText(int day) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", day);
    return buf;
}

bool InTable(int index, int count) { return index >= 0 && index < count; }

const ListRow* RowAt(const std::vector<ListRow>& rows, int row) {
    if (row < 0 || row >= static_cast<int>(rows.size())) return nullptr;
    return &rows[row];
}

std::optional<MemoContent> EntryMemo(const DefinitionEntry* table, int count, int index) {
    if (!InTable(index, count)) return std::nullopt;
    return MemoContent{table[index].name, table[index].description};
}

std::optional<MemoContent> UserEventMemo(const MonthRecord& rec, int index) {
    return EntryMemo(rec.tables.userEntries, rec.userEntryCount, index);
}

std::optional<MemoContent> ScheduleMemo(const MonthRecord& rec, int index) {
    if (!InTable(index, rec.scheduleCount)) return std::nullopt;
    return MemoContent{rec.tables.schedules[index].name, rec.tables.schedules[index].text};
}

}  // namespace

std::vector<ListRow> FillEventList(const MonthRecord& rec) { return EventListOf(rec, EntriesOfTarget(rec)); }

std::vector<ListRow> EventListOf(const MonthRecord& rec, const DayEntries& entries) {
    std::vector<ListRow> rows;
    RowSink sink(rows);
    for (DayEntry& e : EntriesOnDay(rec, entries)) sink.Add(e.kind, e.index, "", std::move(e.text));
    return rows;
}

std::vector<ListRow> FillScheduleList(const MonthRecord& rec) {
    std::vector<ListRow> rows;
    RowSink sink(rows);
    // Every index of both tables; a user event comes before the schedule of
    // the same index on the same day.
    const int entries = std::max(rec.userEntryCount, rec.scheduleCount);
    for (int n = 1; n <= kScheduleListDaysAhead && !sink.full(); ++n) {
        int y = rec.year[kTarget], m = rec.month[kTarget], d = rec.day[kTarget] + n;
        NormalizeDate(y, m, d);
        for (int j = 0; j < entries && !sink.full(); ++j) {
            if (j < rec.userEntryCount && UserEntryInPeriod(rec, j, n) >= 0 &&
                UserEntryFallsOn(rec, j, y, m, d) >= 0) {
                sink.Add(kUserEventRow, j, DayOfMonthText(rec.evaluated.userEntries[j].day),
                         rec.tables.userEntries[j].name);
            }
            if (j < rec.scheduleCount && ScheduleInPeriod(rec, j, n) >= 0 &&
                ScheduleFallsOn(rec, j, y, m, d) >= 0) {
                const CSchedule& s = rec.tables.schedules[j];
                sink.Add(kScheduleRow, j, DayOfMonthText(s.day), s.name);
            }
        }
    }
    return rows;
}

std::optional<Rgb> RowTextColour(int kind) {
    switch (kind) {
        case kNoteRow: return Rgb{0, 0, 0};
        case kHolidayRow:
        case kGeneratedHolidayRow: return Rgb{255, 0, 0};
        case kUserEventRow: return Rgb{0, 0, 255};
        case kScheduleRow: return Rgb{20, 128, 128};
        default: return std::nullopt;
    }
}

std::optional<MemoContent> EventListMemo(const MonthRecord& rec, const std::vector<ListRow>& rows,
                                         int row) {
    const ListRow* r = RowAt(rows, row);
    if (r == nullptr) return std::nullopt;
    switch (r->kind) {
        case kNoteRow: return EntryMemo(rec.tables.notes, rec.noteCount, r->index);
        case kHolidayRow: return EntryMemo(rec.tables.holidays, rec.holidayCount, r->index);
        case kGeneratedHolidayRow:
            if (!InTable(r->index, rec.evaluated.generatedCount)) return std::nullopt;
            return MemoContent{kGeneratedHolidayMemoTitle, ""};
        case kUserEventRow: return UserEventMemo(rec, r->index);
        case kScheduleRow: return ScheduleMemo(rec, r->index);
        default: return std::nullopt;
    }
}

std::optional<MemoContent> ScheduleListMemo(const MonthRecord& rec,
                                            const std::vector<ListRow>& rows, int row) {
    const ListRow* r = RowAt(rows, row);
    if (r == nullptr) return std::nullopt;
    switch (r->kind) {
        case kUserEventRow: return UserEventMemo(rec, r->index);
        case kScheduleRow: return ScheduleMemo(rec, r->index);
        default: return std::nullopt;
    }
}

}  // namespace kalendo
