#pragma once

// A model of flat triangles as a view draws it: shared corners and three
// indices a triangle. The corners are kept relative to the centre of the
// model's box and over half its diagonal, so that a model far from the
// origin, or of any size, draws with the precision of one near it.

#include <QRgb>
#include <QString>
#include <QVector3D>
#include <array>
#include <memory>
#include <vector>

#include "tarvik_model_export.h"

struct TARVIK_MODEL_EXPORT Model {
    using Point = std::array<double, 3>;

    // The file's name; none for the built-in model.
    QString name;
    // The solids of the file, and the triangles it holds: those whose
    // corners are one point draw nothing and are not kept.
    int solids = 1;
    size_t triangles_read = 0;
    // The parts of a CAD assembly and their faces, each placement counted:
    // none for a mesh format.
    int parts = 0;
    size_t faces = 0;
    // The unit of length the file gives, as it names it; drawn in
    // millimetres. Empty where the format names none.
    QString unit;
    // The centre of the box, in the file's coordinates, and half its
    // diagonal: a corner v stands at centre + size × v.
    Point centre{};
    double size = 1;
    // Within the unit sphere.
    std::vector<QVector3D> vertices;
    // Three a triangle, turned so that its corners go counter-clockwise
    // about the side that faces out.
    std::vector<quint32> indices;
    // One a corner; empty when every triangle has `colour`.
    std::vector<QRgb> colours;
    QRgb colour = default_colour;

    static constexpr QRgb default_colour = qRgb(0x8f, 0xa8, 0xc8);

    size_t triangle_count() const { return indices.size() / 3; }
    const QVector3D& corner(size_t triangle, int c) const {
        return vertices[indices[3 * triangle + size_t(c)]];
    }
    QRgb colour_of(size_t triangle) const {
        return colours.empty() ? colour : colours[indices[3 * triangle]];
    }
    // Where a corner stands in the file's coordinates.
    Point in_file(const QVector3D& v) const {
        return {centre[0] + size * v.x(), centre[1] + size * v.y(), centre[2] + size * v.z()};
    }
};

// Builds a model triangle by triangle, corners in the file's coordinates:
// equal corners are kept once, a triangle whose stored normal disagrees
// with its turn is turned, and the corners end relative to the box.
class TARVIK_MODEL_EXPORT ModelBuilder {
public:
    using Point = Model::Point;

    // `expected` triangles, if known, spare the growing of its arrays.
    explicit ModelBuilder(size_t expected = 0);
    ~ModelBuilder();
    ModelBuilder(const ModelBuilder&) = delete;
    ModelBuilder& operator=(const ModelBuilder&) = delete;

    // A zero normal says nothing of the turn; any other wins over it.
    void add_triangle(const Point& a, const Point& b, const Point& c, const Point& normal = {},
                      QRgb colour = Model::default_colour);
    void add_triangle(const QVector3D& a, const QVector3D& b, const QVector3D& c, QRgb colour);

    // Every triangle added, those kept and those that were points.
    size_t triangles_read() const { return triangles_read_; }
    // Whether any triangle has an area: a model of points or lines has none.
    bool has_surface() const { return has_surface_; }
    // The model, relative to its box; the builder is empty after.
    Model finish(const QString& name);

private:
    class Corners;
    std::unique_ptr<Corners> corners_;
    std::vector<quint32> indices_;
    size_t triangles_read_ = 0;
    bool has_surface_ = false;
};

// The model a view shows when none is open: a small house whose front has
// a door, whose roof is on top and whose chimney is at the right, so that
// a view's orientation reads at a glance.
TARVIK_MODEL_EXPORT Model built_in_model();
