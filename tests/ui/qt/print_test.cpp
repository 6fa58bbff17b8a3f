// Printing from the window: the two menu items, the range dialog before
// the print preview, the preview's pages, the window left on its day; the
// same painter on the other papers.
#include <QDateEdit>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>

#include <algorithm>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/ui/qt/gui_fixture.h"
#include "ui/model/print_layout.h"
#include "ui/qt/command_ids.h"
#include "ui/qt/print_dialog.h"
#include "ui/qt/print_pages.h"

namespace kalendo {
namespace {

constexpr CalendarDate kJune15 = {2024, 6, 15};

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

class PrintTest : public GuiTest {};

TEST_F(PrintTest, ThePreviewShowsTheChosenMonthsAndTheWindowStays) {
    Start(kJune15);
    std::vector<std::string> fileMenu;
    for (QAction* menu : frame().menuBar()->actions()) {
        if (Text(menu->text()) != "ファイル(&F)") continue;
        for (QAction* item : menu->menu()->actions()) fileMenu.push_back(Text(item->text()));
    }
    EXPECT_NE(std::find(fileMenu.begin(), fileMenu.end(), "印刷(&P)…"), fileMenu.end());
    EXPECT_NE(std::find(fileMenu.begin(), fileMenu.end(), "印刷プレビュー…"), fileMenu.end());

    const std::string datePane = DatePane();
    const std::vector<std::string> events = EventListTexts();
    OnNextModal<PrintRangeDialog>([this](PrintRangeDialog& d) {
        EXPECT_EQ(d.first(), (PrintMonth{2024, 6})) << "the shown month";
        EXPECT_EQ(d.last(), (PrintMonth{2024, 6}));
        EXPECT_EQ(Text(d.firstEdit()->text()), "2024-06");
        d.lastEdit()->setDate(QDate(2024, 5, 1));
        QTest::mouseClick(d.okButton(), Qt::LeftButton);
        EXPECT_TRUE(d.isVisible()) << "last before first";
        EXPECT_EQ(Messages().size(), 1u);
        d.firstEdit()->setDate(QDate(2023, 12, 1));
        d.lastEdit()->setDate(QDate(2024, 2, 1));
        QTest::mouseClick(d.okButton(), Qt::LeftButton);
    });
    int pages = 0;
    OnNextModal<QPrintPreviewDialog>([&pages](QPrintPreviewDialog& d) {
        if (auto* preview = d.findChild<QPrintPreviewWidget*>()) pages = preview->pageCount();
        d.reject();
    });
    frame().action(kCmdPrintPreview)->trigger();
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(TargetDate(record()), kJune15);
    EXPECT_EQ(DatePane(), datePane);
    EXPECT_EQ(EventListTexts(), events);
}

// A4 landscape and Letter: pages of that paper, with the heading and the
// holidays of the month on them.
TEST_F(PrintTest, OtherPapersTakeTheSamePages) {
    Start(kJune15);
    const std::vector<PrintPage> pages =
        BuildPrintPagesKeepingDay(record(), {2024, 5}, {2024, 5}, {AlmanacMode::Standard, kViewFull});
    struct Paper { QPageSize::PageSizeId size; QPageLayout::Orientation orientation; const char* pdfinfo; };
    const Paper papers[] = {{QPageSize::A4, QPageLayout::Landscape, "842 x 595 pts (A4)"},
                            {QPageSize::Letter, QPageLayout::Portrait, "612 x 792 pts (letter)"}};
    for (const Paper& p : papers) {
        SCOPED_TRACE(p.pdfinfo);
        const std::string path = (folder() / "paper.pdf").string();
        const QByteArray pdf = PrintPdfBytes(pages, PrintPageLayout(p.size, p.orientation));
        std::ofstream(path, std::ios::binary).write(pdf.constData(), pdf.size());
        EXPECT_NE(Output("pdfinfo '" + path + "'").find(p.pdfinfo), std::string::npos);
        const std::string text = Output("pdftotext '" + path + "' -");
        for (const char* word : {"2024年（令和6年）5月", "憲法記念日", "こどもの日"}) {
            EXPECT_NE(text.find(word), std::string::npos) << word;
        }
    }
}

}  // namespace
}  // namespace kalendo
