// The mark of the focused control where the style draws none of its own:
// the grid's selected day and the lists, whose colours are the model's
// rather than the style's. A frame of the focus colour inside `area`.
#pragma once

#include <QPainter>
#include <QPen>
#include <QRect>

#include "ui/model/month_view.h"
#include "ui/qt/qt_text.h"

namespace kalendo {

// In device-independent pixels, so that it grows with the scale.
inline constexpr int kFocusMarkWidth = 2;
// The grid's mark lies inside the cell's own one-pixel frame; the band it
// takes from the cell's edge, which the lunisolar line keeps clear of.
inline constexpr int kCellFocusMarkInset = 1;
inline constexpr int kCellFocusBand = kCellFocusMarkInset + kFocusMarkWidth;

inline void DrawFocusMark(QPainter& painter, const QRect& area, ColourScheme scheme = ColourScheme::Light) {
    QPen pen(ToQColor(SchemeColour(ColourRole::FocusMark, scheme)), kFocusMarkWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double half = kFocusMarkWidth / 2.0;
    painter.drawRect(QRectF(area).adjusted(half, half, -half, -half));
}

}  // namespace kalendo
