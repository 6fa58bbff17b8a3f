// "スケジュール設定": a schedule's name ("項 目 名"), how long ahead it is
// announced ("表 示 期 間": "前日" ... "4週間前") and its note ("備  考"),
// with "設 定" and "取り消し". "設 定" closes the dialog only when the model
// accepts what was entered; otherwise its message has been shown and the
// dialog stays open.
#pragma once

#include <QDialog>

#include "ui/model/schedule_edit.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kalendo {

class ScheduleDialog : public QDialog {
    Q_OBJECT

public:
    // `captionCp932` names the day (ScheduleDialogCaption).
    ScheduleDialog(const ScheduleDialogValues& initial, const std::string& captionCp932,
                   QWidget* parent);

    // What the controls hold now (CP932, with the characters it cannot
    // hold listed); the period is -1 when no item is chosen or text was
    // typed into the combo box.
    ScheduleDialogValues values() const;

    QLineEdit* nameEdit() const { return name_; }
    QComboBox* periodBox() const { return period_; }
    QPlainTextEdit* noteEdit() const { return note_; }
    QPushButton* storeButton() const { return store_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QLineEdit* name_;
    QComboBox* period_;
    QPlainTextEdit* note_;
    QPushButton* store_;
    QPushButton* cancel_;
};

}  // namespace kalendo
