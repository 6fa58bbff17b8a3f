#include "platform/qt_platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/text_codec.h"
#include "tests/offscreen_screen.h"

namespace kalendo {
namespace {

// The screen the offscreen platform is given: a size no default has.
constexpr int kScreenWidth = 1366;
constexpr int kScreenHeight = 768;

// One QApplication for the whole test program on the offscreen platform,
// never destroyed (Qt does not take well to being torn down during static
// destruction).
QApplication& App() {
    static QApplication* app = [] {
        const OffscreenScreenFile screen(kScreenWidth, kScreenHeight);
        static std::string platform = screen.platformArgument();
        static int argc = 3;
        static char arg0[] = "k2_platform_qt_tests";
        static char arg1[] = "-platform";
        static char* argv[] = {arg0, arg1, platform.data(), nullptr};
        auto* created = new QApplication(argc, argv);
        return created;
    }();
    return *app;
}

struct SeenBox {
    QString title;
    QString text;
    bool seen = false;
};

// Presses OK on the next message box that opens and remembers what it said.
void AnswerNextMessageBox(SeenBox& seen) {
    auto* poll = new QTimer(&App());
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen = {box->windowTitle(), box->text(), true};
        box->button(QMessageBox::Ok)->click();
        poll->deleteLater();
        poll->stop();
    });
    poll->start(10);
}

TEST(QtPlatform, MessageBoxShowsTheTextAsUnicode) {
    App();
    QtPlatform platform;
    const char* messages[] = {"元号定義ファイルが開けません", "ERROR : 年月の設定範囲が不適切です.",
                              "KalendoⅡ"};
    for (const char* utf8 : messages) {
        SCOPED_TRACE(utf8);
        SeenBox seen;
        AnswerNextMessageBox(seen);
        platform.ShowMessage(Cp932FromUtf8(utf8));
        ASSERT_TRUE(seen.seen);
        EXPECT_EQ(seen.title, QStringLiteral("Kalendo2"));
        EXPECT_EQ(seen.text.toStdString(), utf8);
    }
}

TEST(QtPlatformDeathTest, FatalEndsWithStatusThree) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            App();
            SeenBox seen;
            AnswerNextMessageBox(seen);
            QtPlatform platform;
            platform.Fatal(Cp932FromUtf8("祝日定義ファイルが開けません"));
        },
        ::testing::ExitedWithCode(3), "");
}

TEST(QtPlatform, ScreenIsTheOneQtReports) {
    App();
    QtPlatform platform;
    const ScreenSize screen = platform.PrimaryScreen();
    EXPECT_EQ(screen.width, kScreenWidth);
    EXPECT_EQ(screen.height, kScreenHeight);
}

}  // namespace
}  // namespace kalendo
