#include "ui/qt/config_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/autostart.h"
#include "platform/platform.h"
#include "ui/qt/dialog_buttons.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 9.0;

}  // namespace

ConfigDialog::ConfigDialog(bool startsAtLogOn, QWidget* parent, const AppSettings& place)
    : QDialog(parent) {
    setWindowTitle(ToQt(kConfigCaption));
    setFont(FaceFont(kFacePGothic, kDialogPoints));
    startup_ = new QCheckBox(ToQt(kConfigStartup), this);
    startup_->setChecked(startsAtLogOn);
    // The listed places by index, then the user's own as the last item.
    place_ = new QComboBox(this);
    for (const ListedPlace& p : ListedPlaces()) place_->addItem(ToQt(p.name));
    place_->addItem(ToQt(kConfigOwnPlace));
    latitude_ = new QLineEdit(this);
    longitude_ = new QLineEdit(this);
    if (place.ownPlace) {
        place_->setCurrentIndex(kListedPlaceCount);
        const std::string own = OwnPlaceText(place.ownPosition);
        latitude_->setText(QString::fromLatin1(own.substr(0, own.find(','))));
        longitude_->setText(QString::fromLatin1(own.substr(own.find(',') + 1)));
    } else {
        place_->setCurrentIndex(place.placeIndex);
    }
    const auto enableOwn = [this] {
        const bool own = place_->currentIndex() == kListedPlaceCount;
        latitude_->setEnabled(own);
        longitude_->setEnabled(own);
    };
    enableOwn();
    connect(place_, &QComboBox::currentIndexChanged, this, enableOwn);
    auto* placeForm = new QFormLayout;
    placeForm->addRow(ToQt(kConfigPlace), place_);
    placeForm->addRow(ToQt(kConfigLatitude), latitude_);
    placeForm->addRow(ToQt(kConfigLongitude), longitude_);

    const DialogButtons buttons = NewDialogButtons(this, kButtonOk, kButtonCancel);
    ok_ = buttons.accept;
    cancel_ = buttons.reject;
    connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(startup_);
    layout->addSpacing(8);
    layout->addLayout(placeForm);
    layout->addSpacing(8);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool ConfigDialog::startsAtLogOn() const { return startup_->isChecked(); }

ReadPlace ConfigDialog::TypedPlace() const {
    // Digits, signs and points only: full-width digits are folded first.
    const std::string text = (latitude_->text().trimmed() + QLatin1Char(',') +
                              longitude_->text().trimmed())
                                 .normalized(QString::NormalizationForm_KC)
                                 .toStdString();
    return ReadPlaceCoordinates(text);
}

void ConfigDialog::accept() {
    if (place_->currentIndex() == kListedPlaceCount &&
        TypedPlace().problem != PlaceTextProblem::None) {
        ThePlatform().ShowMessage(kConfigPlaceError);
        return;
    }
    QDialog::accept();
}

void ConfigDialog::TakePlace(AppSettings& s) const {
    s.ownPlace = place_->currentIndex() == kListedPlaceCount;
    if (s.ownPlace) {
        s.ownPosition = TypedPlace().position;
        s.placeIndex = kDefaultPlaceIndex;
    } else {
        s.placeIndex = place_->currentIndex();
    }
}

bool RunConfigDialog(const std::string& executablePath, AppSettings& settings, QWidget* parent) {
    // The entry's existence is read afresh at every opening; nothing is kept.
    const bool existed = AutostartEntryExists();
    ConfigDialog dialog(existed, parent, settings);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (dialog.startsAtLogOn() && !existed) {
        CreateAutostartEntry(executablePath);
    } else if (!dialog.startsAtLogOn() && existed) {
        RemoveAutostartEntry();
    }
    const std::string before = SettingsText(settings);
    dialog.TakePlace(settings);
    return SettingsText(settings) != before;
}

}  // namespace kalendo
