#pragma once

// Where the program finds a file of its own: beside itself, as in the build
// tree, else where it is installed, `installed` relative to the program's
// folder. So any install prefix will do.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

inline QString program_file(const QString& name, const QString& installed) {
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = folder + QLatin1Char('/') + name;
    return QFileInfo::exists(beside)
               ? beside
               : QDir::cleanPath(folder + QLatin1Char('/') + installed + QLatin1Char('/') + name);
}
