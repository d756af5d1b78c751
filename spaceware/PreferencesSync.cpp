#include "PreferencesSync.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>

#include "NavigSchema.h"
#include "PreferencesFile.h"

PreferencesSync::PreferencesSync(const PreferencesFile& file, std::function<void()> saved_elsewhere)
    : file_(file)
    , saved_elsewhere_(std::move(saved_elsewhere)) {
    take_as_known();
    watch();
}

PreferencesSync::~PreferencesSync() = default;

void PreferencesSync::take_as_known() {
    known_signature_ = file_.signature();
}

// The folder is watched too: a save replaces the file, and a watch on the
// old one ends with it.
void PreferencesSync::watch() {
    if (!QCoreApplication::instance()) {
        return;
    }
    watcher_ = std::make_unique<QFileSystemWatcher>();
    const QFileInfo info(file_.path());
    if (QDir(info.absolutePath()).exists()) {
        watcher_->addPath(info.absolutePath());
    }
    if (info.exists()) {
        watcher_->addPath(info.absoluteFilePath());
    }
    const auto changed = [this](const QString&) { file_may_have_changed(); };
    QObject::connect(watcher_.get(), &QFileSystemWatcher::fileChanged, changed);
    QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, changed);
}

void PreferencesSync::file_may_have_changed() {
    const QFileInfo info(file_.path());
    if (info.exists() && !watcher_->files().contains(info.absoluteFilePath())) {
        watcher_->addPath(info.absoluteFilePath());
    }
    const QString signature = file_.signature();
    if (signature == known_signature_ || signature.isEmpty()) {
        return;
    }
    known_signature_ = signature;
    saved_elsewhere_();
}

PreferencesSync::NavigValues PreferencesSync::followed(const NavigValues& current,
                                                       const NavigValues& saved_before,
                                                       const NavigValues& saved_now) {
    NavigValues values = current;
    for (const NavigSchemaRow& row : navig_schema) {
        const auto& value = current[row.attribute];
        const auto& before = saved_before[row.attribute];
        if (row.kind == NavigKind::choice ? value.text == before.text
                                          : value.number == before.number) {
            values[row.attribute] = saved_now[row.attribute];
        }
    }
    return values;
}

PreferencesSync::ButtonValues PreferencesSync::followed(const ButtonValues& current,
                                                        const ButtonValues& saved_before,
                                                        const ButtonValues& saved_now) {
    ButtonValues values = current;
    for (size_t i = 0; i < values.size(); ++i) {
        if (current[i] == saved_before[i]) {
            values[i] = saved_now[i];
        }
    }
    return values;
}
