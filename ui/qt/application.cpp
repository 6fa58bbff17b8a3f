#include "ui/qt/application.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTranslator>

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "platform/c_locale.h"
#include "platform/platform.h"
#include "month/compute_month.h"
#include "ui/qt/definitions_watcher.h"
#include "ui/qt/fonts.h"
#include "ui/qt/main_frame.h"
#include "ui/qt/month_view.h"

// Outside any namespace, as Qt's resource macro requires.
static void InitWindowResources() { Q_INIT_RESOURCE(window); }

namespace kalendo {
namespace {

// The signals that end the program as closing its window does.
constexpr std::array<int, 3> kTerminationSignals = {SIGTERM, SIGINT, SIGHUP};

// A signal handler may do next to nothing; it writes one byte into this
// socket pair, and the event loop, which watches the other end, does the
// rest. [0]: written by the handler, [1]: read by the loop.
int g_signalSockets[2] = {-1, -1};

extern "C" void WakeEventLoopOnSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // Non-blocking: when the socket is full, a wake-up is pending anyway.
    [[maybe_unused]] const ssize_t n = write(g_signalSockets[0], &byte, 1);
    errno = savedErrno;
}

AppPaths AppPathsOf(const FileLocations& locations) {
    AppPaths paths;
    paths.executable = locations.executable;
    paths.settingsFile = locations.settingsFile;
    paths.helpPage = locations.helpPage;
    paths.folder = locations.programFolder;
    return paths;
}

}  // namespace

void PreferXcbUnderWayland() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (chosen != nullptr && *chosen != '\0') return;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* x11 = std::getenv("DISPLAY");
    if (wayland != nullptr && *wayland != '\0' && x11 != nullptr && *x11 != '\0') {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
}

bool InstallQtJapanese() {
    // Qt's own texts (the file dialog, the text fields' context menus, the
    // buttons of standard dialogs) in Japanese whatever the user's locale:
    // every other text of the window is Japanese. One translator for the
    // process, installed once.
    static QTranslator translator;
    static const bool loaded =
        translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(&translator);
    return loaded;
}

void SetUpApplication() {
    // QCoreApplication's constructor has just set every locale category
    // from the environment.
    ForceCLocale();
    // Without the translations package Qt's texts stay in English; the
    // package depends on it.
    InstallQtJapanese();
    InitWindowResources();
    // The window's class under X11 (WM_CLASS "Kalendo2", whatever the
    // executable is called) and its app id under Wayland (the desktop
    // entry's name): a desktop matches the window to kalendo2.desktop, whose
    // StartupWMClass is that class, for its icon and name in the task bar.
    QCoreApplication::setApplicationName(QString::fromLatin1(kWindowClass));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntryName));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kalendo2/kalendo2.png")));
    InstallJapaneseFonts();
}

Kalendo2App::Kalendo2App(MonthRecord& rec)
    : rec_(rec),
      locations_(FindFileLocations()),
      paths_(AppPathsOf(locations_)),
      settings_(LoadSettingsAtStartUp(paths_.settingsFile, ThePlatform().PrimaryScreen())) {}

Kalendo2App::~Kalendo2App() {
    if (signalNotifier_) {
        for (const int sig : kTerminationSignals) std::signal(sig, SIG_DFL);
        signalNotifier_.reset();
    }
    WriteSettings(paths_.settingsFile, settings_);
    frame_.reset();
    if (signalPlatform_) SetPlatform(&signalPlatform_->window());
}

void Kalendo2App::Start() {
    CreateUserFiles(locations_);
    OpenDocument(rec_, locations_.definitions);
    frame_ = std::make_unique<MainFrame>(rec_, settings_, paths_, locations_.scheduleFile);
    if (!locations_.userFolder.empty()) frame_->SetUserFolder(locations_.userFolder);
    frame_->FirstUpdate();
    // Definition files edited beside the window show without a restart.
    auto* watcher = new DefinitionsWatcher(rec_, locations_.definitions, this);
    connect(watcher, &DefinitionsWatcher::reloaded, this, [this] {
        ComputeMonth(rec_, rec_.year[kTarget], rec_.month[kTarget], rec_.day[kTarget],
                     MonthOptionsOf(settings_));
        frame_->view()->Refresh();
    });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveForSessionEnd(); });
    frame_->show();
}

void Kalendo2App::QuitOnTerminationSignals() {
    if (g_signalSockets[0] < 0 &&
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_signalSockets) != 0) {
        return;  // the signals keep their default action
    }
    signalNotifier_ = std::make_unique<QSocketNotifier>(g_signalSockets[1], QSocketNotifier::Read);
    connect(signalNotifier_.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (read(g_signalSockets[1], bytes, sizeof bytes) > 0) {
        }
        if (!signalPlatform_) {
            signalPlatform_ = std::make_unique<TerminalMessagesPlatform>(ThePlatform());
            SetPlatform(signalPlatform_.get());
        }
        QuitAsOnClose();
    });
    struct sigaction action = {};
    action.sa_handler = WakeEventLoopOnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : kTerminationSignals) sigaction(sig, &action, nullptr);
}

void Kalendo2App::QuitAsOnClose() {
    // Every event loop ends, a modal dialog's too (it returns as
    // cancelled); the settings are written by the destructor.
    if (frame_) frame_->StorePositionForSessionEnd();
    QCoreApplication::exit(0);
}

void Kalendo2App::SaveForSessionEnd() {
    // No normal exit may follow: the settings are written now.
    if (frame_) frame_->StorePositionForSessionEnd();
    WriteSettings(paths_.settingsFile, settings_);
}

}  // namespace kalendo
