#include "ui/qt/direct_jump_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 11.0;
constexpr int kYearWidth = 60;
constexpr int kMonthDayWidth = 40;

QLineEdit* DateField(int width, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(width);
    return edit;
}

}  // namespace

DirectJumpDialog::DirectJumpDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQt(kDirectJumpCaption));
    setFont(FaceFont(kFaceGothic, kDialogPoints));
    year_ = DateField(kYearWidth, this);
    month_ = DateField(kMonthDayWidth, this);
    day_ = DateField(kMonthDayWidth, this);
    ok_ = new QPushButton(ToQt(kButtonOkSpaced), this);
    auto* cancel = new QPushButton(ToQt(kButtonCancel), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QHBoxLayout;
    fields->addWidget(year_);
    fields->addWidget(new QLabel(ToQt(kYearMark), this));
    fields->addWidget(month_);
    fields->addWidget(new QLabel(ToQt(kMonthMark), this));
    fields->addWidget(day_);
    fields->addWidget(new QLabel(ToQt(kDayMark), this));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    year_->setFocus();
}

std::string DirectJumpDialog::yearText() const { return FromQt(year_->text()); }
std::string DirectJumpDialog::monthText() const { return FromQt(month_->text()); }
std::string DirectJumpDialog::dayText() const { return FromQt(day_->text()); }

}  // namespace kalendo
