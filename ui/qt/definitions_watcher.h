// The era, holiday, calendar-note and user files watched while the window
// runs: an editor's change shows without a restart (ReloadDefinitions), and
// a file caught half-written is read again a moment later before its
// problem is shown; the tables stay as they were until all four are usable.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include "core/month_record.h"
#include "ui/model/document.h"

namespace kalendo {

class DefinitionsWatcher : public QObject {
    Q_OBJECT

public:
    DefinitionsWatcher(MonthRecord& rec, DefinitionPaths paths, QObject* parent);

signals:
    // The tables hold the files as they are now: the month is to be
    // computed again.
    void reloaded();

private:
    void Look();

    MonthRecord& rec_;
    DefinitionPaths paths_;
    QFileSystemWatcher watcher_;
    QTimer later_;
    int tries_ = 0;  // reads of this change that found a problem
};

}  // namespace kalendo
