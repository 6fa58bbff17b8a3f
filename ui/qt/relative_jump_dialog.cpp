#include "ui/qt/relative_jump_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include "ui/model/jumps.h"
#include "ui/model/model_texts.h"
#include "ui/qt/field_names.h"
#include "ui/qt/jump_dialog_layout.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr int kNumberWidth = 70;

// Digits only, like a number-only edit control; full-width digits, which
// an input method types by default, are digits too.
class TypedDigitsValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        for (const QChar c : input.normalized(QString::NormalizationForm_KC)) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return Invalid;
        }
        return Acceptable;
    }
};

}  // namespace

RelativeJumpDialog::RelativeJumpDialog(const MonthRecord& rec, MonthOptions options,
                                       QWidget* parent)
    : QDialog(parent) {
    number_ = new QLineEdit(this);
    number_->setAlignment(Qt::AlignRight);
    number_->setFixedWidth(kNumberWidth);
    number_->setValidator(new TypedDigitsValidator(number_));
    unit_ = new QComboBox(this);
    unit_->setEditable(true);
    unit_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : kRelativeJumpUnits) unit_->addItem(ToQt(item));
    unit_->setCurrentIndex(-1);  // no unit chosen at opening
    unit_->setAccessibleName(ToQt(kRelativeJumpUnitField));  // it has no label
    NameComboBoxesByTheirLabels(this);
    ok_ = BuildJumpDialogLayout(this, kRelativeJumpCaption, {number_, unit_});
    connect(ok_, &QPushButton::clicked, this, [this, &rec, options] {
        if (RelativeJumpMayClose(rec, numberText(), unit(), options)) accept();
    });
    number_->setFocus();
}

std::string RelativeJumpDialog::numberText() const { return FromQtTyped(number_->text()); }

int RelativeJumpDialog::unit() const {
    const int index = unit_->currentIndex();
    return index >= 0 && unit_->currentText() == unit_->itemText(index) ? index : -1;
}

}  // namespace kalendo
