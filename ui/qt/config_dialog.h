// The settings dialog "設定": the check box "スタートアップに登録", which
// shows whether Kalendo2 starts when the user logs on (the autostart entry
// exists when the dialog opens), 「配色」 自動/明るい/暗い, the week as the user counts it ("週の始まり"
// 日曜/月曜, "週番号" 表示しない/ISO 8601), 「場所」, the place whose sky the
// window shows (the listed places, or 「緯度・経度で指定」 with two fields),
// the readings of 一粒万倍日 and 大明日 and the notes of the lower register
// the iCalendar export names; the window's feed: "カレンダーアプリ用の
// ファイルを更新する", the file (empty: the default, shown greyed) and the
// kinds, as the iCalendar export names them; 「毎日のお知らせ」 and its time;
// "OK" and "キャンセル".
#pragma once

#include <QDialog>

#include <array>
#include <string>

#include "ui/model/ics_events.h"
#include "ui/model/settings.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace kalendo {

class ConfigDialog : public QDialog {
    Q_OBJECT

public:
    // `settings`: what the dialog shows; `defaultFeedPath` stands greyed in
    // the feed's empty file field.
    ConfigDialog(bool startsAtLogOn, const AppSettings& settings, const std::string& defaultFeedPath,
                 QWidget* parent);

    bool startsAtLogOn() const;
    // The week settings as chosen.
    WeekStart weekStart() const;
    bool weekNumbers() const;
    RekichuReadings readings() const;
    // 「配色」 as chosen.
    SchemeChoice colourScheme() const;
    RekichuSet picks() const;

    // The place chosen, into the settings' place fields. Only after the
    // dialog was accepted: the fields then hold a place within bounds.
    void TakePlace(AppSettings& s) const;

    // "OK": with 「緯度・経度で指定」 the fields must read as coordinates
    // within bounds; else the message, and the dialog stays.
    void accept() override;

    // The feed's three settings into `s`; kinds none ticked keep their value.
    void TakeFeed(AppSettings& s) const;

    QCheckBox* startupBox() const { return startup_; }
    QComboBox* weekStartBox() const { return weekStart_; }
    QComboBox* weekNumbersBox() const { return weekNumbers_; }
    QComboBox* colourSchemeBox() const { return colourScheme_; }
    QComboBox* placeBox() const { return place_; }
    QLineEdit* latitudeEdit() const { return latitude_; }
    QLineEdit* longitudeEdit() const { return longitude_; }
    QCheckBox* feedBox() const { return feed_; }
    QLineEdit* feedFileEdit() const { return feedFile_; }
    QCheckBox* feedKindBox(IcsWord w) const { return kinds_[static_cast<int>(w)]; }
    // 「毎日のお知らせ」 and its time, into `s` (the day announced is kept).
    void TakeReminder(AppSettings& s) const;
    QCheckBox* reminderBox() const { return reminder_; }
    QTimeEdit* reminderTimeEdit() const { return reminderTime_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    ReadPlace TypedPlace() const;
    QCheckBox* startup_;
    QComboBox* weekStart_;
    QComboBox* weekNumbers_;
    QComboBox* colourScheme_;
    QComboBox* ichiryu_;
    QComboBox* daimyo_;
    QListWidget* picks_;
    QComboBox* place_;
    QLineEdit* latitude_;
    QLineEdit* longitude_;
    QCheckBox* feed_;
    QLineEdit* feedFile_;
    std::array<QCheckBox*, kIcsWordCount> kinds_{};
    QCheckBox* reminder_;
    QTimeEdit* reminderTime_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The settings command: opens the dialog on the entry's existence and the
// settings; on "OK", creates the entry for `executablePath` when the box
// was checked and there was none, or removes it when the box was cleared
// and there was one (failures are silent), and takes the place, the week
// settings, the readings, the picks, the feed and 「毎日のお知らせ」 into
// `settings`. true when
// those changed: the frame and the view are laid out and drawn again and
// the feed written.
bool RunConfigDialog(const std::string& executablePath, AppSettings& settings,
                     const std::string& defaultFeedPath, QWidget* parent);

}  // namespace kalendo
