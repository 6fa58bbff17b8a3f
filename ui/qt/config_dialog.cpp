#include "ui/qt/config_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QLineEdit>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "platform/autostart.h"
#include "platform/platform.h"
#include "ui/model/ics_texts.h"
#include "ui/qt/dialog_buttons.h"
#include "ui/qt/field_names.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 9.0;
// Eight names in view; the list scrolls through the 33.
constexpr int kPicksVisibleRows = 8;

// A combo box of `choices` (in the order of their values 0, 1, …) beside
// its label, which names it for the keyboard (its "&" key) and for a
// screen reader (not the value shown).
QComboBox* AddChoice(QFormLayout* form, const char* labelCp932,
                     std::initializer_list<const char*> choices, int current, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const char* choice : choices) box->addItem(ToQt(choice));
    box->setCurrentIndex(current);
    auto* label = new QLabel(ToQt(labelCp932), parent);
    label->setBuddy(box);
    QString name = label->text();
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
    box->setAccessibleName(name);
    form->addRow(label, box);
    return box;
}

}  // namespace

ConfigDialog::ConfigDialog(bool startsAtLogOn, const AppSettings& settings, const std::string& defaultFeedPath,
                           QWidget* parent)
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
    if (settings.ownPlace) {
        place_->setCurrentIndex(kListedPlaceCount);
        const std::string own = OwnPlaceText(settings.ownPosition);
        latitude_->setText(QString::fromLatin1(own.substr(0, own.find(','))));
        longitude_->setText(QString::fromLatin1(own.substr(own.find(',') + 1)));
    } else {
        place_->setCurrentIndex(settings.placeIndex);
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

    auto* form = new QFormLayout;
    weekStart_ = AddChoice(form, kConfigWeekStart, {kConfigWeekSunday, kConfigWeekMonday},
                           settings.weekStart == WeekStart::Monday ? 1 : 0, this);
    weekNumbers_ = AddChoice(form, kConfigWeekNumbers, {kConfigWeekNumbersOff, kConfigWeekNumbersIso},
                             settings.weekNumbers ? 1 : 0, this);
    // Items in SchemeChoice order: 自動 (the desktop's), 明るい, 暗い.
    colourScheme_ = AddChoice(form, kConfigColourScheme, {kConfigColourAuto, kConfigColourLight, kConfigColourDark},
                              static_cast<int>(settings.colourScheme), this);
    // Items in the order of the reading enums, the default first.
    ichiryu_ = new QComboBox(this);
    ichiryu_->setObjectName(QStringLiteral("ichiryu"));
    for (IchiryuReading r : {IchiryuReading::Combined, IchiryuReading::OneBranch}) {
        ichiryu_->addItem(ToQt(IchiryuReadingName(r)));
    }
    ichiryu_->setCurrentIndex(static_cast<int>(settings.rekichuReadings.ichiryu));
    daimyo_ = new QComboBox(this);
    daimyo_->setObjectName(QStringLiteral("daimyo"));
    for (DaimyoReading r : {DaimyoReading::TwentyFive, DaimyoReading::TwentyOne}) {
        daimyo_->addItem(ToQt(DaimyoReadingName(r)));
    }
    daimyo_->setCurrentIndex(static_cast<int>(settings.rekichuReadings.daimyo));
    // Row k is RekichuName k.
    picks_ = new QListWidget(this);
    picks_->setObjectName(QStringLiteral("picks"));
    for (int k = 0; k < kRekichuCount; ++k) {
        auto* item = new QListWidgetItem(ToQt(RekichuNameText(k)), picks_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Contains(settings.rekichuPicks, static_cast<RekichuName>(k)) ? Qt::Checked
                                                                                     : Qt::Unchecked);
    }
    picks_->setFixedHeight(picks_->sizeHintForRow(0) * kPicksVisibleRows + 2 * picks_->frameWidth());
    auto* readingsForm = new QFormLayout;
    readingsForm->addRow(ToQt(kConfigIchiryuLabel), ichiryu_);
    readingsForm->addRow(ToQt(kConfigDaimyoLabel), daimyo_);

    feed_ = new QCheckBox(ToQt(kConfigFeed), this);
    feed_->setChecked(settings.feedOn);
    feedFile_ = new QLineEdit(QString::fromStdString(settings.feedPath), this);
    feedFile_->setPlaceholderText(QString::fromStdString(defaultFeedPath));
    feedFile_->setMinimumWidth(320);
    auto* fileLabel = new QLabel(ToQt(kConfigFeedFile), this);
    fileLabel->setBuddy(feedFile_);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(feedFile_);
    // The export's kinds under its own words, two columns.
    const char* labels[kIcsWordCount] = {kIcsIncludeHolidays, kIcsIncludeNotes, kIcsIncludeUsers,
                                         kIcsIncludeSchedules, kIcsIncludeRokuyo, kIcsIncludeLunar,
                                         kIcsIncludeMoon, kIcsIncludeRekichu, kIcsIncludeEclipses};
    auto* kindGrid = new QGridLayout;
    for (int k = 0; k < kIcsWordCount; ++k) {
        kinds_[k] = new QCheckBox(ToQt(labels[k]), this);
        kinds_[k]->setChecked(settings.feedKinds.Has(static_cast<IcsWord>(k)));
        kindGrid->addWidget(kinds_[k], k / 2, k % 2);
    }
    auto follow = [this] {
        feedFile_->setEnabled(feed_->isChecked());
        for (QCheckBox* box : kinds_) box->setEnabled(feed_->isChecked());
    };
    connect(feed_, &QCheckBox::toggled, this, follow);
    follow();

    // 「毎日のお知らせ」: the time is greyed while the notice is off.
    reminder_ = new QCheckBox(ToQt(kConfigReminder), this);
    reminder_->setChecked(settings.reminderOn);
    reminderTime_ = new QTimeEdit(QTime(settings.reminderMinutes / 60, settings.reminderMinutes % 60), this);
    reminderTime_->setDisplayFormat(QStringLiteral("H:mm"));
    reminderTime_->setAccessibleName(ToQt(kConfigReminder));
    auto* reminderLabel = new QLabel(ToQt(kConfigReminderTime), this);
    reminderLabel->setBuddy(reminderTime_);
    auto* reminderRow = new QHBoxLayout;
    reminderRow->addWidget(reminder_);
    reminderRow->addStretch();
    reminderRow->addWidget(reminderLabel);
    reminderRow->addWidget(reminderTime_);
    connect(reminder_, &QCheckBox::toggled, reminderTime_, &QWidget::setEnabled);
    reminderTime_->setEnabled(reminder_->isChecked());

    const DialogButtons buttons = NewDialogButtons(this, kButtonOk, kButtonCancel);
    ok_ = buttons.accept;
    cancel_ = buttons.reject;
    connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);

    // Three pages, so that the dialog stays within a small screen at any
    // scale: what the window does, the lower register's readings and marks,
    // and what goes to the desktop's calendars.
    auto* tabs = new QTabWidget(this);
    const auto page = [tabs](const char* titleCp932) {
        auto* w = new QWidget;
        tabs->addTab(w, ToQt(titleCp932));
        return new QVBoxLayout(w);
    };
    QVBoxLayout* general = page(kConfigTabGeneral);
    general->addWidget(startup_);
    general->addLayout(form);
    general->addSpacing(8);
    general->addLayout(placeForm);
    general->addSpacing(8);
    general->addLayout(reminderRow);
    general->addStretch();
    QVBoxLayout* notes = page(kConfigTabRekichu);
    notes->addLayout(readingsForm);
    notes->addWidget(new QLabel(ToQt(kConfigPicksLabel)));
    notes->addWidget(picks_);
    notes->addStretch();
    QVBoxLayout* calendars = page(kConfigTabFeed);
    calendars->addWidget(feed_);
    calendars->addLayout(fileRow);
    calendars->addLayout(kindGrid);
    calendars->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    NameComboBoxesByTheirLabels(this);
}

bool ConfigDialog::startsAtLogOn() const { return startup_->isChecked(); }

WeekStart ConfigDialog::weekStart() const {
    return weekStart_->currentIndex() == 1 ? WeekStart::Monday : WeekStart::Sunday;
}

bool ConfigDialog::weekNumbers() const { return weekNumbers_->currentIndex() == 1; }

SchemeChoice ConfigDialog::colourScheme() const { return static_cast<SchemeChoice>(colourScheme_->currentIndex()); }

RekichuReadings ConfigDialog::readings() const {
    return {static_cast<IchiryuReading>(ichiryu_->currentIndex()),
            static_cast<DaimyoReading>(daimyo_->currentIndex())};
}

RekichuSet ConfigDialog::picks() const {
    RekichuSet picks = 0;
    for (int k = 0; k < kRekichuCount; ++k) {
        if (picks_->item(k)->checkState() == Qt::Checked) picks |= RekichuBit(static_cast<RekichuName>(k));
    }
    return picks;
}

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

void ConfigDialog::TakeFeed(AppSettings& s) const {
    s.feedOn = feed_->isChecked();
    s.feedPath = feedFile_->text().trimmed().toStdString();
    IcsInclude kinds = IcsInclude::None();
    for (int k = 0; k < kIcsWordCount; ++k) kinds = kinds.With(static_cast<IcsWord>(k), kinds_[k]->isChecked());
    // A feed of nothing is no feed a calendar can show.
    if (kinds.Any()) s.feedKinds = kinds;
}

void ConfigDialog::TakeReminder(AppSettings& s) const {
    s.reminderOn = reminder_->isChecked();
    const QTime at = reminderTime_->time();
    s.reminderMinutes = at.hour() * 60 + at.minute();
}

bool RunConfigDialog(const std::string& executablePath, AppSettings& settings,
                     const std::string& defaultFeedPath, QWidget* parent) {
    // The entry's existence is read afresh at every opening; nothing is kept.
    const bool existed = AutostartEntryExists();
    ConfigDialog dialog(existed, settings, defaultFeedPath, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    const std::string before = SettingsText(settings);
    if (dialog.startsAtLogOn() && !existed) {
        CreateAutostartEntry(executablePath);
    } else if (!dialog.startsAtLogOn() && existed) {
        RemoveAutostartEntry();
    }
    settings.rekichuReadings = dialog.readings();
    settings.rekichuPicks = dialog.picks();
    settings.weekStart = dialog.weekStart();
    settings.weekNumbers = dialog.weekNumbers();
    settings.colourScheme = dialog.colourScheme();
    dialog.TakePlace(settings);
    dialog.TakeFeed(settings);
    dialog.TakeReminder(settings);
    // Every setting the dialog holds is a line of the settings file.
    return SettingsText(settings) != before;
}

}  // namespace kalendo
