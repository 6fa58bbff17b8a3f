// "印刷(&P)…" and "印刷プレビュー…": a small dialog for the months to print
// (defaulting to the shown month), then Qt's print dialog or its print
// preview, drawing the pages of ui/qt/print_pages.h.
#pragma once

#include <QDialog>

#include "core/month_record.h"
#include "month/compute_month.h"
#include "ui/model/colour_scheme.h"
#include "ui/model/print_layout.h"

class QDateEdit;
class QPushButton;

namespace kalendo {

class PrintRangeDialog : public QDialog {
    Q_OBJECT

public:
    PrintRangeDialog(PrintMonth first, PrintMonth last, QWidget* parent);

    PrintMonth first() const;
    PrintMonth last() const;

    QDateEdit* firstEdit() const { return first_; }
    QDateEdit* lastEdit() const { return last_; }
    QPushButton* okButton() const { return ok_; }

private:
    // Closes only on a range PrintRangeAccepted (otherwise the message).
    void TryAccept();

    QDateEdit* first_;
    QDateEdit* last_;
    QPushButton* ok_;
};

// The menu commands. The pages are computed before the print dialog opens,
// in the almanac the window shows, each day read on the window's tables
// (BuildPrintPages), so the window never moves. The
// pages follow the window's settings (PrintSettingsOf): its week start,
// the picked notes and their readings, the place. The pages are always in
// the light colours; the preview's screen around them is in the window's
// set `screen`.
void RunPrint(const MonthRecord& rec, MonthOptions shown, bool preview, QWidget* parent,
              const PrintSettings& settings = {}, ColourScheme screen = ColourScheme::Light);

}  // namespace kalendo
