// The window as an installed copy (its files in the user's XDG folder) and
// its end on a termination signal.
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/file_io.h"
#include "platform/text_codec.h"
#include "tests/ui/qt/gui_fixture.h"
#include "ui/model/file_locations.h"
#include "ui/qt/day_cell_widget.h"
#include "ui/qt/schedule_dialog.h"

namespace kalendo {
namespace {

namespace fs = std::filesystem;

constexpr CalendarDate kJune15 = {2024, 6, 15};

std::string ReadText(const fs::path& path) { return ReadWholeFile(path.string()).value_or("<none>"); }

// Runs the application's event loop until something ends it; 0 when the
// loop was ended by exit(0), 99 when nothing ended it within 5 s.
int RunEventLoop() {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    return QCoreApplication::exec();
}

using QuitTest = GuiTest;

TEST_F(QuitTest, TerminationSignalsQuitAsClosingTheWindowDoes) {
    for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(sig);
        Start(kJune15);
        frame().move(260, 170);
        app().QuitOnTerminationSignals();
        QTimer::singleShot(0, [sig] { std::raise(sig); });
        EXPECT_EQ(RunEventLoop(), 0) << "the signal ended the event loop";
        Quit();
        EXPECT_NE(ReadText(folder() / "Kalendo2.Ini").find("\n260 : 170\n"), std::string::npos);
        struct sigaction now = {};
        sigaction(sig, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL) << "the default action is back";
    }
}

// A settings file that cannot be written when a signal ends the window is
// said on stderr, not in a box that nobody is there to dismiss.
TEST_F(QuitTest, AfterASignalWhatCannotBeWrittenIsSaidOnStderr) {
    Start(kJune15);
    const fs::path ini = folder() / "Kalendo2.Ini";
    std::ofstream(ini) << "";
    fs::permissions(ini, fs::perms::owner_read);
    app().QuitOnTerminationSignals();
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    EXPECT_EQ(RunEventLoop(), 0);
    testing::internal::CaptureStderr();
    Quit();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(Messages().empty()) << "no box";
    EXPECT_EQ(err, "設定ファイルを書き込めません（書き込みの権限がありません）.\n" + ini.string() + "\n");
    EXPECT_EQ(&ThePlatform(), &platform()) << "the window's platform is back";
}

// The program's folder is marked as installed; the user's files go to a
// home folder of the test's own.
class InstalledWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        if (const char* home = std::getenv("HOME")) oldHome_ = home;
        if (const char* xdg = std::getenv("XDG_DATA_HOME")) oldXdg_ = xdg;
        home_ = folder() / "home";
        fs::create_directories(home_);
        setenv("HOME", home_.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
        std::ofstream(folder() / kInstalledMarkerName) << "";
    }
    void TearDown() override {
        GuiTest::TearDown();
        if (oldHome_) setenv("HOME", oldHome_->c_str(), 1);
        if (oldXdg_) setenv("XDG_DATA_HOME", oldXdg_->c_str(), 1);
    }
    fs::path UserFolder() const { return home_ / ".local/share/Kalendo2"; }

    fs::path home_;
    std::optional<std::string> oldHome_, oldXdg_;
};

TEST_F(InstalledWindowTest, FirstStartCreatesTheUsersFilesAndExitWritesTheSettingsThere) {
    Start(kJune15, std::nullopt);
    EXPECT_FALSE(app().locations().portable);
    EXPECT_EQ(ReadText(UserFolder() / "Schedule.Def"), ReadText(folder() / "Schedule.Def"));
    EXPECT_EQ(ReadText(UserFolder() / "Usr.Def"), ReadText(folder() / "Usr.Def"));
    EXPECT_FALSE(fs::exists(UserFolder() / "祝日.Def"));
    frame().move(210, 120);
    Quit();
    EXPECT_NE(ReadText(UserFolder() / "Kalendo2.Ini").find("\n210 : 120\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder() / "Kalendo2.Ini")) << "nothing written beside the program";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(InstalledWindowTest, SchedulesAreSavedInTheUsersFolder) {
    const std::string shipped = ReadText(folder() / "Schedule.Def");
    Start(kJune15);
    OnNextModal<ScheduleDialog>([](ScheduleDialog& d) {
        d.nameEdit()->setText(QString::fromUtf8("歯医者"));
        QTest::mouseClick(d.storeButton(), Qt::LeftButton);
    });
    QTest::mouseClick(CellOfDay(20), Qt::RightButton);
    EXPECT_TRUE(Messages().empty());
    EXPECT_NE(Utf8FromCp932(ReadText(UserFolder() / "Schedule.Def")).find("歯医者"),
              std::string::npos);
    EXPECT_EQ(ReadText(folder() / "Schedule.Def"), shipped) << "the template is never written";
    Quit();
}

}  // namespace
}  // namespace kalendo
