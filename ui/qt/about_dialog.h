// The about box "KalendoⅡのバージョン情報": the application icon, the line
// "Kalendo2 Version 1.18" and an "O K" button.
#pragma once

#include <QDialog>

namespace kalendo {

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent);
};

}  // namespace kalendo
