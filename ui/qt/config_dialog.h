// The settings dialog "設定": one check box, "スタートアップに登録", which
// shows whether Kalendo2 starts when the user logs on (the autostart entry
// exists when the dialog opens), the readings of 一粒万倍日 and 大明日 and
// the notes of the lower register the iCalendar export names, and "OK" and
// "キャンセル".
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
    ConfigDialog(bool startsAtLogOn, QWidget* parent, RekichuReadings readings = {},
                 RekichuSet picks = kDefaultRekichuPicks);

    bool startsAtLogOn() const;
    RekichuReadings readings() const;
    RekichuSet picks() const;

    QCheckBox* startupBox() const { return startup_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QCheckBox* startup_;
    QComboBox* ichiryu_;
    QComboBox* daimyo_;
    QListWidget* picks_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The settings command: opens the dialog on the entry's existence and, on
// "OK", creates the entry for `executablePath` when the box was checked and
// there was none, or removes it when the box was cleared and there was one.
// Failures are silent. The readings and picks go into `settings`; true when
// they changed (the window then shows the month again).
bool RunConfigDialog(const std::string& executablePath, AppSettings& settings, QWidget* parent);

}  // namespace kalendo
