// "西暦⇔元号変換": the era list with the era date beside it, "元号変換" and
// "西暦変換" below, the Western date, and "移 動" and "キャンセル". The
// conversions are the model's (almanac/era_convert.h); the dialog copies
// between its controls and an EraConvertState, and the view moves the
// calendar to the state's date when the dialog ends with "移 動".
#pragma once

#include <QDialog>

#include "almanac/era_convert.h"
#include "core/month_record.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kalendo {

class EraConvertDialog : public QDialog {
    Q_OBJECT

public:
    EraConvertDialog(const MonthRecord& rec, const EraConvertState& initial, QWidget* parent);

    const EraConvertState& state() const { return state_; }

    QComboBox* eraBox() const { return era_; }
    QLineEdit* eraDateEdit() const { return eraDate_; }
    QLineEdit* westernDateEdit() const { return westernDate_; }
    QPushButton* toEraButton() const { return toEra_; }
    QPushButton* toWesternButton() const { return toWestern_; }
    QPushButton* moveButton() const { return move_; }

private:
    // Both edits and the list's selection from state_.
    void ShowOpeningState();

    const MonthRecord& rec_;
    EraConvertState state_;
    QComboBox* era_;
    QLineEdit* eraDate_;
    QLineEdit* westernDate_;
    QPushButton* toEra_;
    QPushButton* toWestern_;
    QPushButton* move_;
};

}  // namespace kalendo
