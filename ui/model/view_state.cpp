#include "ui/model/view_state.h"

#include "astro/astronomy.h"
#include "defs/schedules.h"
#include "month/compute_month.h"

namespace kalendo {
namespace {

// Every accepted target lies in the supported years; before the first one
// the target fields are -1.
bool HasTarget(const MonthRecord& rec) { return rec.year[kTarget] > 0; }

}  // namespace

ViewState BuildViewState(const MonthRecord& rec, WeekStart start) {
    ViewState v;
    v.weekStart = start;
    v.weekNumbers = WeekNumbersOfGrid(rec, start);
    if (HasTarget(rec)) {
        v.datePane = DatePaneText(rec);
        v.grid = FillMonthGrid(rec, start);
        v.oldCalendarPane = OldCalendarPaneText(rec);
        v.yearSignPane = YearSignPaneText(rec);
        v.officer = OfficerPane(rec);
        v.mansion = MansionPane(rec);
        const CalendarDate t = TargetDate(rec);
        v.moonAge = MoonAgeAtNoon(rec, t.year, t.month, t.day);
        v.moonPane = MoonPaneText(rec, v.moonAge);
        v.eventList = FillEventList(rec);
        v.scheduleList = FillScheduleList(rec);
    } else {
        v.grid = FillMonthGrid(rec, start);
    }
    v.title = FrameTitle(rec);
    return v;
}

ViewState FirstViewUpdate(MonthRecord& rec, MonthOptions options, WeekStart start) {
    UpdateToday(rec);
    ComputeMonth(rec, rec.year[kToday], rec.month[kToday], rec.day[kToday], options);
    RemovePastSchedules(rec);
    return BuildViewState(rec, start);
}

}  // namespace kalendo
