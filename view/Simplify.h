#pragma once

// A simplified copy of a model, to draw while the view moves: its corners
// are gathered into the cells of a grid over the model, each cell's corners
// becoming one at their average, and the triangles that still have three
// corners are kept. The grid is made as fine as the budget allows, so that
// the outline stays within a cell of the model's.

#include <atomic>
#include <optional>

#include "Model.h"
#include "tarvik_view_export.h"

// A copy of at most `budget` triangles; nothing when `stopping` was set on
// the way.
TARVIK_VIEW_EXPORT std::optional<Model> simplified(const Model& model, size_t budget,
                                                   const std::atomic<bool>& stopping);
