#include "Model.h"

#include <QtGlobal>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace {
using Point = Model::Point;

Point minus(const Point& a, const Point& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Point cross(const Point& a, const Point& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double dot(const Point& a, const Point& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Point point_of(const QVector3D& v) {
    return {v.x(), v.y(), v.z()};
}

quint32 bits_of(float value) {
    // +0 and -0 are one corner.
    return value == 0 ? 0 : std::bit_cast<quint32>(value);
}
} // namespace

// The corners kept so far, each once, relative to the first one: a hash
// table of their numbers finds a corner met before.
class ModelBuilder::Corners {
public:
    explicit Corners(size_t expected) {
        // A closed surface has about half as many corners as triangles.
        positions_.reserve(expected / 2 + 16);
        grow_table(std::bit_ceil(std::max<size_t>(expected + expected / 2, 64)));
    }

    // The corner's number; a new corner is added.
    quint32 find_or_add(const Point& point, QRgb colour) {
        if (positions_.empty()) {
            origin_ = point;
        }
        const Point relative = minus(point, origin_);
        const QVector3D v{float(relative[0]), float(relative[1]), float(relative[2])};
        const size_t h = hash(v, colour);
        // Neighbouring triangles share corners: a small cache of the corners
        // met lately spares most look-ups in the large table.
        Recent& recent = recent_[h & (recent_size - 1)];
        if (recent.number != no_corner && recent.v == v && recent.colour == colour) {
            return recent.number;
        }
        const quint32 number = find_or_add(v, relative, colour, h);
        recent = {v, colour, number};
        return number;
    }

    size_t count() const { return positions_.size(); }

private:
    quint32 find_or_add(const QVector3D& v, const Point& relative, QRgb colour, size_t h) {
        const size_t mask = table_.size() - 1;
        for (size_t slot = h & mask;; slot = (slot + 1) & mask) {
            const quint32 number = table_[slot];
            if (number == no_corner) {
                table_[slot] = add(v, relative, colour);
                if (2 * positions_.size() > table_.size()) {
                    grow_table(2 * table_.size());
                }
                return quint32(positions_.size() - 1);
            }
            if (same(number, v, colour)) {
                return number;
            }
        }
    }

public:
    // The corners relative to the box's centre, over half its diagonal.
    void finish(Model& model) {
        std::vector<quint32>().swap(table_);
        Point middle, half;
        for (int k = 0; k < 3; ++k) {
            middle[k] = (low_[k] + high_[k]) / 2;
            half[k] = (high_[k] - low_[k]) / 2;
        }
        const double size = std::sqrt(dot(half, half));
        model.size = size > 0 ? size : 1;
        for (int k = 0; k < 3; ++k) {
            model.centre[k] = origin_[k] + middle[k];
        }
        for (QVector3D& v : positions_) {
            v = QVector3D(float((v.x() - middle[0]) / model.size),
                          float((v.y() - middle[1]) / model.size),
                          float((v.z() - middle[2]) / model.size));
        }
        model.vertices = std::move(positions_);
        model.colours = std::move(colours_);
        if (model.colours.empty()) {
            model.colour = uniform_colour_;
        }
    }

private:
    static constexpr quint32 no_corner = 0xffffffff;

    static size_t hash(const QVector3D& v, QRgb colour) {
        quint64 h = 0x9e3779b97f4a7c15ull;
        const quint32 words[] = {bits_of(v.x()), bits_of(v.y()), bits_of(v.z()), quint32(colour)};
        for (const quint32 word : words) {
            h = (h ^ word) * 0xff51afd7ed558ccdull;
            h ^= h >> 32;
        }
        return size_t(h);
    }

    bool same(quint32 number, const QVector3D& v, QRgb colour) const {
        const QVector3D& kept = positions_[number];
        return bits_of(kept.x()) == bits_of(v.x()) && bits_of(kept.y()) == bits_of(v.y()) &&
               bits_of(kept.z()) == bits_of(v.z()) && colour_of(number) == colour;
    }

    QRgb colour_of(quint32 number) const {
        return colours_.empty() ? uniform_colour_ : colours_[number];
    }

    quint32 add(const QVector3D& v, const Point& relative, QRgb colour) {
        if (positions_.empty()) {
            uniform_colour_ = colour;
            low_ = high_ = relative;
        }
        // Colours are kept a corner only once two differ.
        if (colours_.empty() && colour != uniform_colour_) {
            colours_.assign(positions_.size(), uniform_colour_);
        }
        if (!colours_.empty()) {
            colours_.push_back(colour);
        }
        for (int k = 0; k < 3; ++k) {
            low_[k] = std::min(low_[k], relative[k]);
            high_[k] = std::max(high_[k], relative[k]);
        }
        positions_.push_back(v);
        return quint32(positions_.size() - 1);
    }

    void grow_table(size_t slot_count) {
        table_.assign(slot_count, no_corner);
        const size_t mask = slot_count - 1;
        for (quint32 number = 0; number < positions_.size(); ++number) {
            size_t slot = hash(positions_[number], colour_of(number)) & mask;
            while (table_[slot] != no_corner) {
                slot = (slot + 1) & mask;
            }
            table_[slot] = number;
        }
    }

    Point origin_{};
    Point low_{}, high_{};
    std::vector<QVector3D> positions_;
    std::vector<QRgb> colours_;
    QRgb uniform_colour_ = Model::default_colour;
    std::vector<quint32> table_;
    struct Recent {
        QVector3D v;
        QRgb colour = 0;
        quint32 number = no_corner;
    };
    static constexpr size_t recent_size = 8192;
    std::vector<Recent> recent_ = std::vector<Recent>(recent_size);
};

ModelBuilder::ModelBuilder(size_t expected)
    : corners_(std::make_unique<Corners>(expected)) {
    indices_.reserve(3 * expected);
}

ModelBuilder::~ModelBuilder() = default;

void ModelBuilder::add_triangle(const Point& a, const Point& b, const Point& c, const Point& normal,
                                QRgb colour) {
    ++triangles_read_;
    if (a == b && b == c) {
        return;
    }
    const Point ab = minus(b, a), ac = minus(c, a);
    const Point turn = cross(ab, ac);
    // Rounding leaves a trace of area on a straight triangle: only a turn
    // of some size against its sides counts.
    const double area = std::sqrt(dot(turn, turn));
    has_surface_ = has_surface_ || area > 1e-12 * std::sqrt(dot(ab, ab)) * std::sqrt(dot(ac, ac));
    const bool flipped = dot(normal, turn) < 0;
    indices_.push_back(corners_->find_or_add(a, colour));
    indices_.push_back(corners_->find_or_add(flipped ? c : b, colour));
    indices_.push_back(corners_->find_or_add(flipped ? b : c, colour));
}

void ModelBuilder::add_triangle(const QVector3D& a, const QVector3D& b, const QVector3D& c,
                                QRgb colour) {
    add_triangle(point_of(a), point_of(b), point_of(c), {}, colour);
}

Model ModelBuilder::finish(const QString& name) {
    Model model;
    model.name = name;
    corners_->finish(model);
    model.indices = std::move(indices_);
    model.triangles_read = triangles_read_;
    corners_ = std::make_unique<Corners>(0);
    indices_.clear();
    triangles_read_ = 0;
    has_surface_ = false;
    return model;
}

namespace {
// Faces are cut into cells no larger than this, so that drawing them back
// to front puts a door in front of its wall from every side.
const float cell_size = 0.25f;

int cells_along(const QVector3D& edge) {
    return std::max(1, int(std::ceil(edge.length() / cell_size)));
}

// The quadrilateral a b c d, in order around it, as a grid of cells.
void add_quad(ModelBuilder& model, const QVector3D& a, const QVector3D& b, const QVector3D& c,
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
void add_wall(ModelBuilder& model, const QVector3D& corner, const QVector3D& across,
              const QVector3D& up, QRgb colour, const std::vector<Opening>& openings = {}) {
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
void add_cut_triangle(ModelBuilder& model, const QVector3D& a, const QVector3D& b,
                      const QVector3D& c, QRgb colour) {
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
void add_box(ModelBuilder& model, const QVector3D& low, const QVector3D& high, QRgb colour) {
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
    ModelBuilder model;
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
    return model.finish(QString());
}
