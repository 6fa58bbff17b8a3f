// Read-only text viewers of the detail and memo dialogs: typing, cutting and
// pasting do nothing, and their text is never shown selected (a selection
// made any way collapses at once, and gaining the focus puts the caret at
// the start).
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

namespace kalendo {

// Several lines with a vertical scroll bar.
class Viewer : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit Viewer(QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

// One line.
class ViewerLine : public QLineEdit {
    Q_OBJECT

public:
    explicit ViewerLine(QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kalendo
