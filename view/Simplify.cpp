#include "Simplify.h"

#include <meshoptimizer.h>

namespace {
// No bound on the error: each level is the best of its size.
const float any_error = 1.0f;
// A level that meshopt_simplify leaves this much over its size is made by
// merging instead.
const double tolerated_excess = 1.25;

const float* positions_of(const Model& model) {
    return reinterpret_cast<const float*>(model.vertices.data());
}

// About `triangles` triangles of `indices`, over the model's corners.
std::vector<quint32> simplified_to(const Model& model, const std::vector<quint32>& indices,
                                   size_t triangles, LevelQuality quality) {
    std::vector<quint32> kept(indices.size());
    const size_t target = 3 * triangles;
    size_t count = indices.size();
    if (quality == LevelQuality::fine) {
        count = meshopt_simplify(kept.data(), indices.data(), indices.size(), positions_of(model),
                                 model.vertices.size(), sizeof(QVector3D), target, any_error);
    }
    if (double(count) > double(target) * tolerated_excess) {
        count =
            meshopt_simplifySloppy(kept.data(), indices.data(), indices.size(), positions_of(model),
                                   model.vertices.size(), sizeof(QVector3D), target, any_error);
    }
    kept.resize(count);
    return kept;
}

// A model of these triangles of `model`, with only the corners they use.
Model level_of(const Model& model, std::vector<quint32> indices) {
    const size_t corners = model.vertices.size();
    meshopt_optimizeVertexCache(indices.data(), indices.data(), indices.size(), corners);
    std::vector<quint32> remap(corners);
    const size_t used =
        meshopt_optimizeVertexFetchRemap(remap.data(), indices.data(), indices.size(), corners);
    meshopt_remapIndexBuffer(indices.data(), indices.data(), indices.size(), remap.data());
    Model level;
    level.name = model.name;
    level.centre = model.centre;
    level.size = model.size;
    level.colour = model.colour;
    level.solids = model.solids;
    level.vertices.resize(used);
    level.colours.resize(model.colours.empty() ? 0 : used);
    for (size_t i = 0; i < corners; ++i) {
        if (remap[i] != ~0u) {
            level.vertices[remap[i]] = model.vertices[i];
            if (!model.colours.empty()) {
                level.colours[remap[i]] = model.colours[i];
            }
        }
    }
    level.indices = std::move(indices);
    level.triangles_read = level.triangle_count();
    return level;
}
} // namespace

std::vector<Model> detail_levels(const Model& model, size_t coarsest, LevelQuality quality,
                                 const std::atomic<bool>& stopping) {
    std::vector<Model> levels;
    // Each level is made from the one before, which is four times smaller
    // than the model's and as good a start.
    std::vector<quint32> indices = model.indices;
    while (indices.size() / 3 > coarsest && !stopping) {
        std::vector<quint32> next = simplified_to(model, indices, indices.size() / 3 / 4, quality);
        // A mesh that merges no further has no coarser level.
        if (next.empty() || next.size() >= indices.size()) {
            break;
        }
        indices = std::move(next);
        levels.push_back(level_of(model, indices));
    }
    if (stopping) {
        levels.clear();
    }
    return levels;
}
