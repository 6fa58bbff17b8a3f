// Schedule editing: the schedule dialog (スケジュール設定) opened from the
// schedule list's context menu (編集 32787, 削除 32789) and by a right click
// on a day cell (a new schedule), and what the dialog's answer does to the
// schedule table and the schedule file.
//
// The dialog itself stays thin. The GUI
//   1. asks Open...ScheduleDialog for a session (nullopt: nothing opens; a
//      refusal has already been shown as a message),
//   2. shows session.initial, and on "設 定" calls ScheduleDialogMayClose
//      with what the user entered, keeping the dialog open while it says
//      false (it has shown the reason),
//   3. hands the answer (nullopt for "取り消し") to Finish...Schedule, and
//      rebuilds the view (BuildViewState) whatever came of it.
//
// The file is written with SaveSchedules (ui/model/schedule_file.h): a save
// that fails shows its message and the table keeps the change.
//
// Every stored name is one word the schedule file can carry and every note
// has CR LF line breaks and no line that is exactly "}", so every schedule
// in the table is written and read back as it is.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/month_record.h"
#include "defs/schedules.h"
#include "platform/text_codec.h"
#include "ui/model/lists.h"
#include "ui/model/month_view.h"

namespace kalendo {

// Schedule list context-menu commands.
inline constexpr int kCmdEditSchedule = 32787;    // "編集(&E)"
inline constexpr int kCmdDeleteSchedule = 32789;  // "削除(&D)"

// The longest name stored, in bytes: the longest the schedule file's entry
// line can carry.
inline constexpr int kScheduleNameBytes = kMaxScheduleNameBytes;

// What the dialog shows and what it gives back.
struct ScheduleDialogValues {
    std::string name;  // edit 1031, CP932
    std::string text;  // edit 1041, CP932; CR LF breaks on the way in, any breaks on the way out
    int period = 0;    // combo box 1058: 0 "前日" ... 4 "4週間前"; -1 when no item is selected
    // What the user typed that code page 932 cannot hold (Cp932FromUtf8Exact),
    // in the name and in the note; the answer is refused while there is any.
    std::vector<UnheldCharacter> nameUnheld = {};
    std::vector<UnheldCharacter> textUnheld = {};
};

// One opening of the dialog.
struct ScheduleEditSession {
    int index;                     // the schedule edited; -1 for a new schedule
    CalendarDate date;             // its date (a new schedule: the target date at opening)
    ScheduleDialogValues initial;  // what the dialog opens with
};

// The dialog's caption names the day it is for: "スケジュール設定 -
// 2024/05/03(金)" with the session's date and weekday.
std::string ScheduleDialogCaption(const ScheduleEditSession& session);

// "編集(&E)" on schedule-list row `row` (the selection mark; -1 none):
// opens on that schedule's name, note and period. nullopt for no row and
// for a user-event row (they are not edited here).
std::optional<ScheduleEditSession> OpenEditScheduleDialog(const MonthRecord& rec,
                                                          const std::vector<ListRow>& scheduleRows,
                                                          int row);

// A right click on a day cell: a new schedule on the selected (target)
// date, whichever cell was clicked, from a cleared record (empty name and
// note, period 0). Refused before the dialog opens, with the message shown
// and nullopt: a selected day before today ("過去の日付にはスケジュールを登録
// できません") and a full store ("スケジュールの登録数が上限（512件）に達して
// います").
std::optional<ScheduleEditSession> OpenNewScheduleDialog(const MonthRecord& rec);

// The problem that keeps the dialog open, or nullopt: a name that is not one
// word the file can carry (empty, holding a blank, tab, other white space or
// ";", or beginning with "{") gets "項目名は空白・タブ・「;」を含まない一語で
// 入力してください"; a note with a line that is exactly "}" gets "備考に「}」
// だけの行は書けません"; a name over kScheduleNameBytes or a note over 1023
// bytes (its line breaks counted as CR LF) gets kScheduleNameTooLongMessage
// or kScheduleNoteTooLongMessage, so that nothing stored or written is a
// cut copy of what was typed.
std::optional<std::string> ScheduleDialogProblem(const ScheduleDialogValues& values);

// "設 定" pressed: shows the problem, if any, and says whether the dialog
// may close with OK. Characters CP932 cannot hold come first: their message
// names each of them (UnheldTypedMessage, in UTF-8), and nothing is stored
// with a replacement.
bool ScheduleDialogMayClose(const ScheduleDialogValues& values);

// The note as stored: every line break (CR LF, lone CR, lone LF) becomes
// CR LF, then it is cut to 1023 bytes at a character boundary, never
// between CR and LF and never leaving a last line that is exactly "}".
std::string ScheduleNoteText(const std::string& editorText);

// The name as stored: cut to kScheduleNameBytes at a character boundary.
std::string ScheduleNameText(const std::string& editorName);

// The dialog's answer applied to schedule i (nullopt: cancelled, nothing
// changes; so does an answer that ScheduleDialogProblem refuses or that
// holds characters CP932 cannot hold). A free
// slot (year 0 or less) takes the target date. Name and note are stored;
// then a schedule dated before today is not kept (its day becomes 0) and 0
// is returned; otherwise the period (-1 stored as 0) is set and 1 returned.
int EditSchedule(MonthRecord& rec, int i, const std::optional<ScheduleDialogValues>& answer);

// The same on a schedule record outside the table.
int EditScheduleRecord(const MonthRecord& rec, CSchedule& schedule,
                       const std::optional<ScheduleDialogValues>& answer);

// After an edit dialog: EditSchedule on the session's schedule, then the
// schedule file is rewritten; a cancelled or refused answer writes nothing. If the schedule is no longer in its slot (the midnight sweep
// removed it while the dialog was open), nothing is stored. Returns
// EditSchedule's answer.
int FinishEditSchedule(MonthRecord& rec, const std::string& schedulePath,
                       const ScheduleEditSession& session,
                       const std::optional<ScheduleDialogValues>& answer);

// After a new-schedule dialog: the cleared record on the session's date
// takes the answer; only when that is stored (1) does the schedule count
// grow and the file get rewritten. A cancelled or refused attempt writes
// nothing into the table. A day that became past while the dialog was open
// (midnight) and a store that filled up meanwhile are refused with their
// messages. Returns 1 when stored.
int FinishNewSchedule(MonthRecord& rec, const std::string& schedulePath,
                      const ScheduleEditSession& session,
                      const std::optional<ScheduleDialogValues>& answer);

// "削除(&D)" on schedule-list row `row`: a schedule row's schedule is
// removed, without confirmation, and the file rewritten; true then. A
// user-event row, or no row, changes nothing.
bool DeleteScheduleRow(MonthRecord& rec, const std::string& schedulePath,
                       const std::vector<ListRow>& scheduleRows, int row);

}  // namespace kalendo
