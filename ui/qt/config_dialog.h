// The settings dialog "設定": the check box "スタートアップに登録", which
// shows whether Kalendo2 starts when the user logs on (the autostart entry
// exists when the dialog opens), the week as the user counts it ("週の始まり"
// 日曜/月曜, "週番号" 表示しない/ISO 8601), the readings of 一粒万倍日 and
// 大明日 and the notes of the lower register the iCalendar export names, and
// "OK" and "キャンセル".
#pragma once

#include <QDialog>

#include <string>

#include "ui/model/settings.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

namespace kalendo {

class ConfigDialog : public QDialog {
    Q_OBJECT

public:
    ConfigDialog(bool startsAtLogOn, const AppSettings& settings, QWidget* parent);

    bool startsAtLogOn() const;
    // The week settings as chosen.
    WeekStart weekStart() const;
    bool weekNumbers() const;
    RekichuReadings readings() const;
    RekichuSet picks() const;

    QCheckBox* startupBox() const { return startup_; }
    QComboBox* weekStartBox() const { return weekStart_; }
    QComboBox* weekNumbersBox() const { return weekNumbers_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QCheckBox* startup_;
    QComboBox* weekStart_;
    QComboBox* weekNumbers_;
    QComboBox* ichiryu_;
    QComboBox* daimyo_;
    QListWidget* picks_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The settings command: opens the dialog on the entry's existence and the
// settings; on "OK", creates the entry for `executablePath` when the box
// was checked and there was none, or removes it when the box was cleared
// and there was one (failures are silent), and takes the week settings,
// the readings and the picks into `settings`. true when those changed: the
// frame and the view are laid out and drawn again.
bool RunConfigDialog(const std::string& executablePath, AppSettings& settings, QWidget* parent);

}  // namespace kalendo
