#include "ui/model/schedule_edit.h"

#include <cstring>

#include "almanac/sign_names.h"
#include "core/cp932.h"
#include "core/day_arith.h"
#include "defs/schedules.h"
#include "platform/platform.h"
#include "ui/model/model_texts.h"
#include "ui/model/schedule_file.h"
#include "ui/model/text_format.h"
#include "ui/model/typed_text.h"

namespace kalendo {
namespace {

constexpr int kLastPeriod = 4;  // "4週間前"

bool BeforeToday(const MonthRecord& rec, int y, int m, int d) {
    return CompareDates(rec.year[kToday], rec.month[kToday], rec.day[kToday], y, m, d) < 0;
}

const ListRow* ScheduleRowAt(const std::vector<ListRow>& rows, int row, const MonthRecord& rec) {
    if (row < 0 || row >= static_cast<int>(rows.size())) return nullptr;
    const ListRow& r = rows[row];
    if (r.kind != kScheduleRow || r.index < 0 || r.index >= rec.scheduleCount) return nullptr;
    return &r;
}

bool AllHeld(const ScheduleDialogValues& v) { return v.nameUnheld.empty() && v.textUnheld.empty(); }

// What "設 定" accepts: every character held, the name one word, no "}" line.
bool Acceptable(const ScheduleDialogValues& v) { return AllHeld(v) && !ScheduleDialogProblem(v); }

// Where a text would be cut so that it keeps at most maxBytes bytes and
// ends on a character boundary.
std::size_t CutLength(const std::string& s, std::size_t maxBytes) {
    return Cp932FitLength(s.data(), s.size(), maxBytes);
}

// The note with every line break as CR LF, up to a NUL as the stored field.
std::string CrLfNote(const std::string& editorText) {
    std::string note;
    for (const char* p = editorText.c_str(); *p != '\0'; ++p) {
        if (*p == '\r' || *p == '\n') {
            if (*p == '\r' && p[1] == '\n') ++p;
            note += "\r\n";
        } else {
            note += *p;
        }
    }
    return note;
}

}  // namespace

std::string ScheduleDialogCaption(const ScheduleEditSession& session) {
    const CalendarDate& d = session.date;
    return FormatText(kScheduleCaptionFormat, kScheduleDialogCaption, d.year, d.month, d.day,
                      WeekdayName(Weekday(d.year, d.month, d.day)));
}

std::optional<ScheduleEditSession> OpenEditScheduleDialog(const MonthRecord& rec,
                                                          const std::vector<ListRow>& scheduleRows,
                                                          int row) {
    const ListRow* r = ScheduleRowAt(scheduleRows, row, rec);
    if (r == nullptr) return std::nullopt;
    const CSchedule& s = rec.tables.schedules[r->index];
    return ScheduleEditSession{r->index, CalendarDate{s.year, s.month, s.day},
                               ScheduleDialogValues{s.name, s.text, s.displayPeriod}};
}

std::optional<ScheduleEditSession> OpenNewScheduleDialog(const MonthRecord& rec) {
    const CalendarDate target = TargetDate(rec);
    if (BeforeToday(rec, target.year, target.month, target.day)) {
        ThePlatform().ShowMessage(kPastDayScheduleMessage);
        return std::nullopt;
    }
    if (rec.scheduleCount >= kScheduleCapacity) {
        ThePlatform().ShowMessage(kScheduleStoreFullMessage);
        return std::nullopt;
    }
    return ScheduleEditSession{-1, target, ScheduleDialogValues{}};
}

std::optional<std::string> ScheduleDialogProblem(const ScheduleDialogValues& values) {
    // A NUL would end the text where the file is concerned: judge what is
    // actually stored.
    if (!ScheduleNameFitsFile(values.name.c_str())) return std::string(kScheduleNameRuleMessage);
    if (!ScheduleNoteFitsFile(values.text.c_str())) return std::string(kScheduleNoteRuleMessage);
    // What is stored is never a cut copy of what was typed.
    if (std::strlen(values.name.c_str()) > static_cast<std::size_t>(kScheduleNameBytes)) {
        return std::string(kScheduleNameTooLongMessage);
    }
    if (CrLfNote(values.text).size() > static_cast<std::size_t>(kTextBytes - 1)) {
        return std::string(kScheduleNoteTooLongMessage);
    }
    return std::nullopt;
}

bool ScheduleDialogMayClose(const ScheduleDialogValues& values) {
    if (!TypedFieldsHeld({{kScheduleNameField, &values.nameUnheld, false},
                          {kScheduleNoteField, &values.textUnheld, true}})) {
        return false;
    }
    if (const std::optional<std::string> problem = ScheduleDialogProblem(values)) {
        ThePlatform().ShowMessage(*problem);
        return false;
    }
    return true;
}

std::string ScheduleNoteText(const std::string& editorText) {
    std::string note = CrLfNote(editorText);
    std::size_t len = CutLength(note, kTextBytes - 1);
    if (len < note.size()) {
        // Never keep half a line break, and never end on a "}" line that
        // the cut made out of a longer line.
        if (len > 0 && note[len - 1] == '\r') --len;
        if (len > 0) {
            // Line breaks are all CR LF now: the last line starts after the
            // last CR LF that ends before len.
            const std::size_t lineBreak = note.rfind("\r\n", len - 1);
            const std::size_t first = lineBreak == std::string::npos ? 0 : lineBreak + 2;
            if (first < len && len - first == 1 && note[first] == '}') {
                len = lineBreak == std::string::npos ? 0 : lineBreak;
            }
        }
        note.resize(len);
    }
    return note;
}

std::string ScheduleNameText(const std::string& editorName) {
    std::string name(editorName.c_str());
    name.resize(CutLength(name, kScheduleNameBytes));
    return name;
}

int EditScheduleRecord(const MonthRecord& rec, CSchedule& schedule,
                       const std::optional<ScheduleDialogValues>& answer) {
    if (!answer || !Acceptable(*answer)) return 0;
    if (schedule.year <= 0) {  // a free slot takes the selected date, not a clicked one
        schedule.year = rec.year[kTarget];
        schedule.month = rec.month[kTarget];
        schedule.day = rec.day[kTarget];
    }
    CopyText(schedule.name, ScheduleNameText(answer->name).c_str());
    CopyText(schedule.text, ScheduleNoteText(answer->text).c_str());
    if (BeforeToday(rec, schedule.year, schedule.month, schedule.day)) {
        schedule.day = 0;
        return 0;
    }
    // -1: text typed into the combo box instead of choosing an item.
    schedule.displayPeriod =
        answer->period >= 0 && answer->period <= kLastPeriod ? answer->period : 0;
    return 1;
}

int EditSchedule(MonthRecord& rec, int i, const std::optional<ScheduleDialogValues>& answer) {
    if (i < 0 || i >= kScheduleCapacity) return 0;
    return EditScheduleRecord(rec, rec.TablesToChange().schedules[i], answer);
}

int FinishEditSchedule(MonthRecord& rec, const std::string& schedulePath,
                       const ScheduleEditSession& session,
                       const std::optional<ScheduleDialogValues>& answer) {
    int stored = 0;
    const int i = session.index;
    if (i >= 0 && i < rec.scheduleCount) {
        const CSchedule& s = rec.tables.schedules[i];
        const bool sameSchedule = CalendarDate{s.year, s.month, s.day} == session.date &&
                                  std::strcmp(s.name, session.initial.name.c_str()) == 0;
        if (sameSchedule && answer && Acceptable(*answer)) {
            stored = EditSchedule(rec, i, answer);
            // Only a change is written: a cancelled or refused edit leaves
            // the file as it is, with whatever was added to it meanwhile.
            SaveSchedules(rec, schedulePath);
        }
    }
    return stored;
}

int FinishNewSchedule(MonthRecord& rec, const std::string& schedulePath,
                      const ScheduleEditSession& session,
                      const std::optional<ScheduleDialogValues>& answer) {
    CSchedule fresh = kFreshSchedule;  // empty name and note, period 0
    fresh.year = session.date.year;
    fresh.month = session.date.month;
    fresh.day = session.date.day;
    if (EditScheduleRecord(rec, fresh, answer) != 1) {
        // Midnight passed while the dialog was open: the day is past now.
        if (answer && Acceptable(*answer)) {
            ThePlatform().ShowMessage(kPastDayScheduleMessage);
        }
        return 0;
    }
    if (!AddSchedule(rec, fresh)) {
        ThePlatform().ShowMessage(kScheduleStoreFullMessage);
        return 0;
    }
    SaveSchedules(rec, schedulePath);
    return 1;
}

bool DeleteScheduleRow(MonthRecord& rec, const std::string& schedulePath,
                       const std::vector<ListRow>& scheduleRows, int row) {
    const ListRow* r = ScheduleRowAt(scheduleRows, row, rec);
    if (r == nullptr) return false;
    RemoveSchedule(rec, r->index);
    SaveSchedules(rec, schedulePath);
    return true;
}

}  // namespace kalendo
