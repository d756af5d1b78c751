#pragma once

// Keeps the settings in step with the preferences file when another program
// saves it: watches the file, tells such a save from our own, and works out
// what the current values become.

#include <QString>
#include <functional>
#include <memory>

#include "Kestrava_spaceWare.h"

class PreferencesFile;
class QFileSystemWatcher;

class PreferencesSync {
public:
    using NavigValues = SpaceWarePreferencesManager::NavigValues;
    using ButtonValues = SpaceWarePreferencesManager::ButtonValues;

    // Calls `saved_elsewhere` each time the file changes into one that we did
    // not write. Watches only where an application runs an event loop.
    PreferencesSync(const PreferencesFile& file, std::function<void()> saved_elsewhere);
    ~PreferencesSync();
    PreferencesSync(const PreferencesSync&) = delete;
    PreferencesSync& operator=(const PreferencesSync&) = delete;

    // The file as it is now is ours: read or written by us.
    void take_as_known();

    // A current value that was the saved one follows the new saved one; a
    // value the user changed since stays.
    static NavigValues followed(const NavigValues& current, const NavigValues& saved_before,
                                const NavigValues& saved_now);
    static ButtonValues followed(const ButtonValues& current, const ButtonValues& saved_before,
                                 const ButtonValues& saved_now);

private:
    void watch();
    void file_may_have_changed();

    const PreferencesFile& file_;
    std::function<void()> saved_elsewhere_;
    std::unique_ptr<QFileSystemWatcher> watcher_;
    QString known_signature_;
};
