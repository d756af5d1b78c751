#include "RecentModels.h"

#include <QFileInfo>

#include "HostSettings.h"

namespace {
const char* const key = "recent_models";
} // namespace

QStringList RecentModels::paths() {
    return host_settings().value(QLatin1String(key)).toStringList().mid(0, kept);
}

void RecentModels::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    host_settings().setValue(QLatin1String(key), list.mid(0, kept));
}

void RecentModels::clear() {
    host_settings().remove(QLatin1String(key));
}
