#include "ui/qt/schedule_watcher.h"

#include <QApplication>
#include <QFileInfo>

#include "ui/model/schedule_file.h"

namespace kalendo {
namespace {

// Long enough for an editor to finish a save, short enough to feel at once.
constexpr int kLookAgainMs = 300;

}  // namespace

ScheduleWatcher::ScheduleWatcher(MonthRecord& rec, std::string path, QObject* parent)
    : QObject(parent), rec_(rec), path_(std::move(path)) {
    const QString file = QString::fromStdString(path_);
    // The folder too: an editor that saves by renaming a new file over the
    // old one ends the watch on the file, and a file may not exist yet.
    watcher_.addPath(QFileInfo(file).absolutePath());
    watcher_.addPath(file);
    later_.setSingleShot(true);
    later_.setInterval(kLookAgainMs);
    connect(&later_, &QTimer::timeout, this, &ScheduleWatcher::Look);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { later_.start(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { later_.start(); });
}

void ScheduleWatcher::Look() {
    const QString file = QString::fromStdString(path_);
    if (!watcher_.files().contains(file)) watcher_.addPath(file);
    // A dialog open on a schedule holds its row: the table changes after it.
    if (QApplication::activeModalWidget() != nullptr) {
        later_.start();
        return;
    }
    if (TakeOutsideScheduleChange(rec_, path_)) emit tableChanged();
}

}  // namespace kalendo
