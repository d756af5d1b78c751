#pragma once

// Reading model files: STL by our own reader, the other mesh formats
// through assimp, each into a Model.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "Model.h"
#include "tarvik_view_export.h"

// What reading a model file gave: the model, or why there is none, and
// what was odd about a file that was read all the same.
struct TARVIK_VIEW_EXPORT ModelReading {
    std::optional<Model> model;
    QString error;
    QStringList warnings;
    bool cancelled = false;
};

// Told how far a reading has come, from 0 to 1; answering false stops it.
using ReadProgress = std::function<bool(double done)>;

// The model of a file, by its ending: STL, OBJ, PLY, OFF, 3MF, glTF (.gltf,
// .glb); a file of no known ending is tried as STL.
TARVIK_VIEW_EXPORT ModelReading read_model(const QString& path, const ReadProgress& progress = {});

// The formats read_model() takes: a name and the endings of its files.
struct ModelFormat {
    const char* name;
    QStringList endings;
};
TARVIK_VIEW_EXPORT const std::vector<ModelFormat>& model_formats();
// Every format's endings as a file dialog's patterns: "*.stl *.obj …".
TARVIK_VIEW_EXPORT QStringList model_file_patterns();

// The largest file read_model() opens: larger ones are refused before
// anything of them is read.
constexpr qint64 largest_model_file = qint64(4) << 30;

// A piece of a file's text fit for a message: control characters escaped,
// and at most 80 characters of that.
TARVIK_VIEW_EXPORT QString quoted_text(const QByteArray& text);
