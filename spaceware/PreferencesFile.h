#pragma once

// The preferences file: its keys, reading with every value checked, and the
// write that replaces the file in one step.

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

#include "Kestrava_spaceWare.h"

class QLockFile;

class PreferencesFile {
public:
    using NavigValues = SpaceWarePreferencesManager::NavigValues;
    using ButtonValues = SpaceWarePreferencesManager::ButtonValues;
    using Functions = SpaceWarePreferencesManager::FunctionValues;

    struct Contents {
        NavigValues navig;
        ButtonValues buttons;
        Functions functions;
        // The profile the navigation settings and buttons are of.
        QString profile = SpaceWarePreferencesManager::default_profile_name();
    };
    // The format of the profile's keys that this program writes and reads.
    static constexpr int profile_format = 1;
    using Section = PreferencesSection;
    // Whether a name belongs to a function the file may not define.
    using IsReserved = std::function<bool(const CString& name)>;

    explicit PreferencesFile(const QString& path)
        : path_(path) {}
    const QString& path() const { return path_; }

    // Reads what the file holds over `contents`, which comes with the
    // defaults: a value that passes its check replaces its default, any
    // other is left out with a warning naming the file and the key or line.
    // Anything but a regular file is not read, with one warning.
    void read(Contents& contents, const IsReserved& is_reserved);
    // What the last read found wrong, each "line N: KEY: PROBLEM".
    const QStringList& problems() const { return problems_; }

    // Writes `section` from `contents` and every other section as the file
    // holds it at this moment, under a lock, into a new file that then
    // replaces the old one in one step. A link is followed and stays a link;
    // a file that did not read cleanly is kept first as FILE.bak. False,
    // with a warning and error() saying why, when the file is not replaced.
    // Navigation settings and buttons go only to a file of their profile,
    // unless the profile section is written with them; to a file of
    // another profile they are not written, and that is no failure.
    bool write(Section section, const Contents& contents);
    bool write(const std::vector<Section>& sections, const Contents& contents);
    const QString& error() const { return error_; }

    // What the file is now, to tell another program's save from ours.
    QString signature() const;

private:
    bool fail(const QString& reason);
    bool find_target(QString& target);
    bool take_lock(QLockFile& lock);
    bool stage(const QString& staging, const QString& target, const std::vector<Section>& sections,
               const Contents& contents);
    bool keep_backup(const QString& target);

    QString path_;
    bool read_cleanly_ = true;
    QString error_;
    QStringList problems_;
};
