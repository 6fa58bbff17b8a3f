#include "ui/qt/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "ui/qt/qt_text.h"

namespace kalendo {

DialogButtons NewDialogButtons(QDialog* dialog, const char* acceptCp932,
                               const char* rejectCp932) {
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* accept = box->addButton(ToQt(acceptCp932), QDialogButtonBox::AcceptRole);
    QPushButton* reject =
        rejectCp932 != nullptr ? box->addButton(ToQt(rejectCp932), QDialogButtonBox::RejectRole)
                               : nullptr;
    accept->setDefault(true);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return DialogButtons{box, accept, reject};
}

}  // namespace kalendo
