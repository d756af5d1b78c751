#include "Model.h"

#include <algorithm>
#include <cmath>

void Model::add_triangle(const QVector3D& a, const QVector3D& b, const QVector3D& c, QRgb colour) {
    vertices.insert(vertices.end(), {a, b, c});
    colours.push_back(colour);
}

namespace {
// Faces are cut into cells no larger than this, so that drawing them back
// to front puts a door in front of its wall from every side.
const float cell_size = 0.25f;

int cells_along(const QVector3D& edge) {
    return std::max(1, int(std::ceil(edge.length() / cell_size)));
}

// The quadrilateral a b c d, in order around it, as a grid of cells.
void add_quad(Model& model, const QVector3D& a, const QVector3D& b, const QVector3D& c,
              const QVector3D& d, QRgb colour) {
    const int across = cells_along(b - a);
    const int up = cells_along(d - a);
    const auto at = [&](int i, int j) {
        const float s = float(i) / float(across), t = float(j) / float(up);
        return a * (1 - s) * (1 - t) + b * s * (1 - t) + c * s * t + d * (1 - s) * t;
    };
    for (int i = 0; i < across; ++i) {
        for (int j = 0; j < up; ++j) {
            model.add_triangle(at(i, j), at(i + 1, j), at(i + 1, j + 1), colour);
            model.add_triangle(at(i, j), at(i + 1, j + 1), at(i, j + 1), colour);
        }
    }
}

// A door or a window: a rectangle of a wall, in the wall's own units.
struct Opening {
    float left, right, bottom, top;
    QRgb colour;
};

// Where a wall of `length` is cut: at each opening's edges.
std::vector<float> cuts_along(float length, const std::vector<Opening>& openings, bool across) {
    std::vector<float> cuts{0, length};
    for (const Opening& opening : openings) {
        cuts.push_back(across ? opening.left : opening.bottom);
        cuts.push_back(across ? opening.right : opening.top);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    return cuts;
}

// A flat wall from `corner`, `across` and `up` long, facing across × up,
// its openings drawn in it in their colours: flush with the wall, they
// can never be drawn behind it.
void add_wall(Model& model, const QVector3D& corner, const QVector3D& across, const QVector3D& up,
              QRgb colour, const std::vector<Opening>& openings = {}) {
    const QVector3D u = across.normalized(), v = up.normalized();
    const std::vector<float> xs = cuts_along(across.length(), openings, true);
    const std::vector<float> ys = cuts_along(up.length(), openings, false);
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        for (size_t j = 0; j + 1 < ys.size(); ++j) {
            const float mid_x = (xs[i] + xs[i + 1]) / 2, mid_y = (ys[j] + ys[j + 1]) / 2;
            QRgb cell = colour;
            for (const Opening& opening : openings) {
                if (mid_x > opening.left && mid_x < opening.right && mid_y > opening.bottom &&
                    mid_y < opening.top) {
                    cell = opening.colour;
                }
            }
            const auto at = [&](size_t x, size_t y) { return corner + u * xs[x] + v * ys[y]; };
            add_quad(model, at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1), cell);
        }
    }
}

// The triangle a b c, cut into n² smaller ones.
void add_cut_triangle(Model& model, const QVector3D& a, const QVector3D& b, const QVector3D& c,
                      QRgb colour) {
    const int n = std::max(cells_along(b - a), cells_along(c - a));
    const auto at = [&](int i, int j) {
        return a + (b - a) * (float(i) / float(n)) + (c - a) * (float(j) / float(n));
    };
    for (int i = 0; i < n; ++i) {
        for (int j = 0; i + j < n; ++j) {
            model.add_triangle(at(i, j), at(i + 1, j), at(i, j + 1), colour);
            if (i + j + 1 < n) {
                model.add_triangle(at(i + 1, j), at(i + 1, j + 1), at(i, j + 1), colour);
            }
        }
    }
}

// The box between two corners, each face turned outward.
void add_box(Model& model, const QVector3D& low, const QVector3D& high, QRgb colour) {
    const auto corner = [&](bool x, bool y, bool z) {
        return QVector3D(x ? high.x() : low.x(), y ? high.y() : low.y(), z ? high.z() : low.z());
    };
    add_quad(model, corner(0, 0, 0), corner(1, 0, 0), corner(1, 0, 1), corner(0, 0, 1), colour);
    add_quad(model, corner(1, 1, 0), corner(0, 1, 0), corner(0, 1, 1), corner(1, 1, 1), colour);
    add_quad(model, corner(0, 1, 0), corner(0, 0, 0), corner(0, 0, 1), corner(0, 1, 1), colour);
    add_quad(model, corner(1, 0, 0), corner(1, 1, 0), corner(1, 1, 1), corner(1, 0, 1), colour);
    add_quad(model, corner(0, 0, 1), corner(1, 0, 1), corner(1, 1, 1), corner(0, 1, 1), colour);
    add_quad(model, corner(0, 1, 0), corner(1, 1, 0), corner(1, 0, 0), corner(0, 0, 0), colour);
}
} // namespace

Model built_in_model() {
    const QRgb wall = qRgb(0xe8, 0xdc, 0xc0), floor = qRgb(0x4a, 0x4f, 0x57),
               roof = qRgb(0xb8, 0x3a, 0x2e), door = qRgb(0x6b, 0x43, 0x24),
               glass = qRgb(0x7f, 0xb6, 0xdb), brick = qRgb(0x7a, 0x2f, 0x28),
               eaves = qRgb(0x9a, 0x74, 0x4c), stone = qRgb(0xa9, 0xad, 0xb3);
    Model model;
    // The body, 3 wide along x, 2 deep, 1.5 high; its front faces -y.
    const QVector3D up(0, 0, 1.5f);
    // The front wall is cut where the step before the door meets it too.
    add_wall(model, {-1.5f, -1, 0}, {3, 0, 0}, up, wall,
             {{1.2f, 1.8f, 0, 0.1f, wall},
              {1.2f, 1.8f, 0, 1.1f, door},
              {0.3f, 0.9f, 0.6f, 1.15f, glass},
              {2.1f, 2.7f, 0.6f, 1.15f, glass}});
    add_wall(model, {1.5f, 1, 0}, {-3, 0, 0}, up, wall, {{1, 2, 0.6f, 1.15f, glass}});
    add_wall(model, {-1.5f, 1, 0}, {0, -2, 0}, up, wall, {{0.7f, 1.3f, 0.6f, 1.15f, glass}});
    add_wall(model, {1.5f, -1, 0}, {0, 2, 0}, up, wall);
    add_wall(model, {-1.5f, 1, 0}, {3, 0, 0}, {0, -2, 0}, floor);
    // A gable roof, its ridge along x, overhanging the walls.
    const QVector3D front_left(-1.6f, -1.15f, 1.5f), front_right(1.6f, -1.15f, 1.5f),
        back_left(-1.6f, 1.15f, 1.5f), back_right(1.6f, 1.15f, 1.5f), ridge_left(-1.6f, 0, 2.6f),
        ridge_right(1.6f, 0, 2.6f);
    add_quad(model, front_left, front_right, ridge_right, ridge_left, roof);
    // The back slope is cut where the chimney stands, so that no cell of it
    // reaches under the chimney.
    const QVector3D slope = ridge_right - back_right;
    const auto along_slope = [&](float y) { return (1.15f - y) / 1.15f * slope.length(); };
    add_wall(model, back_right, back_left - back_right, slope, roof,
             {{1.6f - 1.15f, 1.6f - 0.8f, along_slope(0.6f), along_slope(0.25f), roof}});
    // The gables, flush with the walls below them and just under the roof.
    add_cut_triangle(model, {-1.5f, 1, 1.5f}, {-1.5f, -1, 1.5f}, {-1.5f, 0, 2.6f}, wall);
    add_cut_triangle(model, {1.5f, -1, 1.5f}, {1.5f, 1, 1.5f}, {1.5f, 0, 2.6f}, wall);
    add_quad(model, back_left, back_right, front_right, front_left, eaves);
    // A step before the door: the front reads from below too.
    add_box(model, {-0.3f, -1.4f, 0}, {0.3f, -1, 0.1f}, stone);
    // The chimney, at the right of the back slope, standing on it.
    const auto chimney = [](float x, float y, bool top) {
        return QVector3D(x, y, top ? 2.95f : 2.6f - 1.1f / 1.15f * y - 0.01f);
    };
    const float x0 = 0.8f, x1 = 1.15f, y0 = 0.25f, y1 = 0.6f;
    add_quad(model, chimney(x0, y0, false), chimney(x1, y0, false), chimney(x1, y0, true),
             chimney(x0, y0, true), brick);
    add_quad(model, chimney(x1, y1, false), chimney(x0, y1, false), chimney(x0, y1, true),
             chimney(x1, y1, true), brick);
    add_quad(model, chimney(x0, y1, false), chimney(x0, y0, false), chimney(x0, y0, true),
             chimney(x0, y1, true), brick);
    add_quad(model, chimney(x1, y0, false), chimney(x1, y1, false), chimney(x1, y1, true),
             chimney(x1, y0, true), brick);
    add_quad(model, chimney(x0, y0, true), chimney(x1, y0, true), chimney(x1, y1, true),
             chimney(x0, y1, true), brick);
    return model;
}
