// A dialog's row of buttons: a QDialogButtonBox holding the dialog's own
// labels with their roles, so that the platform's style orders them (and a
// screen reader knows which one accepts) while the texts stay as they are.
#pragma once

class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace kalendo {

struct DialogButtons {
    QDialogButtonBox* box;
    QPushButton* accept;  // AcceptRole, the default button
    QPushButton* reject;  // RejectRole; nullptr when the dialog has none
};

// The box with `acceptCp932` and, unless it is nullptr, `rejectCp932`, as
// the dialog's children. Rejecting rejects the dialog; what accepting does
// is the dialog's own (it may refuse to close): connect `box`'s accepted().
DialogButtons NewDialogButtons(QDialog* dialog, const char* acceptCp932,
                               const char* rejectCp932);

}  // namespace kalendo
