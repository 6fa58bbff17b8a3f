#include "ui/qt/direct_jump_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/model/jumps.h"
#include "ui/qt/jump_dialog_layout.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr int kYearWidth = 60;
constexpr int kMonthDayWidth = 40;

QLineEdit* DateField(int width, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(width);
    return edit;
}

}  // namespace

DirectJumpDialog::DirectJumpDialog(const MonthRecord& rec, MonthOptions options, QWidget* parent)
    : QDialog(parent) {
    year_ = DateField(kYearWidth, this);
    month_ = DateField(kMonthDayWidth, this);
    day_ = DateField(kMonthDayWidth, this);
    ok_ = BuildJumpDialogLayout(
        this, kDirectJumpCaption,
        {year_, new QLabel(ToQt(kYearMark), this), month_, new QLabel(ToQt(kMonthMark), this),
         day_, new QLabel(ToQt(kDayMark), this)});
    // A field that is not a number, or a date out of the range, keeps the
    // dialog open with the model's message, so that it can be corrected.
    connect(ok_, &QPushButton::clicked, this, [this, &rec, options] {
        if (!TypedQtFieldsHeld({{kYearMark, year_->text()},
                                {kMonthMark, month_->text()},
                                {kDayMark, day_->text()}})) {
            return;
        }
        if (DirectJumpMayClose(rec, yearText(), monthText(), dayText(), options)) accept();
    });
    year_->setFocus();
}

std::string DirectJumpDialog::yearText() const { return FromQtTyped(year_->text()); }
std::string DirectJumpDialog::monthText() const { return FromQtTyped(month_->text()); }
std::string DirectJumpDialog::dayText() const { return FromQtTyped(day_->text()); }

}  // namespace kalendo
