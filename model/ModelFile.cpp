#include "ModelFile.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <dlfcn.h>

#include "AssimpFile.h"
#include "GltfFile.h"
#include "StlFile.h"
#include "ThreeMfFile.h"

namespace {
const ModelFormat* format_of(const QString& path) {
    const QString ending = QFileInfo(path).suffix().toLower();
    for (const ModelFormat& format : model_formats()) {
        if (format.endings.contains(ending)) {
            return &format;
        }
    }
    return nullptr;
}

ModelReading read_stl_file(const QString& path, const ReadProgress& progress) {
    return read_stl(path, progress);
}

// The CAD reader, in a library of its own beside this one, loaded on first
// use: OpenCASCADE is large, and most readings need none of it.
struct CadLibrary {
    void (*prepare)() = nullptr;
    void (*read)(const QString*, const ReadProgress*, ModelReading*) = nullptr;
    QString error;
};

const CadLibrary& cad_library() {
    static const CadLibrary library = [] {
        CadLibrary loaded;
        Dl_info self{};
        dladdr(reinterpret_cast<void*>(&read_model), &self);
        const QByteArray path =
            QFile::encodeName(QFileInfo(QFile::decodeName(self.dli_fname)).absolutePath()) +
            "/libTarvik_cad.so";
        void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            loaded.error = QString::fromLocal8Bit(dlerror());
            return loaded;
        }
        loaded.prepare = reinterpret_cast<void (*)()>(dlsym(handle, "tarvik_prepare_cad_reading"));
        loaded.read =
            reinterpret_cast<void (*)(const QString*, const ReadProgress*, ModelReading*)>(
                dlsym(handle, "tarvik_read_cad"));
        return loaded;
    }();
    return library;
}

ModelReading read_cad_file(const QString& path, const ReadProgress& progress) {
    ModelReading reading;
    const CadLibrary& library = cad_library();
    if (!library.read) {
        reading.error = QObject::tr("the CAD reader cannot be loaded: %1").arg(library.error);
        return reading;
    }
    library.read(&path, &progress, &reading);
    return reading;
}

QStringList endings(const char* list) {
    return QString::fromLatin1(list).split(QLatin1Char(' '));
}
} // namespace

// STL stays with our own reader: it reads every solid of a file, tells a
// binary file by its size, streams the file instead of holding it whole,
// and names the line of a fault. 3MF comes through its own library, which
// reads components and repeated items right; glTF through tinygltf, which
// a fuzzer could not break where it broke assimp's within a minute; STEP
// and IGES through OpenCASCADE; assimp reads the rest.
const std::vector<ModelFormat>& model_formats() {
    static const std::vector<ModelFormat> formats{
        {"STL", endings("stl"), &read_stl_file},
        {"OBJ", endings("obj"), &read_with_assimp},
        {"PLY", endings("ply"), &read_with_assimp},
        {"OFF", endings("off"), &read_with_assimp},
        {"3MF", endings("3mf"), &read_3mf},
        {"glTF", endings("gltf glb"), &read_gltf},
        {"COLLADA", endings("dae"), &read_with_assimp},
        {"FBX", endings("fbx"), &read_with_assimp},
        {"3DS", endings("3ds"), &read_with_assimp},
        {"X3D", endings("x3d"), &read_with_assimp},
        {"AMF", endings("amf"), &read_with_assimp},
        {"DXF", endings("dxf"), &read_with_assimp},
        {"STEP", endings("step stp"), &read_cad_file},
        {"IGES", endings("iges igs"), &read_cad_file},
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
    } else {
        const ModelFormat* format = format_of(path);
        return format ? format->read(path, progress) : read_stl(path, progress);
    }
    return reading;
}

void prepare_reading(const QString& path) {
    const ModelFormat* format = format_of(path);
    if (format && format->read == &read_cad_file && cad_library().prepare) {
        cad_library().prepare();
    }
}

void finish_reading(ModelReading& reading, ModelBuilder& builder, const QString& name) {
    if (builder.triangles_read() == 0) {
        reading.error = QObject::tr("it holds no triangle");
    } else if (!builder.has_surface()) {
        reading.error = QObject::tr("it has no surface");
    } else {
        reading.model = builder.finish(name);
    }
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

QString shortened_path(const QString& path, qsizetype most) {
    if (path.size() <= most) {
        return path;
    }
    const qsizetype kept = (most - 1) / 2;
    return path.left(kept) + QChar(0x2026) + path.right(kept);
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
