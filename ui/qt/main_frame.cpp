#include "ui/qt/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

#include "core/calendar_constants.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "ui/ics/window_feed.h"
#include "ui/model/file_locations.h"
#include "ui/model/ics_texts.h"
#include "ui/model/jumps.h"  // the jump commands of the menu
#include "ui/model/sky_texts.h"
#include "ui/model/month_view.h"
#include "ui/model/print_texts.h"
#include "ui/model/reminders.h"
#include "ui/model/text_format.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/config_dialog.h"
#include "ui/qt/desktop_colours.h"
#include "ui/qt/desktop_notifier.h"
#include "ui/qt/ics_export_dialog.h"
#include "ui/qt/month_accessible.h"
#include "ui/qt/month_view.h"
#include "ui/qt/print_dialog.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_hints.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {


// The toolbars are as compact as the frame's fixed sizes need: the month
// toolbar carries fourteen buttons within the 365-pixel frame.
const char kToolBarStyle[] =
    "QToolBar { spacing: 0px; padding: 0px; margin: 0px; }"
    "QToolButton { padding: 0px 1px; margin: 0px; min-width: 14px; }";

std::optional<NavigationKey> NavigationKeyOf(int key) {
    switch (key) {
        case Qt::Key_Left: return NavigationKey::Left;
        case Qt::Key_Right: return NavigationKey::Right;
        case Qt::Key_Up: return NavigationKey::Up;
        case Qt::Key_Down: return NavigationKey::Down;
        case Qt::Key_PageUp: return NavigationKey::PageUp;
        case Qt::Key_PageDown: return NavigationKey::PageDown;
        case Qt::Key_Home: return NavigationKey::Home;
        default: return std::nullopt;
    }
}

// `name`: the object's name; `spokenCp932`: the title a screen reader
// announces, in the user's language rather than the object's name.
QToolBar* NewToolBar(const QString& name, const char* spokenCp932, QWidget* parent) {
    auto* bar = new QToolBar(ToQt(spokenCp932), parent);
    bar->setObjectName(name);
    bar->setAccessibleName(ToQt(spokenCp932));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->setStyleSheet(QString::fromLatin1(kToolBarStyle));
    return bar;
}

// A toolbar that is hidden under the mouse never hears the mouse leave:
// its buttons would show their hover frame again when it comes back.
void ForgetHover(QToolBar* bar) {
    for (QToolButton* button : bar->findChildren<QToolButton*>()) {
        if (!button->testAttribute(Qt::WA_UnderMouse)) continue;
        button->setAttribute(Qt::WA_UnderMouse, false);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        button->update();
    }
}

// Gap between a tooltip and the button it belongs to, pixels.
constexpr int kToolTipGap = 2;

// The month toolbar lies at the bottom of the window, often at the bottom
// of the screen: its tooltips open above the button, over the window,
// instead of below it.
void ShowToolTipAbove(QToolButton* button, const QPoint& globalPos) {
    const QString tip = button->toolTip();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(globalPos, tip, button);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->inherits("QTipLabel") || !w->isVisible()) continue;
        const QPoint top = button->mapToGlobal(QPoint(0, 0));
        w->move(globalPos.x(), top.y() - w->height() - kToolTipGap);
    }
}

// 「毎日のお知らせ」's time today on the local clock, from now; negative once
// it has passed. Qt's local time knows the day's offset, also on a day the
// clock is put forward or back.
std::chrono::milliseconds UntilDailyTime(int minutes) {
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime at(now.date(), QTime(minutes / 60, minutes % 60));
    return std::chrono::milliseconds(now.msecsTo(at));
}

int MinutesNow() {
    const QTime now = QTime::currentTime();
    return now.hour() * 60 + now.minute();
}

}  // namespace

MainFrame::MainFrame(MonthRecord& rec, AppSettings& settings, AppPaths paths,
                     std::string scheduleFile)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      rec_(rec),
      settings_(settings),
      paths_(std::move(paths)) {
    setWindowTitle(QStringLiteral("Kalendo2"));
    // Before the view: Qt asks for its grid's interfaces as soon as it exists.
    InstallMonthAccessibility();
    view_ = new MonthView(rec_, settings_, std::move(scheduleFile), this);
    userFolder_ = paths_.folder;
    connect(view_, &MonthView::schedulesChanged, this, &MainFrame::UpdateFeed);
    setCentralWidget(view_);
    // The offscreen platform has no desktop to ask: the palette alone.
    desktopColours_ = new DesktopColours(QGuiApplication::platformName() != QLatin1String("offscreen"), this);
    connect(desktopColours_, &DesktopColours::changed, this, &MainFrame::ApplyColourScheme);
    ApplyColourScheme();
    BuildMenus();
    BuildToolBars();
    MeasureMenuWidths();
    UpdateModeChecks();
    move(settings_.windowLeft, settings_.windowTop);

    // Precise: a coarse timer may fire up to 5 % early, before midnight.
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &MainFrame::OnTick);
    // The ticks after the first: the window sleeps until the kernel has
    // news of the wall clock, and wakes on nothing else of its own.
    if (clockWatch_.ok()) {
        clockNotifier_ = new QSocketNotifier(clockWatch_.timerFd(), QSocketNotifier::Read, this);
        connect(clockNotifier_, &QSocketNotifier::activated, this, [this] {
            if (clockWatch_.ReadTimer() != WallClockWatch::TimerNews::Nothing) OnTick();
        });
        if (clockWatch_.zoneFd() >= 0) {
            zoneNotifier_ = new QSocketNotifier(clockWatch_.zoneFd(), QSocketNotifier::Read, this);
            connect(zoneNotifier_, &QSocketNotifier::activated, this, [this] {
                if (clockWatch_.ReadZone()) OnTick();
            });
        }
    }
    qApp->installEventFilter(this);

    // 「毎日のお知らせ」: a day the service took is remembered in the settings
    // file at once, so that no restart announces it again, even one after
    // a crash; a failed write is left to the settings' own write at the end.
    notifier_ = new DesktopNotifier(this);
    connect(notifier_, &DesktopNotifier::delivered, this, [this](QDate day) {
        reminderInFlight_ = false;
        settings_.reminderLastDay = CalendarDate{day.year(), day.month(), day.day()};
        WriteFileAtomically(paths_.settingsFile, SettingsText(settings_));
    });
    connect(notifier_, &DesktopNotifier::failed, this, [this] { reminderInFlight_ = false; });
    connect(notifier_, &DesktopNotifier::serviceAppeared, this, [this] { Remind(true); });
    connect(notifier_, &DesktopNotifier::dayClicked, this,
            [this](QDate day) { ShowDayRaised(CalendarDate{day.year(), day.month(), day.day()}); });
}

MainFrame::~MainFrame() { qApp->removeEventFilter(this); }

QAction* MainFrame::AddCommand(int commandId, const char* textCp932, bool checkable) {
    auto* a = new QAction(ToQt(textCp932), this);
    a->setCheckable(checkable);
    a->setData(commandId);
    connect(a, &QAction::triggered, this, [this, commandId] { RunCommand(commandId); });
    actions_[commandId] = a;
    if (checkable) modeActions_.emplace_back(commandId, a);
    return a;
}

QAction* MainFrame::action(int commandId) const {
    const auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

void MainFrame::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(ToQt(kMenuFile));
    startupItem_ = AddCommand(kCmdStartupSettings, kMenuStartup);
    file->addAction(startupItem_);
    file->addAction(AddCommand(kCmdExportIcs, kIcsExportMenu));
    file->addAction(AddCommand(kCmdPrint, kPrintMenu));
    file->addAction(AddCommand(kCmdPrintPreview, kPrintPreviewMenu));
    file->addSeparator();
    file->addAction(AddCommand(kCmdExit, kMenuExit));

    QMenu* view = bar->addMenu(ToQt(kMenuView));
    view->addAction(AddCommand(kCmdDetailInfo, kMenuDetail));
    view->addSeparator();
    view->addAction(AddCommand(kCmdViewFull, kMenuViewFull, true));
    view->addAction(AddCommand(kCmdViewMonthly, kMenuViewMonthly, true));
    view->addSeparator();
    view->addAction(AddCommand(kCmdSizeNormal, kMenuSizeNormal, true));
    view->addAction(AddCommand(kCmdSizeEnlarged, kMenuSizeEnlarged, true));
    view->addSeparator();
    view->addAction(AddCommand(kCmdAlmanacPrecise, kMenuAlmanacPrecise, true));
    view->addAction(AddCommand(kCmdLunarLine, kMenuLunarLine, true));

    QMenu* jump = bar->addMenu(ToQt(kMenuJump));
    jump->addAction(AddCommand(kCmdDirectJump, kMenuDirectJump));
    jump->addAction(AddCommand(kCmdRelativeJump, kMenuRelativeJump));
    jump->addSeparator();
    jump->addAction(AddCommand(kCmdEraConvert, kMenuEraConvert));
    jumpMenu_ = jump->menuAction();

    QMenu* help = bar->addMenu(ToQt(kMenuHelp));
    help->addAction(AddCommand(kCmdHelp, kMenuHelpPage));
    help->addAction(AddCommand(kCmdAbout, kMenuAbout));
    helpMenu_ = help->menuAction();
}

void MainFrame::BuildToolBars() {
    // Navigation buttons get actions of their own (no menu item carries
    // them); the mode buttons share the menu items' checkable actions.
    mainBar_ = NewToolBar(QStringLiteral("main"), kToolBarMainName, this);
    const struct {
        int id;
        const char* label;
        const char* tip;
    } kMainButtons[] = {{kCmdToday, kButtonToday, kTipToday},
                        {kCmdPreviousYear, kButtonPreviousYear, kTipPreviousYear},
                        {kCmdNextYear, kButtonNextYear, kTipNextYear}};
    for (const auto& b : kMainButtons) {
        QAction* a = AddCommand(b.id, b.label);
        a->setToolTip(ToQt(b.tip));
        mainBar_->addAction(a);
    }
    const struct {
        int id;
        const char* label;
        const char* tip;
    } kModeButtons[] = {{kCmdViewFull, kButtonViewFull, kTipViewFull},
                        {kCmdViewMonthly, kButtonViewMonthly, kTipViewMonthly},
                        {kCmdSizeNormal, kButtonSizeNormal, kTipSizeNormal},
                        {kCmdSizeEnlarged, kButtonSizeEnlarged, kTipSizeEnlarged}};
    compactBar_ = NewToolBar(QStringLiteral("compact"), kToolBarCompactName, this);
    for (QToolBar* bar : {mainBar_, compactBar_}) {
        for (int i = 0; i < 4; ++i) {
            if (i % 2 == 0) bar->addSeparator();
            const auto& b = kModeButtons[i];
            // The buttons show the short label; their check marks are set
            // with the menu items' (UpdateModeChecks).
            auto* button = new QAction(ToQt(b.label), bar);
            button->setCheckable(true);
            button->setToolTip(ToQt(b.tip));
            button->setData(b.id);
            connect(button, &QAction::triggered, this, [this, id = b.id] { RunCommand(id); });
            modeActions_.emplace_back(b.id, button);
            bar->addAction(button);
        }
    }
    // The compact toolbar starts with its mode buttons, without a leading
    // separator.
    compactBar_->removeAction(compactBar_->actions().front());
    addToolBar(Qt::TopToolBarArea, mainBar_);
    addToolBar(Qt::TopToolBarArea, compactBar_);

    monthBar_ = NewToolBar(QStringLiteral("month"), kToolBarMonthName, this);
    for (int m = 1; m <= kMonthsPerYear; ++m) {
        QAction* a = new QAction(QString::number(m), this);
        a->setData(kCmdMonth1 + m - 1);
        a->setToolTip(ToQt(FormatText(kTipMonthFormat, m)));
        connect(a, &QAction::triggered, this, [this, id = kCmdMonth1 + m - 1] { RunCommand(id); });
        actions_[kCmdMonth1 + m - 1] = a;
        monthBar_->addAction(a);
    }
    monthBar_->addSeparator();
    QAction* nextWeek = AddCommand(kCmdNextWeek, kButtonNextWeek);
    nextWeek->setToolTip(ToQt(kTipNextWeek));
    monthBar_->addAction(nextWeek);
    QAction* previousWeek = AddCommand(kCmdPreviousWeek, kButtonPreviousWeek);
    previousWeek->setToolTip(ToQt(kTipPreviousWeek));
    monthBar_->addAction(previousWeek);
    addToolBar(Qt::BottomToolBarArea, monthBar_);
}

FrameBars MainFrame::Bars(int viewMode) const {
    // The menu bar and the toolbars keep their heights in every mode; the
    // compact menu is the full one with items hidden, and both fit on one
    // line at the view's width.
    const bool full = viewMode != kViewMonthly;
    const QToolBar* top = full ? mainBar_ : compactBar_;
    int widest = std::max(top->sizeHint().width(), menuWidths_[full ? 0 : 1]);
    if (full) widest = std::max(widest, monthBar_->sizeHint().width());
    return FrameBars{menuBar()->sizeHint().height(), top->sizeHint().height(),
                     full ? monthBar_->sizeHint().height() : 0, widest};
}

FrameSize MainFrame::ClientSize(int sizeMode, int viewMode) const {
    return ClientSizeFor(sizeMode, viewMode, Bars(viewMode), view_->Needs(sizeMode));
}

void MainFrame::MeasureMenuWidths() {
    // The menu bar shows every title on one line only when the window is
    // as wide as they are; with a large desktop menu font they are wider
    // than the view, and the last ones would go behind the bar's overflow
    // button. The compact menu hides the jump and help menus.
    const bool jump = jumpMenu_->isVisible(), help = helpMenu_->isVisible(),
               startup = startupItem_->isVisible();
    for (const bool full : {true, false}) {
        jumpMenu_->setVisible(full);
        helpMenu_->setVisible(full);
        startupItem_->setVisible(full);
        menuWidths_[full ? 0 : 1] = menuBar()->sizeHint().width();
    }
    jumpMenu_->setVisible(jump);
    helpMenu_->setVisible(help);
    startupItem_->setVisible(startup);
}

void MainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) MeasureMenuWidths();
}

void MainFrame::ApplyViewLayout() {
    view_->ApplyLayout(settings_.sizeMode, settings_.viewMode, Bars(settings_.viewMode).widestBar);
}

FrameSizes MainFrame::WindowSizes(bool everySizeMode) const {
    // The window manager's frame around the client area; none before the
    // window is first shown and decorated.
    const QSize margins = frameGeometry().size() - geometry().size();
    FrameSizes sizes{};
    for (int size = 0; size < 2; ++size) {
        if (!everySizeMode && size != (settings_.sizeMode == kSizeEnlarged ? 1 : 0)) continue;
        for (int view = 0; view < 2; ++view) {
            const FrameSize client = ClientSize(size, view);
            sizes.size[size][view] =
                FrameSize{client.width + margins.width(), client.height + margins.height()};
        }
    }
    return sizes;
}

void MainFrame::FirstUpdate() {
    ApplyFrame(ApplyFrameLayout(settings_, ThePlatform().PrimaryScreen(), WindowSizes()));
    // After the first move: a native window created before it would take
    // its position as the client area's instead of the frame's.
    AskForFixedFrame(this);
    ApplyViewLayout();
    view_->FirstUpdate();
    UpdateFeed();
    Remind(true);
    timer_.start(0);
}

void MainFrame::Remind(bool atStart) {
    if (reminderInFlight_) return;
    const CalendarDate today{rec_.year[kToday], rec_.month[kToday], rec_.day[kToday]};
    if (!ReminderDue(settings_, today, MinutesNow(), atStart)) return;
    // Nothing to say is no announcement: the daily time looks again.
    const std::optional<Reminder> reminder = ReminderOf(rec_, settings_);
    if (!reminder) return;
    reminderInFlight_ = true;
    notifier_->Send(*reminder);
}

void MainFrame::ShowDayRaised(const CalendarDate& day) {
    if (ComputeMonth(rec_, day.year, day.month, day.day, MonthOptionsOf(settings_)) == 1) view_->Refresh();
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void MainFrame::UpdateFeed() {
    const std::optional<FeedResult> result = UpdateWindowFeed(rec_, settings_, userFolder_);
    if (!result) return;
    if (result->ok) {
        feedFailureShown_ = false;
    } else if (!feedFailureShown_) {
        // Once: a window that cannot write the file at every midnight and
        // after every schedule would otherwise keep interrupting.
        feedFailureShown_ = true;
        ThePlatform().ShowMessage(WindowFeedFailedMessage(*result));
    }
}

void MainFrame::ApplyFrame(const FrameLayout& layout) {
    placedMargins_ = frameGeometry().size() - geometry().size();
    // The fixed size is the client area's; the window manager's frame lies
    // outside it, and the position is the frame's corner.
    const FrameSize client = ClientSize(settings_.sizeMode, settings_.viewMode);
    setFixedSize(client.width, client.height);
    move(layout.left, layout.top);
    for (QToolBar* bar : {mainBar_, compactBar_, monthBar_}) ForgetHover(bar);
    mainBar_->setVisible(layout.showMainToolbar);
    compactBar_->setVisible(layout.showCompactToolbar);
    monthBar_->setVisible(layout.showMonthToolbar);
    // The compact menu is the full one without the startup item and the
    // date-jump and help menus.
    startupItem_->setVisible(layout.fullMenu);
    jumpMenu_->setVisible(layout.fullMenu);
    helpMenu_->setVisible(layout.fullMenu);
    // The bars and the view take their places now, not at the next pass of
    // the event loop: what is drawn next already has the new layout.
    QMainWindow::layout()->activate();
}

void MainFrame::RunCommand(int commandId) {
    switch (commandId) {
        case kCmdSizeNormal:
        case kCmdSizeEnlarged:
        case kCmdViewFull:
        case kCmdViewMonthly:
        case kCmdAlmanacPrecise:
        case kCmdLunarLine:
            RunModeCommand(commandId);
            return;
        case kCmdStartupSettings:
            // A week column shown or hidden changes the frame's width; the
            // feed follows its setting and the readings at once.
            if (RunConfigDialog(paths_.executable, settings_, WindowFeedPath(settings_, userFolder_), this)) {
                ApplyFrame(ApplyFrameLayout(settings_, ThePlatform().PrimaryScreen(), WindowSizes()));
                ApplyViewLayout();
                view_->Refresh();
                ApplyColourScheme();
                feedFailureShown_ = false;
                UpdateFeed();
                OnTick();  // 「毎日のお知らせ」's time may have moved
            }
            return;
        case kCmdExportIcs:
        {
            const GeoPosition place = SettingsPlace(settings_).position;
            RunIcsExport(rec_, MonthOptionsOf(settings_), this, settings_.rekichuReadings,
                         settings_.rekichuPicks, &place);
        }
            return;
        case kCmdPrint:
        case kCmdPrintPreview:
            RunPrint(rec_, MonthOptionsOf(settings_), commandId == kCmdPrintPreview, this,
                     PrintSettingsOf(settings_), view_->colourScheme());
            return;
        case kCmdExit:
            close();
            return;
        case kCmdAbout: {
            AboutDialog dialog(this);
            dialog.exec();
            return;
        }
        case kCmdHelp:
            OpenHelpPage(paths_.helpPage);
            return;
        default:
            view_->RunCommand(commandId);
            return;
    }
}

void MainFrame::RunModeCommand(int commandId) {
    const ModeCommandEffect effect =
        kalendo::RunModeCommand(settings_, rec_, commandId, ThePlatform().PrimaryScreen(),
                                [this](bool everySizeMode) { return WindowSizes(everySizeMode); });
    UpdateModeChecks();
    if (!effect.changed) return;
    if (effect.applyFrame) ApplyFrame(effect.frame);
    if (effect.applyViewLayout) ApplyViewLayout();
    if (effect.refresh) view_->Refresh();
    if (effect.updateTitle) SetTitle(FrameTitle(rec_));
}

void MainFrame::UpdateModeChecks() {
    // Also after a command that changed nothing: a checkable action has
    // toggled itself when it was triggered.
    for (const auto& [id, a] : modeActions_) {
        a->setChecked(ModeCommandChecked(settings_, id));
    }
}

void MainFrame::OnTick() {
    const TimerTickResult tick = TimerTick(rec_, settings_);
    if (tick.todayChanged) {
        UpdateFeed();
        view_->Refresh();
    }
    SetTitle(tick.title);
    Remind(false);
    const CalendarDate today{rec_.year[kToday], rec_.month[kToday], rec_.day[kToday]};
    const std::chrono::milliseconds delay =
        NextWakeDelay(NextTickDelay(ThePlatform().UntilNextLocalMidnight(), clockWatch_.ok()),
                      UntilDailyTime(settings_.reminderMinutes), settings_, today);
    // The real-time clock's instant: a suspend does not stop it, and a
    // clock set before it wakes the window at once.
    if (!clockWatch_.ok() || !clockWatch_.ArmAt(std::chrono::system_clock::now() + delay)) timer_.start(delay);
}

void MainFrame::ApplyColourScheme() {
    view_->SetColourScheme(SchemeOf(settings_.colourScheme, desktopColours_->prefersDark()));
}

void MainFrame::SetTitle(const std::string& titleCp932) {
    // A tick a second: the window is only touched when the text really
    // changes.
    if (titleCp932 == title_) return;
    title_ = titleCp932;
    setWindowTitle(ToQt(titleCp932));
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* button = qobject_cast<QToolButton*>(watched);
        if (button == nullptr || button->parentWidget() != monthBar_) return false;
        ShowToolTipAbove(button, static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
    // The navigation keys belong to the frame whatever control has the
    // focus: a list or a pane must not take them for its own cursor. Keys
    // for other windows (dialogs, menus) pass.
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this || qobject_cast<QMenuBar*>(widget) != nullptr ||
        QApplication::activePopupWidget() != nullptr || QApplication::activeModalWidget() != nullptr) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    const std::optional<NavigationKey> nav = NavigationKeyOf(key->key());
    if (!nav) return false;
    RunCommand(CommandForKey(*nav));
    return true;
}

void MainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (!PlatformReportsWindowPosition()) return;  // the stored one is kept
    OnFrameMoved(settings_, pos().x(), pos().y(), ThePlatform().PrimaryScreen(), WindowSizes());
    PlaceAgainForNewFrame();
}

void MainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (PlatformReportsWindowPosition()) PlaceAgainForNewFrame();
}

void MainFrame::PlaceAgainForNewFrame() {
    // Before the window manager reparents the window its title bar and
    // borders count as nothing, so a corner near the bottom or right edge
    // was placed for a frame too small by their height and width.
    if (!isVisible() || frameGeometry().size() - geometry().size() == placedMargins_) return;
    ApplyFrame(ApplyFrameLayout(settings_, ThePlatform().PrimaryScreen(), WindowSizes()));
}

void MainFrame::closeEvent(QCloseEvent* event) {
    StorePositionForSessionEnd();
    timer_.stop();
    clockWatch_.Disarm();  // nothing wakes a closed window
    if (zoneNotifier_ != nullptr) zoneNotifier_->setEnabled(false);
    event->accept();
}

void MainFrame::StorePositionForSessionEnd() {
    if (PlatformReportsWindowPosition()) OnFrameClosing(settings_, pos().x(), pos().y());
}

QMenu* MainFrame::createPopupMenu() { return nullptr; }

}  // namespace kalendo
