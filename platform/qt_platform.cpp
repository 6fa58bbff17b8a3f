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
#include "platform/text_codec.h"

namespace kalendo {
namespace {

// What the screen is taken to be when Qt reports none (no display attached):
// the smallest screen the almanac's frame was laid out for.
constexpr ScreenSize kFallbackScreen{1024, 768};

}  // namespace

void QtPlatform::ShowMessage(std::string_view cp932) {
    const std::string utf8 = Utf8FromCp932(cp932);
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        std::fprintf(stderr, "%s\n", utf8.c_str());
        std::fflush(stderr);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kalendo2"),
                    QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())),
                    QMessageBox::Ok);
    box.exec();
}

void QtPlatform::Fatal(std::string_view cp932) {
    std::fflush(nullptr);  // what was printed before stays printed
    ShowMessage(cp932);
    std::_Exit(kFatalExitStatus);
}

std::optional<std::string> QtPlatform::ExecutablePath() { return ExecutablePathFromProc(); }

std::optional<CalendarDate> QtPlatform::Today() { return TodayFromClock(); }

ScreenSize QtPlatform::PrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return kFallbackScreen;
    const QRect geometry = screen->geometry();
    return {geometry.width(), geometry.height()};
}

void QtPlatform::OpenWithDefaultHandler(const std::string& path) {
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()))));
}

}  // namespace kalendo
