// "詳細な暦情報": the selected day's whole almanac text and the names of its
// holiday and calendar notes, in two viewers, with an "O K" button; on a
// day that hangs on a close call a third viewer below them says what hangs
// on what.
#pragma once

#include <QDialog>

#include <string>

#include "ui/model/day_texts.h"

namespace kalendo {

class Viewer;

class DetailDialog : public QDialog {
    Q_OBJECT

public:
    // closeCallText: CloseCallTexts::detail, empty on most days.
    // skyText: SkyDetailText of the day, empty for none.
    DetailDialog(const DetailTexts& texts, QWidget* parent,
                 const std::string& closeCallText = std::string(),
                 const std::string& skyText = std::string());

    Viewer* almanacViewer() const { return almanac_; }
    Viewer* eventViewer() const { return events_; }
    Viewer* closeCallViewer() const { return closeCalls_; }  // null on other days
    Viewer* skyViewer() const { return sky_; }  // null without a sky text

private:
    Viewer* almanac_;
    Viewer* events_;
    Viewer* closeCalls_ = nullptr;
    Viewer* sky_ = nullptr;
};

}  // namespace kalendo
