#pragma once

// The profiles beside the preferences file: a folder "profiles" of one
// file each, NAME.tarvik-profile, which holds the profile's saved
// navigation settings and button bindings in the preferences file's own
// sections and keys, under the same save discipline. The profile in use
// is also in the preferences file itself, so that what reads that file
// finds the settings in use where it always did.

#include <QString>
#include <QStringList>
#include <memory>

#include "PreferencesFile.h"

class ProfileStore {
public:
    using Contents = PreferencesFile::Contents;
    static constexpr const char* suffix = ".tarvik-profile";

    explicit ProfileStore(const QString& preferences_file);

    // The profiles that have a file, in name order.
    QStringList names() const;
    bool has_file(const QString& name) const;
    // Reads a profile's file over `contents`, which comes with the defaults.
    void read(const QString& name, Contents& contents) const;
    // Writes sections of a profile's file (its name with them).
    bool write(const QString& name, const std::vector<PreferencesSection>& sections,
               const Contents& contents);
    bool remove(const QString& name);
    const QString& error() const { return error_; }

    QString file_of(const QString& name) const;
    // The order profiles are listed and switched in: by name, whatever the case.
    static void sort(QStringList& names);

private:
    QString folder_;
    QString error_;
};
