#include "ui/qt/config_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/autostart.h"
#include "ui/model/ics_texts.h"
#include "ui/qt/dialog_buttons.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 9.0;

}  // namespace

ConfigDialog::ConfigDialog(bool startsAtLogOn, const AppSettings& feed, const std::string& defaultFeedPath,
                           QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(ToQt(kConfigCaption));
    setFont(FaceFont(kFacePGothic, kDialogPoints));
    startup_ = new QCheckBox(ToQt(kConfigStartup), this);
    startup_->setChecked(startsAtLogOn);

    feed_ = new QCheckBox(ToQt(kConfigFeed), this);
    feed_->setChecked(feed.feedOn);
    feedFile_ = new QLineEdit(QString::fromStdString(feed.feedPath), this);
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
                                         kIcsIncludeMoon};
    auto* kindGrid = new QGridLayout;
    for (int k = 0; k < kIcsWordCount; ++k) {
        kinds_[k] = new QCheckBox(ToQt(labels[k]), this);
        kinds_[k]->setChecked(feed.feedKinds.Has(static_cast<IcsWord>(k)));
        kindGrid->addWidget(kinds_[k], k / 2, k % 2);
    }
    auto follow = [this] {
        feedFile_->setEnabled(feed_->isChecked());
        for (QCheckBox* box : kinds_) box->setEnabled(feed_->isChecked());
    };
    connect(feed_, &QCheckBox::toggled, this, follow);
    follow();

    const DialogButtons buttons = NewDialogButtons(this, kButtonOk, kButtonCancel);
    ok_ = buttons.accept;
    cancel_ = buttons.reject;
    connect(buttons.box, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(startup_);
    layout->addSpacing(8);
    layout->addWidget(feed_);
    layout->addLayout(fileRow);
    layout->addLayout(kindGrid);
    layout->addSpacing(8);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool ConfigDialog::startsAtLogOn() const { return startup_->isChecked(); }

void ConfigDialog::TakeFeed(AppSettings& s) const {
    s.feedOn = feed_->isChecked();
    s.feedPath = feedFile_->text().trimmed().toStdString();
    IcsInclude kinds = IcsInclude::None();
    for (int k = 0; k < kIcsWordCount; ++k) kinds = kinds.With(static_cast<IcsWord>(k), kinds_[k]->isChecked());
    // A feed of nothing is no feed a calendar can show.
    if (kinds.Any()) s.feedKinds = kinds;
}

bool RunConfigDialog(const std::string& executablePath, AppSettings& s, const std::string& defaultFeedPath,
                     QWidget* parent) {
    // The entry's existence is read afresh at every opening; nothing is kept.
    const bool existed = AutostartEntryExists();
    ConfigDialog dialog(existed, s, defaultFeedPath, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (dialog.startsAtLogOn() && !existed) {
        CreateAutostartEntry(executablePath);
    } else if (!dialog.startsAtLogOn() && existed) {
        RemoveAutostartEntry();
    }
    const AppSettings before = s;
    dialog.TakeFeed(s);
    return s.feedOn != before.feedOn || s.feedPath != before.feedPath || s.feedKinds != before.feedKinds;
}

}  // namespace kalendo
