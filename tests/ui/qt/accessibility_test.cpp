// The window as a screen reader meets it, in process: the grid's table of
// days with their names and states, the events that announce a new day,
// the names of panes, lists and dialog fields, the focus and its mark, and
// the keys that open on the selected day what a right click opens.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QToolBar>

#include <algorithm>
#include <vector>

#include "almanac/era_convert.h"
#include "tests/ui/qt/gui_fixture.h"
#include "ui/model/lists.h"
#include "ui/model/month_view.h"
#include "ui/model/spoken_names.h"
#include "ui/qt/day_cell_widget.h"
#include "ui/model/rekichu_view.h"
#include "ui/qt/day_grid.h"
#include "ui/qt/config_dialog.h"
#include "ui/qt/detail_dialog.h"
#include "ui/qt/direct_jump_dialog.h"
#include "ui/qt/entry_list.h"
#include "ui/qt/era_convert_dialog.h"
#include "ui/qt/info_pane.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/relative_jump_dialog.h"
#include "ui/qt/schedule_dialog.h"

namespace kalendo {
namespace {

constexpr CalendarDate kJune15 = {2024, 6, 15};  // cell 20 of June 2024
constexpr int kCellOfJune15 = 20;

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }
QString Name(QObject* o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); }

struct SeenEvent {
    QAccessible::Event type;
    QObject* object;
    int child;
};
std::vector<SeenEvent>* seen = nullptr;

void RecordEvent(QAccessibleEvent* event) {
    if (seen != nullptr) seen->push_back({event->type(), event->object(), event->child()});
}

class AccessibilityTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        seen = &events_;
        previous_ = QAccessible::installUpdateHandler(RecordEvent);
    }
    void TearDown() override {
        QAccessible::installUpdateHandler(previous_);
        seen = nullptr;
        GuiTest::TearDown();
    }

    // The window started on 15 June 2024 and made the active one, as the
    // desktop makes a new window.
    void StartActive() {
        Start(kJune15);
        frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }

    QAccessibleInterface* Grid() { return QAccessible::queryAccessibleInterface(view().grid()); }
    std::vector<SeenEvent> Take() { return std::exchange(events_, {}); }
    bool Saw(QAccessible::Event type, int child) {
        for (const SeenEvent& e : events_) {
            if (e.type == type && e.object == view().grid() && e.child == child) return true;
        }
        return false;
    }

    std::vector<SeenEvent> events_;
    QAccessible::UpdateHandler previous_ = nullptr;
};

// The grid is a table of 6 x 7 days; each day's name is the model's, the
// selected day alone is selected and focused, and the view lists the table
// instead of the 42 cell widgets.
TEST_F(AccessibilityTest, TheGridIsATableOfNamedDays) {
    StartActive();
    QAccessibleInterface* grid = Grid();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Table);
    EXPECT_EQ(Name(view().grid()), Q("2024年6月"));
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->columnCount(), 7);
    EXPECT_EQ(table->columnDescription(0), Q("日曜日"));
    ASSERT_EQ(grid->childCount(), kGridCells);
    const auto names = GridDayNames().Of(record());
    // After the day, the notes picked in 設定 (by default 天赦日, 一粒万倍日).
    PickedRekichu picked(record(), {}, kDefaultRekichuPicks);
    for (int k = 0; k < kGridCells; ++k) {
        QAccessibleInterface* cell = grid->child(k);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        const int day = FillMonthGrid(record())[static_cast<std::size_t>(k)].day;
        EXPECT_EQ(cell->text(QAccessible::Name),
                  ToQt(names[k] + SpokenRekichu(picked.Of(CellClickTarget(record(), day))))) << k;
        constexpr int kIchiryuCells[] = {1, 2, 15, 16, 27, 28, 39, 40};  // 5/27, 5/28, 6/10 ... 7/5
        EXPECT_EQ(cell->text(QAccessible::Name).contains(Q("一粒万倍日")),
                  std::count(std::begin(kIchiryuCells), std::end(kIchiryuCells), k) == 1) << k;
        EXPECT_EQ(ToQt(names[k]).contains(Q(" 今日")), k == kCellOfJune15) << "today is said so";
        EXPECT_EQ(cell->parent(), grid);
        EXPECT_EQ(grid->indexOfChild(cell), k);
        EXPECT_EQ(table->cellAt(k / 7, k % 7), cell);
        EXPECT_EQ(cell->rect().center(), view().cell(k)->mapToGlobal(view().cell(k)->rect().center()));
        const bool selected = k == kCellOfJune15;
        EXPECT_EQ(bool(cell->state().selected), selected) << k;
        EXPECT_EQ(bool(cell->state().focused), selected) << k;
    }
    EXPECT_EQ(table->selectedCells(), QList<QAccessibleInterface*>{grid->child(kCellOfJune15)});
    EXPECT_EQ(grid->focusChild(), grid->child(kCellOfJune15));

    QAccessibleInterface* viewIface = QAccessible::queryAccessibleInterface(&view());
    bool gridListed = false;
    for (int i = 0; i < viewIface->childCount(); ++i) {
        const auto* cell = qobject_cast<DayCellWidget*>(viewIface->child(i)->object());
        EXPECT_TRUE(cell == nullptr || cell->index() < 0) << "day cell " << cell->index() << " listed";
        gridListed |= viewIface->child(i) == grid;
        EXPECT_EQ(viewIface->indexOfChild(viewIface->child(i)), i);
    }
    EXPECT_TRUE(gridListed);
    // Without the focus the selected day is still selected, no longer focused.
    view().moonPane()->setFocus();
    EXPECT_TRUE(grid->child(kCellOfJune15)->state().selected);
    EXPECT_FALSE(grid->child(kCellOfJune15)->state().focused);
}

// Every control beside the grid has a name, and so has every field of the
// era dialog, which has no labels; the date pane's and the lists'
// descriptions follow the day.
TEST_F(AccessibilityTest, ControlsAndFieldsAreNamed) {
    StartActive();
    DirectJumpDialog jump(record(), MonthOptions{}, &frame());
    EraConvertDialog era(record(), OpenEraConvert(record(), 2024, 6, 15), &frame());
    const struct {
        QWidget* widget;
        const char* name;
    } controls[] = {{view().officerPane(), "十二直"},         {view().mansionPane(), "二十八宿"},
                    {view().oldCalendarPane(), "旧暦と六曜"}, {view().moonPane(), "月齢"},
                    {view().yearSignPane(), "年の干支と月"},  {view().eventList(), "この日の暦"},
                    {view().scheduleList(), "これからの予定"}, {view().heading(6), "土曜日"},
                    {view().datePane(), "2024年6月15日 土曜日"}, {jump.monthEdit(), "月"},
                    {era.eraDateEdit(), "和暦の日付"},         {era.westernDateEdit(), "西暦の日付"}};
    for (const auto& c : controls) EXPECT_EQ(Name(c.widget), Q(c.name));
    // Every toolbar by a Japanese name, never its object name.
    for (QToolBar* bar : frame().findChildren<QToolBar*>()) EXPECT_TRUE(Name(bar).endsWith(Q("ツールバー")));
    // Each pane still reads its text as its value.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(view().officerPane())->text(QAccessible::Value),
              view().officerPane()->text());
    EXPECT_EQ(view().eventList()->accessibleDescription(),
              ToQt(SpokenRows(FillEventList(record()))));
    QTest::keyClick(&frame(), Qt::Key_PageUp);
    EXPECT_EQ(Name(view().datePane()), Q("2024年5月15日 水曜日"));
    EXPECT_EQ(view().scheduleList()->accessibleDescription(),
              ToQt(SpokenRows(FillScheduleList(record()))));
}

// Every combo box of every dialog is named by what it chooses, never by the
// value it shows, and each viewer of the detail dialog by what it holds.
TEST_F(AccessibilityTest, ComboBoxesAndDetailViewersAreNamed) {
    StartActive();
    ConfigDialog config(false, app().settings(), "feed.ics", &frame());
    ScheduleDialog schedule(ScheduleDialogValues{}, "caption", &frame());
    EraConvertDialog era(record(), OpenEraConvert(record(), 2024, 6, 15), &frame());
    RelativeJumpDialog relative(record(), MonthOptions{}, &frame());
    QStringList names;
    for (QDialog* d : std::initializer_list<QDialog*>{&config, &schedule, &era, &relative}) {
        for (QComboBox* box : d->findChildren<QComboBox*>()) names << Name(box);
    }
    // In any order: 設定's boxes lie on pages of their own.
    QStringList sorted = names, want = Q("週の始まり 週番号 配色 場所 一粒万倍日の取り方 大明日の取り方 表示期間 元号 単位").split(u' ');
    sorted.sort();
    want.sort();
    EXPECT_EQ(sorted, want);
    DetailDialog detail(DetailTexts{"a", "b"}, &frame(), "c", "d", "e", "f");
    for (const char* v : {"almanac", "events", "rekichu", "closeCalls", "eclipse", "sky"}) {
        names << Name(detail.findChild<QWidget*>(QString::fromLatin1(v)));
    }
    EXPECT_EQ(names.mid(9).join(u' '), Q("暦の詳細 この日の暦 九星と暦注 真夜中に近い朔と節気 日食・月食 日の出・日の入りと月"));
}

// Moving the selection tells the reader which day is selected and focused
// now, and that the one before no longer is; a new month renames the days.
// Qt hands events on only while a reader listens: this runs under the
// accessibility bus (tests/ui/qt/atspi_check), and is skipped elsewhere.
TEST_F(AccessibilityTest, MovingTheSelectionSendsItsEvents) {
    StartActive();
    if (!QAccessible::isActive()) GTEST_SKIP() << "no accessibility bus";
    const struct {
        Qt::Key key;
        int from, to;
        bool renamed;
        const char* why;
    } moves[] = {
        {Qt::Key_Right, kCellOfJune15, 21, false, "翌日, same month"},
        {Qt::Key_Down, 21, 28, false, "翌週"},
        {Qt::Key_PageDown, 28, 23, true, "翌月: 23 July, cell 23 of July"},
        {Qt::Key_PageUp, 23, 28, true, "back to June"},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(m.why);
        Take();
        QTest::keyClick(&frame(), m.key);
        ASSERT_EQ(view().grid()->selected(), m.to);
        EXPECT_TRUE(Saw(QAccessible::Selection, m.to));
        EXPECT_TRUE(Saw(QAccessible::Focus, m.to));
        EXPECT_TRUE(Saw(QAccessible::StateChanged, m.to));
        EXPECT_EQ(Saw(QAccessible::StateChanged, m.from), m.from != m.to);
        EXPECT_EQ(Saw(QAccessible::NameChanged, 0), m.renamed);
    }
    // Only the grid's own day moves it: a refresh of the same day says nothing.
    Take();
    view().Refresh();
    EXPECT_FALSE(Saw(QAccessible::Selection, view().grid()->selected()));
}

// The grid has the focus from the start; Enter, the keypad's Enter and the
// Menu key open the new schedule of the selected day, as a right click.
TEST_F(AccessibilityTest, TheGridHasTheFocusAndItsKeysOpenTheSchedule) {
    StartActive();
    EXPECT_EQ(frame().focusWidget(), view().grid());
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } keys[] = {{Qt::Key_Return, Qt::NoModifier},
                {Qt::Key_Enter, Qt::KeypadModifier},
                {Qt::Key_Menu, Qt::NoModifier}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        bool opened = false;
        OnNextModal<ScheduleDialog>([&opened](ScheduleDialog& d) {
            opened = true;
            EXPECT_EQ(d.windowTitle(), Q("スケジュール設定 - 2024/06/15(土)"));
            d.reject();
        });
        QTest::keyClick(view().grid(), k.key, k.modifiers);
        EXPECT_TRUE(opened);
    }
    // A click on a day gives the grid the focus back (the window's focus:
    // the closed dialogs' window may still be the active one).
    view().eventList()->setFocus();
    QTest::mouseClick(view().cell(3), Qt::LeftButton);
    EXPECT_EQ(frame().focusWidget(), view().grid());
}

// The focus mark: the selected day's frame is drawn in the mark's colour
// while the grid has the focus, in both sizes and both displays, and not
// without the focus; a list draws its own.
TEST_F(AccessibilityTest, TheFocusedGridAndListsShowTheMark) {
    StartActive();
    const QColor mark = ToQColor(kFocusMark);
    auto markedAt = [&](QWidget* w, QPoint p) {
        return w->window()->grab().toImage().pixelColor(w->mapTo(w->window(), p)) == mark;
    };
    const int modes[][2] = {{kCmdSizeNormal, kCmdViewFull}, {kCmdSizeEnlarged, kCmdViewFull},
                            {kCmdSizeEnlarged, kCmdViewMonthly}, {kCmdSizeNormal, kCmdViewMonthly}};
    for (const auto& mode : modes) {
        SCOPED_TRACE(testing::Message() << mode[0] << " " << mode[1]);
        frame().RunCommand(mode[0]);
        frame().RunCommand(mode[1]);
        view().grid()->setFocus();
        DayCellWidget* selected = view().cell(view().grid()->selected());
        const QPoint inside(selected->width() / 2, 2);  // just inside the cell's frame
        EXPECT_TRUE(markedAt(selected, inside));
        view().datePane()->setFocus();
        EXPECT_FALSE(markedAt(selected, inside));
    }
    frame().RunCommand(kCmdViewFull);
    view().scheduleList()->setFocus();
    EXPECT_TRUE(markedAt(view().scheduleList()->viewport(), {view().scheduleList()->viewport()->width() / 2, 0}));
}

// Every label of a dialog names its field, as a reader follows it from the
// field to its label.
TEST_F(AccessibilityTest, DialogLabelsNameTheirFields) {
    Start(kJune15);
    DirectJumpDialog jump(record(), MonthOptions{}, &frame());
    ScheduleDialog schedule(ScheduleDialogValues{}, "caption", &frame());
    for (QDialog* dialog : {static_cast<QDialog*>(&jump), static_cast<QDialog*>(&schedule)}) {
        const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
        EXPECT_FALSE(labels.isEmpty());
        for (QLabel* label : labels) {
            ASSERT_NE(label->buddy(), nullptr) << Text(label->text());
            const auto relations = QAccessible::queryAccessibleInterface(label->buddy())->relations(QAccessible::Label);
            EXPECT_TRUE(std::any_of(relations.begin(), relations.end(), [label](const auto& r) {
                return r.first == QAccessible::queryAccessibleInterface(label);
            })) << Text(label->text());
        }
    }
}

}  // namespace
}  // namespace kalendo
