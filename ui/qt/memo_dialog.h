// "詳細": the title of an entry on one line and its text below, both
// read-only. No buttons: the close box or Escape closes it.
#pragma once

#include <QDialog>

#include "ui/model/lists.h"

namespace kalendo {

class Viewer;
class ViewerLine;

class MemoDialog : public QDialog {
    Q_OBJECT

public:
    MemoDialog(const MemoContent& memo, QWidget* parent);

    ViewerLine* titleViewer() const { return title_; }
    Viewer* textViewer() const { return text_; }

private:
    ViewerLine* title_;
    Viewer* text_;
};

}  // namespace kalendo
