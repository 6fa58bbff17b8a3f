#include "ui/qt/day_cell_widget.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace kalendo {
namespace {

// The frame of a cell: a plain one-pixel line like a bordered edit control.
const QColor kCellBorder(100, 100, 100);

// The Japanese faces installed on most desktops have no bold style; the
// toolkit's synthetic bold is lost whenever glyphs are drawn as outlines
// (a scaled screen), so such a face is made bold here by stroking its
// outlines: one line of 1/24 of the pixel size, as FreeType emboldens.
constexpr double kStrokeShareOfPixelSize = 1.0 / 24;

bool HasBoldStyle(const QFont& font) {
    const QString family = QFontInfo(font).family();
    for (const QString& style : QFontDatabase::styles(family)) {
        if (QFontDatabase::weight(family, style) >= QFont::Bold) return true;
    }
    return false;
}

void DrawStrokedBold(QPainter& painter, const QRect& area, const QFont& font, const QColor& fg,
                     const QString& text) {
    QFont outline = font;
    outline.setBold(false);
    const QFontMetricsF metrics(outline);
    const double x = area.left() + (area.width() - metrics.horizontalAdvance(text)) / 2;
    const double y = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
    QPainterPath path;
    path.addText(x, y, outline, text);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, fg);
    painter.strokePath(path, QPen(fg, QFontInfo(outline).pixelSize() * kStrokeShareOfPixelSize));
}

}  // namespace

DayCellWidget::DayCellWidget(int index, bool bordered, QWidget* parent)
    : QWidget(parent), index_(index), bordered_(bordered) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    strokedBold_ = font().bold() && !HasBoldStyle(font());
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

void DayCellWidget::changeEvent(QEvent* event) {
    // Asking the font database on every paint would repeat the lookup for
    // each cell of every refresh; the answer changes only with the font.
    if (event->type() == QEvent::FontChange) strokedBold_ = font().bold() && !HasBoldStyle(font());
    QWidget::changeEvent(event);
}

void DayCellWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, bg_);
    if (bordered_) {
        painter.setPen(kCellBorder);
        painter.drawRect(all.adjusted(0, 0, -1, -1));
    }
    if (strokedBold_) {
        DrawStrokedBold(painter, all, font(), fg_, text_);
        return;
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
