// The dialogs driven through their widgets: schedules added by a right
// click, edited and deleted from the list's menu, the model's refusals as
// messages, the jump and era dialogs, the settings dialog's autostart
// entry, the memo, detail and about dialogs and the help page.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/text_codec.h"
#include "tests/ui/qt/gui_fixture.h"
#include "ui/model/close_call_texts.h"
#include "ui/model/day_texts.h"
#include "ui/model/jumps.h"
#include "ui/model/schedule_edit.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/close_call_words.h"
#include "ui/qt/config_dialog.h"
#include "ui/qt/day_cell_widget.h"
#include "ui/qt/day_grid.h"
#include "ui/qt/detail_dialog.h"
#include "ui/qt/direct_jump_dialog.h"
#include "ui/qt/entry_list.h"
#include "ui/qt/era_convert_dialog.h"
#include "ui/qt/ics_export_dialog.h"
#include "ui/qt/info_pane.h"
#include "ui/qt/memo_dialog.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/relative_jump_dialog.h"
#include "ui/qt/schedule_dialog.h"
#include "ui/qt/viewer.h"

namespace kalendo {
namespace {

constexpr CalendarDate kJune15 = {2024, 6, 15};
const char kRangeMessage[] = "ERROR : 年月の設定範囲が不適切です.";

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

bool Contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

class DialogsTest : public GuiTest {
protected:
    // A right click on the cell of `day` of the displayed month, answered
    // in the schedule dialog with these values and "設 定".
    void AddSchedule(int day, const char* name, int period, const char* note) {
        OnNextModal<ScheduleDialog>([=](ScheduleDialog& d) {
            d.nameEdit()->setText(Q(name));
            d.periodBox()->setCurrentIndex(period);
            d.noteEdit()->setPlainText(Q(note));
            QTest::mouseClick(d.storeButton(), Qt::LeftButton);
        });
        QTest::mouseClick(CellOfDay(day), Qt::RightButton);
    }

    // Selects row `row` of a list with a click, as a user would.
    static void ClickRow(EntryList* list, int row) {
        const QRect r = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

    static void DoubleClickRow(EntryList* list, int row) {
        const QRect r = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }

    // The schedule list's right click (the press selects the row under it).
    void RightClickScheduleList(int row) {
        EntryList* list = view().scheduleList();
        QPoint at(5, 5);
        if (row >= 0) {
            at = list->visualItemRect(list->topLevelItem(row)).center();
            QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
        }
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at,
                                    list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &menuEvent);
    }

    // Chooses the pop-up item with this text.
    void ChooseFromNextMenu(const char* itemText) {
        OnNextPopupMenu([itemText](QMenu& menu) {
            for (QAction* a : menu.actions()) {
                if (a->text() == Q(itemText)) {
                    menu.setActiveAction(a);
                    QTest::keyClick(&menu, Qt::Key_Return);
                    return;
                }
            }
            ADD_FAILURE() << "no item " << itemText;
            menu.close();
        });
    }

    void DirectJump(const char* y, const char* m, const char* d) {
        OnNextModal<DirectJumpDialog>([=](DirectJumpDialog& dlg) {
            EXPECT_TRUE(dlg.yearEdit()->text().isEmpty());
            dlg.yearEdit()->setText(Q(y));
            dlg.monthEdit()->setText(Q(m));
            dlg.dayEdit()->setText(Q(d));
            QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        });
        frame().action(kCmdDirectJump)->trigger();
    }

    void RelativeJump(const char* number, int unit) {
        OnNextModal<RelativeJumpDialog>([=](RelativeJumpDialog& dlg) {
            dlg.numberEdit()->setText(Q(number));
            dlg.unitBox()->setCurrentIndex(unit);
            QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        });
        frame().action(kCmdRelativeJump)->trigger();
    }
};

TEST_F(DialogsTest, RightClickAddsAScheduleOnTheSelectedDay) {
    Start(kJune15);
    OnNextModal<ScheduleDialog>([](ScheduleDialog& d) {
        EXPECT_EQ(d.windowTitle(), Q("スケジュール設定 - 2024/06/15(土)"));
        EXPECT_TRUE(d.nameEdit()->text().isEmpty());
        EXPECT_TRUE(d.noteEdit()->toPlainText().isEmpty());
        EXPECT_EQ(d.periodBox()->currentIndex(), 0);
        EXPECT_EQ(d.periodBox()->count(), 5);
        EXPECT_EQ(d.periodBox()->itemText(4), Q("4週間前"));
        d.nameEdit()->setText(Q("歯医者"));
        d.periodBox()->setCurrentIndex(1);
        d.noteEdit()->setPlainText(Q("予約\n午後3時"));
        QTest::mouseClick(d.storeButton(), Qt::LeftButton);
    });
    // Whichever cell is clicked, the schedule goes on the selected day.
    QTest::mouseClick(CellOfDay(20), Qt::RightButton);

    EXPECT_TRUE(Messages().empty());
    const std::vector<std::string> events = EventListTexts();
    ASSERT_TRUE(Contains(events, "歯医者"));
    const int row = static_cast<int>(std::find(events.begin(), events.end(), "歯医者") -
                                     events.begin());
    EXPECT_EQ(view().eventList()->topLevelItem(row)->foreground(0).color(),
              ToQColor(SchemeColour(ColourRole::ScheduleRowText, ColourScheme::Light)));
    const std::string file = ScheduleFileUtf8();
    EXPECT_NE(file.find("歯医者"), std::string::npos);
    EXPECT_NE(file.find("2024/06/15\t1"), std::string::npos);
    EXPECT_NE(file.find("予約\r\n午後3時"), std::string::npos);

    // A week ahead it is announced in the schedule list.
    QTest::keyClick(&frame(), Qt::Key_Left);
    EXPECT_TRUE(Contains(ScheduleListTexts(), "15 歯医者"));
}

TEST_F(DialogsTest, ScheduleIsEditedAndDeletedFromTheListsMenu) {
    Start(kJune15);
    QTest::mouseClick(CellOfDay(20), Qt::LeftButton);
    AddSchedule(20, "会議", 1, "三階");
    QTest::keyClick(&frame(), Qt::Key_Home);
    ASSERT_EQ(ScheduleListTexts(), std::vector<std::string>{"20 会議"});

    OnNextModal<ScheduleDialog>([](ScheduleDialog& d) {
        EXPECT_EQ(d.nameEdit()->text(), Q("会議"));
        EXPECT_EQ(d.noteEdit()->toPlainText(), Q("三階"));
        EXPECT_EQ(d.periodBox()->currentIndex(), 1);
        d.nameEdit()->setText(Q("定例会議"));
        d.periodBox()->setCurrentIndex(2);
        QTest::mouseClick(d.storeButton(), Qt::LeftButton);
    });
    ChooseFromNextMenu("編集(&E)");
    RightClickScheduleList(0);
    EXPECT_EQ(ScheduleListTexts(), std::vector<std::string>{"20 定例会議"});
    std::string file = ScheduleFileUtf8();
    EXPECT_NE(file.find("定例会議"), std::string::npos);
    EXPECT_NE(file.find("2024/06/20\t2"), std::string::npos);

    // "取り消し" keeps the schedule as it was, even after typing.
    OnNextModal<ScheduleDialog>([](ScheduleDialog& d) {
        d.nameEdit()->setText(Q("別件"));
        QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
    });
    ChooseFromNextMenu("編集(&E)");
    RightClickScheduleList(0);
    EXPECT_EQ(ScheduleListTexts(), std::vector<std::string>{"20 定例会議"});

    ChooseFromNextMenu("削除(&D)");
    RightClickScheduleList(0);
    EXPECT_TRUE(ScheduleListTexts().empty());
    file = ScheduleFileUtf8();
    EXPECT_EQ(file.find("定例会議"), std::string::npos);
    EXPECT_EQ(record().scheduleCount, 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DialogsTest, RightClickOnTheScheduleListWithoutSelectionShowsNoMenu) {
    Start(kJune15);
    ExpectNothingOpens();
    RightClickScheduleList(-1);
    QCoreApplication::processEvents();  // what the input posted, handled
}

TEST_F(DialogsTest, PastDayIsRefusedBeforeTheDialogOpens) {
    Start(kJune15);
    const std::string fileBefore = ScheduleFileUtf8();
    QTest::keyClick(&frame(), Qt::Key_Left);
    ExpectNothingOpens();
    QTest::mouseClick(CellOfDay(20), Qt::RightButton);
    EXPECT_EQ(Messages(), std::vector<std::string>{"過去の日付にはスケジュールを登録できません"});
    EXPECT_EQ(record().scheduleCount, 0);
    EXPECT_EQ(ScheduleFileUtf8(), fileBefore);
}

TEST_F(DialogsTest, RefusedNamesAndNotesKeepTheDialogOpen) {
    Start(kJune15);
    const std::string fileBefore = ScheduleFileUtf8();
    OnNextModal<ScheduleDialog>([this](ScheduleDialog& d) {
        const struct {
            const char* name;
            const char* note;
            const char* message;
        } kRefused[] = {
            {"", "", "項目名は空白・タブ・「;」を含まない一語で入力してください"},
            {"二 語", "", "項目名は空白・タブ・「;」を含まない一語で入力してください"},
            {"a;b", "", "項目名は空白・タブ・「;」を含まない一語で入力してください"},
            {"{括弧", "", "項目名は空白・タブ・「;」を含まない一語で入力してください"},
            {"メモ", "前\n}\n後", "備考に「}」だけの行は書けません"},
        };
        for (const auto& r : kRefused) {
            SCOPED_TRACE(r.name);
            d.nameEdit()->setText(Q(r.name));
            d.noteEdit()->setPlainText(Q(r.note));
            QTest::mouseClick(d.storeButton(), Qt::LeftButton);
            EXPECT_TRUE(d.isVisible());
            ASSERT_FALSE(Messages().empty());
            EXPECT_EQ(Messages().back(), r.message);
        }
        QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
    });
    QTest::mouseClick(CellOfDay(15), Qt::RightButton);
    EXPECT_EQ(Messages().size(), 5u);
    EXPECT_EQ(record().scheduleCount, 0);
    EXPECT_EQ(ScheduleFileUtf8(), fileBefore);
}

TEST_F(DialogsTest, DirectJumpMovesTheCalendarAndARefusedDateKeepsIt) {
    Start(kJune15);
    DirectJump("2024", "2", "30");
    EXPECT_EQ(DatePane(), "2024/令和 6年 3月 1日");
    DirectJump("", "", "3");
    EXPECT_EQ(DatePane(), "2024/令和 6年 3月 3日");
    // A year out of the range keeps the dialog open with what was typed.
    OnNextModal<DirectJumpDialog>([this](DirectJumpDialog& dlg) {
        dlg.yearEdit()->setText(Q("3000"));
        dlg.dayEdit()->setText(Q("5"));
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(Messages(), std::vector<std::string>{kRangeMessage});
        EXPECT_EQ(std::make_pair(dlg.yearEdit()->text(), dlg.dayEdit()->text()),
                  std::make_pair(Q("3000"), Q("5")));
        dlg.yearEdit()->setText(Q("2999"));
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    });
    frame().action(kCmdDirectJump)->trigger();
    EXPECT_EQ(DatePane(), "2999/令和981年 3月 5日");
    EXPECT_EQ(Messages().size(), 1u) << "the accepted jump adds no message";
    DirectJump("2024", "", "3");

    // "キャンセル" changes nothing.
    OnNextModal<DirectJumpDialog>([](DirectJumpDialog& dlg) {
        dlg.yearEdit()->setText(Q("2000"));
        dlg.reject();
    });
    frame().action(kCmdDirectJump)->trigger();
    EXPECT_EQ(DatePane(), "2024/令和 6年 3月 3日");
}

TEST_F(DialogsTest, RelativeJumpMovesTheCalendar) {
    Start(kJune15);
    DirectJump("2023", "1", "31");
    RelativeJump("1", kUnitMonthsAhead);
    EXPECT_EQ(DatePane(), "2023/令和 5年 3月 3日");
    RelativeJump("2", kUnitWeeksBack);
    EXPECT_EQ(DatePane(), "2023/令和 5年 2月17日");
    RelativeJump("", kUnitYearsAhead);  // an empty number is 0
    EXPECT_EQ(DatePane(), "2023/令和 5年 2月17日");
    OnNextModal<RelativeJumpDialog>([this](RelativeJumpDialog& dlg) {
        dlg.numberEdit()->setText(Q("2000"));
        dlg.unitBox()->setCurrentIndex(kUnitYearsAhead);
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible()) << "a refused date keeps the dialog";
        EXPECT_EQ(Messages(), std::vector<std::string>{kRangeMessage});
        EXPECT_EQ(dlg.numberEdit()->text(), Q("2000"));
        EXPECT_EQ(dlg.unit(), kUnitYearsAhead);
        dlg.reject();
    });
    frame().action(kCmdRelativeJump)->trigger();
    EXPECT_EQ(DatePane(), "2023/令和 5年 2月17日");
}

TEST_F(DialogsTest, RelativeJumpWithoutAUnitStaysOpen) {
    Start(kJune15);
    OnNextModal<RelativeJumpDialog>([this](RelativeJumpDialog& dlg) {
        EXPECT_EQ(dlg.unitBox()->currentIndex(), -1);
        EXPECT_EQ(dlg.unitBox()->count(), 8);
        QTest::keyClicks(dlg.numberEdit(), "1x2");  // digits only
        EXPECT_EQ(dlg.numberEdit()->text(), Q("12"));
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(Messages(), std::vector<std::string>{"日付が不正です"});
        // Text typed into the combo box is no unit either.
        dlg.unitBox()->setCurrentIndex(1);
        dlg.unitBox()->setEditText(Q("日"));
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(Messages().size(), 2u);
        dlg.unitBox()->setCurrentIndex(1);
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    });
    frame().action(kCmdRelativeJump)->trigger();
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月27日");
}

// Every dialog's button row is one QDialogButtonBox holding today's labels
// with their roles (the platform orders them): the accepting one is the
// default button, the other rejects, as Esc does.
TEST_F(DialogsTest, ButtonRowsAreButtonBoxesWithTheirRoles) {
    Start(kJune15);
    const auto save = [](CalendarDate, CalendarDate, IcsInclude) { return true; };
    struct Row {
        std::unique_ptr<QDialog> dialog;
        std::vector<const char*> labels;  // accept, then reject
    } const kDialogs[] = {
        {std::make_unique<DirectJumpDialog>(record(), MonthOptions{}, nullptr), {"O K", "キャンセル"}},
        {std::make_unique<RelativeJumpDialog>(record(), MonthOptions{}, nullptr), {"O K", "キャンセル"}},
        {std::make_unique<ConfigDialog>(false, AppSettings{}, std::string(), nullptr), {"OK", "キャンセル"}},
        {std::make_unique<ScheduleDialog>(ScheduleDialogValues{}, "", nullptr), {"設 定", "取り消し"}},
        {std::make_unique<EraConvertDialog>(record(), OpenEraConvert(record(), 2024, 6, 15), nullptr),
         {"移 動", "キャンセル"}},
        {std::make_unique<IcsExportDialog>(kJune15, kJune15, IcsInclude::None(), save, nullptr),
         {"書き出す…", "キャンセル"}},
        {std::make_unique<DetailDialog>(BuildDetailTexts(record()), nullptr), {"O K"}},
    };
    for (const auto& [dialog, labels] : kDialogs) {
        SCOPED_TRACE(labels[0]);
        const auto boxes = dialog->findChildren<QDialogButtonBox*>();
        ASSERT_EQ(boxes.size(), 1);
        std::vector<QString> byRole;
        for (const auto role : {QDialogButtonBox::AcceptRole, QDialogButtonBox::RejectRole}) {
            for (QAbstractButton* b : boxes[0]->buttons()) {
                if (boxes[0]->buttonRole(b) != role) continue;
                byRole.push_back(b->text());
                EXPECT_EQ(qobject_cast<QPushButton*>(b)->isDefault(), role == QDialogButtonBox::AcceptRole);
            }
        }
        EXPECT_EQ(byRole, std::vector<QString>(labels.begin(), labels.end()));
        dialog->show();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_TRUE(!dialog->isVisible() && dialog->result() == QDialog::Rejected);
    }
}

TEST_F(DialogsTest, EraConversionMovesTheCalendar) {
    Start(kJune15);
    OnNextModal<EraConvertDialog>([](EraConvertDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), Q("西暦⇔元号変換"));
        EXPECT_EQ(dlg.eraBox()->currentText(), Q("令和"));
        EXPECT_EQ(dlg.eraDateEdit()->text(), Q(" 6年 6月15日"));
        EXPECT_EQ(dlg.westernDateEdit()->text(), Q("2024年 6月15日"));
        dlg.westernDateEdit()->setText(Q("1990年5月1日"));
        QTest::mouseClick(dlg.toEraButton(), Qt::LeftButton);
        EXPECT_EQ(dlg.eraBox()->currentText(), Q("平成"));
        EXPECT_EQ(dlg.eraDateEdit()->text(), Q(" 2年 5月 1日"));
        dlg.eraBox()->setCurrentIndex(dlg.eraBox()->findText(Q("昭和")));
        dlg.eraDateEdit()->setText(Q("50年3月2日"));
        QTest::mouseClick(dlg.toWesternButton(), Qt::LeftButton);
        EXPECT_EQ(dlg.westernDateEdit()->text(), Q("1975年 3月 2日"));
        QTest::mouseClick(dlg.moveButton(), Qt::LeftButton);
    });
    frame().action(kCmdEraConvert)->trigger();
    EXPECT_EQ(DatePane(), "1975/昭和50年 3月 2日");
    EXPECT_TRUE(Messages().empty());

    OnNextModal<EraConvertDialog>([](EraConvertDialog& dlg) {
        dlg.westernDateEdit()->setText(Q("3000年1月1日"));
        QTest::mouseClick(dlg.toEraButton(), Qt::LeftButton);
        QTest::mouseClick(dlg.moveButton(), Qt::LeftButton);
    });
    frame().action(kCmdEraConvert)->trigger();
    EXPECT_EQ(DatePane(), "1975/昭和50年 3月 2日");
    EXPECT_EQ(Messages(), std::vector<std::string>{kRangeMessage});
}

TEST_F(DialogsTest, SettingsDialogCreatesAndRemovesTheAutostartEntry) {
    const std::filesystem::path config = folder() / "config";
    const char* previous = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const std::filesystem::path entry = config / "autostart" / "Kalendo2.desktop";
    Start(kJune15);

    struct Step {
        bool expectChecked;
        bool check;
        bool ok;
        bool entryAfter;
        const char* why;
    };
    const Step kSteps[] = {
        {false, true, false, false, "checked, then キャンセル: nothing"},
        {false, true, true, true, "checked and OK: created"},
        {true, true, true, true, "left checked: kept"},
        {true, false, true, false, "cleared and OK: removed"},
    };
    for (const Step& s : kSteps) {
        SCOPED_TRACE(s.why);
        OnNextModal<ConfigDialog>([s](ConfigDialog& d) {
            EXPECT_EQ(d.windowTitle(), Q("設定"));
            EXPECT_EQ(d.startupBox()->text(), Q("スタートアップに登録"));
            EXPECT_EQ(d.startupBox()->isChecked(), s.expectChecked);
            d.startupBox()->setChecked(s.check);
            QTest::mouseClick(s.ok ? d.okButton() : d.cancelButton(), Qt::LeftButton);
        });
        frame().action(kCmdStartupSettings)->trigger();
        EXPECT_EQ(std::filesystem::exists(entry), s.entryAfter);
    }
    if (previous != nullptr) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
}

// 「場所」 in the settings dialog: a listed place, refused coordinates that
// keep the dialog open, one's own place; the detail dialog names it.
TEST_F(DialogsTest, SettingsDialogChoosesThePlaceTheDetailDialogNames) {
    Start(kJune15);
    const struct { int index; const char* lat; const char* name; } kSteps[] = {
        {47, "", "那覇"}, {48, "66", nullptr}, {48, "３５．５", "35.5,139.25"}};
    for (const auto& s : kSteps) {
        OnNextModal<ConfigDialog>([this, s](ConfigDialog& d) {
            EXPECT_EQ(d.placeBox()->count(), 49);
            d.placeBox()->setCurrentIndex(s.index);
            EXPECT_EQ(d.latitudeEdit()->isEnabled(), s.index == 48);
            d.latitudeEdit()->setText(Q(s.lat));
            d.longitudeEdit()->setText(Q("139.25"));
            QTest::mouseClick(d.okButton(), Qt::LeftButton);
            if (!s.name) {
                EXPECT_TRUE(d.isVisible());
                EXPECT_EQ(Messages().back(), "緯度は -65 から 65、経度は -180 から 180 までの十進の度で入力してください.");
                QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
            }
        });
        frame().action(kCmdStartupSettings)->trigger();
        if (!s.name) continue;
        OnNextModal<DetailDialog>([s](DetailDialog& d) {
            EXPECT_TRUE(d.skyViewer()->toPlainText().startsWith(Q("場所 : ") + Q(s.name) + Q("\n日の出 ")));
            d.accept();
        });
        frame().action(kCmdDetailInfo)->trigger();
    }
    EXPECT_EQ(app().settings().ownPosition.latitudeDeg, 35.5);
}

TEST_F(DialogsTest, PaneDoubleClicksOpenTheOfficerAndMansionMemos) {
    Start(kJune15);
    const DetailPane officer = OfficerPane(record());
    const DetailPane mansion = MansionPane(record());
    for (const auto& paneAndDetail : {std::pair{view().officerPane(), officer},
                                      std::pair{view().mansionPane(), mansion}}) {
        InfoPane* pane = paneAndDetail.first;
        const DetailPane detail = paneAndDetail.second;
        OnNextModal<MemoDialog>([detail](MemoDialog& d) {
            EXPECT_EQ(d.windowTitle(), Q("詳細"));
            EXPECT_EQ(d.titleViewer()->text(), ToQt(detail.detailTitle));
            EXPECT_EQ(d.textViewer()->toPlainText(), ToQtLines(detail.detailText));
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QTest::mouseDClick(pane, Qt::LeftButton);
    }
    EXPECT_EQ(Text(ToQt(officer.detailTitle)).rfind("十二直：", 0), 0u);
    EXPECT_EQ(Text(ToQt(mansion.detailTitle)).rfind("二十八宿：", 0), 0u);

    ExpectNothingOpens();
    for (InfoPane* pane : {view().datePane(), view().yearSignPane(), view().oldCalendarPane(),
                           view().moonPane()}) {
        QTest::mouseDClick(pane, Qt::LeftButton);
    }
    QCoreApplication::processEvents();  // what the input posted, handled
}

TEST_F(DialogsTest, ListDoubleClicksOpenTheEntriesMemos) {
    Start(kJune15);
    QTest::mouseClick(CellOfDay(20), Qt::LeftButton);
    AddSchedule(20, "会議", 1, "三階\n第二会議室");
    // 15 July 2024 is the third Monday of July: 海の日.
    DirectJump("", "7", "15");
    ASSERT_FALSE(EventListTexts().empty());
    EXPECT_EQ(EventListTexts().front(), "海の日");
    EXPECT_EQ(view().eventList()->topLevelItem(0)->foreground(0).color(),
              ToQColor(SchemeColour(ColourRole::HolidayRowText, ColourScheme::Light)));
    OnNextModal<MemoDialog>([](MemoDialog& d) {
        EXPECT_EQ(d.titleViewer()->text(), Q("海の日"));
        EXPECT_EQ(d.textViewer()->toPlainText(),
                  Q("海の恩恵に感謝するとともに、海洋国日本の繁栄を願う。"));
        d.close();
    });
    DoubleClickRow(view().eventList(), 0);

    DirectJump("", "6", "15");
    ASSERT_EQ(ScheduleListTexts(), std::vector<std::string>{"20 会議"});
    OnNextModal<MemoDialog>([](MemoDialog& d) {
        EXPECT_EQ(d.titleViewer()->text(), Q("会議"));
        EXPECT_EQ(d.textViewer()->toPlainText(), Q("三階\n第二会議室"));
        d.close();
    });
    DoubleClickRow(view().scheduleList(), 0);
}

TEST_F(DialogsTest, DetailDialogShowsBothTextsInViewersThatIgnoreEditing) {
    Start(kJune15);
    const DetailTexts expected = BuildDetailTexts(record());
    OnNextModal<DetailDialog>([expected](DetailDialog& d) {
        EXPECT_EQ(d.windowTitle(), Q("詳細な暦情報"));
        Viewer* almanac = d.almanacViewer();
        EXPECT_EQ(almanac->toPlainText(), ToQtLines(expected.almanac));
        EXPECT_TRUE(almanac->toPlainText().startsWith(Q("西暦2024年/令和 6年 6月15日\n")));
        EXPECT_EQ(d.eventViewer()->toPlainText(), ToQtLines(expected.events));
        const QString before = almanac->toPlainText();
        almanac->setFocus();
        QTest::keyClicks(almanac, "abc");
        QTest::keyClick(almanac, Qt::Key_Delete);
        QTest::keyClick(almanac, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(almanac, Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(almanac, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(almanac->toPlainText(), before);
        EXPECT_FALSE(almanac->textCursor().hasSelection());
        almanac->selectAll();
        EXPECT_FALSE(almanac->textCursor().hasSelection());
        d.accept();
    });
    frame().action(kCmdDetailInfo)->trigger();
}

TEST_F(DialogsTest, MemoTitleLineNeverShowsASelection) {
    Start(kJune15);
    OnNextModal<MemoDialog>([](MemoDialog& d) {
        ViewerLine* title = d.titleViewer();
        const QString before = title->text();
        title->selectAll();
        EXPECT_FALSE(title->hasSelectedText());
        QTest::keyClicks(title, "xyz");
        QTest::keyClick(title, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(title->text(), before);
        d.close();
    });
    QTest::mouseDClick(view().officerPane(), Qt::LeftButton);
}

TEST_F(DialogsTest, AboutBoxAndHelpPage) {
    Start(kJune15);
    OnNextModal<AboutDialog>([](AboutDialog& d) {
        EXPECT_EQ(d.windowTitle(), Q("KalendoⅡのバージョン情報"));
        auto* version = d.findChild<QLabel*>(QStringLiteral("version"));
        ASSERT_NE(version, nullptr);
        EXPECT_EQ(version->text(), Q("Kalendo2 Version 1.18"));
        auto* ok = d.findChild<QPushButton*>();
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), Q("O K"));
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    frame().action(kCmdAbout)->trigger();

    // The help page opens in the browser; without one the message says where it is.
    const std::string page = (folder() / "Help/index.html").string();
    for (const bool browser : {true, false}) {
        platform().openSucceeds = browser;
        frame().action(kCmdHelp)->trigger();
        EXPECT_EQ(platform().opened, std::vector<std::string>(browser ? 1 : 2, page));
    }
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "ヘルプを開けません. 次のファイルをブラウザで開いてください.\r\n" + page});
}

// What an input method types, folded at the window's edge (NFKC) and read
// by the model.
struct TypedTextCase {
    const char* typed;
    const char* folded;  // what the model is handed, UTF-8
    const char* why;
};
const TypedTextCase kTypedTextCases[] = {
    {"２０３０", "2030", "full-width digits"},
    {"２０3０", "2030", "full-width and ASCII digits mixed"},
    {"－１２", "-12", "full-width hyphen-minus"},
    {"−１２", "－12", "U+2212 stays, as CP932 81 7C, for the model"},
    {"ー１２", "ー12", "the long vowel mark stays for the model"},
    {"　１", " 1", "ideographic space"},
    {"＋５", "+5", "full-width plus"},
    {"元年５月１日", "元年5月1日", "marks stay"},
    {"１ｘ", "1x", "full-width letters become ASCII letters, still no number"},
};

TEST(TypedTexts, NfkcFoldsWhatAnInputMethodTypes) {
    for (const TypedTextCase& c : kTypedTextCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Utf8FromCp932(FromQtTyped(Q(c.typed))), c.folded);
    }
}

TEST_F(DialogsTest, DirectJumpReadsFullWidthDigitsAndRefusesGarbage) {
    Start(kJune15);
    DirectJump("２０３０", "１", "ー１");  // day -1: the last day but one of December 2029
    EXPECT_EQ(DatePane(), "2029/令和11年12月30日");
    OnNextModal<DirectJumpDialog>([this](DirectJumpDialog& dlg) {
        dlg.yearEdit()->setText(Q("2024年"));
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible()) << "a field that is not a number keeps the dialog";
        EXPECT_EQ(Messages(), std::vector<std::string>{"年・月・日は数字で入力してください"});
        dlg.yearEdit()->setText(Q("２０２４"));
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    });
    frame().action(kCmdDirectJump)->trigger();
    EXPECT_EQ(DatePane(), "2024/令和 6年12月30日");
}

TEST_F(DialogsTest, RelativeJumpTakesFullWidthDigits) {
    Start(kJune15);
    OnNextModal<RelativeJumpDialog>([](RelativeJumpDialog& dlg) {
        // What an input method commits goes through the validator as an insertion.
        dlg.numberEdit()->insert(Q("３"));
        dlg.numberEdit()->insert(Q("ｘ"));
        EXPECT_EQ(dlg.numberEdit()->text(), Q("３")) << "a full-width digit is a digit";
        dlg.unitBox()->setCurrentIndex(kUnitDaysAhead);
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    });
    frame().action(kCmdRelativeJump)->trigger();
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月18日");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DialogsTest, EraConversionReadsGannenAndFullWidthAndRefusesGarbage) {
    Start(kJune15);
    OnNextModal<EraConvertDialog>([this](EraConvertDialog& dlg) {
        dlg.eraBox()->setCurrentIndex(dlg.eraBox()->findText(Q("平成")));
        dlg.eraDateEdit()->setText(Q("元年５月１日"));
        QTest::mouseClick(dlg.toWesternButton(), Qt::LeftButton);
        EXPECT_EQ(dlg.westernDateEdit()->text(), Q("1989年 5月 1日"));
        EXPECT_TRUE(Messages().empty());

        dlg.eraDateEdit()->setText(Q("がんねん5月1日"));
        QTest::mouseClick(dlg.toWesternButton(), Qt::LeftButton);
        EXPECT_EQ(Messages(), std::vector<std::string>{
                                  "和暦の日付は「元年5月1日」のように入力してください"});
        EXPECT_EQ(dlg.westernDateEdit()->text(), Q("1989年 5月 1日")) << "nothing changed";

        dlg.westernDateEdit()->setText(Q("２０１９年５月１日"));
        QTest::mouseClick(dlg.toEraButton(), Qt::LeftButton);
        EXPECT_EQ(dlg.eraBox()->currentText(), Q("令和"));
        EXPECT_EQ(dlg.eraDateEdit()->text(), Q(" 1年 5月 1日")) << "year 1 still shows as 1";

        dlg.westernDateEdit()->setText(Q("2019/5/1"));
        QTest::mouseClick(dlg.toEraButton(), Qt::LeftButton);
        EXPECT_EQ(Messages().size(), 2u);
        EXPECT_EQ(dlg.eraDateEdit()->text(), Q(" 1年 5月 1日"));
        QTest::mouseClick(dlg.moveButton(), Qt::LeftButton);
    });
    frame().action(kCmdEraConvert)->trigger();
    EXPECT_EQ(DatePane(), "2019/令和 1年 5月 1日");
}

TEST_F(DialogsTest, EditDialogNamesTheSchedulesDay) {
    Start(kJune15);
    AddSchedule(15, "会議", 1, "");
    QTest::keyClick(&frame(), Qt::Key_Up);  // 8 June: the schedule is in the list
    ASSERT_EQ(ScheduleListTexts().size(), 1u);
    OnNextModal<ScheduleDialog>([](ScheduleDialog& d) {
        EXPECT_EQ(d.windowTitle(), Q("スケジュール設定 - 2024/06/15(土)"));
        QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
    });
    ChooseFromNextMenu("編集(&E)");
    RightClickScheduleList(0);
}

const std::string kUnheldHeading =
    "次の文字はシフトJIS（コードページ932）で表せないため使えません. 別の文字に置き換えてください.";

// 🎂 typed into the schedule dialog: the dialog names it and stays open
// with the text as typed; replaced, the schedule is stored as typed
// (composed), and the window has it after a restart.
TEST_F(DialogsTest, ScheduleWithACharacterCp932CannotHoldIsRefusedUntilReplaced) {
    Start(kJune15);
    OnNextModal<ScheduleDialog>([this](ScheduleDialog& d) {
        d.nameEdit()->setText(Q("誕生日\U0001F382"));
        d.noteEdit()->setPlainText(Q("か\u3099ーデン"));
        QTest::mouseClick(d.storeButton(), Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Messages(), std::vector<std::string>{
                                  kUnheldHeading + "\r\n項目名 4文字目「\U0001F382」（U+1F382）"});
        EXPECT_EQ(d.nameEdit()->text(), Q("誕生日\U0001F382")) << "the text stays as typed";
        d.nameEdit()->setText(Q("誕生日ケーキ"));
        QTest::mouseClick(d.storeButton(), Qt::LeftButton);
    });
    QTest::mouseClick(CellOfDay(20), Qt::RightButton);
    EXPECT_NE(ScheduleFileUtf8().find("誕生日ケーキ"), std::string::npos);
    Quit();
    Start(kJune15);
    ASSERT_EQ(record().scheduleCount, 1);
    EXPECT_EQ(Utf8FromCp932(record().tables.schedules[0].text), "がーデン");
}

// The jump and conversion fields name such a character too; nothing moves.
TEST_F(DialogsTest, JumpAndConversionFieldsNameCharactersCp932CannotHold) {
    Start(kJune15);
    OnNextModal<DirectJumpDialog>([this](DirectJumpDialog& dlg) {
        dlg.dayEdit()->setText(Q("1\U0001F382"));
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible());
        dlg.reject();
    });
    frame().action(kCmdDirectJump)->trigger();
    OnNextModal<EraConvertDialog>([this](EraConvertDialog& dlg) {
        dlg.westernDateEdit()->setText(Q("\U0001F3822019年5月1日"));
        QTest::mouseClick(dlg.toEraButton(), Qt::LeftButton);
        EXPECT_EQ(dlg.westernDateEdit()->text(), Q("\U0001F3822019年5月1日"));
        QTest::mouseClick(dlg.moveButton(), Qt::LeftButton);
    });
    frame().action(kCmdEraConvert)->trigger();
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              kUnheldHeading + "\r\n日 2文字目「\U0001F382」（U+1F382）",
                              kUnheldHeading + "\r\n西暦の日付 1文字目「\U0001F382」（U+1F382）"}));
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月15日");
}

// 2035-01-09 in the standard almanac: the new moon 3 min 39 s before
// midnight, which the precise almanac puts 2 min 50 s after it. The mark
// stands beside the old-calendar pane, the pane's name and the detail
// dialog say what hangs on it, and a day without a close call has none.
TEST_F(DialogsTest, ACloseCallDayIsMarkedAndExplained) {
    Start(kJune15);
    for (const bool close : {true, false}) {
        SCOPED_TRACE(close ? "2035-01-09" : "2035-05-01");
        DirectJump("2035", close ? "1" : "5", close ? "9" : "1");
        EXPECT_EQ(view().closeCallMark()->text(), close ? Q("※") : QString());
        EXPECT_TRUE(!close || view().closeCallMark()->isVisible());
        // The pane's name, then the model's sentences (their words: close_call_texts_test).
        const QString words = ToQt(BuildCloseCallTexts(record()).spoken);
        EXPECT_EQ(words.isEmpty(), !close);
        EXPECT_EQ(view().oldCalendarPane()->accessibleName(), close ? Q("旧暦と六曜 ") + words : Q("旧暦と六曜"));
        // The mark itself: named while shown, its words as description.
        CloseCallMark* mark = view().closeCallMark();
        EXPECT_EQ(mark->accessibleName().isEmpty(), !close);
        EXPECT_EQ(mark->accessibleDescription(), words);
        EXPECT_FALSE(mark->testAttribute(Qt::WA_TransparentForMouseEvents)) << "else no tool tip shows";
        OnNextModal<DetailDialog>([close](DetailDialog& d) {
            ASSERT_EQ(d.closeCallViewer() != nullptr, close);
            EXPECT_TRUE(!close || d.closeCallViewer()->toPlainText().startsWith(Q("※ 朔は 1月9日 23時56分21秒")));
            d.accept();
        });
        frame().action(kCmdDetailInfo)->trigger();
        // The mark's tooltip is the first sentence; a click, and Enter with
        // the focus on it, open the dialog at the words.
        EXPECT_EQ(mark->toolTip(), close ? ToQt(BuildCloseCallTexts(record()).first) : QString());
        EXPECT_EQ(mark->focusPolicy(), close ? Qt::TabFocus : Qt::NoFocus);
        if (!close) continue;
        for (const bool byKey : {false, true}) {
            bool opened = false;
            OnNextModal<DetailDialog>([&opened](DetailDialog& d) {
                opened = true;
                // The dialog's own focus child: the application's waits on
                // the window manager activating the dialog.
                EXPECT_EQ(d.focusWidget(), d.closeCallViewer());
                d.accept();
            });
            if (byKey) {
                mark->setFocus();
                QTest::keyClick(mark, Qt::Key_Return);
            } else {
                QTest::mouseClick(mark, Qt::LeftButton);
            }
            EXPECT_TRUE(opened) << (byKey ? "Enter" : "click");
        }
    }
}

// Without a mouse: Tab selects a list's first row, Ctrl+Down the next,
// Enter opens its memo, the Menu key and Shift+F10 its 編集/削除 menu; Enter
// opens the officer's and mansion's memos, on other panes nothing; Tab
// from the old-calendar pane reaches the ※ mark.
TEST_F(DialogsTest, EverythingOpensByKeyboard) {
    Start(kJune15);
    for (const auto& [day, name] : {std::pair{16, "会議"}, std::pair{17, "歯医者"}}) {
        QTest::mouseClick(CellOfDay(day), Qt::LeftButton);
        AddSchedule(day, name, 1, "");
    }
    QTest::keyClick(&frame(), Qt::Key_Home);
    const auto tabTo = [this](QWidget* w) {  // focus events reach only an active window
        frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
        w->setFocus(Qt::TabFocusReason);
    };
    const auto enterOpensMemo = [&](QWidget* w, const char* title) {
        OnNextModal<MemoDialog>([title](MemoDialog& d) {
            EXPECT_TRUE(d.titleViewer()->text().startsWith(Q(title))) << title;
            d.close();
        });
        QTest::keyClick(w, Qt::Key_Return);
    };
    EntryList* list = view().scheduleList();
    tabTo(list);
    QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(DatePane(), "2024/令和 6年 6月15日") << "Ctrl+Down moves the row, not the date";
    enterOpensMemo(list, "歯医者");
    OnNextModal<ScheduleDialog>([](ScheduleDialog& d) {
        d.nameEdit()->setText(Q("眼科"));
        QTest::mouseClick(d.storeButton(), Qt::LeftButton);
    });
    ChooseFromNextMenu("編集(&E)");
    QTest::keyClick(list, Qt::Key_Menu);
    ChooseFromNextMenu("削除(&D)");
    QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);  // the rows were rebuilt
    QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(ScheduleListTexts(), std::vector<std::string>{"17 眼科"});
    tabTo(view().officerPane());
    enterOpensMemo(view().officerPane(), "十二直：");
    enterOpensMemo(view().mansionPane(), "二十八宿：");
    DirectJump("2035", "1", "9");  // a close call
    tabTo(view().oldCalendarPane());
    // The window's own focus, which needs no window manager's activation.
    for (int i = 0; i < 8 && frame().focusWidget() != view().closeCallMark(); ++i) {
        QTest::keyClick(frame().focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(frame().focusWidget(), view().closeCallMark()) << "Tab reaches the ※ mark";
    ExpectNothingOpens();
    for (InfoPane* pane : {view().datePane(), view().moonPane()}) QTest::keyClick(pane, Qt::Key_Return);
    QCoreApplication::processEvents();  // what the input posted, handled
}

// The total lunar eclipse of 2022-11-08, seen from Tokyo: its day is marked
// in the grid, in every scale the mark stays inside the cell, the screen
// reader hears its kind after the day, and the detail dialog gives the kind,
// the contacts to the tenth of a minute and 食分; the day after has none.
TEST_F(DialogsTest, AnEclipseDayIsMarkedSpokenAndExplained) {
    Start(kJune15);
    for (const bool eclipse : {true, false}) {
        SCOPED_TRACE(eclipse ? "2022-11-08" : "2022-11-09");
        DirectJump("2022", "11", eclipse ? "8" : "9");
        DayCellWidget* cell = CellOfDay(8);
        ASSERT_NE(cell, nullptr);
        EXPECT_TRUE(cell->eclipseMarked());
        EXPECT_FALSE(CellOfDay(9)->eclipseMarked());
        const QImage image = cell->grab().toImage();
        // The mark's corner is orange, the opposite corner the background.
        const QColor corner = image.pixelColor(image.width() - 3, 2);
        EXPECT_GT(corner.red(), 200);
        EXPECT_LT(corner.blue(), 60);
        EXPECT_EQ(image.pixelColor(3, image.height() - 3), cell->background());
        if (const char* out = std::getenv("K2_ECLIPSE_CELL_PNG")) image.save(out);
        int k = 0;
        while (view().grid()->CellName(k).indexOf(Q("11月8日")) < 0 && k < kGridCells - 1) ++k;
        EXPECT_TRUE(view().grid()->CellName(k).endsWith(Q("、皆既月食"))) << Text(view().grid()->CellName(k));
        OnNextModal<DetailDialog>([eclipse](DetailDialog& d) {
            ASSERT_EQ(d.eclipseViewer() != nullptr, eclipse);
            if (!eclipse) return d.accept();
            const QString text = d.eclipseViewer()->toPlainText();
            if (const char* out = std::getenv("K2_ECLIPSE_DETAIL_PNG")) d.grab().save(out);
            EXPECT_TRUE(text.startsWith(Q("皆既月食（東京から見た日食・月食）\n食分 1.364\n"
                                          "半影食の始め 17:01.8 高度5.1°"))) << Text(text);
            EXPECT_TRUE(text.contains(Q("\n部分食の始め 18:08.7 高度"))) << Text(text);
            // Every line fits the viewer: nothing to scroll to.
            EXPECT_EQ(d.eclipseViewer()->verticalScrollBar()->maximum(), 0);
            d.accept();
        });
        frame().action(kCmdDetailInfo)->trigger();
    }
}

}  // namespace
}  // namespace kalendo
