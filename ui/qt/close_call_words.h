// The close-call words on the window: the mark beside the old-calendar pane
// and the sentences after the pane's own accessible name, whatever that
// name is (it is kept apart, so that the words are never added twice).
#pragma once

#include <QLabel>

#include "ui/model/close_call_texts.h"

namespace kalendo {

class InfoPane;

// The "※" mark: its tooltip is the first sentence; a click, or Enter or
// Space while it has the focus, asks for the words in full (the detail
// dialog). It takes the focus with Tab only while it shows.
class CloseCallMark : public QLabel {
    Q_OBJECT

public:
    explicit CloseCallMark(QWidget* parent);

signals:
    void activated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The mark lies at the pane's right end; the pane keeps that room free of
// its text while the mark shows.
void ShowCloseCallWords(InfoPane* pane, CloseCallMark* mark, const CloseCallTexts& texts);

}  // namespace kalendo
