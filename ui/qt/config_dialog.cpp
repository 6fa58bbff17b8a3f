#include "ui/qt/config_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/autostart.h"
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

    ok_ = new QPushButton(ToQt(kButtonOk), this);
    cancel_ = new QPushButton(ToQt(kButtonCancel), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(startup_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
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
