// "iCalendarに書き出す": the range (two dates, defaulting to the shown
// year) and the kinds to include, then a save dialog; the file holds
// exactly what "kalendo2-cli ics" prints for the same range and list.
#pragma once

#include <QDialog>

#include <array>

#include "core/month_record.h"
#include "month/compute_month.h"
#include "ui/model/ics_events.h"

class QCheckBox;
class QDateEdit;
class QPushButton;

namespace kalendo {

class IcsExportDialog : public QDialog {
    Q_OBJECT

public:
    // The seven check boxes, in the order of the include list's words.
    static constexpr int kIncludeBoxCount = kIcsIncludeCount;

    IcsExportDialog(CalendarDate first, CalendarDate last, const IcsInclude& include,
                    QWidget* parent);

    CalendarDate first() const;
    CalendarDate last() const;
    IcsInclude include() const;

    QDateEdit* firstEdit() const { return first_; }
    QDateEdit* lastEdit() const { return last_; }
    QCheckBox* includeBox(int k) const { return boxes_[k]; }
    QPushButton* exportButton() const { return export_; }

private:
    // Closes with Accepted only for a range of 1600-2999 in order and at
    // least one kind; otherwise the message, and the dialog stays.
    void TryAccept();

    QDateEdit* first_;
    QDateEdit* last_;
    std::array<QCheckBox*, kIncludeBoxCount> boxes_{};
    QPushButton* export_;
};

// The menu command: the dialog, the save dialog, the export (which moves
// the record through the range; the day shown, in the modes `shown`, is
// computed again afterwards) and the file, replaced atomically. A file that
// cannot be written shows the message and leaves an existing file as it was.
void RunIcsExport(MonthRecord& rec, MonthOptions shown, QWidget* parent);

}  // namespace kalendo
