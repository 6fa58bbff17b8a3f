// Every text of the window fits its control, under every installed style
// the desktops use, in the four display modes, with the grid's second line
// off and on. The scale is the process's (QT_SCALE_FACTOR): ctest runs this
// program again at 1.25, 1.5 and 2.
#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleFactory>

#include "tests/ui/qt/gui_fixture.h"
#include "ui/model/view_layout.h"
#include "ui/qt/command_ids.h"
#include "ui/qt/day_cell_widget.h"
#include "ui/qt/entry_list.h"
#include "ui/qt/fonts.h"
#include "ui/qt/info_pane.h"
#include "ui/qt/qt_text.h"

namespace kalendo {
namespace {

constexpr CalendarDate kDay = {2024, 6, 15};

// Fusion, Qt's Windows style, GNOME's adwaita-qt and KDE's Breeze.
const char* const kStyles[] = {"Fusion", "Windows", "Adwaita", "Adwaita-Dark", "Breeze"};

struct Mode {
    int sizeMode, viewMode;
    bool lunarLine;
};
constexpr Mode kModes[] = {
    {kSizeNormal, kViewFull, false},     {kSizeNormal, kViewMonthly, false},
    {kSizeEnlarged, kViewFull, false},   {kSizeEnlarged, kViewMonthly, false},
    {kSizeNormal, kViewFull, true},      {kSizeNormal, kViewMonthly, true},
    {kSizeEnlarged, kViewFull, true},    {kSizeEnlarged, kViewMonthly, true},
};

class LayoutMetrics : public GuiTest {
protected:
    void TearDown() override {
        GuiTest::TearDown();
        QApplication::setStyle(QStringLiteral("Fusion"));
    }

    // The pane shows each of `texts` whole, at no less than the share of its
    // layout font it is sized for, and a line of its font fits its height.
    void ExpectPaneFits(InfoPane* pane, const std::vector<std::string>& texts) {
        for (const std::string& t : texts) {
            pane->SetTexts(t);
            SCOPED_TRACE(Text(pane->text()));
            EXPECT_LE(QFontMetrics(pane->font()).horizontalAdvance(pane->text()), pane->TextRoom());
            EXPECT_LE(pane->SizeFor({t}, pane->font()).height(), pane->height());
            EXPECT_LE(pane->SizeFor({t}, pane->font()).width(), pane->width() + 1)
                << "sized for its widest text, not shrunk for it";
        }
    }

    void ExpectCellFits(DayCellWidget* cell, const std::vector<QString>& lunarTexts) {
        const QFontMetrics numbers(cell->font());
        const QRect numberArea = cell->NumberArea();
        EXPECT_LE(numbers.boundingRect(cell->text()).width() + kDayDigitGap,
                  numberArea.width());
        EXPECT_LE(numbers.height(), numberArea.height());
        if (!cell->lunarLineShown()) return;
        EXPECT_GE(QFontInfo(cell->lunarFont()).pixelSize(), 9) << "legible";
        const QFontMetrics lunar(cell->lunarFont());
        for (const QString& t : lunarTexts) {
            EXPECT_LE(lunar.horizontalAdvance(t), cell->LunarArea().width()) << Text(t);
        }
        EXPECT_LE(cell->LunarArea().bottom(), cell->height() - 1);
        EXPECT_GE(cell->LunarArea().top(), numberArea.bottom() + 1);
    }
};

TEST_F(LayoutMetrics, EveryTextFitsItsControlUnderEveryStyle) {
    const QStringList installed = QStyleFactory::keys();
    const SizingTexts& widest = WidestTexts();
    std::vector<QString> lunarTexts;
    for (const std::string& t : widest.lunarLine) lunarTexts.push_back(ToQt(t));
    for (const char* style : kStyles) {
        if (!installed.contains(QString::fromLatin1(style), Qt::CaseInsensitive)) continue;
        SCOPED_TRACE(style);
        QApplication::setStyle(QString::fromLatin1(style));
        Start(kDay);
        for (const Mode& m : kModes) {
            SCOPED_TRACE(testing::Message() << "size " << m.sizeMode << " view " << m.viewMode
                                            << " line " << m.lunarLine);
            frame().RunCommand(m.sizeMode == kSizeNormal ? kCmdSizeNormal : kCmdSizeEnlarged);
            frame().RunCommand(m.viewMode == kViewFull ? kCmdViewFull : kCmdViewMonthly);
            if (frame().action(kCmdLunarLine)->isChecked() != m.lunarLine) {
                frame().RunCommand(kCmdLunarLine);
            }
            const bool full = m.viewMode == kViewFull;
            ExpectPaneFits(view().datePane(), widest.datePane);
            if (full) {
                ExpectPaneFits(view().yearSignPane(), widest.yearSign);
                ExpectPaneFits(view().oldCalendarPane(), widest.oldCalendar);
                ExpectPaneFits(view().officerPane(), widest.officer);
                ExpectPaneFits(view().mansionPane(), widest.mansion);
                ExpectPaneFits(view().moonPane(), widest.moon);
            }
            for (int c = 0; c < kGridColumns; ++c) ExpectCellFits(view().heading(c), {});
            for (int k = 0; k < kGridCells; ++k) {
                ASSERT_EQ(view().cell(k)->lunarLineShown(), m.lunarLine);
                EXPECT_EQ(view().cell(k)->lunarText().isEmpty(), !m.lunarLine);
                ExpectCellFits(view().cell(k), lunarTexts);
            }
            // No strip beside the controls: the rightmost reaches the
            // view's edge, the bars' width or not.
            const QWidget* rightmost = full ? static_cast<QWidget*>(view().eventList())
                                            : static_cast<QWidget*>(view().cell(6));
            EXPECT_EQ(rightmost->geometry().right() + 1, view().width());
            EXPECT_EQ(view().width(), frame().width());
        }
        Quit();
    }
}

}  // namespace
}  // namespace kalendo
