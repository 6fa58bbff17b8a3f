// The window under test: a QApplication on the offscreen platform (one for
// the whole program), and for each test a fresh folder holding the five
// definition files, the program's path and a settings file, a recording
// platform with a fixed today and screen (messages are recorded, never
// shown), and the application started from there as the program starts.
#pragma once

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/month_record.h"
#include "platform/recording_platform.h"
#include "ui/qt/application.h"
#include "ui/qt/main_frame.h"
#include "ui/qt/month_view.h"

class QMenu;

namespace kalendo {

class DayCellWidget;

// The offscreen screen, the same size the recording platform reports.
inline constexpr int kTestScreenWidth = 1920;
inline constexpr int kTestScreenHeight = 1080;

QApplication& TestApplication();

// A settings file as the program writes it.
std::string SettingsFileText(int left, int top, int sizeMode, int viewMode);

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the settings file (none when nullopt) and starts the program
    // with `today` as the platform's date.
    void Start(CalendarDate today, const std::optional<std::string>& settings =
                                    SettingsFileText(100, 80, 0, 0));
    // Ends the program as closing the window does: the frame stores its
    // position, the application object writes the settings.
    void Quit();

    MainFrame& frame() { return app_->frame(); }
    MonthView& view() { return *app_->frame().view(); }
    Kalendo2App& app() { return *app_; }
    MonthRecord& record() { return *rec_; }
    RecordingPlatform& platform();
    const std::filesystem::path& folder() const { return folder_; }

    // UTF-8 texts of what the window shows.
    static std::string Text(const QString& s) { return s.toStdString(); }
    std::string DatePane();
    std::vector<std::string> EventListTexts();
    std::vector<std::string> ScheduleListTexts();  // "<day> <text>"
    std::vector<std::string> Messages() { return platform().MessagesUtf8(); }
    std::string ScheduleFileUtf8();

    // The cell showing `dayNumber` as the grid numbers it (negative for the
    // neighbouring months).
    DayCellWidget* CellOfDay(int dayNumber);
    // The toolbar button of a command (the mode buttons have their own).
    QAction* ToolBarButton(QToolBar* bar, int commandId);
    void ClickToolBarButton(QToolBar* bar, int commandId);

    // Lets the event loop run for `ms` milliseconds (the timer ticks).
    static void Pump(int ms);

    // Calls `act` with the next modal dialog of type T, from inside its
    // exec(). The test fails when none opens or when `act` leaves it open
    // (it is then closed so the test goes on).
    template <class T>
    void OnNextModal(std::function<void(T&)> act) {
        WatchFor(
            [act](QWidget* w) {
                auto* d = qobject_cast<T*>(w);
                if (d != nullptr) act(*d);
                return d != nullptr;
            },
            false);
    }
    // The same for the next pop-up menu.
    void OnNextPopupMenu(std::function<void(QMenu&)> act);
    // From now to the end of the test, any dialog or pop-up menu that opens
    // fails the test and is closed.
    void ExpectNothingOpens();

private:
    void WatchFor(std::function<bool(QWidget*)> act, bool popup);

    std::filesystem::path folder_;
    std::unique_ptr<ScopedRecordingPlatform> platform_;
    std::unique_ptr<MonthRecord> rec_;
    std::unique_ptr<Kalendo2App> app_;
    std::vector<QTimer*> watchers_;
    std::unique_ptr<QTimer> guard_;
};

}  // namespace kalendo
