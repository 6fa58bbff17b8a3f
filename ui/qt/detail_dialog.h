// "詳細な暦情報": the selected day's whole almanac text and the names of its
// holiday and calendar notes, in two viewers, with an "O K" button; on a
// day that hangs on a close call a third viewer below them says what hangs
// on what. A viewer of its own shows the nine stars and the day's notes of
// the lower register, each with its meaning.
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
    // rekichuText: RekichuDetailText; no viewer when empty.
    // skyText: SkyDetailText of the day, empty for none.
    // eclipseText: EclipseDetailText of the day's eclipse, empty on most days.
    DetailDialog(const DetailTexts& texts, QWidget* parent,
                 const std::string& closeCallText = std::string(),
                 const std::string& eclipseText = std::string(),
                 const std::string& rekichuText = std::string(),
                 const std::string& skyText = std::string());

    Viewer* almanacViewer() const { return almanac_; }
    Viewer* eventViewer() const { return events_; }
    Viewer* closeCallViewer() const { return closeCalls_; }  // null on other days
    Viewer* eclipseViewer() const { return eclipse_; }       // null on other days
    Viewer* rekichuViewer() const { return rekichu_; }
    Viewer* skyViewer() const { return sky_; }  // null without a sky text

private:
    Viewer* almanac_;
    Viewer* events_;
    Viewer* closeCalls_ = nullptr;
    Viewer* eclipse_ = nullptr;
    Viewer* rekichu_ = nullptr;
    Viewer* sky_ = nullptr;
};

}  // namespace kalendo
