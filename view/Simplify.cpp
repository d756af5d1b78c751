#include "Simplify.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace {
// The cell of each corner, on a grid of `cells` a side over the unit cube
// that holds every corner.
std::vector<quint32> cells_of(const Model& model, int cells) {
    const auto along = [cells](float value) {
        return quint32(std::clamp(int((value + 1) / 2 * float(cells)), 0, cells - 1));
    };
    std::vector<quint32> cell_of(model.vertices.size());
    for (size_t i = 0; i < model.vertices.size(); ++i) {
        const QVector3D& v = model.vertices[i];
        cell_of[i] = (along(v.x()) * quint32(cells) + along(v.y())) * quint32(cells) + along(v.z());
    }
    return cell_of;
}

struct Cell {
    QVector3D sum;
    int count = 0;
    quint32 number = 0;
    QRgb colour = 0;
};

// One corner a cell, at the average of the corners in it; the triangles
// with three cells of their own, each once. Nothing when stopped.
std::optional<Model> gather(const Model& model, int cells, const std::atomic<bool>& stopping) {
    const std::vector<quint32> cell_of = cells_of(model, cells);
    std::unordered_map<quint32, Cell> gathered;
    for (size_t i = 0; i < cell_of.size(); ++i) {
        Cell& cell = gathered[cell_of[i]];
        if (cell.count++ == 0) {
            cell.number = quint32(gathered.size() - 1);
            cell.colour = model.colours.empty() ? model.colour : model.colours[i];
        }
        cell.sum += model.vertices[i];
    }
    Model copy;
    copy.name = model.name;
    copy.centre = model.centre;
    copy.size = model.size;
    copy.colour = model.colour;
    copy.solids = model.solids;
    copy.vertices.resize(gathered.size());
    if (!model.colours.empty()) {
        copy.colours.resize(gathered.size());
    }
    for (const auto& [key, cell] : gathered) {
        copy.vertices[cell.number] = cell.sum / float(cell.count);
        if (!copy.colours.empty()) {
            copy.colours[cell.number] = cell.colour;
        }
    }
    std::vector<quint32> number_of(cell_of.size());
    for (size_t i = 0; i < cell_of.size(); ++i) {
        number_of[i] = gathered.at(cell_of[i]).number;
    }
    std::unordered_set<quint64> kept;
    for (size_t t = 0; t < model.triangle_count(); ++t) {
        if ((t & 0xffff) == 0 && stopping) {
            return std::nullopt;
        }
        quint32 c[3];
        for (int k = 0; k < 3; ++k) {
            c[k] = number_of[model.indices[3 * t + size_t(k)]];
        }
        if (c[0] == c[1] || c[1] == c[2] || c[0] == c[2]) {
            continue;
        }
        // One triangle a set of cells, whatever its turn: rotated to start
        // at its least cell, so that both turns of it differ.
        const int first = int(std::min_element(c, c + 3) - c);
        const quint32 a = c[first], b = c[(first + 1) % 3], d = c[(first + 2) % 3];
        const quint64 key = (quint64(a) << 42) ^ (quint64(b) << 21) ^ quint64(d);
        if (kept.insert(key).second) {
            copy.indices.insert(copy.indices.end(), {a, b, d});
        }
    }
    copy.triangles_read = copy.triangle_count();
    return copy;
}
} // namespace

std::optional<Model> simplified(const Model& model, size_t budget,
                                const std::atomic<bool>& stopping) {
    // A closed surface inside the unit sphere, on a grid of n cells a side
    // over the cube around it, crosses about n² cells, each giving about two
    // triangles: start there, and coarsen until the copy fits.
    int cells = std::max(4, int(std::sqrt(double(budget) / 2)));
    while (!stopping) {
        std::optional<Model> copy = gather(model, cells, stopping);
        if (!copy || copy->triangle_count() <= budget || cells <= 4) {
            return copy;
        }
        cells = std::max(4, int(cells * std::sqrt(double(budget) / copy->triangle_count()) * 0.95));
    }
    return std::nullopt;
}
