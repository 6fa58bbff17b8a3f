#include "ui/qt/config_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "platform/autostart.h"
#include "ui/qt/dialog_buttons.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 9.0;

}  // namespace

ConfigDialog::ConfigDialog(bool startsAtLogOn, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQt(kConfigCaption));
    setFont(FaceFont(kFacePGothic, kDialogPoints));
    startup_ = new QCheckBox(ToQt(kConfigStartup), this);
    startup_->setChecked(startsAtLogOn);

    const DialogButtons buttons = NewDialogButtons(this, kButtonOk, kButtonCancel);
    ok_ = buttons.accept;
    cancel_ = buttons.reject;
    connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(startup_);
    layout->addSpacing(8);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool ConfigDialog::startsAtLogOn() const { return startup_->isChecked(); }

void RunConfigDialog(const std::string& executablePath, QWidget* parent) {
    // The entry's existence is read afresh at every opening; nothing is kept.
    const bool existed = AutostartEntryExists();
    ConfigDialog dialog(existed, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    if (dialog.startsAtLogOn() && !existed) {
        CreateAutostartEntry(executablePath);
    } else if (!dialog.startsAtLogOn() && existed) {
        RemoveAutostartEntry();
    }
}

}  // namespace kalendo
