#include "tests/ui/qt/gui_fixture.h"

#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "platform/text_codec.h"
#include "tests/offscreen_screen.h"
#include "ui/model/month_view.h"
#include "ui/qt/day_cell_widget.h"
#include "ui/qt/entry_list.h"
#include "ui/qt/info_pane.h"

namespace kalendo {
namespace {

// How long a test waits for a dialog or menu to open: 5 s in 5 ms polls.
constexpr int kPollMilliseconds = 5;
constexpr int kPollsBeforeGivingUp = 1000;

const char* const kDefinitionFiles[] = {"元号.Def", "祝日.Def", "暦日.Def", "Usr.Def",
                                        "Schedule.Def"};

std::filesystem::path BinDir() {
    const char* dir = std::getenv("K2_BIN_DIR");
    return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::path("bin");
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The offscreen platform warns about every window feature it lacks
// (raising, size hints, keyboard grabs); those lines say nothing about the
// program.
QtMessageHandler previousMessageHandler = nullptr;

void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    if (previousMessageHandler != nullptr) previousMessageHandler(type, context, message);
}

}  // namespace

QApplication& TestApplication() {
    static QApplication* app = [] {
        const OffscreenScreenFile screen(kTestScreenWidth, kTestScreenHeight);
        // K2_GUI_TEST_PLATFORM: a real display instead (the accessibility
        // bus is heard only there, tests/ui/qt/atspi_check.sh).
        const char* real = std::getenv("K2_GUI_TEST_PLATFORM");
        static std::string platformArg =
            real != nullptr ? std::string(real) : screen.platformArgument();
        static int argc = 3;
        static char arg0[] = "k2_ui_qt_tests";
        static char arg1[] = "-platform";
        static char* argv[] = {arg0, arg1, platformArg.data(), nullptr};
        previousMessageHandler = qInstallMessageHandler(QuietOffscreenWarnings);
        auto* created = new QApplication(argc, argv);
        SetUpApplication();
        // Tests quit the program by closing the frame; the application
        // object lives on for the next test.
        QApplication::setQuitOnLastWindowClosed(false);
        return created;
    }();
    return *app;
}

std::string SettingsFileText(int left, int top, int sizeMode, int viewMode) {
    std::ostringstream s;
    s << ";;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n"
      << left << " : " << top << "\n\n[Size]\n"
      << sizeMode << "\n\n[View]\n"
      << viewMode << "\n\n";
    return s.str();
}

void GuiTest::SetUp() {
    TestApplication();
    std::string pattern =
        (std::filesystem::temp_directory_path() / "k2-gui-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    for (const char* name : kDefinitionFiles) {
        std::filesystem::copy_file(BinDir() / name, folder_ / name);
    }
    platform_ = std::make_unique<ScopedRecordingPlatform>();
    (*platform_)->executablePath = (folder_ / "Kalendo2").string();
    (*platform_)->screen = {kTestScreenWidth, kTestScreenHeight};
    rec_ = std::make_unique<MonthRecord>();
}

void GuiTest::TearDown() {
    for (QTimer* w : watchers_) {
        if (w->isActive()) ADD_FAILURE() << "a dialog or menu the test waited for never opened";
        delete w;
    }
    watchers_.clear();
    guard_.reset();
    app_.reset();
    platform_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void GuiTest::Start(CalendarDate today, const std::optional<std::string>& settings) {
    (*platform_)->today = today;
    if (settings) std::ofstream(folder_ / "Kalendo2.Ini", std::ios::binary) << *settings;
    app_ = std::make_unique<Kalendo2App>(*rec_);
    app_->Start();
    // The first timer tick sets the title; on a loaded machine it can come
    // well after 10 ms, so wait for it rather than for a fixed time.
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return frame().windowTitle().startsWith(QStringLiteral("Kalendo\u2161")); }, 5000))
        << "no timer tick set the title";
}

void GuiTest::Quit() {
    frame().close();
    app_.reset();
}

RecordingPlatform& GuiTest::platform() { return **platform_; }

std::string GuiTest::DatePane() { return Text(view().datePane()->text()); }

std::vector<std::string> GuiTest::EventListTexts() {
    std::vector<std::string> out;
    QTreeWidget* list = view().eventList();
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        out.push_back(Text(list->topLevelItem(r)->text(0)));
    }
    return out;
}

std::vector<std::string> GuiTest::ScheduleListTexts() {
    std::vector<std::string> out;
    QTreeWidget* list = view().scheduleList();
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        out.push_back(Text(list->topLevelItem(r)->text(0)) + " " +
                      Text(list->topLevelItem(r)->text(1)));
    }
    return out;
}

std::string GuiTest::ScheduleFileUtf8() {
    return Utf8FromCp932(ReadFile(folder_ / "Schedule.Def"));
}

DayCellWidget* GuiTest::CellOfDay(int dayNumber) {
    const MonthGrid& grid = view().state().grid;
    for (int k = 0; k < kGridCells; ++k) {
        if (grid[static_cast<std::size_t>(k)].day == dayNumber) return view().cell(k);
    }
    ADD_FAILURE() << "no cell shows day " << dayNumber;
    return nullptr;
}

QAction* GuiTest::ToolBarButton(QToolBar* bar, int commandId) {
    for (QAction* a : bar->actions()) {
        if (a->data().toInt() == commandId && !a->isSeparator()) return a;
    }
    ADD_FAILURE() << "no button for command " << commandId;
    return nullptr;
}

void GuiTest::ClickToolBarButton(QToolBar* bar, int commandId) {
    QAction* a = ToolBarButton(bar, commandId);
    if (a == nullptr) return;
    QWidget* button = bar->widgetForAction(a);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

void GuiTest::Pump(int ms) { QTest::qWait(ms); }

void GuiTest::OnNextPopupMenu(std::function<void(QMenu&)> act) {
    WatchFor([act](QWidget* w) {
        auto* m = qobject_cast<QMenu*>(w);
        if (m != nullptr) act(*m);
        return m != nullptr;
    }, true);
}

void GuiTest::ExpectNothingOpens() {
    guard_ = std::make_unique<QTimer>();
    QObject::connect(guard_.get(), &QTimer::timeout, guard_.get(), [] {
        for (QWidget* w : {QApplication::activePopupWidget(), QApplication::activeModalWidget()}) {
            if (w == nullptr) continue;
            ADD_FAILURE() << "opened: " << w->metaObject()->className() << " "
                          << w->windowTitle().toStdString();
            w->close();
        }
    });
    guard_->start(kPollMilliseconds);
}

void GuiTest::WatchFor(std::function<bool(QWidget*)> act, bool popup) {
    auto* poll = new QTimer;
    auto polls = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, polls, act, popup] {
        QWidget* w = popup ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
        if (w == nullptr || !act(w)) {
            if (++*polls >= kPollsBeforeGivingUp) {
                ADD_FAILURE() << "nothing opened to act on";
                poll->stop();
            }
            return;
        }
        poll->stop();
        if (w->isVisible()) {
            ADD_FAILURE() << "the dialog or menu stayed open";
            w->close();
        }
    });
    watchers_.push_back(poll);
    poll->start(kPollMilliseconds);
}

}  // namespace kalendo
