#include "ui/qt/month_view.h"

#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <utility>

#include "month/compute_month.h"
#include "ui/model/eclipse_texts.h"
#include "ui/model/day_lines.h"
#include "ui/model/day_lines_texts.h"
#include "ui/model/day_texts.h"
#include "ui/model/jumps.h"
#include "ui/model/lists.h"
#include "ui/model/lunisolar_days.h"
#include "ui/model/model_texts.h"
#include "ui/model/month_view.h"
#include "ui/model/rekichu_view.h"
#include "ui/model/schedule_edit.h"
#include "ui/model/sky_texts.h"
#include "ui/qt/command_ids.h"
#include "ui/qt/day_cell_widget.h"
#include "ui/qt/day_grid.h"
#include "ui/qt/detail_dialog.h"
#include "ui/qt/direct_jump_dialog.h"
#include "ui/qt/entry_list.h"
#include "ui/qt/era_convert_dialog.h"
#include "ui/qt/fonts.h"
#include "ui/qt/info_pane.h"
#include "ui/qt/close_call_words.h"
#include "ui/qt/memo_dialog.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/relative_jump_dialog.h"
#include "ui/qt/schedule_dialog.h"
#include "ui/qt/schedule_watcher.h"
#include "ui/qt/viewer.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

void Place(QWidget* w, const ControlRect& r) { w->setGeometry(r.x, r.y, r.width, r.height); }

QColor SchemeQColor(ColourRole role, ColourScheme scheme) { return ToQColor(SchemeColour(role, scheme)); }

// The fonts of the layouts: the grid's in twips, the panes' and lists' in
// tenths of a point; the normal grid uses the "System" face, the enlarged
// one "ＭＳ ゴシック".
QFont GridFont(int sizeMode, int twips) {
    return FaceFont(sizeMode == kSizeEnlarged ? kFaceGothic : kFaceSystem, PointsFromTwips(twips),
                    true);
}

QFont TenthsFont(int tenths) { return FaceFont(kFaceGothic, tenths / 10.0); }

// The week numbers: smaller than the days, in the lists' font, so that the
// column takes little room from the frame.
QFont WeekColumnFont(const ViewLayout& l) { return TenthsFont(l.listFontTenths); }

// The day numbers' font: the layout's, or a narrower one where its widest
// day would crowd the table's cell.
QFont CellFont(int sizeMode, const ViewLayout& table) {
    return FontFittingDayNumbers(GridFont(sizeMode, table.cellFontTwips), table.cells[0].width);
}

std::vector<QString> QtTexts(const std::vector<std::string>& textsCp932) {
    std::vector<QString> texts;
    for (const std::string& t : textsCp932) texts.push_back(ToQt(t));
    return texts;
}

std::vector<QString> TwoDigitDays() {
    std::vector<QString> days;
    for (int day = 10; day <= 31; ++day) days.push_back(QString::number(day));
    return days;
}

std::vector<QString> WeekdayTexts() {
    std::vector<QString> texts;
    for (int c = 0; c < kGridColumns; ++c) texts.push_back(ToQt(HeadingForColumn(c).text));
    return texts;
}

// Runs a schedule dialog for a session; nullopt when it was cancelled.
std::optional<ScheduleDialogValues> AskSchedule(const ScheduleEditSession& session,
                                                QWidget* parent) {
    ScheduleDialog dialog(session.initial, ScheduleDialogCaption(session), parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.values();
}

}  // namespace

MonthView::MonthView(MonthRecord& rec, const AppSettings& settings, std::string schedulePath,
                     QWidget* parent)
    : QWidget(parent), rec_(rec), settings_(settings), schedulePath_(std::move(schedulePath)) {
    datePane_ = new InfoPane(this);
    for (int c = 0; c < kGridColumns; ++c) {
        const WeekdayHeading h = HeadingForColumn(c);
        // The Sunday heading is the one without a frame.
        auto* heading = new DayCellWidget(-1, c != 0, this);
        heading->SetContent(ToQt(h.text), SchemeQColor(h.ink, scheme_),
                            SchemeQColor(ColourRole::HeadingBackground, scheme_));
        headings_[static_cast<std::size_t>(c)] = heading;
    }
    weekHeading_ = new DayCellWidget(-1, true, this);
    weekHeading_->SetContent(ToQt(kWeekColumnHeading), SchemeQColor(ColourRole::WeekdayText, scheme_),
                             SchemeQColor(ColourRole::HeadingBackground, scheme_));
    for (DayCellWidget*& number : weekNumbers_) number = new DayCellWidget(-1, true, this);
    for (int k = 0; k < kGridCells; ++k) {
        auto* cell = new DayCellWidget(k, true, this);
        connect(cell, &DayCellWidget::leftPressed, this, &MonthView::OnCellLeftPressed);
        connect(cell, &DayCellWidget::rightPressed, this, [this] { OnCellRightPressed(); });
        cells_[static_cast<std::size_t>(k)] = cell;
    }
    // Enter or the Menu key on the focused grid does what a right click does.
    grid_ = new DayGrid(
        cells_, [this]() -> const std::array<std::string, kGridCells>& { return views_.CellNames(rec_, state_); },
        this);
    connect(grid_, &DayGrid::menuRequested, this, [this] { OnCellRightPressed(); });
    yearSignPane_ = new InfoPane(this);
    officerPane_ = new InfoPane(this);
    mansionPane_ = new InfoPane(this);
    oldCalendarPane_ = new InfoPane(this);
    moonPane_ = new InfoPane(this);
    for (InfoPane*& line : dayLines_) line = new InfoPane(this);
    dayLines_[0]->setAccessibleName(ToQt(kRekichuLineName));
    dayLines_[1]->setAccessibleName(ToQt(kSunLineName));
    dayLines_[2]->setAccessibleName(ToQt(kMoonLineName));
    closeCallMark_ = new CloseCallMark(this);
    connect(closeCallMark_, &CloseCallMark::activated, this, [this] { OnDetailInfo(true); });
    for (InfoPane* pane : {datePane_, yearSignPane_, officerPane_, mansionPane_, oldCalendarPane_,
                           moonPane_}) {
        connect(pane, &InfoPane::doubleClicked, this, [this, pane] { OnPaneDoubleClicked(pane); });
    }
    eventList_ = new EntryList(false, this);
    scheduleList_ = new EntryList(true, this);
    connect(eventList_, &EntryList::rowDoubleClicked, this, &MonthView::OnEventListDoubleClicked);
    connect(scheduleList_, &EntryList::rowDoubleClicked, this,
            &MonthView::OnScheduleListDoubleClicked);
    connect(scheduleList_, &EntryList::rightClicked, this, &MonthView::OnScheduleListRightClicked);
    scheduleWatcher_ = new ScheduleWatcher(rec_, schedulePath_, this);
    connect(scheduleWatcher_, &ScheduleWatcher::tableChanged, this, [this] { Refresh(); });
    NameControls();
    ColourControls();
}

LayoutNeeds MonthView::Needs(int sizeMode) const {
    std::optional<LayoutNeeds>& known =
        needs_[sizeMode == kSizeEnlarged ? 1 : 0][settings_.lunarLine ? 1 : 0];
    if (!known) known = MeasureNeeds(sizeMode);
    LayoutNeeds needs = *known;
    if (!settings_.weekNumbers) needs.weekColumnWidth = 0;
    return needs;
}

LayoutNeeds MonthView::MeasureNeeds(int sizeMode) const {
    const ViewLayout table = ViewLayoutFor(sizeMode, kViewFull);
    const SizingTexts& widest = WidestTexts();
    LayoutNeeds needs;
    const QFont lunarFont = LunarLineFont(sizeMode == kSizeEnlarged);
    const QSize cellSize =
        DayCellWidget::NeededSize(CellFont(sizeMode, table), TwoDigitDays(),
                                  settings_.lunarLine ? &lunarFont : nullptr,
                                  QtTexts(widest.lunarLine));
    needs.cellWidth = cellSize.width();
    needs.cellHeight = cellSize.height();
    const QSize headingSize = DayCellWidget::NeededSize(
        GridFont(sizeMode, table.headingFontTwips), WeekdayTexts(), nullptr, {});
    needs.headingWidth = headingSize.width();
    needs.headingHeight = headingSize.height();
    // The widest week number, "53", and the heading "週".
    needs.weekColumnWidth =
        DayCellWidget::NeededSize(WeekColumnFont(table), {QStringLiteral("53"), ToQt(kWeekColumnHeading)},
                                  nullptr, {})
            .width();
    const QFont paneFont = TenthsFont(table.paneFontTenths);
    const struct {
        const InfoPane* pane;
        const std::vector<std::string>* texts;
        int* width;
    } panes[] = {{datePane_, &widest.datePane, &needs.datePaneWidth},
                 {yearSignPane_, &widest.yearSign, &needs.yearSignWidth},
                 {oldCalendarPane_, &widest.oldCalendar, &needs.oldCalendarWidth},
                 {officerPane_, &widest.officer, &needs.officerWidth},
                 {mansionPane_, &widest.mansion, &needs.mansionWidth},
                 {moonPane_, &widest.moon, &needs.moonWidth}};
    for (const auto& p : panes) {
        // Measured as drawn: with the style sheet's frame, which the pane
        // takes only when polished.
        p.pane->ensurePolished();
        const QSize size = p.pane->SizeFor(*p.texts, paneFont);
        *p.width = size.width();
        needs.paneHeight = std::max(needs.paneHeight, size.height());
    }
    const QSize lines = dayLines_[0]->SizeFor(widest.dayLines, TenthsFont(table.listFontTenths));
    needs.dayLineWidth = lines.width();
    needs.paneHeight = std::max(needs.paneHeight, lines.height());
    return needs;
}

void MonthView::changeEvent(QEvent* event) {
    // Another style or font measures differently.
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) needs_ = {};
    QWidget::changeEvent(event);
}

void MonthView::ApplyLayout(int sizeMode, int viewMode, int barsWidth) {
    LayoutNeeds needs = Needs(sizeMode);
    needs.barsWidth = barsWidth;
    const ViewLayout l = ViewLayoutFor(sizeMode, viewMode, needs);
    Place(datePane_, l.datePane);
    const QFont headingFont = GridFont(sizeMode, l.headingFontTwips);
    for (int c = 0; c < kGridColumns; ++c) {
        Place(heading(c), l.headings[static_cast<std::size_t>(c)]);
        heading(c)->SetTextFont(headingFont);
    }
    const QFont cellFont = CellFont(sizeMode, ViewLayoutFor(sizeMode, viewMode));
    const QFont lunarFont = LunarLineFont(sizeMode == kSizeEnlarged);
    for (int k = 0; k < kGridCells; ++k) {
        Place(cell(k), l.cells[static_cast<std::size_t>(k)]);
        cell(k)->SetTextFont(cellFont);
        cell(k)->SetLunarLine(settings_.lunarLine, lunarFont);
    }
    const QFont weekFont = WeekColumnFont(l);
    Place(weekHeading_, l.weekHeading);
    weekHeading_->SetTextFont(weekFont);
    weekHeading_->setVisible(settings_.weekNumbers);
    for (int row = 0; row < kGridRows; ++row) {
        Place(weekNumber(row), l.weekNumbers[static_cast<std::size_t>(row)]);
        weekNumber(row)->SetTextFont(weekFont);
        weekNumber(row)->setVisible(settings_.weekNumbers);
    }
    Place(yearSignPane_, l.yearSignPane);
    Place(officerPane_, l.officerPane);
    Place(mansionPane_, l.mansionPane);
    Place(oldCalendarPane_, l.oldCalendarPane);
    // At the pane's right end, where its centred text leaves room; a label
    // of its own, above the pane.
    const ControlRect& old = l.oldCalendarPane;
    Place(closeCallMark_, {old.x + old.width - old.height, old.y, old.height, old.height});
    closeCallMark_->raise();
    Place(moonPane_, l.moonPane);
    const QFont paneFont = TenthsFont(l.paneFontTenths);
    for (InfoPane* pane : {datePane_, yearSignPane_, officerPane_, mansionPane_, oldCalendarPane_,
                           moonPane_}) {
        pane->SetPaneFont(paneFont);
    }
    closeCallMark_->setFont(paneFont);
    Place(eventList_, l.eventList);
    Place(scheduleList_, l.scheduleList);
    const QFont listFont = TenthsFont(l.listFontTenths);
    eventList_->setFont(listFont);
    scheduleList_->setFont(listFont);
    for (int i = 0; i < kDayLineCount; ++i) {
        Place(dayLine(i), l.dayLines[static_cast<std::size_t>(i)]);
        dayLine(i)->SetPaneFont(listFont);
    }
    const int eventWidth = eventList_->InnerWidth();
    eventList_->SetColumns({kEventListHeading}, {EventListColumnWidth(eventWidth)});
    const int scheduleWidth = scheduleList_->InnerWidth();
    scheduleList_->SetColumns({kScheduleListDayHeading, kScheduleListTextHeading},
                              {ScheduleListDayColumnWidth(scheduleWidth),
                               ScheduleListTextColumnWidth(scheduleWidth)});

    // The monthly frame is too small for what lies below and beside the
    // grid; hidden, those controls cannot take the focus either.
    const bool full = viewMode != kViewMonthly;
    for (QWidget* w : {static_cast<QWidget*>(yearSignPane_), static_cast<QWidget*>(officerPane_),
                       static_cast<QWidget*>(mansionPane_),
                       static_cast<QWidget*>(oldCalendarPane_), static_cast<QWidget*>(closeCallMark_),
                       static_cast<QWidget*>(moonPane_),
                       static_cast<QWidget*>(eventList_), static_cast<QWidget*>(scheduleList_),
                       static_cast<QWidget*>(dayLines_[0]), static_cast<QWidget*>(dayLines_[1]),
                       static_cast<QWidget*>(dayLines_[2])}) {
        w->setVisible(full);
    }
}

void MonthView::FirstUpdate() {
    Show(views_.First(rec_, Options(), WindowViewOptions(settings_)));
    grid_->setFocus();  // the keys act on the days from the start
}

void MonthView::Refresh() { Show(views_.Build(rec_, WindowViewOptions(settings_))); }

void MonthView::Show(const ViewState& state) {
    const MonthGrid before = state_.grid;
    state_ = state;
    shown_ = true;
    datePane_->SetTexts(state.datePane);
    for (int c = 0; c < kGridColumns; ++c) {
        const WeekdayHeading& h = state.headings[static_cast<std::size_t>(c)];
        heading(c)->SetContent(ToQt(h.text), SchemeQColor(h.ink, scheme_),
                               SchemeQColor(ColourRole::HeadingBackground, scheme_));
    }
    for (int row = 0; row < kGridRows; ++row) {
        weekNumber(row)->SetContent(ToQt(state.weekNumberTexts[static_cast<std::size_t>(row)]),
                                    SchemeQColor(ColourRole::WeekdayText, scheme_),
                                    SchemeQColor(ColourRole::HeadingBackground, scheme_));
    }
    PrefetchEclipsesBeside(state.target.year);
    for (int k = 0; k < kGridCells; ++k) {
        const DayCell& c = state.grid[static_cast<std::size_t>(k)];
        cell(k)->SetContent(ToQt(c.text), SchemeQColor(c.ink, scheme_), SchemeQColor(c.ground, scheme_));
        cell(k)->SetEclipseMark(c.eclipseMark);
        cell(k)->SetRekichuMark(c.rekichuMark);
        if (c.lunarText != before[static_cast<std::size_t>(k)].lunarText) cell(k)->SetLunarText(ToQt(c.lunarText));
    }
    oldCalendarPane_->SetTexts(state.oldCalendarPane);
    ShowCloseCallWords(oldCalendarPane_, closeCallMark_, state.closeCalls);
    yearSignPane_->SetTexts(state.yearSignPane);
    officerPane_->SetTexts(state.officer.text, state.officer.detailTitle, state.officer.detailText);
    mansionPane_->SetTexts(state.mansion.text, state.mansion.detailTitle, state.mansion.detailText);
    moonPane_->SetTexts(state.moonPane);
    eventList_->SetRows(state.eventList);
    scheduleList_->SetRows(state.scheduleList);
    if (state.target.year > 0) {
        dayLines_[0]->SetTexts(state.rekichuLine);
        const GeoPosition place = SettingsPlace(settings_).position;
        if (!(skyDate_ == state.target && skyPlace_.latitudeDeg == place.latitudeDeg &&
              skyPlace_.longitudeDeg == place.longitudeDeg)) {
            // Blank until the day's own times are in: never another day's.
            dayLines_[1]->SetTexts({});
            dayLines_[2]->SetTexts({});
            skyDate_ = {};
            if (!skyPending_) {
                skyPending_ = true;
                QTimer::singleShot(0, this, &MonthView::ShowDaySky);
            }
        }
    }
    grid_->Show(state);
    SetSpokenTexts(state.spoken);
}

void MonthView::NameControls() {
    const struct {
        InfoPane* pane;
        const char* name;
    } panes[] = {{officerPane_, kOfficerPaneName},
                 {mansionPane_, kMansionPaneName},
                 {oldCalendarPane_, kOldCalendarPaneName},
                 {moonPane_, kMoonPaneName},
                 {yearSignPane_, kYearSignPaneName}};
    for (const auto& p : panes) p.pane->setAccessibleName(ToQt(p.name));
    eventList_->setAccessibleName(ToQt(kEventListHeading));
    scheduleList_->setAccessibleName(ToQt(kScheduleListName));
}

void MonthView::SetSpokenTexts(const SpokenView& spoken) {
    for (int c = 0; c < kGridColumns; ++c) {
        heading(c)->setAccessibleName(ToQt(spoken.headings[static_cast<std::size_t>(c)]));
    }
    for (int row = 0; row < kGridRows; ++row) {
        weekNumber(row)->setAccessibleName(ToQt(spoken.weekNumbers[static_cast<std::size_t>(row)]));
    }
    datePane_->setAccessibleName(ToQt(spoken.datePane));
    eventList_->setAccessibleDescription(ToQt(spoken.eventList));
    scheduleList_->setAccessibleDescription(ToQt(spoken.scheduleList));
}

void MonthView::ShowDaySky() {
    skyPending_ = false;
    const CalendarDate day = state_.target;
    if (day.year < kFirstComputedYear || day.year > kLastComputedYear) return;
    const GeoPosition place = SettingsPlace(settings_).position;
    const DaySky sky = ComputeDaySky(day.year, day.month, day.day, place);
    dayLines_[1]->SetTexts(SunLineText(sky));
    dayLines_[2]->SetTexts(MoonLineText(sky));
    skyDate_ = day;
    skyPlace_ = place;
}

void MonthView::SetColourScheme(ColourScheme scheme) {
    if (scheme == scheme_) return;
    scheme_ = scheme;
    ColourControls();
    // The cells' texts and grounds by their meanings, once a month is shown.
    if (shown_) Show(ViewState(state_));
}

void MonthView::ColourControls() {
    const ColourScheme scheme = scheme_;
    for (DayCellWidget* w : headings_) w->SetColourScheme(scheme);
    for (DayCellWidget* w : cells_) w->SetColourScheme(scheme);
    for (DayCellWidget* w : weekNumbers_) w->SetColourScheme(scheme);
    weekHeading_->SetColourScheme(scheme);
    weekHeading_->SetContent(weekHeading_->text(), SchemeQColor(ColourRole::WeekdayText, scheme),
                             SchemeQColor(ColourRole::HeadingBackground, scheme));
    for (InfoPane* pane : {datePane_, yearSignPane_, officerPane_, mansionPane_, oldCalendarPane_, moonPane_}) {
        pane->SetColourScheme(scheme);
    }
    for (InfoPane* line : dayLines_) line->SetColourScheme(scheme);
    // The mark lies over the old-calendar pane's ground, not the frame's.
    QPalette mark = closeCallMark_->palette();
    mark.setColor(QPalette::WindowText, SchemeQColor(ColourRole::CloseCallMark, scheme));
    closeCallMark_->setPalette(mark);
    eventList_->SetColourScheme(scheme);
    scheduleList_->SetColourScheme(scheme);
}

bool MonthView::RunCommand(int commandId) {
    switch (commandId) {
        case kCmdDetailInfo: OnDetailInfo(); return true;
        case kCmdDirectJump: OnDirectJump(); return true;
        case kCmdRelativeJump: OnRelativeJump(); return true;
        case kCmdEraConvert: OnEraConvert(); return true;
        case kCmdEditSchedule: OnEditSchedule(); return true;
        case kCmdDeleteSchedule: OnDeleteSchedule(); return true;
        default: break;
    }
    // Every navigation command refreshes, also after a refused date.
    if (RunNavigationCommand(rec_, commandId, Options()) < 0) return false;
    Refresh();
    return true;
}

void MonthView::PrefetchEclipsesBeside(int year) {
    // Once painted, while the window waits for the next key: a step into
    // the year before or after then finds its eclipses kept. Nothing is
    // scheduled once both are kept, so an idle window stays asleep.
    const GeoPosition where = SettingsPlace(settings_).position;
    for (const int y : {year - 1, year + 1}) {
        if (y < kFirstComputedYear || y > kLastComputedYear || views_.eclipses().Keeps(where, y)) continue;
        QTimer::singleShot(kEclipsePrefetchDelayMs, this, [this, y] {
            const int shownYear = TargetDate(rec_).year;
            if (y == shownYear - 1 || y == shownYear + 1) {
                views_.eclipses().PrefetchYear(SettingsPlace(settings_).position, y);
            }
        });
    }
}

void MonthView::OnCellLeftPressed(int k) {
    const int day = state_.grid[static_cast<std::size_t>(k)].day;
    if (day == 0) return;  // no month computed yet: the cell shows no day
    grid_->setFocus(Qt::MouseFocusReason);
    RunCellLeftClick(rec_, day, Options());
    Refresh();
}

void MonthView::OnCellRightPressed() {
    // The new schedule goes on the selected day, whichever cell was clicked.
    if (const std::optional<ScheduleEditSession> session = OpenNewScheduleDialog(rec_)) {
        FinishNewSchedule(rec_, schedulePath_, *session, AskSchedule(*session, this));
        emit schedulesChanged();
    }
    Refresh();
}

void MonthView::OnPaneDoubleClicked(const InfoPane* pane) {
    if (pane->detailTitle().empty()) return;
    MemoDialog dialog(MemoContent{pane->detailTitle(), pane->detailText()}, this);
    dialog.exec();
}

void MonthView::OnEventListDoubleClicked() {
    const std::optional<MemoContent> memo =
        EventListMemo(rec_, eventList_->rows(), eventList_->SelectionMark());
    if (!memo) return;
    MemoDialog dialog(*memo, this);
    dialog.exec();
}

void MonthView::OnScheduleListDoubleClicked() {
    const std::optional<MemoContent> memo =
        ScheduleListMemo(rec_, scheduleList_->rows(), scheduleList_->SelectionMark());
    if (!memo) return;
    MemoDialog dialog(*memo, this);
    dialog.exec();
}

void MonthView::OnScheduleListRightClicked(const QPoint& globalPos) {
    if (scheduleList_->SelectionMark() < 0) return;
    QMenu menu(this);
    QAction* edit = menu.addAction(ToQt(kMenuEditSchedule));
    QAction* remove = menu.addAction(ToQt(kMenuDeleteSchedule));
    const QAction* chosen = menu.exec(globalPos);
    if (chosen == edit) RunCommand(kCmdEditSchedule);
    else if (chosen == remove) RunCommand(kCmdDeleteSchedule);
}

void MonthView::OnEditSchedule() {
    const std::optional<ScheduleEditSession> session =
        OpenEditScheduleDialog(rec_, scheduleList_->rows(), scheduleList_->SelectionMark());
    if (!session) return;  // no row, or a user event: not edited here
    FinishEditSchedule(rec_, schedulePath_, *session, AskSchedule(*session, this));
    emit schedulesChanged();
    Refresh();
}

void MonthView::OnDeleteSchedule() {
    if (DeleteScheduleRow(rec_, schedulePath_, scheduleList_->rows(),
                          scheduleList_->SelectionMark())) {
        emit schedulesChanged();
        Refresh();
    }
}

void MonthView::OnDetailInfo(bool atCloseCalls) {
    const CalendarDate t = TargetDate(rec_);
    const NamedPlace place = SettingsPlace(settings_);
    const Eclipse* eclipse = views_.eclipses().OnDay(place.position, t.year, t.month, t.day);
    DetailDialog dialog(BuildDetailTexts(rec_), this, state_.closeCalls.detail,
                        eclipse ? EclipseDetailText(*eclipse, place.name) : std::string(),
                        RekichuDetailText(rec_, settings_.rekichuReadings),
                        SkyDetailText(place, ComputeDaySky(t.year, t.month, t.day, place.position)));
    if (atCloseCalls && dialog.closeCallViewer()) dialog.closeCallViewer()->setFocus();
    dialog.exec();
}

void MonthView::OnDirectJump() {
    DirectJumpDialog dialog(rec_, Options(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (RunDirectJump(rec_, dialog.yearText(), dialog.monthText(), dialog.dayText(), Options()) ==
        1) {
        Refresh();
    }
}

void MonthView::OnRelativeJump() {
    RelativeJumpDialog dialog(rec_, Options(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (RunRelativeJump(rec_, dialog.numberText(), dialog.unit(), Options()) == 1) Refresh();
}

void MonthView::OnEraConvert() {
    EraConvertDialog dialog(
        rec_, OpenEraConvert(rec_, rec_.year[kTarget], rec_.month[kTarget], rec_.day[kTarget]),
        this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (MoveToEraConverted(rec_, dialog.state(), Options()) == 1) Refresh();
}

}  // namespace kalendo
