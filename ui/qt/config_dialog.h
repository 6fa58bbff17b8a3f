// The settings dialog "設定": one check box, "スタートアップに登録", which
// shows whether Kalendo2 starts when the user logs on (the autostart entry
// exists when the dialog opens), 「場所」, the place whose sky the window
// shows (the listed places, or 「緯度・経度で指定」 with two fields), and
// "OK" and "キャンセル".
#pragma once

#include <QDialog>

#include <string>

#include "ui/model/settings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kalendo {

class ConfigDialog : public QDialog {
    Q_OBJECT

public:
    ConfigDialog(bool startsAtLogOn, QWidget* parent, const AppSettings& place = AppSettings());

    bool startsAtLogOn() const;
    // The place chosen, into the settings' place fields. Only after the
    // dialog was accepted: the fields then hold a place within bounds.
    void TakePlace(AppSettings& s) const;

    // "OK": with 「緯度・経度で指定」 the fields must read as coordinates
    // within bounds; else the message, and the dialog stays.
    void accept() override;

    QCheckBox* startupBox() const { return startup_; }
    QComboBox* placeBox() const { return place_; }
    QLineEdit* latitudeEdit() const { return latitude_; }
    QLineEdit* longitudeEdit() const { return longitude_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    ReadPlace TypedPlace() const;
    QCheckBox* startup_;
    QComboBox* place_;
    QLineEdit* latitude_;
    QLineEdit* longitude_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The settings command: opens the dialog on the entry's existence and the
// settings' place and, on "OK", creates the entry for `executablePath` when
// the box was checked and there was none, or removes it when the box was
// cleared and there was one (failures are silent), and takes the place.
// Whether the place changed.
bool RunConfigDialog(const std::string& executablePath, AppSettings& settings, QWidget* parent);

}  // namespace kalendo
