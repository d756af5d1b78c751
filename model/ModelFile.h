#pragma once

// Reading model files: STL by our own reader, the other mesh formats
// through assimp, each into a Model.

#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "Model.h"
#include "tarvik_model_export.h"

// What reading a model file gave: the model, or why there is none, and
// what was odd about a file that was read all the same.
struct TARVIK_MODEL_EXPORT ModelReading {
    std::optional<Model> model;
    QString error;
    QStringList warnings;
    bool cancelled = false;
};

// Told how far a reading has come, from 0 to 1; answering false stops it.
using ReadProgress = std::function<bool(double done)>;

// Hands a library's reports of progress on, clamped to 0 to 1, and keeps
// a stop once asked for, so that the library and the reading both hear it.
class ProgressRelay {
public:
    explicit ProgressRelay(const ReadProgress& progress)
        : progress_(progress) {}
    // False once a stop has been asked for.
    bool tell(double done) {
        stopped_ = stopped_ || (progress_ && !progress_(std::clamp(done, 0.0, 1.0)));
        return !stopped_;
    }
    bool stopped() const { return stopped_; }

private:
    const ReadProgress& progress_;
    bool stopped_ = false;
};

// The model of a file, by its ending (see model_formats()); a file of no
// known ending is tried as STL.
TARVIK_MODEL_EXPORT ModelReading read_model(const QString& path, const ReadProgress& progress = {});

// Loads what reading the file will take from disk beyond the file and its
// folder: a reader calls it before its sandbox closes the file system.
TARVIK_MODEL_EXPORT void prepare_reading(const QString& path);

// Ends a reading with the builder's model, or with why there is none: no
// triangle at all, or none with an area.
TARVIK_MODEL_EXPORT void finish_reading(ModelReading& reading, ModelBuilder& builder,
                                        const QString& name);

// The formats read_model() takes: a name, the endings of its files, and
// the reader that reads them.
struct ModelFormat {
    const char* name;
    QStringList endings;
    ModelReading (*read)(const QString& path, const ReadProgress& progress);
};
TARVIK_MODEL_EXPORT const std::vector<ModelFormat>& model_formats();
// Every format's endings as a file dialog's patterns: "*.stl *.obj …".
TARVIK_MODEL_EXPORT QStringList model_file_patterns();

// The largest file read_model() opens: larger ones are refused before
// anything of them is read.
constexpr qint64 largest_model_file = qint64(4) << 30;

// A path fit for a message: one longer than `most` characters keeps its
// start and its end, with an ellipsis in the middle.
TARVIK_MODEL_EXPORT QString shortened_path(const QString& path, qsizetype most = 120);

// A piece of a file's text fit for a message: control characters escaped,
// and at most 80 characters of that.
TARVIK_MODEL_EXPORT QString quoted_text(const QByteArray& text);
