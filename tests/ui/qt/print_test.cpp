// Printing from the window: the range dialog before the print preview, the
// preview's pages, the window left on its day.
#include <QDateEdit>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>

#include "tests/ui/qt/gui_fixture.h"
#include "ui/qt/command_ids.h"
#include "ui/qt/print_dialog.h"

namespace kalendo {
namespace {

constexpr CalendarDate kJune15 = {2024, 6, 15};

class PrintTest : public GuiTest {};

TEST_F(PrintTest, ThePreviewShowsTheChosenMonthsAndTheWindowStays) {
    Start(kJune15);
    QMenu* file = frame().menuBar()->actions().front()->menu();
    EXPECT_TRUE(file->actions().contains(frame().action(kCmdPrint)));
    EXPECT_EQ(Text(frame().action(kCmdPrintPreview)->text()), "印刷プレビュー…");
    const std::string datePane = DatePane();
    const std::vector<std::string> events = EventListTexts();
    OnNextModal<PrintRangeDialog>([this](PrintRangeDialog& d) {
        EXPECT_EQ(Text(d.firstEdit()->text()) + " " + Text(d.lastEdit()->text()), "2024-06 2024-06");
        d.lastEdit()->setDate(QDate(2024, 5, 1));
        QTest::mouseClick(d.okButton(), Qt::LeftButton);
        EXPECT_TRUE(d.isVisible() && Messages().size() == 1) << "last before first";
        d.firstEdit()->setDate(QDate(2023, 12, 1));
        d.lastEdit()->setDate(QDate(2024, 2, 1));
        QTest::mouseClick(d.okButton(), Qt::LeftButton);
    });
    int pages = 0;
    OnNextModal<QPrintPreviewDialog>([&pages](QPrintPreviewDialog& d) {
        const auto* preview = d.findChild<QPrintPreviewWidget*>();
        pages = preview ? preview->pageCount() : -1;
        d.reject();
    });
    frame().action(kCmdPrintPreview)->trigger();
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(TargetDate(record()), kJune15);
    EXPECT_EQ(DatePane(), datePane);
    EXPECT_EQ(EventListTexts(), events);
}

}  // namespace
}  // namespace kalendo
