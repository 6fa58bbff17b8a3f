#include "platform/qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QString>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

#include "platform/console_platform.h"
#include "platform/terminal_text.h"
#include "platform/text_codec.h"

namespace kalendo {
namespace {

// What the screen is taken to be when Qt reports none (no display attached):
// the smallest screen the almanac's frame was laid out for.
constexpr ScreenSize kFallbackScreen{1024, 768};

// A modal box with an OK button; on the terminal when there is no window
// system (before the application object exists).
void ShowBox(QMessageBox::Icon icon, std::string_view utf8) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        PrintTerminalLine(utf8);
        return;
    }
    QMessageBox box(icon, QStringLiteral("Kalendo2"),
                    QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), QMessageBox::Ok);
    box.exec();
}

}  // namespace

void QtPlatform::ShowMessage(std::string_view cp932) { ShowMessageUtf8(Utf8FromCp932(cp932)); }

void QtPlatform::ShowMessageUtf8(std::string_view utf8) { ShowBox(QMessageBox::Warning, utf8); }

void QtPlatform::ShowNotice(std::string_view cp932) {
    ShowBox(QMessageBox::Information, Utf8FromCp932(cp932));
}

void QtPlatform::Fatal(std::string_view cp932) { QtPlatform::FatalUtf8(Utf8FromCp932(cp932)); }

void QtPlatform::FatalUtf8(std::string_view utf8) {
    std::fflush(nullptr);  // what was printed before stays printed
    ShowMessageUtf8(utf8);
    std::_Exit(kFatalExitStatus);
}

std::optional<std::string> QtPlatform::ExecutablePath() { return ExecutablePathFromProc(); }

std::optional<CalendarDate> QtPlatform::Today() { return TodayFromClock(); }

std::chrono::milliseconds QtPlatform::UntilNextLocalMidnight() {
    return UntilNextLocalMidnightFromClock();
}

ScreenSize QtPlatform::PrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return kFallbackScreen;
    const QRect geometry = screen->geometry();
    return {geometry.width(), geometry.height()};
}

bool QtPlatform::OpenWithDefaultHandler(const std::string& path) {
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()))));
}

}  // namespace kalendo
