// "iCalendarに書き出す…" driven through its widgets: the defaults, the
// refusals as messages, the file the save dialog names, byte for byte what
// kalendo2-cli prints for the same range and list, the notice that says
// where it went, a folder that takes no file (the dialog stays with its
// range and ticks), and Qt's own texts in Japanese.
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "tests/ui/qt/gui_fixture.h"
#include "ui/qt/application.h"
#include "ui/qt/command_ids.h"
#include "ui/qt/ics_export_dialog.h"

namespace kalendo {
namespace {

constexpr CalendarDate kJune15 = {2024, 6, 15};
constexpr char kEpoch[] = "1700000000";

std::size_t CountEvents(const std::string& calendar) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = calendar.find("BEGIN:VEVENT\r\n", at)) != std::string::npos; ++at) ++n;
    return n;
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class IcsExportTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        setenv("SOURCE_DATE_EPOCH", kEpoch, 1);
        // The save dialog opens in the home folder: a small one keeps its
        // folder scan short on a busy machine.
        if (const char* home = std::getenv("HOME")) savedHome_ = home;
        setenv("HOME", folder().c_str(), 1);
    }
    void TearDown() override {
        unsetenv("SOURCE_DATE_EPOCH");
        if (savedHome_) {
            setenv("HOME", savedHome_->c_str(), 1);
        } else {
            unsetenv("HOME");
        }
        GuiTest::TearDown();
    }

    // The menu item, the dialog answered by `fill` and its export button,
    // the save dialog answered with `path`.
    void Export(std::function<void(IcsExportDialog&)> fill, const std::string& path) {
        OnNextModal<IcsExportDialog>([fill](IcsExportDialog& d) {
            fill(d);
            QTest::mouseClick(d.exportButton(), Qt::LeftButton);
        });
        OnNextModal<QFileDialog>([path](QFileDialog& d) {
            d.selectFile(QString::fromStdString(path));
            static_cast<QDialog&>(d).done(QDialog::Accepted);  // no overwrite question
        });
        frame().action(kCmdExportIcs)->trigger();
    }

    // What the CLI prints for the window's folder and today.
    std::string CliExport(const std::string& first, const std::string& last, const std::string& list) {
        const std::string out = (folder() / "cli.ics").string();
        const std::string command = std::string("SOURCE_DATE_EPOCH=") + kEpoch + " '" +
                                    std::getenv("K2_BIN_DIR") + "/kalendo2-cli' --data '" +
                                    folder().string() + "/' --today 2024-06-15 ics " + first + " " +
                                    last + " --include " + list + " >'" + out + "'";
        const int raw = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << command;
        return FileBytes(out);
    }

    std::optional<std::string> savedHome_;
};

TEST_F(IcsExportTest, TheMenuItemIsInTheFileMenu) {
    Start(kJune15);
    QAction* item = frame().action(kCmdExportIcs);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Text(item->text()), "iCalendarに書き出す…");
    bool inFileMenu = false;
    for (QAction* menu : frame().menuBar()->actions()) {
        if (Text(menu->text()) == "ファイル(&F)") inFileMenu = menu->menu()->actions().contains(item);
    }
    EXPECT_TRUE(inFileMenu);
}

TEST_F(IcsExportTest, TheFileIsWhatTheCliPrints) {
    Start(kJune15);
    view().RunCommand(kCmdNextYear);  // the shown year is now 2025
    const CalendarDate shown = TargetDate(record());
    const std::string datePane = DatePane();
    const std::vector<std::string> eventList = EventListTexts();
    const std::string path = (folder() / "y.ics").string();
    Export(
        [](IcsExportDialog& d) {
            // The shown year and the four kinds of entries by default.
            EXPECT_EQ(d.first(), (CalendarDate{2025, 1, 1}));
            EXPECT_EQ(d.last(), (CalendarDate{2025, 12, 31}));
            EXPECT_EQ(d.include(), IcsInclude{});
            EXPECT_EQ(d.firstEdit()->text().toStdString(), "2025-01-01");
            d.firstEdit()->setDate(QDate(2024, 1, 1));
            d.lastEdit()->setDate(QDate(2024, 12, 31));
            for (int k = 0; k < IcsExportDialog::kIncludeBoxCount; ++k) d.includeBox(k)->setChecked(k == 0 || k == 4);
        },
        path);
    const std::string written = FileBytes(path);
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written, CliExport("2024-01-01", "2024-12-31", "holidays,rokuyo"));
    EXPECT_EQ(Messages(), std::vector<std::string>{"iCalendarファイルに" + std::to_string(CountEvents(written)) +
                                                   "件の項目を書き出しました.\r\n" + path});
    // The window stays on its day: the export moved the record through
    // 2024, and the shown day was computed again.
    EXPECT_EQ(TargetDate(record()), shown);
    EXPECT_EQ(DatePane(), datePane);
    EXPECT_EQ(EventListTexts(), eventList);
}

TEST_F(IcsExportTest, RefusalsStayInTheDialog) {
    Start(kJune15);
    OnNextModal<IcsExportDialog>([this](IcsExportDialog& d) {
        d.firstEdit()->setDate(QDate(2024, 5, 4));
        d.lastEdit()->setDate(QDate(2024, 5, 3));
        QTest::mouseClick(d.exportButton(), Qt::LeftButton);
        EXPECT_TRUE(d.isVisible()) << "a range in the wrong order";
        d.lastEdit()->setDate(QDate(2024, 5, 5));
        for (int k = 0; k < IcsExportDialog::kIncludeBoxCount; ++k) d.includeBox(k)->setChecked(false);
        QTest::mouseClick(d.exportButton(), Qt::LeftButton);
        EXPECT_TRUE(d.isVisible()) << "nothing to export";
        EXPECT_EQ(Messages().size(), 2u);
        d.reject();
    });
    frame().action(kCmdExportIcs)->trigger();
    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind("期間が正しくありません.", 0), 0u) << messages[0];
    EXPECT_EQ(messages[1], "書き出すものを一つ以上選んでください.");
}

TEST_F(IcsExportTest, AFileThatCannotBeWrittenKeepsTheDialog) {
    Start(kJune15);
    // A folder that is a plain file takes no file, not even from root.
    const std::filesystem::path notAFolder = folder() / "plain";
    std::ofstream(notAFolder) << "x";
    const std::string refused = (notAFolder / "y.ics").string();
    OnNextModal<IcsExportDialog>([&](IcsExportDialog& d) {
        d.firstEdit()->setDate(QDate(2024, 5, 3));
        d.lastEdit()->setDate(QDate(2024, 5, 6));
        d.includeBox(4)->setChecked(true);  // rokuyo
        const IcsInclude ticked = d.include();
        for (const std::string& name : {refused, std::string()}) {
            // The second time the save dialog is cancelled.
            OnNextModal<QFileDialog>([name](QFileDialog& f) {
                if (name.empty()) {
                    f.reject();
                } else {
                    f.selectFile(QString::fromStdString(name));
                    static_cast<QDialog&>(f).done(QDialog::Accepted);
                }
            });
            QTest::mouseClick(d.exportButton(), Qt::LeftButton);
            EXPECT_TRUE(d.isVisible()) << "the dialog stays: " << name;
            EXPECT_EQ(d.first(), (CalendarDate{2024, 5, 3}));
            EXPECT_EQ(d.last(), (CalendarDate{2024, 5, 6}));
            EXPECT_EQ(d.include(), ticked);
        }
        EXPECT_EQ(Messages(), std::vector<std::string>{
            "iCalendarファイルを書き込めません（パスの途中にフォルダーでないものがあります）.\r\n" + refused});
        d.reject();
    });
    frame().action(kCmdExportIcs)->trigger();
}

TEST_F(IcsExportTest, AnExistingFileIsReplacedWhole) {
    Start(kJune15);
    const std::filesystem::path path = folder() / "old.ics";
    std::ofstream(path, std::ios::binary) << std::string(100000, 'x');
    Export([](IcsExportDialog& d) {
        d.firstEdit()->setDate(QDate(2024, 5, 3));
        d.lastEdit()->setDate(QDate(2024, 5, 3));
    }, path.string());
    EXPECT_EQ(FileBytes(path), CliExport("2024-05-03", "2024-05-03", "holidays,notes,users,schedules"));
}

TEST_F(IcsExportTest, QtsOwnTextsAreJapanese) {
    Start(kJune15);
    EXPECT_TRUE(InstallQtJapanese());
    // A text field's context menu, and the save dialog's own buttons.
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    EXPECT_EQ(Text(menu->actions().value(0)->text()).rfind("元に戻す(&U)", 0), 0u);
    std::string cancel;
    OnNextModal<IcsExportDialog>([&](IcsExportDialog& d) {
        OnNextModal<QFileDialog>([&cancel](QFileDialog& f) {
            cancel = Text(f.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text());
            f.reject();
        });
        QTest::mouseClick(d.exportButton(), Qt::LeftButton);
        d.reject();
    });
    frame().action(kCmdExportIcs)->trigger();
    EXPECT_EQ(cancel, "キャンセル");
}

}  // namespace
}  // namespace kalendo
