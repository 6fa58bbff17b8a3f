// The layout both date-jump dialogs share ("直接日付移動", "間接日付移動"):
// the caption, the 11-point "ＭＳ ゴシック" font, the input widgets in one
// row, and "O K" (the default button) and "キャンセル" at the right below
// them; the dialog keeps the size its contents need.
#pragma once

#include <QWidget>

#include <vector>

class QDialog;
class QPushButton;

namespace kalendo {

// Returns the "O K" button (AcceptRole of the dialog's button box), not
// connected: each dialog decides when it may close. "キャンセル" rejects the
// dialog.
QPushButton* BuildJumpDialogLayout(QDialog* dialog, const char* captionCp932,
                                        const std::vector<QWidget*>& row);

}  // namespace kalendo
