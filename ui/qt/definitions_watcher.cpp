#include "ui/qt/definitions_watcher.h"

#include <QApplication>
#include <QFileInfo>

#include "platform/platform.h"

namespace kalendo {
namespace {

// Long enough for an editor to finish a save, short enough to feel at once.
constexpr int kLookAgainMs = 300;
// A problem still there on this read is the file's, not a save in progress.
constexpr int kTriesBeforeMessage = 3;

}  // namespace

DefinitionsWatcher::DefinitionsWatcher(MonthRecord& rec, DefinitionPaths paths, QObject* parent)
    : QObject(parent), rec_(rec), paths_(std::move(paths)) {
    for (const std::string* p : {&paths_.eras, &paths_.holidays, &paths_.notes,
                                 &paths_.userEntries}) {
        const QString file = QString::fromStdString(*p);
        // Folders too: a save by rename ends the watch on the file.
        watcher_.addPath(QFileInfo(file).absolutePath());
        watcher_.addPath(file);
    }
    later_.setSingleShot(true);
    later_.setInterval(kLookAgainMs);
    connect(&later_, &QTimer::timeout, this, &DefinitionsWatcher::Look);
    const auto changed = [this](const QString& path) {
        const std::string p = path.toStdString();
        const bool ours = p == paths_.eras || p == paths_.holidays || p == paths_.notes ||
                          p == paths_.userEntries;
        if (!ours && !QFileInfo(path).isDir()) return;
        tries_ = 0;
        later_.start();
    };
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, changed);
}

void DefinitionsWatcher::Look() {
    for (const std::string* p : {&paths_.eras, &paths_.holidays, &paths_.notes,
                                 &paths_.userEntries}) {
        const QString file = QString::fromStdString(*p);
        if (!watcher_.files().contains(file)) watcher_.addPath(file);
    }
    if (QApplication::activeModalWidget() != nullptr) {
        later_.start();
        return;
    }
    const std::optional<LoadProblem> problem = ReloadDefinitions(rec_, paths_);
    if (!problem) {
        emit reloaded();
        return;
    }
    if (++tries_ < kTriesBeforeMessage) {
        later_.start();
        return;
    }
    // Not fatal while the window runs: the tables read last stay.
    if (problem->messageUtf8.empty()) {
        ThePlatform().ShowMessage(problem->message);
    } else {
        ThePlatform().ShowMessageUtf8(problem->messageUtf8);
    }
}

}  // namespace kalendo
