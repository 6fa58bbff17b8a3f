// The month view: the form in the middle of the frame with the date pane,
// the weekday headings, the 42 day cells, the five panes below the grid and
// the two lists beside it, and the view's commands (navigation, clicks on
// cells, the lists' double-clicks and pop-up menu, the detail, jump, era
// and schedule dialogs). What the controls show and what a screen reader
// is told come whole from the model's ViewState (but for the sun's and the
// moon's lines, asked for after the paint); every input goes to the model,
// and the view is rebuilt from the month record afterwards.
#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <string>

#include "core/month_record.h"
#include "ui/model/settings.h"
#include "ui/model/view_layout.h"
#include "ui/model/view_state.h"

class QLabel;

namespace kalendo {

class DayCellWidget;
class DayGrid;
class EntryList;
class CloseCallMark;
class InfoPane;

class MonthView : public QWidget {
    Q_OBJECT

public:
    // `schedulePath`: the schedule file every schedule change rewrites.
    // Every month computation follows the almanac and display modes
    // `settings` hold at the time.
    MonthView(MonthRecord& rec, const AppSettings& settings, std::string schedulePath,
              QWidget* parent);

    // Places and sizes every control and sets the fonts for the size mode;
    // rebuilds the list columns. In the monthly view only the date pane,
    // the headings and the grid are shown. The controls grow where the
    // style and fonts need it (Needs), and the view spans `barsWidth`.
    void ApplyLayout(int sizeMode, int viewMode, int barsWidth = 0);

    // What the controls' widest texts need in a size mode under the style,
    // fonts and scale in use, with the grid's second line while it is on.
    // Remembered until the style or the line changes.
    LayoutNeeds Needs(int sizeMode) const;

    // The view's first update: today's month (the model's first update),
    // then every control.
    void FirstUpdate();

    // RefreshAll: every control from the month record.
    void Refresh();

    // A command of the view: navigation (12778-12786, 32771-32782), the
    // dialogs (32799, 12774, 12775, 12777) and the schedule commands (32787,
    // 32789). false when the id is not one of them.
    bool RunCommand(int commandId);

    // The controls, for the frame and the tests.
    DayCellWidget* cell(int k) const { return cells_[static_cast<std::size_t>(k)]; }
    DayCellWidget* heading(int c) const { return headings_[static_cast<std::size_t>(c)]; }
    // The ISO week column: its heading "週" and the number of each row;
    // shown only while the settings ask for it.
    DayCellWidget* weekHeading() const { return weekHeading_; }
    DayCellWidget* weekNumber(int row) const { return weekNumbers_[static_cast<std::size_t>(row)]; }
    // The grid over the cells: the focus and the screen readers' table.
    DayGrid* grid() const { return grid_; }
    InfoPane* datePane() const { return datePane_; }
    InfoPane* yearSignPane() const { return yearSignPane_; }
    InfoPane* officerPane() const { return officerPane_; }
    InfoPane* mansionPane() const { return mansionPane_; }
    InfoPane* oldCalendarPane() const { return oldCalendarPane_; }
    // "※" beside the old-calendar pane on a day that hangs on a close call.
    CloseCallMark* closeCallMark() const { return closeCallMark_; }
    InfoPane* moonPane() const { return moonPane_; }
    // The day's lines below the lists: 0 its picked notes, 1 the sun's
    // rise and set, 2 the moon's, over the place of the settings.
    InfoPane* dayLine(int i) const { return dayLines_[static_cast<std::size_t>(i)]; }
    EntryList* eventList() const { return eventList_; }
    EntryList* scheduleList() const { return scheduleList_; }
    const ViewState& state() const { return state_; }

    // The colour set of the grid, the panes and the lists: every control
    // is coloured anew at once.
    void SetColourScheme(ColourScheme scheme);
    ColourScheme colourScheme() const { return scheme_; }

protected:
    void changeEvent(QEvent* event) override;

signals:
    // A schedule was added, edited or deleted (and the file written).
    void schedulesChanged();

private:
    LayoutNeeds MeasureNeeds(int sizeMode) const;
    void ColourControls();  // every control but the cells' texts, in scheme_
    void Show(const ViewState& state);
    // The names a screen reader reads that change with the day: the
    // headings', the week numbers', the date pane's and the lists'.
    void SetSpokenTexts(const SpokenView& spoken);
    void NameControls();  // the fixed names, once
    // The sky lines of the selected day, computed after the step has been
    // drawn (a held key's steps are not kept waiting) and once per day and
    // place.
    void ShowDaySky();
    void OnCellLeftPressed(int k);
    void OnCellRightPressed();
    void OnPaneDoubleClicked(const InfoPane* pane);
    void OnEventListDoubleClicked();
    void OnScheduleListDoubleClicked();
    void OnScheduleListRightClicked(const QPoint& globalPos);
    void OnEditSchedule();
    void OnDeleteSchedule();
    // atCloseCalls: with the focus on the close-call words (the mark asked).
    void OnDetailInfo(bool atCloseCalls = false);
    void OnDirectJump();
    void OnRelativeJump();
    void OnEraConvert();

    MonthOptions Options() const { return MonthOptionsOf(settings_); }

    MonthRecord& rec_;
    const AppSettings& settings_;
    std::string schedulePath_;
    ViewBuilder views_;  // keeps the grid's lines, marks and names
    class ScheduleWatcher* scheduleWatcher_;  // outside changes of schedulePath_
    ViewState state_;
    std::array<DayCellWidget*, 7> headings_{};
    std::array<DayCellWidget*, 42> cells_{};
    DayCellWidget* weekHeading_;
    std::array<DayCellWidget*, kGridRows> weekNumbers_{};
    DayGrid* grid_;
    InfoPane* datePane_;
    InfoPane* yearSignPane_;
    InfoPane* officerPane_;
    InfoPane* mansionPane_;
    InfoPane* oldCalendarPane_;
    CloseCallMark* closeCallMark_;
    // The eclipses of the years beside `year`, found after the paint.
    void PrefetchEclipsesBeside(int year);
    static constexpr int kEclipsePrefetchDelayMs = 100;
    InfoPane* moonPane_;
    std::array<InfoPane*, 3> dayLines_{};
    CalendarDate skyDate_{};         // of the sky lines shown; {} for none
    GeoPosition skyPlace_{0, 0};
    bool skyPending_ = false;
    EntryList* eventList_;
    EntryList* scheduleList_;
    // Needs per size mode, for the second line off and on (the week
    // column's width always measured, used while it is shown).
    mutable std::array<std::array<std::optional<LayoutNeeds>, 2>, 2> needs_{};
    ColourScheme scheme_ = ColourScheme::Light;
    bool shown_ = false;  // state_ holds a month Show was given
};

}  // namespace kalendo
