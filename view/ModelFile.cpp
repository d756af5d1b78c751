#include "ModelFile.h"

#include <QFileInfo>
#include <QObject>

#include "AssimpFile.h"
#include "StlFile.h"

namespace {
const QString stl_ending = QStringLiteral("stl");
} // namespace

// assimp reads all but STL, which stays with our own reader: it reads every
// solid of a file, tells a binary file by its size, streams the file
// instead of holding it whole, and names the line of a fault.
const std::vector<ModelFormat>& model_formats() {
    static const std::vector<ModelFormat> formats{
        {"STL", {stl_ending}},
        {"OBJ", {QStringLiteral("obj")}},
        {"PLY", {QStringLiteral("ply")}},
        {"OFF", {QStringLiteral("off")}},
        {"3MF", {QStringLiteral("3mf")}},
        {"glTF", {QStringLiteral("gltf"), QStringLiteral("glb")}},
    };
    return formats;
}

ModelReading read_model(const QString& path, const ReadProgress& progress) {
    ModelReading reading;
    const QFileInfo info(path);
    // Checked before any reader opens it: a FIFO would block it, a device
    // would never end.
    if (!info.exists()) {
        reading.error = QObject::tr("it does not exist");
    } else if (!info.isFile()) {
        reading.error = QObject::tr("it is not a file");
    } else if (info.size() > largest_model_file) {
        reading.error = QObject::tr("it is larger than %1 GB").arg(largest_model_file >> 30);
    } else if (info.suffix().toLower() != stl_ending &&
               model_file_patterns().contains(QStringLiteral("*.") + info.suffix().toLower())) {
        return read_with_assimp(path, progress);
    } else {
        return read_stl(path, progress);
    }
    return reading;
}

QStringList model_file_patterns() {
    QStringList patterns;
    for (const ModelFormat& format : model_formats()) {
        for (const QString& ending : format.endings) {
            patterns << QStringLiteral("*.") + ending;
        }
    }
    return patterns;
}

QString quoted_text(const QByteArray& text) {
    const qsizetype most = 80;
    const QString decoded = QString::fromUtf8(text.left(4 * most));
    QString quoted;
    for (const QChar c : decoded) {
        const QString shown =
            c.category() == QChar::Other_Control
                ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                : QString(c);
        if (quoted.size() + shown.size() > most) {
            return quoted + QChar(0x2026);
        }
        quoted += shown;
    }
    return quoted;
}
