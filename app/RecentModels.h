#pragma once

#include <QStringList>

// The model files opened last, newest first, kept in the host's own
// settings (never in the motion controller's preferences file).
class RecentModels {
public:
    static constexpr int kept = 10;

    static QStringList paths();
    // The file goes to the top; the oldest beyond the tenth goes.
    static void add(const QString& path);
    static void clear();
};
