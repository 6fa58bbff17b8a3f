// "間接日付移動": a number and a unit ("日前", "日後", "週前", "週後", "月前",
// "月後", "年前", "年後") applied to the selected date, with "O K" and
// "キャンセル". "O K" without a unit, or for a date out of the range, shows
// the model's message and keeps the dialog open.
#pragma once

#include <QDialog>

#include <string>

#include "core/month_record.h"
#include "month/compute_month.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kalendo {

class RelativeJumpDialog : public QDialog {
    Q_OBJECT

public:
    // `rec` and `options` are those the jump will be computed with: "O K"
    // keeps the dialog open on a date the month computation would refuse.
    RelativeJumpDialog(const MonthRecord& rec, MonthOptions options, QWidget* parent);

    std::string numberText() const;  // CP932
    // The chosen unit 0-7; -1 when none is chosen or text was typed.
    int unit() const;

    QLineEdit* numberEdit() const { return number_; }
    QComboBox* unitBox() const { return unit_; }
    QPushButton* okButton() const { return ok_; }

private:
    QLineEdit* number_;
    QComboBox* unit_;
    QPushButton* ok_;
};

}  // namespace kalendo
