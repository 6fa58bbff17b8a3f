#include "ui/qt/ics_export_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include <ctime>
#include <string>
#include <utility>

#include "month/compute_month.h"
#include "platform/platform.h"
#include "ui/ics/ics_calendar.h"
#include "ui/ics/ics_file.h"
#include "ui/model/ics_texts.h"
#include "ui/model/month_view.h"
#include "ui/qt/dialog_buttons.h"
#include "ui/qt/fonts.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/window_texts.h"

namespace kalendo {
namespace {

constexpr double kDialogPoints = 9.0;

// The dates as the CLI writes them, whatever the user's locale.
const char kDateFormat[] = "yyyy-MM-dd";

QDate ToQDate(CalendarDate d) { return QDate(d.year, d.month, d.day); }
CalendarDate FromQDate(const QDate& d) { return {d.year(), d.month(), d.day()}; }

QDateEdit* NewDateEdit(CalendarDate date, QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setDisplayFormat(QString::fromLatin1(kDateFormat));
    // The years the month computation accepts.
    edit->setDateRange(QDate(kFirstComputedYear, 1, 1), QDate(kLastComputedYear, 12, 31));
    edit->setDate(ToQDate(date));
    return edit;
}

}  // namespace

IcsExportDialog::IcsExportDialog(CalendarDate first, CalendarDate last, IcsInclude include, Save save,
                                 QWidget* parent)
    : QDialog(parent), save_(std::move(save)) {
    setWindowTitle(ToQt(kIcsExportCaption));
    setFont(FaceFont(kFacePGothic, kDialogPoints));
    first_ = NewDateEdit(first, this);
    last_ = NewDateEdit(last, this);
    auto* range = new QFormLayout;
    range->addRow(ToQt(kIcsFirstLabel), first_);
    range->addRow(ToQt(kIcsLastLabel), last_);

    const char* labels[kIncludeBoxCount] = {kIcsIncludeHolidays, kIcsIncludeNotes,  kIcsIncludeUsers,
                                            kIcsIncludeSchedules, kIcsIncludeRokuyo, kIcsIncludeLunar,
                                            kIcsIncludeMoon, kIcsIncludeRekichu, kIcsIncludeEclipses};
    auto* group = new QGroupBox(ToQt(kIcsIncludeLabel), this);
    auto* groupLayout = new QVBoxLayout(group);
    for (int k = 0; k < kIncludeBoxCount; ++k) {
        boxes_[k] = new QCheckBox(ToQt(labels[k]), group);
        boxes_[k]->setChecked(include.Has(static_cast<IcsWord>(k)));
        groupLayout->addWidget(boxes_[k]);
    }

    const DialogButtons buttons = NewDialogButtons(this, kIcsExportButton, kButtonCancel);
    export_ = buttons.accept;
    connect(buttons.box, &QDialogButtonBox::accepted, this, &IcsExportDialog::TryAccept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addWidget(group);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CalendarDate IcsExportDialog::first() const { return FromQDate(first_->date()); }
CalendarDate IcsExportDialog::last() const { return FromQDate(last_->date()); }

IcsInclude IcsExportDialog::include() const {
    IcsInclude include = IcsInclude::None();
    for (int k = 0; k < kIncludeBoxCount; ++k) include = include.With(static_cast<IcsWord>(k), boxes_[k]->isChecked());
    return include;
}

void IcsExportDialog::TryAccept() {
    if (!IcsRangeAccepted(first(), last())) {
        ThePlatform().ShowMessage(kIcsBadRange);
        return;
    }
    if (!include().Any()) {
        ThePlatform().ShowMessage(kIcsNothingIncluded);
        return;
    }
    if (save_(first(), last(), include())) accept();
}

void RunIcsExport(const MonthRecord& rec, MonthOptions shown, QWidget* parent, RekichuReadings readings,
                  RekichuSet picks, const GeoPosition* place) {
    const int year = TargetDate(rec).year;
    auto save = [&rec, shown, year, parent, readings, picks, place](CalendarDate first, CalendarDate last,
                                                              IcsInclude include) {
        include.readings = readings;
        include.rekichuPicks = picks;
        QFileDialog dialog(parent, ToQt(kIcsSaveCaption));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(ToQt(kIcsFileFilter));
        dialog.setDefaultSuffix(QStringLiteral("ics"));
        dialog.setDirectory(QDir::homePath());
        dialog.selectFile(QStringLiteral("Kalendo2-%1.ics").arg(year));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
        const std::string path = dialog.selectedFiles().front().toStdString();

        // A malformed SOURCE_DATE_EPOCH only matters to reproducible builds;
        // the window then stamps the export with the clock.
        const std::time_t stamp = IcsExportTime().value_or(std::time(nullptr));
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // In the almanac the window shows; the days are read on the
        // window's tables, its own day left as it is.
        const IcsFileResult result = ExportIcsFile(rec, first, last, include, shown.almanac, stamp, path, place);
        QApplication::restoreOverrideCursor();
        if (!result.written) {
            ThePlatform().ShowMessage(IcsExportFailedMessage(path, result.error));
            return false;
        }
        ThePlatform().ShowNotice(IcsExportDoneMessage(path, result.events));
        return true;
    };
    IcsExportDialog dialog({year, 1, 1}, {year, 12, 31}, IcsInclude{}, save, parent);
    dialog.exec();
}

}  // namespace kalendo
