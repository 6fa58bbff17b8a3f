// The application object: what exists before and after the window. It
// finds its files (FileLocations) and reads the settings before any window
// is created, creates the user's files on an installed copy's first start,
// loads the five definition files, creates the frame at the stored
// position, runs the view's first update and shows the frame; the settings
// are written when it is destroyed and when the desktop session ends.
#pragma once

#include <QObject>

#include <memory>

#include "core/month_record.h"
#include "platform/terminal_messages.h"
#include "ui/model/file_locations.h"
#include "ui/qt/desktop_entry.h"
#include "ui/model/settings.h"

class QSocketNotifier;

namespace kalendo {

class MainFrame;

// Before the QApplication is constructed: a Wayland session is run through
// XWayland (the xcb platform) when an X display is there too, because only
// X11 lets a window choose its own position. A platform the user chose
// (QT_QPA_PLATFORM) is kept.
void PreferXcbUnderWayland();

// Right after the QApplication is constructed: numbers and character
// classes back to the C locale, Qt's own Japanese texts, the window's class
// and app id, the Japanese fonts, the application icon.
void SetUpApplication();

// Qt's translations into Japanese (qtbase_ja of qt6-translations-l10n)
// installed for the process; false when they cannot be loaded (Qt's texts
// then stay English). Part of SetUpApplication.
bool InstallQtJapanese();

class Kalendo2App : public QObject {
    Q_OBJECT

public:
    // The file locations from the platform's executable path (fatal
    // without one), then the settings file (defaults when it cannot be
    // read). The record is the month record everything works on
    // (TheMonthRecord() in the program).
    explicit Kalendo2App(MonthRecord& rec);
    // Writes the settings file; the termination signals get their default
    // action back.
    ~Kalendo2App() override;

    // The user's files on an installed copy's first start, the document
    // (fatal when a definition file is unusable), the frame at the stored
    // position, the view's first update, and the frame shown.
    void Start();

    MainFrame& frame() { return *frame_; }
    AppSettings& settings() { return settings_; }
    const AppPaths& paths() const { return paths_; }
    const FileLocations& locations() const { return locations_; }

    // The desktop session is ending (log-off or shutdown): the frame's
    // position as on closing, and the settings written at once.
    void SaveForSessionEnd();

    // From now on SIGTERM, SIGINT and SIGHUP end the program as closing the
    // window does: the frame's position is stored and the event loop ends,
    // so the settings are written as the application object goes. (The
    // default action would end the process without writing them, and a
    // desktop session ends its programs with SIGTERM.) From the signal on,
    // messages go to stderr (TerminalMessagesPlatform): a settings file that
    // cannot be written is said there, and the process does not wait for
    // anyone to dismiss a box. After Start().
    void QuitOnTerminationSignals();

private:
    void QuitAsOnClose();

    MonthRecord& rec_;
    FileLocations locations_;
    AppPaths paths_;
    AppSettings settings_;
    std::unique_ptr<MainFrame> frame_;
    std::unique_ptr<QSocketNotifier> signalNotifier_;
    // After a termination signal: the messages on stderr until the end.
    std::unique_ptr<TerminalMessagesPlatform> signalPlatform_;
};

}  // namespace kalendo
