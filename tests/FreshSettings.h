#pragma once

// How the settings suites start every case: a preferences file of the
// case's own, in a folder the suite keeps, and managers on it.

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "Kestrava_spaceWare.h"

class FreshSettings {
public:
    // Moves on to the next case; its file does not exist yet.
    const QString& next_case() {
        file_ = dir_.filePath(QStringLiteral("case%1.ini").arg(++case_));
        return file_;
    }
    // The case's file; the same object throughout, so that it can be held.
    const QString& file() const { return file_; }
    // Another path of the case's own: beside("fifo") is "fifo3" in case 3,
    // beside("real", ".ini") "real3.ini".
    QString beside(const char* stem, const char* suffix = "") const {
        return dir_.filePath(QStringLiteral("%1%2%3")
                                 .arg(QLatin1String(stem))
                                 .arg(case_)
                                 .arg(QLatin1String(suffix)));
    }
    // The folder that holds every case's files.
    QString folder() const { return dir_.path(); }
    std::unique_ptr<SpaceWarePreferencesManager> make_manager(long buttons) const {
        return std::make_unique<SpaceWarePreferencesManager>(file_, buttons);
    }

private:
    QTemporaryDir dir_;
    int case_ = 0;
    QString file_;
};
