// "iCalendarに書き出す": the range (two dates, defaulting to the shown
// year) and the kinds to include, then a save dialog; the file holds
// exactly what "kalendo2-cli ics" prints for the same range and list.
// The dialog stays open until the file is written, so a failed write
// leaves the user the range and the ticks to try again.
#pragma once

#include <QDialog>

#include <array>
#include <functional>

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
    // The eight check boxes, in the order of the include list's words.
    static constexpr int kIncludeBoxCount = kIcsWordCount;

    // Called with the range and the choice when they are accepted; true
    // when the export is done (the dialog closes), false to stay (the
    // save dialog was cancelled, the file could not be written).
    using Save = std::function<bool(CalendarDate first, CalendarDate last, IcsInclude include)>;

    IcsExportDialog(CalendarDate first, CalendarDate last, IcsInclude include, Save save, QWidget* parent);

    CalendarDate first() const;
    CalendarDate last() const;
    IcsInclude include() const;

    QDateEdit* firstEdit() const { return first_; }
    QDateEdit* lastEdit() const { return last_; }
    QCheckBox* includeBox(int k) const { return boxes_[k]; }
    QPushButton* exportButton() const { return export_; }

private:
    // Saves only a range of 1600-2999 in order with at least one kind
    // (otherwise the message); closes with Accepted once saved.
    void TryAccept();

    Save save_;
    QDateEdit* first_;
    QDateEdit* last_;
    std::array<QCheckBox*, kIncludeBoxCount> boxes_{};
    QPushButton* export_;
};

// The menu command: the dialog, then for its button the save dialog and
// the export (ExportIcsFile: the file written as the days are computed and
// replaced atomically). Done, a notice says where the file went and how
// many events it holds; a file that cannot be written is a message naming
// it and the reason, an existing file stays as it was and the dialog stays
// open. The days are read on the tables of `rec` in the almanac of
// `shown`, and `rec` is not written. The rekichu events name `picks`
// read under `readings` (設定); the eclipses are those seen from `place`
// (東京 when null).
void RunIcsExport(const MonthRecord& rec, MonthOptions shown, QWidget* parent,
                  RekichuReadings readings = {}, RekichuSet picks = kDefaultRekichuPicks,
                  const GeoPosition* place = nullptr);

}  // namespace kalendo
