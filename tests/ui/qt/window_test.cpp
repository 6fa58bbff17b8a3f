// The window itself: start-up, keys, toolbar buttons, clicks on the grid,
// the display modes and the settings written at exit.
#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "core/almanac_mode.h"
#include "tests/ui/qt/gui_fixture.h"
#include "ui/model/frame.h"
#include "ui/model/jumps.h"
#include "ui/model/month_view.h"
#include "ui/qt/day_cell_widget.h"
#include "ui/qt/entry_list.h"
#include "ui/qt/info_pane.h"

namespace kalendo {
namespace {

// 15 June 2024, a Saturday. June 2024 begins on a Saturday: cells 0-5 show
// 26-31 May, cells 6-35 June, cells 36-41 1-6 July.
constexpr LocalDate kJune15 = {2024, 6, 15, 6};
constexpr int kCellOfJune15 = 20;

QColor Colour(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

using WindowTest = GuiTest;

TEST_F(WindowTest, StartUpShowsTodayAtTheStoredPosition) {
    Start(kJune15);
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月15日");
    EXPECT_EQ(Text(frame().windowTitle()), "KalendoⅡ [ 2024/ 6/15(土) ]");
    EXPECT_EQ(frame().pos(), QPoint(100, 80));
    EXPECT_EQ(frame().size(), QSize(365, 352));
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
    Start(kJune15, std::nullopt);
    EXPECT_EQ(frame().pos(), QPoint((kTestScreenWidth - 365) / 2, (kTestScreenHeight - 352) / 2));
}

TEST_F(WindowTest, OffScreenPositionIsCentred) {
    Start(kJune15, SettingsFileText(2000, 100, 0, 0));
    EXPECT_EQ(frame().pos(), QPoint((kTestScreenWidth - 365) / 2, (kTestScreenHeight - 352) / 2));
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
    Start({2024, 1, 31, 3});
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
        QSize size;
        QPoint pos;
        bool full;
        const char* why;
    };
    const Step kSteps[] = {
        {&MainFrame::mainToolBar, kCmdViewMonthly, {185, 280}, {580, 372}, false, "月間"},
        {&MainFrame::compactToolBar, kCmdSizeEnlarged, {220, 315}, {545, 337}, false, "拡大"},
        {&MainFrame::compactToolBar, kCmdViewFull, {410, 392}, {355, 260}, true, "完全"},
        {&MainFrame::mainToolBar, kCmdSizeNormal, {365, 352}, {400, 300}, true, "通常"},
    };
    for (const Step& s : kSteps) {
        SCOPED_TRACE(s.why);
        ClickToolBarButton((frame().*s.bar)(), s.commandId);
        EXPECT_EQ(frame().size(), s.size);
        EXPECT_EQ(frame().minimumSize(), s.size);
        EXPECT_EQ(frame().maximumSize(), s.size);
        EXPECT_EQ(frame().pos(), s.pos);
        EXPECT_EQ(frame().mainToolBar()->isVisible(), s.full);
        EXPECT_EQ(frame().compactToolBar()->isVisible(), !s.full);
        EXPECT_EQ(frame().monthToolBar()->isVisible(), s.full);
        EXPECT_EQ(frame().action(kCmdDirectJump)->isVisible() &&
                      frame().menuBar()->actions().at(2)->isVisible(),
                  s.full);
        EXPECT_EQ(view().eventList()->isVisible(), s.full);
        EXPECT_TRUE(frame().action(s.commandId)->isChecked());
        EXPECT_TRUE(ToolBarButton((frame().*s.bar)(), s.commandId)->isChecked());
    }
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

TEST_F(WindowTest, SettingsFileIsWrittenAtExitWithTheWindowsPosition) {
    Start(kJune15);
    frame().action(kCmdSizeEnlarged)->trigger();
    frame().move(300, 200);
    Quit();
    EXPECT_EQ(ReadText(folder() / "Kalendo2.Ini"),
              ";;;;;;;;;;;;; Kalendo2.Ini For Ver. 1.18 ;;;;;;;;;;;;;\n\n[Position]\n"
              "300 : 200\n\n[Size]\n1\n\n[View]\n0\n\n");
}

// "精密な暦計算" in the 表示 menu (kept in the compact menu): it switches the
// almanac of the shown day, marks the title, and survives a restart.
TEST_F(WindowTest, PreciseAlmanacItemSwitchesAndIsStored) {
    struct BackToStandard {
        ~BackToStandard() { CurrentAlmanacMode() = AlmanacMode::Standard; }
    } backToStandard;
    const LocalDate jan9 = {2035, 1, 9, 2};
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

    CurrentAlmanacMode() = AlmanacMode::Standard;
    Start(jan9, stored);
    EXPECT_TRUE(frame().action(kCmdAlmanacPrecise)->isChecked());
    EXPECT_EQ(record().lunarDay, 30);
}

TEST_F(WindowTest, SessionEndWritesTheSettingsAtOnce) {
    Start(kJune15);
    frame().move(250, 150);
    app().SaveForSessionEnd();
    EXPECT_NE(ReadText(folder() / "Kalendo2.Ini").find("\n250 : 150\n"), std::string::npos);
}

TEST_F(WindowTest, TimerFollowsTheDateAcrossMidnight) {
    Start(kJune15);
    platform().today = LocalDate{2024, 6, 16, 0};
    Pump(50);
    EXPECT_EQ(Text(frame().windowTitle()), "KalendoⅡ [ 2024/ 6/16(日) ]");
    // The selection stays on the 15th (now cyan); the 16th is today.
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月15日");
    EXPECT_EQ(view().cell(kCellOfJune15)->background(), Colour(kSelectedDayBackground));
    EXPECT_EQ(view().cell(kCellOfJune15 + 1)->background(), Colour(kTodayBackground));
}

TEST_F(WindowTest, ListsAreReportListsWithTheLayoutsColumns) {
    Start(kJune15);
    EntryList* events = view().eventList();
    EntryList* schedules = view().scheduleList();
    EXPECT_EQ(events->geometry(), QRect(175, 0, 183, 100));
    EXPECT_EQ(schedules->geometry(), QRect(175, 100, 183, 100));
    EXPECT_EQ(Text(events->headerItem()->text(0)), "この日の暦");
    EXPECT_EQ(Text(schedules->headerItem()->text(0)), "日");
    EXPECT_EQ(Text(schedules->headerItem()->text(1)), "予 定");
    const int w = events->InnerWidth();
    EXPECT_EQ(events->columnWidth(0), w - 17);
    EXPECT_EQ(schedules->columnWidth(0), w / 5);
    EXPECT_EQ(schedules->columnWidth(1), 4 * w / 5 - 17);
    EXPECT_EQ(events->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(events->selectionBehavior(), QAbstractItemView::SelectRows);
    frame().action(kCmdSizeEnlarged)->trigger();
    EXPECT_EQ(events->geometry(), QRect(210, 0, 190, 120));
    EXPECT_EQ(view().cell(41)->geometry(), QRect(180, 205, 30, 30));
}

}  // namespace
}  // namespace kalendo
