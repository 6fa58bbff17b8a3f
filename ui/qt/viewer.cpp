#include "ui/qt/viewer.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCursor>

namespace kalendo {
namespace {

// The keys a viewer still answers: moving through a long text.
bool IsScrollKey(int key) {
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Left:
        case Qt::Key_Right:
            return true;
        default:
            return false;
    }
}

}  // namespace

Viewer::Viewer(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    // No mouse or keyboard selection at all; the scroll bar and the
    // scrolling keys below still move through the text.
    setTextInteractionFlags(Qt::NoTextInteraction);
    setContextMenuPolicy(Qt::NoContextMenu);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setAcceptDrops(false);
    connect(this, &QPlainTextEdit::selectionChanged, this, [this] {
        QTextCursor cursor = textCursor();
        if (!cursor.hasSelection()) return;
        cursor.clearSelection();
        setTextCursor(cursor);
    });
}

void Viewer::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    QTextCursor cursor = textCursor();
    cursor.setPosition(cursor.selectionStart());
    setTextCursor(cursor);
    ensureCursorVisible();
}

void Viewer::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier || !IsScrollKey(event->key())) {
        // Typed characters, cut, paste, select-all: discarded. Escape and
        // Enter go on to the dialog.
        if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
            event->key() == Qt::Key_Enter) {
            event->ignore();
        } else {
            event->accept();
        }
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    switch (event->key()) {
        case Qt::Key_Up: bar->triggerAction(QScrollBar::SliderSingleStepSub); break;
        case Qt::Key_Down: bar->triggerAction(QScrollBar::SliderSingleStepAdd); break;
        case Qt::Key_PageUp: bar->triggerAction(QScrollBar::SliderPageStepSub); break;
        case Qt::Key_PageDown: bar->triggerAction(QScrollBar::SliderPageStepAdd); break;
        case Qt::Key_Home: bar->triggerAction(QScrollBar::SliderToMinimum); break;
        case Qt::Key_End: bar->triggerAction(QScrollBar::SliderToMaximum); break;
        default: break;
    }
    event->accept();
}

void Viewer::insertFromMimeData(const QMimeData*) {}

ViewerLine::ViewerLine(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    connect(this, &QLineEdit::selectionChanged, this, [this] {
        if (hasSelectedText()) deselect();
    });
}

void ViewerLine::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Focus by Tab selects the whole line in a QLineEdit: collapse it to
    // its start.
    deselect();
    setCursorPosition(0);
}

void ViewerLine::keyPressEvent(QKeyEvent* event) {
    const bool move = event->modifiers() == Qt::NoModifier &&
                      (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right ||
                       event->key() == Qt::Key_Home || event->key() == Qt::Key_End);
    if (move) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter || event->key() == Qt::Key_Tab ||
        event->key() == Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace kalendo
