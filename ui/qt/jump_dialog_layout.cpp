#include "ui/qt/jump_dialog_layout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/dialog_buttons.h"
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
    const DialogButtons buttons = NewDialogButtons(dialog, kButtonOkSpaced, kButtonCancel);

    auto* fields = new QHBoxLayout;
    for (QWidget* w : row) fields->addWidget(w);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(fields);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return buttons.accept;
}

}  // namespace kalendo
