// What a screen reader calls a dialog's combo boxes. On Linux Qt names a
// combo box by the value it shows, which tells the listener the choice but
// not what is being chosen; the label beside it says that.
#pragma once

class QString;
class QWidget;

namespace kalendo {

// The label's words as they are spoken: without its "&" key ("(&X)" or
// "&X") and without the spaces that spread a label for the eye.
QString SpokenLabelText(const QString& labelText);

// Every combo box inside `dialog` that a label stands for (QLabel::buddy,
// also the labels a QFormLayout row makes) and that has no name of its own
// is named by its label's spoken words, and every combo box speaks the name
// it was given rather than its value. Called once the layout is set, by
// each dialog with a combo box.
void NameComboBoxesByTheirLabels(QWidget* dialog);

}  // namespace kalendo
