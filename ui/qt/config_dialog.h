// The settings dialog "設定": one check box, "スタートアップに登録", which
// shows whether Kalendo2 starts when the user logs on (the autostart entry
// exists when the dialog opens), and "OK" and "キャンセル".
#pragma once

#include <QDialog>

#include <string>

class QCheckBox;
class QPushButton;

namespace kalendo {

class ConfigDialog : public QDialog {
    Q_OBJECT

public:
    ConfigDialog(bool startsAtLogOn, QWidget* parent);

    bool startsAtLogOn() const;

    QCheckBox* startupBox() const { return startup_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QCheckBox* startup_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The settings command: opens the dialog on the entry's existence and, on
// "OK", creates the entry for `executablePath` when the box was checked and
// there was none, or removes it when the box was cleared and there was one.
// Failures are silent.
void RunConfigDialog(const std::string& executablePath, QWidget* parent);

}  // namespace kalendo
