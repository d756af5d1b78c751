#pragma once

// The levels of detail of a model, to draw while the view moves: each has
// a quarter of the triangles of the one before, down to a few thousand,
// made by meshoptimizer. Fine levels collapse edges where the surface
// changes least (meshopt_simplify); quick ones, a tenth of the time, merge
// the corners within cells of a grid (meshopt_simplifySloppy), as fine ones
// do where the mesh's borders stop the collapses short. Each level keeps
// only the corners it uses, with their colours, its triangles in the order
// a vertex cache draws best.

#include <atomic>
#include <vector>

#include "Model.h"
#include "tarvik_view_export.h"

enum class LevelQuality { quick, fine };

// From finest to coarsest, the last of at most `coarsest` triangles; none
// when `stopping` was set on the way.
TARVIK_VIEW_EXPORT std::vector<Model> detail_levels(const Model& model, size_t coarsest,
                                                    LevelQuality quality,
                                                    const std::atomic<bool>& stopping);
