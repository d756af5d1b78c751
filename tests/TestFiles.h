#pragma once

// Files a test writes for the code under test to read.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

inline void write_file(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(content);
}

// A new file `name` in `folder`, holding `content`; its path.
inline QString write_file(const QTemporaryDir& folder, const QString& name,
                          const QByteArray& content) {
    const QString path = folder.filePath(name);
    write_file(path, content);
    return path;
}
