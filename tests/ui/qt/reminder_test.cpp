#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include "gui_fixture.h"
#include "ui/qt/config_dialog.h"
#include "ui/qt/desktop_notifier.h"

namespace kalendo {
namespace {

class ReminderWindowTest : public GuiTest {};

// 「毎日のお知らせ」 in 設定: off and 21:05 are taken and written; a click on a
// notification shows its day in the window.
TEST_F(ReminderWindowTest, TheSettingAndTheClick) {
    Start(CalendarDate{2024, 6, 15});
    OnNextModal<ConfigDialog>([](ConfigDialog& d) {
        EXPECT_TRUE(d.reminderBox()->isChecked());
        EXPECT_EQ(d.reminderTimeEdit()->time(), QTime(8, 0));
        d.reminderBox()->setChecked(false);
        EXPECT_FALSE(d.reminderTimeEdit()->isEnabled());
        d.reminderTimeEdit()->setTime(QTime(21, 5));
        QTest::mouseClick(d.okButton(), Qt::LeftButton);
    });
    frame().action(kCmdStartupSettings)->trigger();
    EXPECT_FALSE(app().settings().reminderOn);
    EXPECT_EQ(app().settings().reminderMinutes, 21 * 60 + 5);

    emit frame().notifier().dayClicked(QDate(2024, 7, 1));
    EXPECT_EQ(DatePane(), "2024/令和 6年 7月 1日");
    Quit();
}

TEST(NotificationBody, EscapedOnlyForAServiceThatReadsMarkup) {
    const QStringList lines{QStringLiteral("明日: <b>&"), QStringLiteral("暦注: 天赦日")};
    EXPECT_EQ(NotificationBody(lines, false), QStringLiteral("明日: <b>&\n暦注: 天赦日"));
    EXPECT_EQ(NotificationBody(lines, true), QStringLiteral("明日: &lt;b&gt;&amp;\n暦注: 天赦日"));
}

}  // namespace
}  // namespace kalendo
