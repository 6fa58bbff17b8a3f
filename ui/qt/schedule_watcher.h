// Schedule.Def watched while the window runs, so that a schedule written
// into it by an editor or another program shows at once, not at the next
// start (and is not lost at the next save: ui/model/schedule_file.h).
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <string>

#include "core/month_record.h"

namespace kalendo {

class ScheduleWatcher : public QObject {
    Q_OBJECT

public:
    ScheduleWatcher(MonthRecord& rec, std::string path, QObject* parent);

signals:
    // The table took an outside change (TakeOutsideScheduleChange).
    void tableChanged();

private:
    void Look();

    MonthRecord& rec_;
    std::string path_;
    QFileSystemWatcher watcher_;
    QTimer later_;  // while a dialog is open, and after a change, look again
};

}  // namespace kalendo
