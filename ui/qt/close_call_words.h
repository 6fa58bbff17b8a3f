// The close-call words on the window: the mark beside the old-calendar pane
// and the sentences after the pane's own accessible name, whatever that
// name is (it is kept apart, so that the words are never added twice).
#pragma once

#include "ui/model/close_call_texts.h"

class QLabel;

namespace kalendo {

class InfoPane;

// The mark lies at the pane's right end; the pane keeps that room free of
// its text while the mark shows.
void ShowCloseCallWords(InfoPane* pane, QLabel* mark, const CloseCallTexts& texts);

}  // namespace kalendo
