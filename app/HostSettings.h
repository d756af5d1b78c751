#pragma once

#include <QSettings>

// The host's own settings (recent models, the window's place), apart from
// the device's preferences file.
inline QSettings host_settings() {
    return QSettings(QStringLiteral("Tarvik"), QStringLiteral("tarvik"));
}
