#include "ui/qt/application.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QSessionManager>

#include <cstdlib>

#include "platform/c_locale.h"
#include "platform/platform.h"
#include "ui/qt/fonts.h"
#include "ui/qt/main_frame.h"

// Outside any namespace, as Qt's resource macro requires.
static void InitWindowResources() { Q_INIT_RESOURCE(window); }

namespace kalendo {

void PreferXcbUnderWayland() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (chosen != nullptr && *chosen != '\0') return;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* x11 = std::getenv("DISPLAY");
    if (wayland != nullptr && *wayland != '\0' && x11 != nullptr && *x11 != '\0') {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
}

void SetUpApplication() {
    // QCoreApplication's constructor has just set every locale category
    // from the environment.
    ForceCLocale();
    InitWindowResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kalendo2/kalendo2.png")));
    InstallJapaneseFonts();
}

Kalendo2App::Kalendo2App(MonthRecord& rec)
    : rec_(rec),
      paths_(LocateAppPaths()),
      settings_(LoadSettingsAtStartUp(paths_.settingsFile, ThePlatform().PrimaryScreen())) {}

Kalendo2App::~Kalendo2App() {
    WriteSettings(paths_.settingsFile, settings_);
    frame_.reset();
}

void Kalendo2App::Start() {
    defs_ = OpenDocument(rec_, paths_.folder);
    frame_ = std::make_unique<MainFrame>(rec_, settings_, paths_, defs_);
    frame_->FirstUpdate();
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveForSessionEnd(); });
    frame_->show();
}

void Kalendo2App::SaveForSessionEnd() {
    // No normal exit may follow: the settings are written now.
    if (frame_) frame_->StorePositionForSessionEnd();
    WriteSettings(paths_.settingsFile, settings_);
}

}  // namespace kalendo
