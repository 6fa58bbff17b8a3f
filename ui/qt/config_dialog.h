// The settings dialog "設定": the check box "スタートアップに登録", which
// shows whether Kalendo2 starts when the user logs on (the autostart entry
// exists when the dialog opens), the week as the user counts it ("週の始まり"
// 日曜/月曜, "週番号" 表示しない/ISO 8601), 「場所」, the place whose sky the
// window shows (the listed places, or 「緯度・経度で指定」 with two fields),
// the readings of 一粒万倍日 and 大明日 and the notes of the lower register the iCalendar export names, and
// "OK" and "キャンセル".
#pragma once

#include <QDialog>

#include <string>

#include "ui/model/settings.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QLineEdit;
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

    // The place chosen, into the settings' place fields. Only after the
    // dialog was accepted: the fields then hold a place within bounds.
    void TakePlace(AppSettings& s) const;

    // "OK": with 「緯度・経度で指定」 the fields must read as coordinates
    // within bounds; else the message, and the dialog stays.
    void accept() override;

    QCheckBox* startupBox() const { return startup_; }
    QComboBox* weekStartBox() const { return weekStart_; }
    QComboBox* weekNumbersBox() const { return weekNumbers_; }
    QComboBox* placeBox() const { return place_; }
    QLineEdit* latitudeEdit() const { return latitude_; }
    QLineEdit* longitudeEdit() const { return longitude_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    ReadPlace TypedPlace() const;
    QCheckBox* startup_;
    QComboBox* weekStart_;
    QComboBox* weekNumbers_;
    QComboBox* ichiryu_;
    QComboBox* daimyo_;
    QListWidget* picks_;
    QComboBox* place_;
    QLineEdit* latitude_;
    QLineEdit* longitude_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The settings command: opens the dialog on the entry's existence and the
// settings; on "OK", creates the entry for `executablePath` when the box
// was checked and there was none, or removes it when the box was cleared
// and there was one (failures are silent), and takes the place, the week settings,
// the readings and the picks into `settings`. true when those changed: the
// frame and the view are laid out and drawn again.
bool RunConfigDialog(const std::string& executablePath, AppSettings& settings, QWidget* parent);

}  // namespace kalendo
