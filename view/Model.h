#pragma once

// A model of flat triangles, as a view draws it.

#include <QRgb>
#include <QString>
#include <QVector3D>
#include <vector>

#include "tarvik_view_export.h"

struct TARVIK_VIEW_EXPORT Model {
    // The file's name; none for the built-in model.
    QString name;
    // Three per triangle, in order.
    std::vector<QVector3D> vertices;
    // One per triangle.
    std::vector<QRgb> colours;

    size_t triangle_count() const { return colours.size(); }
    void add_triangle(const QVector3D& a, const QVector3D& b, const QVector3D& c, QRgb colour);
};

// The model a view shows when none is open: a small house whose front has
// a door, whose roof is on top and whose chimney is at the right, so that
// a view's orientation reads at a glance.
TARVIK_VIEW_EXPORT Model built_in_model();
