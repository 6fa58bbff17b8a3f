#include "ui/qt/era_convert_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/model/jumps.h"
#include "ui/model/model_texts.h"
#include "ui/qt/dialog_buttons.h"
#include "ui/qt/field_names.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 11.5;
constexpr int kDateEditWidth = 150;

}  // namespace

EraConvertDialog::EraConvertDialog(const MonthRecord& rec, const EraConvertState& initial,
                                   QWidget* parent)
    : QDialog(parent), rec_(rec), state_(initial) {
    setWindowTitle(ToQt(kEraConvertCaption));
    setFont(FaceFont(kFacePGothic, kDialogPoints));
    era_ = new QComboBox(this);  // a drop-down list: no typing
    for (int i = 0; i <= rec_.eraCount; ++i) era_->addItem(ToQt(rec_.tables.eraName[i]));
    eraDate_ = new QLineEdit(this);
    eraDate_->setFixedWidth(kDateEditWidth);
    toEra_ = new QPushButton(ToQt(kEraConvertToEra), this);
    toWestern_ = new QPushButton(ToQt(kEraConvertToWestern), this);
    westernDate_ = new QLineEdit(this);
    westernDate_->setFixedWidth(kDateEditWidth);
    // Neither field has a label of its own: they are named as the
    // messages name them.
    eraDate_->setAccessibleName(ToQt(kEraDateField));
    era_->setAccessibleName(ToQt(kEraNameField));
    NameComboBoxesByTheirLabels(this);
    westernDate_->setAccessibleName(ToQt(kWesternDateField));
    const DialogButtons buttons = NewDialogButtons(this, kEraConvertMove, kButtonCancel);
    move_ = buttons.accept;

    connect(toWestern_, &QPushButton::clicked, this, [this] {
        state_.eraIndex = era_->currentIndex();
        if (!TypedQtFieldsHeld({{kEraDateField, eraDate_->text()}})) return;
        if (!RunConvertToWestern(rec_, state_, FromQtTyped(eraDate_->text()))) return;
        // Only the Western date is rewritten: the era date stays as typed.
        westernDate_->setText(ToQt(WesternDateText(state_)));
    });
    connect(toEra_, &QPushButton::clicked, this, [this] {
        if (!TypedQtFieldsHeld({{kWesternDateField, westernDate_->text()}})) return;
        if (!RunConvertToEra(rec_, state_, FromQtTyped(westernDate_->text()))) return;
        // The era date and the list follow; the Western date stays as typed.
        eraDate_->setText(ToQt(EraDateText(state_)));
        era_->setCurrentIndex(state_.eraIndex);
    });
    connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout;
    grid->addWidget(era_, 0, 0);
    grid->addWidget(eraDate_, 0, 1);
    grid->addWidget(toEra_, 1, 0);
    grid->addWidget(toWestern_, 1, 1);
    grid->addWidget(westernDate_, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ShowOpeningState();
}

void EraConvertDialog::ShowOpeningState() {
    era_->setCurrentIndex(state_.eraIndex);
    eraDate_->setText(ToQt(EraDateText(state_)));
    westernDate_->setText(ToQt(WesternDateText(state_)));
}

}  // namespace kalendo
