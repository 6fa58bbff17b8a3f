#include "ui/qt/relative_jump_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "ui/model/jumps.h"
#include "ui/model/model_texts.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 11.0;
constexpr int kNumberWidth = 70;

}  // namespace

RelativeJumpDialog::RelativeJumpDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQt(kRelativeJumpCaption));
    setFont(FaceFont(kFaceGothic, kDialogPoints));
    number_ = new QLineEdit(this);
    number_->setAlignment(Qt::AlignRight);
    number_->setFixedWidth(kNumberWidth);
    // Digits only, like a number-only edit control.
    number_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), number_));
    unit_ = new QComboBox(this);
    unit_->setEditable(true);
    unit_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : kRelativeJumpUnits) unit_->addItem(ToQt(item));
    unit_->setCurrentIndex(-1);  // no unit chosen at opening
    ok_ = new QPushButton(ToQt(kButtonOkSpaced), this);
    auto* cancel = new QPushButton(ToQt(kButtonCancel), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (RelativeJumpMayClose(unit())) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QHBoxLayout;
    fields->addWidget(number_);
    fields->addWidget(unit_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    number_->setFocus();
}

std::string RelativeJumpDialog::numberText() const { return FromQt(number_->text()); }

int RelativeJumpDialog::unit() const {
    const int index = unit_->currentIndex();
    return index >= 0 && unit_->currentText() == unit_->itemText(index) ? index : -1;
}

}  // namespace kalendo
