// The window itself: start-up, keys, toolbar buttons, clicks on the grid,
// the display modes and the settings written at exit.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolTip>
#include <QHeaderView>
#include <QTreeWidget>

#include <sys/timerfd.h>

#include <chrono>
#include <ctime>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "core/almanac_mode.h"
#include "tests/ui/qt/gui_fixture.h"
#include "ui/model/frame.h"
#include "ui/model/jumps.h"
#include "ui/model/lists.h"
#include "ui/model/month_view.h"
#include "ui/model/view_layout.h"
#include "ui/qt/command_ids.h"
#include "ui/qt/config_dialog.h"
#include "ui/qt/day_cell_widget.h"
#include "ui/qt/day_grid.h"
#include "ui/qt/entry_list.h"
#include "ui/qt/fonts.h"
#include "ui/qt/info_pane.h"
#include "ui/qt/schedule_dialog.h"
#include "ui/qt/window_hints.h"

namespace kalendo {
namespace {

// 15 June 2024, a Saturday. June 2024 begins on a Saturday: cells 0-5 show
// 26-31 May, cells 6-35 June, cells 36-41 1-6 July.
constexpr CalendarDate kJune15 = {2024, 6, 15};
constexpr int kCellOfJune15 = 20;

QColor Colour(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class WindowTest : public GuiTest {
protected:
    // The client area holds the menu, the toolbars and the view at exactly
    // its layout's size, one below the other, with no band left over and
    // nothing cut off; the whole window stays within the mode's layout
    // size (the offscreen platform draws no frame around it).
    void ExpectNoEmptyBand(int sizeMode, int viewMode) {
        const bool full = viewMode == kViewFull;
        const FrameSize content = ViewContentSize(sizeMode, viewMode);
        EXPECT_EQ(view().size(), QSize(content.width, content.height));
        const QToolBar* top = full ? frame().mainToolBar() : frame().compactToolBar();
        EXPECT_EQ(top->geometry().top(), frame().menuBar()->geometry().bottom() + 1);
        EXPECT_EQ(view().geometry().top(), top->geometry().bottom() + 1);
        const int bottom = full ? frame().monthToolBar()->geometry().bottom()
                                : view().geometry().bottom();
        if (full) {
            EXPECT_EQ(frame().monthToolBar()->geometry().top(), view().geometry().bottom() + 1);
        }
        EXPECT_EQ(bottom + 1, frame().height()) << "no empty band at the bottom";
        EXPECT_EQ(frame().minimumSize(), frame().size());
        EXPECT_EQ(frame().maximumSize(), frame().size());
        const FrameSize drawn = FrameSizeFor(sizeMode, viewMode);
        EXPECT_LE(frame().frameGeometry().width(), drawn.width);
        EXPECT_LE(frame().frameGeometry().height(), drawn.height);
    }
};

TEST_F(WindowTest, StartUpShowsTodayAtTheStoredPosition) {
    Start(kJune15);
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月15日");
    EXPECT_EQ(Text(frame().windowTitle()), "KalendoⅡ [ 2024/ 6/15(土) ]");
    EXPECT_EQ(frame().pos(), QPoint(100, 80));
    ExpectNoEmptyBand(kSizeNormal, kViewFull);
    EXPECT_TRUE(frame().mainToolBar()->isVisible());
    EXPECT_FALSE(frame().compactToolBar()->isVisible());
    EXPECT_TRUE(frame().monthToolBar()->isVisible());
    EXPECT_TRUE(frame().action(kCmdViewFull)->isChecked());
    EXPECT_TRUE(frame().action(kCmdSizeNormal)->isChecked());
    EXPECT_FALSE(frame().action(kCmdViewMonthly)->isChecked());

    // Today is the selected day: yellow, and no cell is cyan.
    for (int k = 0; k < kGridCells; ++k) {
        SCOPED_TRACE(k);
        const QColor bg = view().cell(k)->background();
        EXPECT_EQ(bg == Colour(kTodayBackground), k == kCellOfJune15);
        EXPECT_NE(bg, Colour(kSelectedDayBackground));
    }
    EXPECT_EQ(Text(view().cell(0)->text()), "26");
    EXPECT_EQ(Text(view().cell(6)->text()), " 1");
    EXPECT_EQ(Text(view().cell(41)->text()), " 6");
    EXPECT_EQ(view().cell(0)->textColour(), Colour(kOtherMonthText));
    EXPECT_EQ(view().cell(kCellOfJune15)->textColour(), Colour(kSaturdayText));
    EXPECT_EQ(Text(view().heading(0)->text()), "日");
    EXPECT_EQ(Text(view().heading(6)->text()), "土");
    for (InfoPane* pane : {view().yearSignPane(), view().officerPane(), view().mansionPane(),
                           view().oldCalendarPane(), view().moonPane()}) {
        EXPECT_FALSE(pane->text().isEmpty());
        EXPECT_TRUE(pane->isReadOnly());
    }
    EXPECT_EQ(Text(view().yearSignPane()->text()), "甲辰の年 水無月");
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(frame().windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(WindowTest, PaneTextsAreNeverCutOff) {
    Start(kJune15);
    for (int sizeCommand : {kCmdSizeNormal, kCmdSizeEnlarged}) {
        frame().action(sizeCommand)->trigger();
        for (InfoPane* pane : {view().datePane(), view().yearSignPane(), view().officerPane(),
                               view().mansionPane(), view().oldCalendarPane(), view().moonPane()}) {
            SCOPED_TRACE(Text(pane->text()));
            EXPECT_LE(QFontMetrics(pane->font()).horizontalAdvance(pane->text()),
                      pane->contentsRect().width());
        }
    }
}

struct PlatformChoiceCase {
    const char* chosen;   // QT_QPA_PLATFORM before, nullptr: unset
    const char* wayland;  // WAYLAND_DISPLAY
    const char* x11;      // DISPLAY
    const char* result;   // QT_QPA_PLATFORM after, nullptr: unset
    const char* why;
};
constexpr PlatformChoiceCase kPlatformChoices[] = {
    {nullptr, "wayland-0", ":0", "xcb", "Wayland with XWayland: X11 for the window position"},
    {nullptr, "wayland-0", nullptr, nullptr, "Wayland without X: left to Qt"},
    {nullptr, nullptr, ":0", nullptr, "plain X11: left to Qt"},
    {"wayland", "wayland-0", ":0", "wayland", "the user's choice is kept"},
    {"", "wayland-0", ":0", "xcb", "an empty choice is no choice"},
};

TEST(PreferXcbUnderWayland, ChoosesX11OnlyWhenBothDisplaysAreThere) {
    const char* const kNames[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"};
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i) {
        if (const char* v = std::getenv(kNames[i])) saved[i] = v;
    }
    auto set = [](const char* name, const char* value) {
        if (value != nullptr) setenv(name, value, 1);
        else unsetenv(name);
    };
    for (const PlatformChoiceCase& c : kPlatformChoices) {
        SCOPED_TRACE(c.why);
        set("QT_QPA_PLATFORM", c.chosen);
        set("WAYLAND_DISPLAY", c.wayland);
        set("DISPLAY", c.x11);
        PreferXcbUnderWayland();
        const char* result = std::getenv("QT_QPA_PLATFORM");
        if (c.result == nullptr) {
            EXPECT_EQ(result, nullptr);
        } else {
            ASSERT_NE(result, nullptr);
            EXPECT_STREQ(result, c.result);
        }
    }
    for (int i = 0; i < 3; ++i) set(kNames[i], saved[i] ? saved[i]->c_str() : nullptr);
}

TEST_F(WindowTest, WithoutSettingsFileTheWindowOpensCentred) {
    // The first start's position is the settings' default, centred for the
    // size the layouts were drawn for.
    Start(kJune15, std::nullopt);
    EXPECT_EQ(frame().pos(), QPoint((kTestScreenWidth - 365) / 2, (kTestScreenHeight - 352) / 2));
}

TEST_F(WindowTest, OffScreenPositionComesBackOnTheScreen) {
    // Placed before the window is first shown, when the window manager's
    // frame is not known yet: for the client area's size, against the
    // right edge, at the stored height.
    Start(kJune15, SettingsFileText(2000, 100, 0, 0));
    EXPECT_EQ(frame().pos(), QPoint(kTestScreenWidth - frame().width(), 100));
}

struct KeyCase {
    Qt::Key key;
    const char* datePane;
    const char* why;
};
constexpr KeyCase kKeyCases[] = {
    {Qt::Key_Right, "2024/令和 6年 6月16日", "Right: next day"},
    {Qt::Key_Left, "2024/令和 6年 6月14日", "Left: previous day"},
    {Qt::Key_Up, "2024/令和 6年 6月 8日", "Up: previous week"},
    {Qt::Key_Down, "2024/令和 6年 6月22日", "Down: next week"},
    {Qt::Key_PageUp, "2024/令和 6年 5月15日", "Page Up: previous month"},
    {Qt::Key_PageDown, "2024/令和 6年 7月15日", "Page Down: next month"},
};

TEST_F(WindowTest, NavigationKeysMoveTheDateWhateverHasTheFocus) {
    Start(kJune15);
    const std::string moonBefore = Text(view().moonPane()->text());
    struct Focus {
        QWidget* widget;
        const char* name;
    };
    const Focus kFocus[] = {{&frame(), "frame"},
                            {view().eventList(), "event list"},
                            {view().scheduleList(), "schedule list"},
                            {view().moonPane(), "moon pane"}};
    for (const Focus& f : kFocus) {
        for (const KeyCase& c : kKeyCases) {
            SCOPED_TRACE(std::string(c.why) + " with the focus in the " + f.name);
            QTest::keyClick(f.widget, Qt::Key_Home);
            ASSERT_EQ(DatePane(), "2024/令和 6年 6月15日");
            QTest::keyClick(f.widget, c.key);
            EXPECT_EQ(DatePane(), c.datePane);
            EXPECT_NE(Text(view().moonPane()->text()), moonBefore);
        }
    }
    // The grid follows: in May 2024 (1st a Wednesday) cell 0 is 28 April.
    QTest::keyClick(view().eventList(), Qt::Key_Home);
    QTest::keyClick(view().eventList(), Qt::Key_PageUp);
    EXPECT_EQ(DatePane(), "2024/令和 6年 5月15日");
    EXPECT_EQ(Text(view().cell(0)->text()), "28");
    EXPECT_EQ(Text(view().cell(3)->text()), " 1");
    // 15 May is selected, today's month is not shown: cyan, nothing yellow.
    EXPECT_EQ(CellOfDay(15)->background(), Colour(kSelectedDayBackground));
    for (int k = 0; k < kGridCells; ++k) {
        EXPECT_NE(view().cell(k)->background(), Colour(kTodayBackground)) << k;
    }
    EXPECT_TRUE(Messages().empty());
}

struct ButtonCase {
    int commandId;
    bool monthBar;
    const char* datePane;
    const char* why;
};
constexpr ButtonCase kButtonCases[] = {
    {kCmdPreviousYear, false, "2023/令和 5年 6月15日", "前年"},
    {kCmdNextYear, false, "2025/令和 7年 6月15日", "翌年"},
    {kCmdMonth1, true, "2024/令和 6年 1月15日", "month 1"},
    {kCmdMonth12, true, "2024/令和 6年12月15日", "month 12"},
    {kCmdNextWeek, true, "2024/令和 6年 6月22日", "翌週"},
    {kCmdPreviousWeek, true, "2024/令和 6年 6月 8日", "前週"},
};

TEST_F(WindowTest, ToolBarButtonsMoveTheDate) {
    Start(kJune15);
    for (const ButtonCase& c : kButtonCases) {
        SCOPED_TRACE(c.why);
        ClickToolBarButton(frame().mainToolBar(), kCmdToday);
        ASSERT_EQ(DatePane(), "2024/令和 6年 6月15日");
        ClickToolBarButton(c.monthBar ? frame().monthToolBar() : frame().mainToolBar(),
                           c.commandId);
        EXPECT_EQ(DatePane(), c.datePane);
    }
}

TEST_F(WindowTest, ClicksOnNeighbouringMonthCellsSelectThoseDays) {
    Start(kJune15);
    QTest::mouseClick(CellOfDay(-30), Qt::LeftButton);
    EXPECT_EQ(DatePane(), "2024/令和 6年 5月30日");
    // May 2024: cells 0-2 show 28-30 April, 32-41 1-10 June.
    QTest::mouseClick(CellOfDay(-3), Qt::LeftButton);
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月 3日");
    QTest::mouseClick(CellOfDay(21), Qt::LeftButton);
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月21日");
    // A click never takes the focus from where it was.
    EXPECT_EQ(view().cell(0)->focusPolicy(), Qt::NoFocus);
}

TEST_F(WindowTest, MonthTwoOn31JanuaryShowsTheRangeMessageAndChangesNothing) {
    Start({2024, 1, 31});
    const QString before = view().datePane()->text();
    std::vector<QString> cellsBefore;
    for (int k = 0; k < kGridCells; ++k) cellsBefore.push_back(view().cell(k)->text());

    ClickToolBarButton(frame().monthToolBar(), kCmdMonth1 + 1);

    EXPECT_EQ(Messages(), std::vector<std::string>{"ERROR : 年月の設定範囲が不適切です."});
    EXPECT_EQ(view().datePane()->text(), before);
    for (int k = 0; k < kGridCells; ++k) EXPECT_EQ(view().cell(k)->text(), cellsBefore[k]) << k;
    // Page Down from 31 January lands on 2 March in a leap year.
    QTest::keyClick(&frame(), Qt::Key_PageDown);
    EXPECT_EQ(DatePane(), "2024/令和 6年 3月 2日");
}

TEST_F(WindowTest, ModeCommandsGiveTheFourSizesAndBack) {
    Start(kJune15, SettingsFileText(400, 300, 0, 0));
    struct Step {
        QToolBar* (MainFrame::*bar)() const;
        int commandId;
        int sizeMode, viewMode;
        const char* why;
    };
    const Step kSteps[] = {
        {&MainFrame::mainToolBar, kCmdViewMonthly, kSizeNormal, kViewMonthly, "月間"},
        {&MainFrame::compactToolBar, kCmdSizeEnlarged, kSizeEnlarged, kViewMonthly, "拡大"},
        {&MainFrame::compactToolBar, kCmdViewFull, kSizeEnlarged, kViewFull, "完全"},
        {&MainFrame::mainToolBar, kCmdSizeNormal, kSizeNormal, kViewFull, "通常"},
    };
    for (const Step& s : kSteps) {
        SCOPED_TRACE(s.why);
        const QRect before = frame().frameGeometry();
        ClickToolBarButton((frame().*s.bar)(), s.commandId);
        const bool full = s.viewMode == kViewFull;
        ExpectNoEmptyBand(s.sizeMode, s.viewMode);
        // The bottom-right corner of the whole window keeps its place.
        EXPECT_EQ(frame().frameGeometry().bottomRight(), before.bottomRight());
        EXPECT_EQ(frame().mainToolBar()->isVisible(), full);
        EXPECT_EQ(frame().compactToolBar()->isVisible(), !full);
        EXPECT_EQ(frame().monthToolBar()->isVisible(), full);
        EXPECT_EQ(frame().action(kCmdDirectJump)->isVisible() &&
                      frame().menuBar()->actions().at(2)->isVisible(),
                  full);
        EXPECT_EQ(view().eventList()->isVisible(), full);
        EXPECT_TRUE(frame().action(s.commandId)->isChecked());
        EXPECT_TRUE(ToolBarButton((frame().*s.bar)(), s.commandId)->isChecked());
    }
    EXPECT_EQ(frame().pos(), QPoint(400, 300)) << "the round trip comes back";
    // A mode that is already current changes nothing and keeps its mark.
    ClickToolBarButton(frame().mainToolBar(), kCmdSizeNormal);
    EXPECT_EQ(frame().pos(), QPoint(400, 300));
    EXPECT_TRUE(ToolBarButton(frame().mainToolBar(), kCmdSizeNormal)->isChecked());
    EXPECT_FALSE(ToolBarButton(frame().mainToolBar(), kCmdSizeEnlarged)->isChecked());
}

TEST_F(WindowTest, MonthlyViewShowsTodaysMonthAfterTheNextCommand) {
    Start(kJune15);
    QTest::keyClick(&frame(), Qt::Key_PageDown);
    ASSERT_EQ(DatePane(), "2024/令和 6年 7月15日");
    frame().action(kCmdViewMonthly)->trigger();
    EXPECT_EQ(DatePane(), "2024/令和 6年 7月15日");  // "月間" does not refresh
    QTest::keyClick(&frame(), Qt::Key_PageDown);
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月15日");
}

// The settings file with the window's position: written at exit, and at
// once when the session ends, which no normal exit may follow.
TEST_F(WindowTest, SettingsFileIsWrittenAtExitAndAtSessionEnd) {
    for (const bool sessionEnd : {false, true}) {
        Start(kJune15);
        frame().action(kCmdSizeEnlarged)->trigger();
        frame().move(300, 200);
        if (sessionEnd) app().SaveForSessionEnd();
        else Quit();
        EXPECT_EQ(ReadText(folder() / "Kalendo2.Ini"),
                  ";;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n"
                  "300 : 200\n\n[Size]\n1\n\n[View]\n0\n\n") << sessionEnd;
    }
}

// "精密な暦計算" in the 表示 menu (kept in the compact menu): it switches the
// almanac of the shown day, marks the title, and survives a restart.
TEST_F(WindowTest, PreciseAlmanacItemSwitchesAndIsStored) {
    const CalendarDate jan9 = {2035, 1, 9};
    Start(jan9);
    QAction* item = frame().action(kCmdAlmanacPrecise);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_FALSE(item->isChecked());
    EXPECT_TRUE(frame().menuBar()->actions().at(1)->menu()->actions().contains(item));
    EXPECT_EQ(record().lunarDay, 1);
    const std::string title = Text(frame().windowTitle());

    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(record().lunarDay, 30);
    EXPECT_EQ(Text(frame().windowTitle()), title + " 精密");
    frame().action(kCmdViewMonthly)->trigger();
    EXPECT_TRUE(item->isVisible());
    Quit();
    const std::string stored = ReadText(folder() / "Kalendo2.Ini");
    EXPECT_NE(stored.find("\n[View]\n1\n\n[Almanac]\n1\n"), std::string::npos) << stored;

    Start(jan9, stored);
    EXPECT_TRUE(frame().action(kCmdAlmanacPrecise)->isChecked());
    EXPECT_EQ(record().lunarDay, 30);
}

// "旧暦・六曜を表示" beside it: every cell gains its lunisolar day and 六曜
// (15 June 2024 is 5/10 友引; cell 0, 26 May, carries its month), the
// window grows for them and shrinks back, and the choice survives a
// restart; in the compact menu too.
TEST_F(WindowTest, LunarLineItemShowsTheSecondLineAndIsStored) {
    Start(kJune15);
    QAction* item = frame().action(kCmdLunarLine);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable() && !item->isChecked());
    EXPECT_TRUE(frame().menuBar()->actions().at(1)->menu()->actions().contains(item));
    const QSize plain = frame().size();
    item->trigger();
    EXPECT_EQ(Text(view().cell(kCellOfJune15)->lunarText()), "10 友引");
    EXPECT_EQ(Text(view().cell(0)->lunarText()), "4/19 仏滅");
    EXPECT_TRUE(frame().width() > plain.width() && frame().height() > plain.height());
    frame().action(kCmdViewMonthly)->trigger();
    EXPECT_TRUE(item->isVisible() && item->isChecked());
    Quit();
    const std::string stored = ReadText(folder() / "Kalendo2.Ini");
    EXPECT_NE(stored.find("\n[View]\n1\n\n[Grid]\n1\n"), std::string::npos) << stored;

    Start(kJune15, stored);
    EXPECT_EQ(Text(view().cell(kCellOfJune15)->lunarText()), "10 友引");
    frame().action(kCmdViewFull)->trigger();
    frame().action(kCmdLunarLine)->trigger();
    EXPECT_EQ(frame().size(), plain) << "back to the drawn size";
    EXPECT_TRUE(view().cell(kCellOfJune15)->lunarText().isEmpty());
    Quit();
    EXPECT_EQ(ReadText(folder() / "Kalendo2.Ini").find("[Grid]"), std::string::npos);
}

TEST_F(WindowTest, TimerFollowsTheDateAcrossMidnight) {
    // The clock stands 20 ms before midnight from the first tick on.
    platform().untilMidnight = std::chrono::milliseconds(20);
    Start(kJune15);
    platform().today = CalendarDate{2024, 6, 16};
    Pump(50);
    EXPECT_EQ(Text(frame().windowTitle()), "KalendoⅡ [ 2024/ 6/16(日) ]");
    // The selection stays on the 15th (now cyan); the 16th is today.
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月15日");
    EXPECT_EQ(view().cell(kCellOfJune15)->background(), Colour(kSelectedDayBackground));
    EXPECT_EQ(view().cell(kCellOfJune15 + 1)->background(), Colour(kTodayBackground));
}

// Idle, the window sleeps until just past midnight, on the real-time
// clock; a clock set wakes it at once and the date it finds shows.
TEST_F(WindowTest, TimerSleepsUntilMidnightAndWakesForAClockSet) {
    Start(kJune15);
    QTimer& timer = frame().timer();
    EXPECT_TRUE(timer.isSingleShot());
    ASSERT_TRUE(frame().clockWatch().ok());
    EXPECT_FALSE(timer.isActive()) << "the kernel's timer, not Qt's";
    itimerspec armed{};
    ASSERT_EQ(timerfd_gettime(frame().clockWatch().timerFd(), &armed), 0);
    const std::chrono::milliseconds until = platform().untilMidnight;
    EXPECT_LE(armed.it_value.tv_sec, std::chrono::duration_cast<std::chrono::seconds>(until).count() + 1);
    EXPECT_GE(armed.it_value.tv_sec, std::chrono::duration_cast<std::chrono::seconds>(until).count() - 2);
    // A date that changes without midnight (a clock set, a resume).
    platform().today = CalendarDate{2024, 8, 1};
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (clock_settime(CLOCK_REALTIME, &now) != 0) GTEST_SKIP() << "the clock cannot be set here";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Text(frame().windowTitle()) == "KalendoⅡ [ 2024/ 8/ 1(木) ]"; }, 3000));
}

// 設定's feed: written at start and after a schedule change; a file that
// cannot be written is said once, not at every change.
TEST_F(WindowTest, TheFeedFollowsTheSchedulesAndFailsOnce) {
    const std::string feed = (folder() / "feed.ics").string();
    Start(kJune15, SettingsFileText(100, 80, 0, 0) + "[Feed]\n1\nholidays,schedules\n" + feed + "\n");
    auto read = [&] { std::ostringstream bytes; bytes << std::ifstream(feed).rdbuf(); return bytes.str(); };
    const std::string first = read();
    EXPECT_NE(first.find("REFRESH-INTERVAL;VALUE=DURATION:P1D"), std::string::npos);
    EXPECT_EQ(first.find("CATEGORIES:六曜"), std::string::npos) << "only the kinds chosen";
    std::filesystem::remove(feed);
    emit view().schedulesChanged();
    EXPECT_EQ(read(), first);
    EXPECT_TRUE(Messages().empty());
    std::filesystem::remove(feed);
    std::filesystem::create_directory(feed);  // a folder in the file's place
    for (int i = 0; i < 3; ++i) emit view().schedulesChanged();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].starts_with("カレンダーアプリ用のファイルを書き込めません（同じ名前のフォルダーがあります）.")) << Messages()[0];
}

TEST_F(WindowTest, ListsAreReportListsWithTheLayoutsColumns) {
    Start(kJune15);
    EntryList* events = view().eventList();
    EntryList* schedules = view().scheduleList();
    // The day's three lines take the foot of the right column.
    EXPECT_EQ(events->geometry(), QRect(175, 0, 183, 65));
    EXPECT_EQ(schedules->geometry(), QRect(175, 65, 183, 66));
    EXPECT_EQ(view().dayLine(2)->geometry(), QRect(175, 177, 183, 23));
    EXPECT_EQ(Text(events->headerItem()->text(0)), "この日の暦");
    EXPECT_EQ(Text(schedules->headerItem()->text(0)), "日");
    EXPECT_EQ(Text(schedules->headerItem()->text(1)), "予 定");
    const int w = events->InnerWidth();
    // The headings span the lists: the last column takes the rest.
    EXPECT_EQ(events->header()->length(), events->viewport()->width());
    EXPECT_EQ(events->viewport()->width(), w);
    EXPECT_EQ(schedules->columnWidth(0), w / 5);
    EXPECT_EQ(schedules->header()->length(), schedules->viewport()->width());
    EXPECT_EQ(events->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(events->selectionBehavior(), QAbstractItemView::SelectRows);
    frame().action(kCmdSizeEnlarged)->trigger();
    EXPECT_EQ(events->geometry(), QRect(210, 0, 190, 80));
    EXPECT_EQ(view().cell(41)->geometry(), QRect(180, 205, 30, 30));
}

TEST(FrameHints, AskForNoMaximiseAndNoResizeHandle) {
    const MotifWmHints& h = kFixedFrameMotifHints;
    const struct {
        std::uint32_t field, bit;
        bool set;
        const char* why;
    } kBits[] = {
        {h[0], kMwmHintsFunctions, true, "the functions are given"},
        {h[0], kMwmHintsDecorations, true, "the decorations are given"},
        {h[1], kMwmFuncResize, false, "no resizing"},
        {h[1], kMwmFuncMaximize, false, "no maximising"},
        {h[1], kMwmFuncMove, true, "moving"},
        {h[1], kMwmFuncMinimize, true, "minimising"},
        {h[1], kMwmFuncClose, true, "closing"},
        {h[2], kMwmDecorResizeHandle, false, "no resize handle"},
        {h[2], kMwmDecorMaximize, false, "no maximise button"},
        {h[2], kMwmDecorTitle, true, "a title bar"},
        {h[2], kMwmDecorBorder, true, "a border"},
        {h[2], kMwmDecorMinimize, true, "a minimise button"},
    };
    for (const auto& b : kBits) EXPECT_EQ((b.field & b.bit) != 0, b.set) << b.why;
}

TEST_F(WindowTest, FrameFlagsHoldNoMaximiseHint) {
    Start(kJune15);
    const Qt::WindowFlags flags = frame().windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowFullscreenButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
}

// Darkness of an image: the sum over its pixels of 255 - grey.
long Darkness(const QImage& image) {
    long ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) ink += 255 - qGray(image.pixel(x, y));
    }
    return ink;
}

// Ink of `text` drawn in `font` on white.
long Ink(const QFont& font, const QString& text) {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    painter.end();
    return Darkness(image);
}

// Ink of a cell drawn at a device pixel ratio of 2.
long ScaledInk(QWidget* w) {
    QImage image(w->size() * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    w->render(&image);
    return Darkness(image);
}

TEST_F(WindowTest, DayNumbersAreBoldAndKeepAGapInBothSizes) {
    Start(kJune15);
    for (const int size : {kSizeNormal, kSizeEnlarged}) {
        SCOPED_TRACE(size);
        frame().RunCommand(size == kSizeNormal ? kCmdSizeNormal : kCmdSizeEnlarged);
        const QFont cellFont = view().cell(0)->font();
        for (int k = 1; k < kGridCells; ++k) {
            ASSERT_EQ(view().cell(k)->font(), cellFont) << "one font for the whole grid";
        }
        for (const QFont& font : {cellFont, view().heading(1)->font()}) {
            EXPECT_TRUE(QFontInfo(font).bold());
            QFont regular = font;
            regular.setBold(false);
            EXPECT_GT(Ink(font, QStringLiteral("28")), Ink(regular, QStringLiteral("28")) * 11 / 10)
                << "drawn bold, not only asked for";
        }
        // Also on a screen scaled by 2, where glyphs are drawn as outlines.
        for (DayCellWidget* w : {view().cell(kCellOfJune15), view().heading(1)}) {
            const QString text = w->text();
            const QColor fg = w->textColour(), bg = w->background();
            w->SetContent(text, Qt::black, Qt::white);
            const QFont bold = w->font();
            QFont regular = bold;
            regular.setBold(false);
            w->SetTextFont(regular);
            const long regularInk = ScaledInk(w);
            w->SetTextFont(bold);
            EXPECT_GT(ScaledInk(w), regularInk * 11 / 10) << "bold at 2x";
            w->SetContent(text, fg, bg);
        }
        // Between the digits of two neighbouring cells: their two border
        // lines and at least 2 pixels of background.
        const int cellWidth = view().cell(0)->width();
        const QFontMetrics metrics(cellFont);
        for (int day = 10; day <= 31; ++day) {
            EXPECT_LE(metrics.boundingRect(QString::number(day)).width() + 2 + 2, cellWidth)
                << day;
        }
    }
}

TEST(DayNumberFont, GivenFontWhereItFitsNarrowerWhereNot) {
    TestApplication();
    QFont wide(QStringLiteral("IPAPGothic"));
    wide.setPointSizeF(13);
    wide.setBold(true);
    for (const int cellWidth : {25, 30, 40, 14}) {
        SCOPED_TRACE(cellWidth);
        const QFont chosen = FontFittingDayNumbers(wide, cellWidth);
        EXPECT_TRUE(chosen.bold());
        const bool fits = WidestDayNumberWidth(wide) + 2 + kDayDigitGap <= cellWidth;
        if (fits) {
            EXPECT_EQ(chosen, wide) << "the given font is kept where it fits";
        }
        const bool chosenFits = WidestDayNumberWidth(chosen) + 2 + kDayDigitGap <= cellWidth;
        if (cellWidth >= 25) {
            EXPECT_TRUE(chosenFits);
        }
        if (!chosenFits) {
            EXPECT_EQ(chosen, wide) << "nothing fits: the given font stays";
        }
    }
}

TEST_F(WindowTest, HiddenToolBarForgetsItsHoverFrame) {
    Start(kJune15);
    QAction* monthly = ToolBarButton(frame().mainToolBar(), kCmdViewMonthly);
    QWidget* button = frame().mainToolBar()->widgetForAction(monthly);
    ASSERT_NE(button, nullptr);
    button->setAttribute(Qt::WA_UnderMouse, true);  // the mouse is on it when it is clicked
    ClickToolBarButton(frame().mainToolBar(), kCmdViewMonthly);
    frame().RunCommand(kCmdViewFull);
    EXPECT_TRUE(frame().mainToolBar()->isVisible());
    EXPECT_FALSE(button->underMouse());
}

TEST_F(WindowTest, MonthToolBarTooltipsOpenAboveIt) {
    Start(kJune15);
    frame().show();
    QAction* june = frame().action(kCmdMonth1 + 5);
    QWidget* button = frame().monthToolBar()->widgetForAction(june);
    ASSERT_NE(button, nullptr);
    const QPoint at = button->rect().center();
    QHelpEvent help(QEvent::ToolTip, at, button->mapToGlobal(at));
    QApplication::sendEvent(button, &help);
    QWidget* tip = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->inherits("QTipLabel") && w->isVisible()) tip = w;
    }
    ASSERT_NE(tip, nullptr);
    EXPECT_LT(tip->geometry().bottom(), button->mapToGlobal(QPoint(0, 0)).y());
    EXPECT_GE(tip->geometry().top(), frame().frameGeometry().top()) << "over the window";
    QToolTip::hideText();
}

TEST(SelectedRows, ContrastOfEveryKind) {
    EXPECT_NEAR(ContrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio({255, 255, 255}, {0, 0, 0}), 21.0, 1e-9) << "symmetric";
    EXPECT_NEAR(ContrastRatio({20, 128, 128}, {20, 128, 128}), 1.0, 1e-12);
    // The usual selection blue under the schedules' teal: what was unreadable.
    EXPECT_LT(ContrastRatio({20, 128, 128}, {48, 140, 198}), 1.5);
    EXPECT_GE(ContrastRatio(kSelectedRowColours.text, kSelectedRowColours.background), 4.5);
    // Unselected rows keep their kind's colour on the list's background.
    for (int kind = kNoteRow; kind <= kScheduleRow; ++kind) {
        ASSERT_TRUE(RowTextColour(kind).has_value());
        EXPECT_GE(ContrastRatio(*RowTextColour(kind), kListBackground), 3.0) << kind;
    }
}

TEST_F(WindowTest, ListsKeepTheirColoursUnderADarkPalette) {
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(48, 140, 198));
    QApplication::setPalette(dark);
    Start(kJune15, SettingsFileText(100, 80, 0, 0));
    OnNextModal<ScheduleDialog>([](ScheduleDialog& d) {
        d.nameEdit()->setText(QString::fromUtf8("会議"));
        d.storeButton()->click();
    });
    QTest::mouseClick(CellOfDay(15), Qt::RightButton);
    EntryList* list = view().eventList();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->palette().color(QPalette::Base), Colour(kListBackground));
    EXPECT_EQ(list->palette().color(QPalette::Inactive, QPalette::Base), Colour(kListBackground));
    list->topLevelItem(0)->setSelected(true);
    frame().show();
    const QImage shot = list->viewport()->grab().toImage();
    const QRect row = list->visualItemRect(list->topLevelItem(0));
    EXPECT_EQ(QColor(shot.pixel(row.left() + 1, row.center().y())),
              Colour(kSelectedRowColours.background));
    const QPoint below(row.left() + 1, row.bottom() + 5);
    EXPECT_EQ(QColor(shot.pixel(below)), Colour(kListBackground)) << "the light background stays";
    QApplication::setPalette(saved);
}

}  // namespace
}  // namespace kalendo

namespace kalendo {
namespace {

// 設定 begins the week on Monday with the ISO week column: the headings,
// days, reader's columns and keys follow (the stored lines: settings_test);
// back on Sunday without numbers the frame has its old size.
TEST_F(WindowTest, WeekSettingsReachGridKeysAndReader) {
    Start(kJune15);
    const QSize plain = frame().size();
    const auto choose = [this](int index) {
        OnNextModal<ConfigDialog>([index](ConfigDialog& d) {
            EXPECT_EQ(Text(d.weekStartBox()->accessibleName() + d.weekNumbersBox()->accessibleName()),
                      "週の始まり週番号");
            d.weekStartBox()->setCurrentIndex(index);
            d.weekNumbersBox()->setCurrentIndex(index);
            QTest::mouseClick(d.okButton(), Qt::LeftButton);
        });
        frame().action(kCmdStartupSettings)->trigger();
    };
    choose(1);
    EXPECT_EQ(Text(view().heading(0)->text() + view().heading(6)->text()), "月日");
    EXPECT_EQ(Text(view().cell(0)->text()), "27") << "Monday 27 May opens June 2024";
    EXPECT_EQ(Text(view().weekNumber(0)->text() + view().weekNumber(5)->accessibleName()), "22第27週");
    EXPECT_GT(frame().width(), plain.width());
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(view().grid())->tableInterface();
    EXPECT_EQ(Text(table->columnDescription(0)), "月曜日");
    const int before = view().grid()->selected();
    QTest::keyClick(view().grid(), Qt::Key_Down);
    EXPECT_EQ(view().grid()->selected(), before + 7) << "straight down a column, to the 22nd";
    choose(0);
    EXPECT_EQ(Text(view().heading(0)->text()), "日");
    EXPECT_FALSE(view().weekHeading()->isVisible());
    EXPECT_EQ(frame().size(), plain);
}

}  // namespace
}  // namespace kalendo
