// The application object: what exists before and after the window. It
// finds its paths and reads the settings before any window is created,
// loads the five definition files, creates the frame at the stored
// position, runs the view's first update and shows the frame; the settings
// are written when it is destroyed and when the desktop session ends.
#pragma once

#include <QObject>

#include <memory>

#include "core/month_record.h"
#include "ui/model/document.h"
#include "ui/model/settings.h"

namespace kalendo {

class MainFrame;

// Before the QApplication is constructed: a Wayland session is run through
// XWayland (the xcb platform) when an X display is there too, because only
// X11 lets a window choose its own position. A platform the user chose
// (QT_QPA_PLATFORM) is kept.
void PreferXcbUnderWayland();

// Right after the QApplication is constructed: numbers and character
// classes back to the C locale, the Japanese fonts, the application icon.
void SetUpApplication();

class Kalendo2App : public QObject {
    Q_OBJECT

public:
    // Paths from the platform's executable path (fatal without one), then
    // the settings file (defaults when it cannot be read). The record is
    // the month record everything works on (TheMonthRecord() in the
    // program).
    explicit Kalendo2App(MonthRecord& rec);
    // Writes the settings file.
    ~Kalendo2App() override;

    // The document (fatal when a definition file is unusable), the frame
    // at the stored position, the view's first update, and the frame shown.
    void Start();

    MainFrame& frame() { return *frame_; }
    AppSettings& settings() { return settings_; }
    const AppPaths& paths() const { return paths_; }
    const DefinitionPaths& definitionPaths() const { return defs_; }

    // The desktop session is ending (log-off or shutdown): the frame's
    // position as on closing, and the settings written at once.
    void SaveForSessionEnd();

private:
    MonthRecord& rec_;
    AppPaths paths_;
    AppSettings settings_;
    DefinitionPaths defs_;
    std::unique_ptr<MainFrame> frame_;
};

}  // namespace kalendo
