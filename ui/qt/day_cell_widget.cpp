#include "ui/qt/day_cell_widget.h"

#include <QPolygon>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>

#include "ui/qt/focus_mark.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"

namespace kalendo {
namespace {

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

// The frame's line: one logical pixel, whole device pixels on a scaled
// screen (1 at 1.25, 2 at 1.5 and 2), drawn from the cell's own edges
// inward. Edges that fall between device pixels are rounded alike on both
// sides of a boundary, so every line of the grid has the same width and
// neighbouring cells' lines always touch.
void DrawFrame(QPainter& painter, const QRect& all, double devicePixelRatio, const QColor& colour) {
    const double line = std::max(1.0, std::round(devicePixelRatio)) / devicePixelRatio;
    const double w = all.width(), h = all.height();
    painter.fillRect(QRectF(0, 0, w, line), colour);
    painter.fillRect(QRectF(0, h - line, w, line), colour);
    painter.fillRect(QRectF(0, 0, line, h), colour);
    painter.fillRect(QRectF(w - line, 0, line, h), colour);
}

// The border's logical pixels on each side and the gap the texts keep.
constexpr int kBorder = 1;
// The lunisolar line sits at the cell's bottom, where the grid's focus mark
// runs: it keeps this much more room from the bottom and the sides, so the
// mark never covers its glyphs.
constexpr int kLunarMarkRoom = kCellFocusBand - kBorder;

}  // namespace

QSize DayCellWidget::NeededSize(const QFont& numberFont, const std::vector<QString>& numberTexts,
                                const QFont* lunarFont, const std::vector<QString>& lunarTexts) {
    const QFontMetrics numbers(numberFont);
    int width = 0;
    for (const QString& t : numberTexts) width = std::max(width, numbers.boundingRect(t).width());
    int height = numbers.height();
    if (lunarFont != nullptr) {
        const QFontMetrics lunar(*lunarFont);
        for (const QString& t : lunarTexts) {
            width = std::max(width, lunar.horizontalAdvance(t) + 2 * kLunarMarkRoom);
        }
        height += lunar.height() + kLunarMarkRoom;
    }
    return QSize(width + 2 * kBorder + kDayDigitGap, height + 2 * kBorder);
}

QRect DayCellWidget::NumberArea() const {
    const QRect inside = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    if (!lunarShown_) return inside;
    return inside.adjusted(0, 0, 0, -QFontMetrics(lunarFont_).height() - kLunarMarkRoom);
}

QRect DayCellWidget::LunarArea() const {
    const QRect inside = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    if (!lunarShown_) return QRect();
    return QRect(inside.left() + kLunarMarkRoom, NumberArea().bottom() + 1,
                 inside.width() - 2 * kLunarMarkRoom, QFontMetrics(lunarFont_).height());
}

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

void DayCellWidget::SetLunarLine(bool shown, const QFont& font) {
    lunarShown_ = shown;
    lunarFont_ = font;
    update();
}

void DayCellWidget::SetLunarText(const QString& text) {
    if (text == lunarText_) return;
    lunarText_ = text;
    update();
}

void DayCellWidget::SetEclipseMark(bool marked) {
    if (marked == eclipseMarked_) return;
    eclipseMarked_ = marked;
    update();
}

void DayCellWidget::SetRekichuMark(bool marked) {
    if (marked == rekichuMarked_) return;
    rekichuMarked_ = marked;
    update();
}

int DayCellWidget::CornerMarkSide() const {
    const QRect inside = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    return std::max(4, std::min(inside.width(), inside.height()) / 6);
}

void DayCellWidget::SetColourScheme(ColourScheme scheme) {
    if (scheme == scheme_) return;
    scheme_ = scheme;
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
    if (bordered_) DrawFrame(painter, all, devicePixelRatioF(), ToQColor(SchemeColour(ColourRole::CellFrame, scheme_)));
    if (eclipseMarked_) {
        // A sixth of the cell's shorter side, at least four pixels, inside
        // the border: above the number's digits, which never fill the
        // line's top.
        const QRect inside = all.adjusted(kBorder, kBorder, -kBorder, -kBorder);
        const int side = CornerMarkSide();
        const QPoint corner = inside.topRight() + QPoint(1, 0);
        const QPolygon triangle({corner, corner - QPoint(side, 0), corner + QPoint(0, side)});
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(SchemeColour(ColourRole::EclipseMark, scheme_)));
        painter.drawPolygon(triangle);
    }
    if (rekichuMarked_) {
        // The opposite corner to the eclipse's, so both can show on a day.
        const int side = CornerMarkSide();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(SchemeColour(ColourRole::RekichuMark, scheme_)));
        painter.drawEllipse(QRect(kBorder + 1, kBorder + 1, side, side));
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    // Without a second line the number is centred in the whole square, as
    // it always was.
    const QRect numberArea = lunarShown_ ? NumberArea() : all;
    if (lunarShown_ && !lunarText_.isEmpty()) {
        painter.setPen(fg_);
        painter.setFont(lunarFont_);
        painter.drawText(LunarArea(), Qt::AlignCenter, lunarText_);
    }
    if (strokedBold_) {
        DrawStrokedBold(painter, numberArea, font(), fg_, text_);
        return;
    }
    painter.setPen(fg_);
    painter.setFont(font());
    painter.drawText(numberArea, Qt::AlignCenter, text_);
}

void DayCellWidget::mousePressEvent(QMouseEvent* event) {
    // The press is consumed: the cell neither takes the focus nor passes
    // the click on.
    if (event->button() == Qt::LeftButton) emit leftPressed(index_);
    else if (event->button() == Qt::RightButton) emit rightPressed(index_);
    event->accept();
}

}  // namespace kalendo
