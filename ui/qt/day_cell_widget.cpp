#include "ui/qt/day_cell_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace kalendo {
namespace {

// The frame of a cell: a plain one-pixel line like a bordered edit control.
const QColor kCellBorder(100, 100, 100);

}  // namespace

DayCellWidget::DayCellWidget(int index, bool bordered, QWidget* parent)
    : QWidget(parent), index_(index), bordered_(bordered) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DayCellWidget::SetContent(const QString& text, const QColor& fg, const QColor& bg) {
    if (text == text_ && fg == fg_ && bg == bg_) return;
    text_ = text;
    fg_ = fg;
    bg_ = bg;
    update();
}

void DayCellWidget::SetTextFont(const QFont& font) {
    setFont(font);
    update();
}

void DayCellWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, bg_);
    if (bordered_) {
        painter.setPen(kCellBorder);
        painter.drawRect(all.adjusted(0, 0, -1, -1));
    }
    painter.setPen(fg_);
    painter.setFont(font());
    painter.drawText(all, Qt::AlignCenter, text_);
}

void DayCellWidget::mousePressEvent(QMouseEvent* event) {
    // The press is consumed: the cell neither takes the focus nor passes
    // the click on.
    if (event->button() == Qt::LeftButton) emit leftPressed(index_);
    else if (event->button() == Qt::RightButton) emit rightPressed(index_);
    event->accept();
}

}  // namespace kalendo
