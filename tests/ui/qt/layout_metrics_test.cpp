// Every text of the window fits its control under every installed style
// the desktops use, in the four display modes, with the grid's second line
// off and on. The scale is the process's: ctest runs this again with
// QT_SCALE_FACTOR 1.25, 1.5 and 2.
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyleFactory>
#include <QToolButton>

#include "tests/ui/qt/gui_fixture.h"
#include "ui/model/view_layout.h"
#include "ui/qt/command_ids.h"
#include "ui/qt/day_cell_widget.h"
#include "ui/qt/entry_list.h"
#include "ui/qt/focus_mark.h"
#include "ui/qt/fonts.h"
#include "ui/qt/info_pane.h"
#include "ui/qt/qt_text.h"

namespace kalendo {
namespace {

class LayoutMetrics : public GuiTest {
protected:
    void TearDown() override {
        GuiTest::TearDown();
        QApplication::setStyle(QStringLiteral("Fusion"));
    }
};

TEST_F(LayoutMetrics, EveryTextFitsItsControlUnderEveryStyle) {
    const SizingTexts& widest = WidestTexts();
    std::vector<QString> lunarTexts;
    for (const std::string& t : widest.lunarLine) lunarTexts.push_back(ToQt(t));
    // Fusion, Qt's Windows style, GNOME's adwaita-qt and KDE's Breeze.
    for (const char* style : {"Fusion", "Windows", "Adwaita", "Adwaita-Dark", "Breeze"}) {
        if (!QStyleFactory::keys().contains(QLatin1String(style), Qt::CaseInsensitive)) continue;
        QApplication::setStyle(QString::fromLatin1(style));
        Start({2024, 6, 15});
        for (int mode = 0; mode < 8; ++mode) {
            const bool enlarged = mode & 1, monthly = mode & 2, lunarLine = mode & 4;
            SCOPED_TRACE(testing::Message() << style << " enlarged " << enlarged << " monthly "
                                            << monthly << " line " << lunarLine);
            frame().RunCommand(enlarged ? kCmdSizeEnlarged : kCmdSizeNormal);
            frame().RunCommand(monthly ? kCmdViewMonthly : kCmdViewFull);
            if (frame().action(kCmdLunarLine)->isChecked() != lunarLine) {
                frame().RunCommand(kCmdLunarLine);
            }
            // Each pane shows its widest texts whole at the font it is sized
            // for, and a line of that font fits its height.
            // The monthly display shows the date pane alone.
            std::vector<std::pair<InfoPane*, const std::vector<std::string>*>> panes{
                {view().datePane(), &widest.datePane},       {view().yearSignPane(), &widest.yearSign},
                {view().oldCalendarPane(), &widest.oldCalendar}, {view().officerPane(), &widest.officer},
                {view().mansionPane(), &widest.mansion},      {view().moonPane(), &widest.moon}};
            if (monthly) panes.resize(1);
            // The day's lines in the lists' font, the day's sky once drawn.
            QCoreApplication::processEvents();
            for (int i = 0; i < 3 && !monthly; ++i) {
                const char* const starts[] = {"暦注 ", "日の出 ", "月の出 "};
                EXPECT_TRUE(mode != 0 || Text(view().dayLine(i)->text()).starts_with(starts[i]));
                panes.push_back({view().dayLine(i), &widest.dayLines});
            }
            for (const auto& [pane, texts] : panes) {
                for (const std::string& t : *texts) {
                    pane->SetTexts(t);
                    const QSize need = pane->SizeFor({t}, pane->font());
                    EXPECT_LE(QFontMetrics(pane->font()).horizontalAdvance(pane->text()),
                              pane->TextRoom()) << Text(pane->text());
                    EXPECT_LE(need.height(), pane->height()) << Text(pane->text());
                    EXPECT_LE(need.width(), pane->width() + 1) << "sized for, not shrunk";
                }
            }
            // Each cell's number with its gap, and its second line in a
            // legible font, within its border.
            std::vector<DayCellWidget*> cells;
            for (int c = 0; c < kGridColumns; ++c) cells.push_back(view().heading(c));
            for (int k = 0; k < kGridCells; ++k) cells.push_back(view().cell(k));
            for (DayCellWidget* cell : cells) {
                const QFontMetrics numbers(cell->font());
                const QRect area = cell->NumberArea();
                EXPECT_LE(numbers.boundingRect(cell->text()).width() + kDayDigitGap, area.width());
                EXPECT_LE(numbers.height(), area.height());
                if (cell->index() < 0) continue;
                ASSERT_EQ(cell->lunarLineShown(), lunarLine);
                EXPECT_EQ(cell->lunarText().isEmpty(), !lunarLine);
                if (!lunarLine) continue;
                EXPECT_GE(QFontInfo(cell->lunarFont()).pixelSize(), 9);
                const QRect line = cell->LunarArea();
                for (const QString& t : lunarTexts) {
                    EXPECT_LE(QFontMetrics(cell->lunarFont()).horizontalAdvance(t), line.width());
                }
                EXPECT_TRUE(QRect(1, area.bottom() + 1, area.width(), cell->height() - 2 -
                                  area.height()).contains(line));
                // Clear of the band the grid's focus mark takes.
                EXPECT_TRUE(cell->rect().adjusted(kCellFocusBand, 0, -kCellFocusBand, -kCellFocusBand)
                                .contains(line));
            }
            // No strip beside the controls, whatever the bars' width.
            const QWidget* rightmost = monthly ? static_cast<QWidget*>(view().cell(6))
                                               : static_cast<QWidget*>(view().eventList());
            EXPECT_EQ(rightmost->geometry().right() + 1, view().width());
            EXPECT_EQ(view().width(), frame().width());
        }
        Quit();
    }
}

// The desktop's menu, toolbar and heading fonts (kdeglobals, qt6ct) of 9
// to 14 points under each style: no menu title or button behind an
// overflow button or narrower than its text; the headings span the lists.
TEST_F(LayoutMetrics, DesktopFontsHideAndClipNothing) {
    const char* const kThemed[] = {"QMenuBar", "QMenu", "QToolButton", "QHeaderView"};
    const QFont before = QApplication::font("QMenuBar");
    for (const char* style : {"Fusion", "Windows", "Adwaita", "Adwaita-Dark", "Breeze"}) {
        if (!QStyleFactory::keys().contains(QLatin1String(style), Qt::CaseInsensitive)) continue;
        QApplication::setStyle(QString::fromLatin1(style));
        for (const int points : {9, 10, 11, 12, 14}) {
            for (const char* c : kThemed) QApplication::setFont(QFont(QStringLiteral("Noto Sans"), points), c);
            Start({2024, 6, 15});
            for (const int command : {kCmdSizeEnlarged, kCmdViewMonthly}) {
                SCOPED_TRACE(testing::Message() << style << " " << points << " pt " << command);
                frame().RunCommand(command);
                for (QToolButton* b : frame().findChildren<QToolButton*>()) {
                    const bool overflow = b->objectName().endsWith(QLatin1String("_ext_button"));
                    EXPECT_FALSE(overflow && b->isVisible());
                    EXPECT_TRUE(overflow || !b->isVisible() || b->width() >= b->sizeHint().width()) << Text(b->text());
                }
                for (EntryList* list : {view().eventList(), view().scheduleList()}) {
                    EXPECT_TRUE(!list->isVisible() || list->header()->length() == list->viewport()->width());
                }
            }
            Quit();
        }
    }
    for (const char* c : kThemed) QApplication::setFont(before, c);
}

}  // namespace
}  // namespace kalendo
