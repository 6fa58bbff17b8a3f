// The printed month drawn: one painter function for the print preview, the
// printer and a PDF. What stands where is the model's (ui/model/
// print_layout.h); here each text is set in its font, cut to its box with
// an ellipsis and drawn, so nothing spills out of a cell.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>

#include <memory>
#include <string>
#include <vector>

#include "ui/model/print_layout.h"

class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;

namespace kalendo {

// The page set-up of a printed month: A4 portrait unless asked otherwise,
// 10 mm margins (inside what printers can reach).
QPageLayout PrintPageLayout(QPageSize::PageSizeId size = QPageSize::A4,
                            QPageLayout::Orientation orientation = QPageLayout::Portrait);

// The face every printed text is set in: the fixed-pitch Japanese face of
// the window (IPA Gothic where it is installed), so the digits of a column
// line up.
QFont PrintFont(double points, bool bold = false);

// Draws one page with the painter's origin at the top left of the printable
// area; `g` is the layout of that area, pxPerPt the device's pixels per point.
void PaintPrintPage(QPainter& painter, const PrintPage& page, const PrintGeometry& g, double pxPerPt);

// Every page in order onto a printer or a PDF writer, a page each, laid out
// for the device's page set-up.
void PaintPrintPages(QPagedPaintDevice& device, const std::vector<PrintPage>& pages);

// A PDF written into `out` page by page as the pages are drawn: the PDF
// writer puts each page out when the next one begins, so a range of
// centuries holds one page and the fonts in memory, not the document.
// The document is finished when the object goes.
class PdfPageStream {
public:
    PdfPageStream(QIODevice& out, const QPageLayout& layout);
    ~PdfPageStream();
    PdfPageStream(const PdfPageStream&) = delete;
    PdfPageStream& operator=(const PdfPageStream&) = delete;
    void Paint(const PrintPage& page);

private:
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    bool first_ = true;
};

// The pages as a PDF document, in memory (a year is a few hundred kB),
// so that the file can be written whole and atomically.
QByteArray PrintPdfBytes(const std::vector<PrintPage>& pages, const QPageLayout& layout);

}  // namespace kalendo
