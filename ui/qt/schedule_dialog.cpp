#include "ui/qt/schedule_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/model/model_texts.h"
#include "ui/qt/dialog_buttons.h"
#include "ui/qt/field_names.h"
#include "ui/qt/fonts.h"
#include "ui/qt/jump_dialog_layout.h"  // FieldLabel
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kEditPoints = 11.5;
constexpr double kLabelPoints = 9.0;
constexpr int kEditWidth = 300;
constexpr int kNoteHeight = 110;

}  // namespace

ScheduleDialog::ScheduleDialog(const ScheduleDialogValues& initial,
                               const std::string& captionCp932, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(ToQt(captionCp932));
    setFont(FaceFont(kFaceGothic, kLabelPoints));
    const QFont editFont = FaceFont(kFaceGothic, kEditPoints);

    name_ = new QLineEdit(this);
    name_->setFont(editFont);
    name_->setFixedWidth(kEditWidth);
    name_->setText(ToQt(initial.name));

    period_ = new QComboBox(this);
    period_->setFont(editFont);
    period_->setEditable(true);
    period_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : kSchedulePeriodItems) period_->addItem(ToQt(item));
    period_->setCurrentIndex(initial.period);

    note_ = new QPlainTextEdit(this);
    note_->setFont(editFont);
    note_->setFixedSize(kEditWidth, kNoteHeight);
    note_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    note_->setTabChangesFocus(true);
    note_->setPlainText(ToQtLines(initial.text));

    const DialogButtons buttons = NewDialogButtons(this, kScheduleStore, kScheduleCancel);
    store_ = buttons.accept;
    cancel_ = buttons.reject;
    connect(buttons.box, &QDialogButtonBox::accepted, this, [this] {
        if (ScheduleDialogMayClose(values())) accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FieldLabel(kScheduleNameLabel, name_));
    layout->addWidget(name_);
    layout->addWidget(FieldLabel(kSchedulePeriodLabel, period_));
    layout->addWidget(period_, 0, Qt::AlignLeft);
    layout->addWidget(FieldLabel(kScheduleNoteLabel, note_));
    layout->addWidget(note_);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    NameComboBoxesByTheirLabels(this);
    name_->setFocus();
}

ScheduleDialogValues ScheduleDialog::values() const {
    ScheduleDialogValues v;
    ExactCp932 name = FromQt(name_->text());
    ExactCp932 note = FromQt(note_->toPlainText());
    v.name = std::move(name.cp932);
    v.text = std::move(note.cp932);
    v.nameUnheld = std::move(name.unheld);
    v.textUnheld = std::move(note.unheld);
    // A combo box with an edit field has no chosen item once something else
    // was typed into it.
    const int index = period_->currentIndex();
    v.period = index >= 0 && period_->currentText() == period_->itemText(index) ? index : -1;
    return v;
}

}  // namespace kalendo
