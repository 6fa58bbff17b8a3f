#include "ui/qt/print_dialog.h"

#include <QApplication>
#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "platform/platform.h"
#include "ui/model/month_view.h"
#include "ui/model/print_texts.h"
#include "ui/qt/fonts.h"
#include "ui/qt/print_pages.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 9.0;
// Months as the command line writes them, whatever the user's locale.
const char kMonthFormat[] = "yyyy-MM";

QDateEdit* NewMonthEdit(PrintMonth month, QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setDisplayFormat(QString::fromLatin1(kMonthFormat));
    edit->setDateRange(QDate(kFirstComputedYear, 1, 1), QDate(kLastComputedYear, 12, 31));
    edit->setDate(QDate(month.year, month.month, 1));
    return edit;
}

PrintMonth MonthOf(const QDateEdit* edit) { return {edit->date().year(), edit->date().month()}; }

// The pages the print dialog's page range chooses (1-based, inclusive; all
// when it chooses none).
std::vector<PrintPage> ChosenPages(const std::vector<PrintPage>& pages, const QPrinter& printer) {
    const int count = static_cast<int>(pages.size());
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() < 1) return pages;
    const int from = std::min(printer.fromPage(), count);
    const int to = std::clamp(printer.toPage(), from, count);
    return {pages.begin() + (from - 1), pages.begin() + to};
}

}  // namespace

PrintRangeDialog::PrintRangeDialog(PrintMonth first, PrintMonth last, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQt(kPrintRangeCaption));
    setFont(FaceFont(kFacePGothic, kDialogPoints));
    first_ = NewMonthEdit(first, this);
    last_ = NewMonthEdit(last, this);
    auto* range = new QFormLayout;
    range->addRow(ToQt(kPrintFirstLabel), first_);
    range->addRow(ToQt(kPrintLastLabel), last_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(ToQt(kButtonOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(ToQt(kButtonCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &PrintRangeDialog::TryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PrintMonth PrintRangeDialog::first() const { return MonthOf(first_); }
PrintMonth PrintRangeDialog::last() const { return MonthOf(last_); }

void PrintRangeDialog::TryAccept() {
    if (!PrintRangeAccepted(first(), last())) {
        ThePlatform().ShowMessage(kPrintBadRange);
        return;
    }
    accept();
}

void RunPrint(const MonthRecord& rec, MonthOptions shown, bool preview, QWidget* parent, const PrintSettings& settings,
              ColourScheme screen) {
    const CalendarDate day = TargetDate(rec);
    PrintRangeDialog range({day.year, day.month}, {day.year, day.month}, parent);
    if (range.exec() != QDialog::Accepted) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<PrintPage> pages = BuildPrintPages(rec, range.first(), range.last(), shown.almanac, settings);
    QApplication::restoreOverrideCursor();

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(PrintPageLayout());
    printer.setDocName(QStringLiteral("Kalendo2"));
    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&pages](QPrinter* p) { PaintPrintPages(*p, ChosenPages(pages, *p)); });
        if (auto* view = dialog.findChild<QGraphicsView*>(); view && view->scene()) {
            view->scene()->setBackgroundBrush(ToQColor(SchemeColour(ColourRole::PreviewBackground, screen)));
        }
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, static_cast<int>(pages.size()));
    if (dialog.exec() != QDialog::Accepted) return;
    PaintPrintPages(printer, ChosenPages(pages, printer));
}

}  // namespace kalendo
