#include "ui/qt/jump_dialog_layout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 11.0;

}  // namespace

QPushButton* BuildJumpDialogLayout(QDialog* dialog, const char* captionCp932,
                                   const std::vector<QWidget*>& row) {
    dialog->setWindowTitle(ToQt(captionCp932));
    dialog->setFont(FaceFont(kFaceGothic, kDialogPoints));
    auto* ok = new QPushButton(ToQt(kButtonOkSpaced), dialog);
    auto* cancel = new QPushButton(ToQt(kButtonCancel), dialog);
    ok->setDefault(true);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);

    auto* fields = new QHBoxLayout;
    for (QWidget* w : row) fields->addWidget(w);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return ok;
}

QLabel* FieldLabel(const char* textCp932, QWidget* field) {
    auto* label = new QLabel(ToQt(textCp932), field->parentWidget());
    label->setBuddy(field);
    return label;
}

}  // namespace kalendo
