#include "ui/qt/print_pages.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRectF>

#include <algorithm>

#include "astro/lunisolar.h"
#include "ui/model/model_texts.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kMarginMm = 10;
constexpr double kPointsPerInch = 72;
// Grid lines, points: fine, but still visible on a laser printer.
constexpr double kGridLinePt = 0.5;
constexpr Rgb kGridLine{120, 120, 120};
constexpr Rgb kPaper{255, 255, 255};
// PDFs are written at this resolution; the text stays vector either way.
constexpr int kPdfDpi = 300;
// The moon's disc within its box, and its outline, points.
constexpr double kMoonShareOfBox = 0.8;
constexpr double kMoonOutlinePt = 0.8;
// Between the footer's sky and its almanac mode, points.
constexpr double kFooterGapPt = 12;

QRectF ToPixels(const PrintRect& r, double pxPerPt) {
    return {r.x * pxPerPt, r.y * pxPerPt, r.w * pxPerPt, r.h * pxPerPt};
}

// One line of text in its box, vertically centred, cut with an ellipsis
// when it is wider.
void DrawLine(QPainter& painter, const QRectF& box, const std::string& cp932, const QFont& font,
              const Rgb& colour, Qt::Alignment horizontal = Qt::AlignLeft) {
    if (cp932.empty()) return;
    const QFontMetricsF metrics(font, painter.device());
    const QString text = metrics.elidedText(ToQt(cp932), Qt::ElideRight, box.width());
    painter.setFont(font);
    painter.setPen(ToQColor(colour));
    painter.drawText(box, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), text);
}

// The moon's principal phase as the almanacs print it, drawn rather than
// set (two of the four signs are not in code page 932): ● 朔, ◐ 上弦 (the
// left half dark), ○ 望, ◑ 下弦; a disc inside `box`.
void DrawMoonSign(QPainter& painter, const QRectF& box, int phase, double pxPerPt) {
    if (phase == kNoPhase) return;
    const double side = std::min(box.width(), box.height()) * kMoonShareOfBox;
    const QRectF disc(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    const QColor ink = ToQColor(kWeekdayText);
    QPen pen(ink);
    pen.setWidthF(kMoonOutlinePt * pxPerPt);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen);
    painter.setBrush(phase == kNewMoonPhase ? QBrush(ink) : QBrush(Qt::NoBrush));
    painter.drawEllipse(disc);
    if (phase == kFirstQuarterPhase || phase == kLastQuarterPhase) {
        // Qt's angles: sixteenths of a degree, counter-clockwise from 3 o'clock.
        constexpr int kHalfTurn = 180 * 16;
        constexpr int kQuarterTurn = 90 * 16;
        painter.setBrush(QBrush(ink));
        painter.drawPie(disc, phase == kFirstQuarterPhase ? kQuarterTurn : -kQuarterTurn, kHalfTurn);
    }
    painter.restore();
}

// The eclipse's sign, drawn in the window's eclipse-mark orange: the
// sun's or moon's disc with a dark disc crossing it, inside `box`.
void DrawEclipseSign(QPainter& painter, const QRectF& box, double pxPerPt) {
    constexpr Rgb kEclipseMark{220, 90, 0};
    // The dark disc's centre lies this share of the diameter off the bright one's.
    constexpr double kBiteShare = 0.45;
    const double side = std::min(box.width(), box.height()) * kMoonShareOfBox;
    const QRectF disc(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    QPen pen(ToQColor(kEclipseMark));
    pen.setWidthF(kMoonOutlinePt * pxPerPt);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen);
    painter.setBrush(ToQColor(kEclipseMark));
    painter.drawEllipse(disc);
    // Clipped to the bright disc, so the sign keeps to its box.
    QPainterPath inside;
    inside.addEllipse(disc);
    painter.setClipPath(inside);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(kWeekdayText));
    painter.drawEllipse(disc.translated(side * kBiteShare, -side * kBiteShare / 2));
    painter.restore();
}

}  // namespace

QPageLayout PrintPageLayout(QPageSize::PageSizeId size, QPageLayout::Orientation orientation) {
    return QPageLayout(QPageSize(size), orientation,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

QFont PrintFont(double points, bool bold) { return FaceFont(kFaceGothic, points, bold); }

void PaintPrintPage(QPainter& painter, const PrintPage& page, const PrintGeometry& g, double pxPerPt) {
    painter.save();
    DrawLine(painter, ToPixels(g.heading, pxPerPt), page.heading, PrintFont(kPrintHeadingPt, true),
             kWeekdayText);
    DrawLine(painter, ToPixels(g.monthSign, pxPerPt), page.monthSign, PrintFont(kPrintMonthSignPt),
             kWeekdayText, Qt::AlignRight);

    const QFont weekdayFont = PrintFont(kPrintWeekdayPt, true);
    for (int c = 0; c < kGridColumns; ++c) {
        const WeekdayHeading heading = HeadingForColumn(c, page.weekStart);
        const QRectF box = ToPixels(g.weekdays[c], pxPerPt);
        painter.fillRect(box, ToQColor(heading.bg));
        DrawLine(painter, box, heading.text, weekdayFont, heading.fg, Qt::AlignHCenter);
    }

    const QFont dayFont = PrintFont(g.dayPt, true);
    const QFont lunarFont = PrintFont(kPrintLunarPt);
    const QFont lineFont = PrintFont(kPrintLinePt);
    QPen gridPen(ToQColor(kGridLine));
    gridPen.setWidthF(kGridLinePt * pxPerPt);
    for (int k = 0; k < g.rows * kGridColumns; ++k) {
        const PrintCell& cell = page.cells[k];
        const QRectF frame = ToPixels(g.cells[k], pxPerPt);
        painter.fillRect(frame, ToQColor(cell.day == 0 ? kOtherMonthBackground : kPaper));
        painter.setPen(gridPen);
        painter.drawRect(frame);
        if (cell.day == 0) continue;
        DrawLine(painter, ToPixels(CellDayRect(g, k), pxPerPt), cell.dayText, dayFont, cell.dayColour);
        DrawMoonSign(painter, ToPixels(CellMoonRect(g, k), pxPerPt), cell.moonPhase, pxPerPt);
        if (cell.eclipse) DrawEclipseSign(painter, ToPixels(CellEclipseRect(g, k, cell.closeCall), pxPerPt), pxPerPt);
        if (cell.closeCall) {
            DrawLine(painter, ToPixels(CellCloseCallRect(g, k), pxPerPt), kCloseCallMark, lunarFont, kWeekdayText,
                     Qt::AlignHCenter);
        }
        const QRectF lunar = ToPixels(CellLunarRect(g, k), pxPerPt);
        DrawLine(painter, lunar, cell.lunarDayText, lunarFont, kWeekdayText);
        DrawLine(painter, lunar, cell.rokuyoText, lunarFont, kWeekdayText, Qt::AlignRight);
        if (g.linesPerCell == 0) continue;
        const std::vector<PrintEntry> lines = VisibleCellLines(cell.lines, g.linesPerCell);
        for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
            DrawLine(painter, ToPixels(CellLineRect(g, k, i), pxPerPt), lines[i].text, lineFont,
                     lines[i].colour);
        }
    }
    // The almanac mode at the right of the first line, the place's sky in
    // what is left of it; an eclipse a line.
    const QFont footerFont = PrintFont(kPrintFooterPt);
    const QRectF first = ToPixels(FooterLineRect(g, 0), pxPerPt);
    DrawLine(painter, first, page.footer, footerFont, kWeekdayText, Qt::AlignRight);
    const double modeW = QFontMetricsF(footerFont, painter.device()).horizontalAdvance(ToQt(page.footer));
    const double gap = kFooterGapPt * pxPerPt;
    DrawLine(painter, first.adjusted(0, 0, -std::min(first.width(), modeW + gap), 0), page.footerSky, footerFont,
             kWeekdayText);
    for (int i = 0; i < static_cast<int>(page.footerEclipses.size()) && i + 1 < g.footerLines; ++i) {
        DrawLine(painter, ToPixels(FooterLineRect(g, i + 1), pxPerPt), page.footerEclipses[i], footerFont,
                 kWeekdayText);
    }
    painter.restore();
}

void PaintPrintPages(QPagedPaintDevice& device, const std::vector<PrintPage>& pages) {
    QPainter painter(&device);
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Point);
    const double pxPerPt = device.logicalDpiX() / kPointsPerInch;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) device.newPage();
        PaintPrintPage(painter, pages[i],
                       LayoutPrintPage(area.width(), area.height(), pages[i].rows, PrintFooterLineCount(pages[i])),
                       pxPerPt);
    }
}

PdfPageStream::PdfPageStream(QIODevice& out, const QPageLayout& layout)
    : writer_(std::make_unique<QPdfWriter>(&out)) {
    writer_->setPageLayout(layout);
    writer_->setResolution(kPdfDpi);
    writer_->setCreator(QStringLiteral("Kalendo2"));
    writer_->setTitle(QStringLiteral("Kalendo2"));
    painter_ = std::make_unique<QPainter>(writer_.get());
}

PdfPageStream::~PdfPageStream() {
    painter_.reset();  // ends the document: the fonts, the cross-reference table
    writer_.reset();
}

void PdfPageStream::Paint(const PrintPage& page) {
    if (!first_) writer_->newPage();
    first_ = false;
    const QRectF area = writer_->pageLayout().paintRect(QPageLayout::Point);
    const double pxPerPt = writer_->logicalDpiX() / kPointsPerInch;
    PaintPrintPage(*painter_, page, LayoutPrintPage(area.width(), area.height(), page.rows), pxPerPt);
}

QByteArray PrintPdfBytes(const std::vector<PrintPage>& pages, const QPageLayout& layout) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(layout);
        writer.setResolution(kPdfDpi);
        writer.setCreator(QStringLiteral("Kalendo2"));
        writer.setTitle(QStringLiteral("Kalendo2"));
        PaintPrintPages(writer, pages);
    }  // the writer finishes the document when it goes
    return bytes;
}

}  // namespace kalendo
