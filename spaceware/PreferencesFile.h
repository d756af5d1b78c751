#pragma once

// The preferences file: its keys, reading with every value checked, and the
// write that replaces the file in one step.

#include <QString>
#include <functional>
#include <utility>
#include <vector>

#include "Kestrava_spaceWare.h"

class PreferencesFile {
public:
    using NavigValues = SpaceWarePreferencesManager::NavigValues;
    using ButtonValues = SpaceWarePreferencesManager::ButtonValues;
    // The user's functions: name and definition, each name once.
    using Functions = std::vector<std::pair<CopyCString, CopyCString>>;

    struct Contents {
        NavigValues navig;
        ButtonValues buttons;
        Functions functions;
    };
    // Whether a name belongs to a function the file may not define.
    using IsReserved = std::function<bool(const CString& name)>;

    explicit PreferencesFile(const QString& path)
        : path_(path) {}
    const QString& path() const { return path_; }

    // Reads what the file holds over `contents`, which comes with the
    // defaults: a value that passes its check replaces its default, any
    // other is left out with a warning naming the file and the key. A file
    // that cannot be read leaves the defaults, with one warning.
    void read(Contents& contents, const IsReserved& is_reserved) const;

    // Writes a new file beside the old one and puts it in its place in one
    // step; false, with a warning, when the file is not replaced.
    bool write(const Contents& contents) const;

private:
    QString path_;
};
