#include "ui/qt/about_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/model/settings.h"
#include "ui/model/text_format.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 9.0;
constexpr double kLinePoints = 10.0;  // the version line and the button
constexpr int kIconPixels = 32;

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQt(kAboutCaption));
    setFont(FaceFont(kFaceGothic, kDialogPoints));

    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(kIconPixels, kIconPixels));
    auto* version = new QLabel(ToQt(FormatText(kAboutVersionFormat, kProgramVersion)), this);
    version->setObjectName(QStringLiteral("version"));
    version->setFont(FaceFont(kFaceGothic, kLinePoints));
    auto* ok = new QPushButton(ToQt(kButtonOkSpaced), this);
    ok->setFont(FaceFont(kFaceGothic, kLinePoints));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(version, 1);
    row->addSpacing(12);
    row->addWidget(ok, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kalendo
