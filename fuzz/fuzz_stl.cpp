// Feeds arbitrary bytes to the STL reader: it answers with a model or a
// reason, never both, never neither; a model's corners lie within the unit
// sphere, each triangle names three of them, and a reason quotes little.

#include <QBuffer>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "StlFile.h"

namespace {
[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

void check(const Model& model) {
    for (const QVector3D& v : model.vertices) {
        if (!std::isfinite(v.x()) || !std::isfinite(v.y()) || !std::isfinite(v.z()) ||
            v.length() > 1.001f) {
            fail("a corner outside the unit sphere");
        }
    }
    if (model.indices.size() % 3 != 0 || model.triangles_read < model.triangle_count() ||
        model.triangle_count() == 0 || !std::isfinite(model.size) || !(model.size > 0)) {
        fail("a model that does not add up");
    }
    for (const quint32 index : model.indices) {
        if (index >= model.vertices.size()) {
            fail("a triangle naming a corner that is not there");
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const ModelReading reading = read_stl(buffer);
    if (reading.model.has_value() == !reading.error.isEmpty()) {
        fail("a model and a reason, or neither");
    }
    if (reading.model) {
        check(*reading.model);
    } else if (reading.error.size() > 300) {
        fail("a reason that quotes too much");
    }
    return 0;
}
