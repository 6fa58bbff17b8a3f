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

struct JumpDialogButtons {
    QPushButton* ok;      // not connected: each dialog decides when it may close
    QPushButton* cancel;  // rejects the dialog
};

JumpDialogButtons BuildJumpDialogLayout(QDialog* dialog, const char* captionCp932,
                                        const std::vector<QWidget*>& row);

}  // namespace kalendo
