// "直接日付移動": three right-aligned fields, year "年", month "月" and day
// "日", empty at opening, with "O K" and "キャンセル". The typed texts go to
// the model as they are; a field left empty keeps the selected date's value.
// A refused date keeps the dialog open with what was typed.
#pragma once

#include <QDialog>

#include <string>

#include "core/month_record.h"
#include "month/compute_month.h"

class QLineEdit;
class QPushButton;

namespace kalendo {

class DirectJumpDialog : public QDialog {
    Q_OBJECT

public:
    // `rec` and `options` are those the jump will be computed with: "O K"
    // keeps the dialog open on a date the month computation would refuse.
    DirectJumpDialog(const MonthRecord& rec, MonthOptions options, QWidget* parent);

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
