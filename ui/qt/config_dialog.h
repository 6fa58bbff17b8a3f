// The settings dialog "設定": the check box "スタートアップに登録", which
// shows whether Kalendo2 starts when the user logs on (the autostart entry
// exists when the dialog opens); the window's feed: "カレンダーアプリ用の
// ファイルを更新する", the file (empty: the default, shown greyed) and the
// kinds, as the iCalendar export names them; "OK" and "キャンセル".
#pragma once

#include <QDialog>

#include <array>
#include <string>

#include "ui/model/ics_events.h"
#include "ui/model/settings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kalendo {

class ConfigDialog : public QDialog {
    Q_OBJECT

public:
    // `feed`: feedOn, feedPath and feedKinds are shown; `defaultFeedPath`
    // stands greyed in the empty file field.
    ConfigDialog(bool startsAtLogOn, const AppSettings& feed, const std::string& defaultFeedPath,
                 QWidget* parent);

    bool startsAtLogOn() const;
    // The feed's three settings into `s`; kinds none ticked keep their value.
    void TakeFeed(AppSettings& s) const;

    QCheckBox* startupBox() const { return startup_; }
    QCheckBox* feedBox() const { return feed_; }
    QLineEdit* feedFileEdit() const { return feedFile_; }
    QCheckBox* feedKindBox(IcsWord w) const { return kinds_[static_cast<int>(w)]; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    QCheckBox* startup_;
    QCheckBox* feed_;
    QLineEdit* feedFile_;
    std::array<QCheckBox*, kIcsWordCount> kinds_{};
    QPushButton* ok_;
    QPushButton* cancel_;
};

// The settings command: opens the dialog on the entry's existence and the
// feed's settings and, on "OK", creates the entry for `executablePath` when
// the box was checked and there was none, or removes it when the box was
// cleared and there was one (failures are silent), and takes the feed's
// settings into `s`. true when the feed's settings changed.
bool RunConfigDialog(const std::string& executablePath, AppSettings& s, const std::string& defaultFeedPath,
                     QWidget* parent);

}  // namespace kalendo
