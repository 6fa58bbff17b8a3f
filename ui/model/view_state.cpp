#include "ui/model/view_state.h"

#include "astro/astronomy.h"
#include "defs/schedules.h"
#include "month/compute_month.h"
#include "ui/model/day_lines.h"
#include "ui/model/model_texts.h"
#include "ui/model/rekichu_view.h"
#include "ui/model/sky_texts.h"
#include "ui/model/text_format.h"

namespace kalendo {
namespace {

// Every accepted target lies in the supported years; before the first one
// the target fields are -1.
bool HasTarget(const MonthRecord& rec) { return rec.year[kTarget] > 0; }

bool InComputedYears(int year) { return year >= kFirstComputedYear && year <= kLastComputedYear; }

}  // namespace

ViewState BuildViewState(const MonthRecord& rec, WeekStart start) {
    ViewState v;
    v.weekStart = start;
    for (int c = 0; c < kGridColumns; ++c) v.headings[static_cast<std::size_t>(c)] = HeadingForColumn(c, start);
    v.weekNumbers = WeekNumbersOfGrid(rec, start);
    for (int row = 0; row < kGridRows; ++row) {
        const int week = v.weekNumbers[static_cast<std::size_t>(row)];
        if (week > 0) v.weekNumberTexts[static_cast<std::size_t>(row)] = std::to_string(week);
    }
    if (HasTarget(rec)) {
        v.target = TargetDate(rec);
        v.datePane = DatePaneText(rec);
        v.grid = FillMonthGrid(rec, start);
        v.oldCalendarPane = OldCalendarPaneText(rec);
        v.yearSignPane = YearSignPaneText(rec);
        v.officer = OfficerPane(rec);
        v.mansion = MansionPane(rec);
        const CalendarDate& t = v.target;
        v.moonAge = MoonAgeAtNoon(rec, t.year, t.month, t.day);
        v.moonPane = MoonPaneText(rec, v.moonAge);
        v.eventList = FillEventList(rec);
        v.scheduleList = FillScheduleList(rec);
    } else {
        v.grid = FillMonthGrid(rec, start);
    }
    for (int k = 0; k < kGridCells; ++k) {
        const int day = v.grid[static_cast<std::size_t>(k)].day;
        if (day > 0 && day == rec.day[kTarget]) v.selectedCell = k;
    }
    v.title = FrameTitle(rec);
    return v;
}

ViewOptions WindowViewOptions(const AppSettings& s) {
    ViewOptions o;
    o.weekStart = s.weekStart;
    o.lunarLine = s.lunarLine;
    o.windowParts = true;
    o.readings = s.rekichuReadings;
    o.rekichuPicks = s.rekichuPicks;
    o.place = SettingsPlace(s).position;
    return o;
}

ViewState ViewBuilder::Build(const MonthRecord& rec, const ViewOptions& options) {
    ViewState v = BuildViewState(rec, options.weekStart);
    options_ = options;
    // Only while the line is shown: the step through the months costs
    // nothing more when it is off.
    if (options.lunarLine) lunarTexts_.AddTo(rec, v.grid);
    if (!options.windowParts) return v;

    if (HasTarget(rec)) {
        const auto eclipses = eclipses_.OfGrid(options.place, v.target.year, v.target.month, v.grid);
        const auto picked = rekichuMarks_.OfGrid(rec, v.grid, options.readings, options.rekichuPicks);
        for (std::size_t k = 0; k < v.grid.size(); ++k) {
            v.grid[k].eclipseMark = eclipses[k] != nullptr;
            v.grid[k].rekichuMark = picked[k] != 0;
        }
        v.rekichuLine = RekichuLineText(
            RekichuLineNotes(rec, v.eventList, options.readings, options.rekichuPicks));
    }
    v.closeCalls = BuildCloseCallTexts(rec, options.readings);

    SpokenView& s = v.spoken;
    s.grid = GridName(rec);
    for (int c = 0; c < kGridColumns; ++c) {
        s.headings[static_cast<std::size_t>(c)] = SpokenWeekday(WeekdayOfColumn(c, options.weekStart));
    }
    for (int row = 0; row < kGridRows; ++row) {
        const int week = v.weekNumbers[static_cast<std::size_t>(row)];
        if (week > 0) s.weekNumbers[static_cast<std::size_t>(row)] = FormatText(kSpokenIsoWeekFormat, week);
    }
    if (HasTarget(rec)) {
        s.datePane = DatePaneName(rec);
        s.eventList = SpokenRows(v.eventList);
        s.scheduleList = SpokenRows(v.scheduleList);
    }
    return v;
}

ViewState ViewBuilder::First(MonthRecord& rec, MonthOptions monthOptions, const ViewOptions& options) {
    UpdateToday(rec);
    ComputeMonth(rec, rec.year[kToday], rec.month[kToday], rec.day[kToday], monthOptions);
    RemovePastSchedules(rec);
    return Build(rec, options);
}

const std::array<std::string, kGridCells>& ViewBuilder::CellNames(const MonthRecord& rec, ViewState& state) {
    SpokenView& s = state.spoken;
    if (s.cellsNamed) return s.cells;
    const std::array<std::string, kGridCells> names = dayNames_.Of(rec, state.weekStart);
    std::array<const Eclipse*, kGridCells> eclipses{};
    if (state.target.year > 0) {
        eclipses = eclipses_.OfGrid(options_.place, state.target.year, state.target.month, state.grid);
    }
    PickedRekichu picked(rec, options_.readings, options_.rekichuPicks);
    for (std::size_t i = 0; i < s.cells.size(); ++i) {
        std::string name = names[i];
        const int day = state.grid[i].day;
        if (day != 0 && options_.rekichuPicks != 0) {
            const CalendarDate date = CellClickTarget(rec, day);
            if (InComputedYears(date.year)) name += SpokenRekichu(picked.Of(date));
        }
        if (const Eclipse* e = eclipses[i]) name += SpokenEclipse(*e);
        s.cells[i] = std::move(name);
    }
    s.cellsNamed = true;
    return s.cells;
}

}  // namespace kalendo
