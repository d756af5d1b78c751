#pragma once

// What every model a reader gives must hold, whatever bytes it was made
// from: corners within the unit sphere, three of them a triangle, each
// naming one that is there, and a box of a finite size.

#include <QVector3D>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "Model.h"

[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

inline void check(const Model& model) {
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
