// The frame: the program's one top-level window. Its fixed size follows the
// two display modes; it carries the main, compact and month toolbars and
// the full or compact menu, keeps its position in AppSettings, runs the
// date timer that keeps the title on today's date (a tick just after each
// local midnight, NextTickDelay, and at once when the kernel reports a
// clock set, a resume or a new time zone, WallClockWatch), and routes every
// command (menus, toolbar buttons, navigation keys) to the month view or
// the application's own dialogs. The rules (sizes, shifts, re-centring,
// what each mode command does) are the model's.
#pragma once

#include <QMainWindow>
#include <QSocketNotifier>
#include <QTimer>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/month_record.h"
#include "platform/wall_clock_watch.h"
#include "ui/model/frame.h"
#include "ui/model/settings.h"
#include "ui/qt/command_ids.h"

class QToolBar;

namespace kalendo {

class DesktopNotifier;
class MonthView;

class MainFrame : public QMainWindow {
    Q_OBJECT

public:
    // Created at the stored position; nothing is shown or computed yet.
    // Schedule changes are saved to scheduleFile.
    MainFrame(MonthRecord& rec, AppSettings& settings, AppPaths paths, std::string scheduleFile);
    ~MainFrame() override;

    // The view's first update: the frame layout of the stored modes, the
    // view's layout, today's month and every display, then the date timer,
    // whose first tick comes as soon as the event loop runs.
    void FirstUpdate();

    // Any command id of the menus, toolbars, keys and pop-up menu.
    void RunCommand(int commandId);

    // The action of a command (menu item and toolbar button share it);
    // nullptr for an id without one.
    QAction* action(int commandId) const;
    QToolBar* mainToolBar() const { return mainBar_; }
    QToolBar* compactToolBar() const { return compactBar_; }
    QToolBar* monthToolBar() const { return monthBar_; }
    MonthView* view() const { return view_; }
    // The date timer: single-shot, re-armed by each tick; the first tick,
    // and every tick where the kernel gives no clock watch.
    QTimer& timer() { return timer_; }
    // The kernel's clock watch the ticks after the first wait on.
    WallClockWatch& clockWatch() { return clockWatch_; }

    // The log-on is ending: the corner is stored as on closing.
    void StorePositionForSessionEnd();

    // The user's folder (FileLocations::userFolder), where the window's
    // feed goes by default; the program's folder until told.
    void SetUserFolder(std::string folder) { userFolder_ = std::move(folder); }
    // The feed rewritten when 設定 keeps it (UpdateWindowFeed); a failure
    // is shown once, and again only after the feed was written once more.
    void UpdateFeed();

    // 「毎日のお知らせ」: today announced on the desktop when it is due
    // (ReminderDue; `atStart` at the window's start and when the
    // notification service arrives late), and the day of a clicked
    // notification shown with the window raised.
    void Remind(bool atStart);
    void ShowDayRaised(const CalendarDate& day);
    DesktopNotifier& notifier() { return *notifier_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    QAction* AddCommand(int commandId, const char* textCp932, bool checkable = false);
    void BuildMenus();
    void BuildToolBars();
    // The client area the bars and the view need in a mode, and the four
    // whole windows with the window manager's frame as it is now.
    FrameBars Bars(int viewMode) const;
    // The menu bar's width with every title on one line, full and compact.
    void MeasureMenuWidths();
    FrameSize ClientSize(int sizeMode, int viewMode) const;
    // The window's sizes in the size mode shown, both views; in the other
    // size mode too only when asked (a size command): its fonts, measured,
    // would stay in Qt's font cache unused, whose timer then wakes the idle
    // window every 10 s until it has let them go. Sizes not asked are 0 x 0.
    FrameSizes WindowSizes(bool everySizeMode = false) const;
    void ApplyFrame(const FrameLayout& layout);
    // The window manager's frame is known only once it has decorated the
    // shown window, and changes with the scale of the screen it is on: when
    // it differs from the one the window was placed with, placed again.
    void PlaceAgainForNewFrame();
    // The view's layout for the current modes, spanning the bars.
    void ApplyViewLayout();
    void RunModeCommand(int commandId);
    void UpdateModeChecks();
    void OnTick();
    void SetTitle(const std::string& titleCp932);
    // 「配色」 or the desktop's preference, to the view.
    void ApplyColourScheme();

    MonthRecord& rec_;
    AppSettings& settings_;
    AppPaths paths_;
    MonthView* view_;
    QToolBar* mainBar_ = nullptr;
    QToolBar* compactBar_ = nullptr;
    QToolBar* monthBar_ = nullptr;
    QAction* startupItem_ = nullptr;
    QAction* jumpMenu_ = nullptr;
    QAction* helpMenu_ = nullptr;
    std::map<int, QAction*> actions_;
    // The mode commands' menu items and toolbar buttons, with their ids.
    std::vector<std::pair<int, QAction*>> modeActions_;
    QTimer timer_;
    WallClockWatch clockWatch_;
    QSocketNotifier* clockNotifier_ = nullptr;
    QSocketNotifier* zoneNotifier_ = nullptr;
    std::string title_;  // as last set, CP932
    std::string userFolder_;
    bool feedFailureShown_ = false;
    DesktopNotifier* notifier_ = nullptr;
    bool reminderInFlight_ = false;  // one reminder handed over at a time
    class DesktopColours* desktopColours_ = nullptr;
    QSize placedMargins_;         // the frame's margins the window was last placed with
    int menuWidths_[2] = {0, 0};  // MeasureMenuWidths: [0] full, [1] compact
};

}  // namespace kalendo
