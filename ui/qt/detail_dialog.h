// "詳細な暦情報": the selected day's whole almanac text and the names of its
// holiday and calendar notes, in two viewers, with an "O K" button.
#pragma once

#include <QDialog>

#include "ui/model/day_texts.h"

namespace kalendo {

class Viewer;

class DetailDialog : public QDialog {
    Q_OBJECT

public:
    DetailDialog(const DetailTexts& texts, QWidget* parent);

    Viewer* almanacViewer() const { return almanac_; }
    Viewer* eventViewer() const { return events_; }

private:
    Viewer* almanac_;
    Viewer* events_;
};

}  // namespace kalendo
