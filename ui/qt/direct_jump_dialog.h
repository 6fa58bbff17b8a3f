// "直接日付移動": three right-aligned fields, year "年", month "月" and day
// "日", empty at opening, with "O K" and "キャンセル". The typed texts go to
// the model as they are; a field left empty keeps the selected date's value.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class QPushButton;

namespace kalendo {

class DirectJumpDialog : public QDialog {
    Q_OBJECT

public:
    explicit DirectJumpDialog(QWidget* parent);

    // The fields' texts (CP932).
    std::string yearText() const;
    std::string monthText() const;
    std::string dayText() const;

    QLineEdit* yearEdit() const { return year_; }
    QLineEdit* monthEdit() const { return month_; }
    QLineEdit* dayEdit() const { return day_; }
    QPushButton* okButton() const { return ok_; }

private:
    QLineEdit* year_;
    QLineEdit* month_;
    QLineEdit* day_;
    QPushButton* ok_;
};

}  // namespace kalendo
