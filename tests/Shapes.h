#pragma once

// Test models: a sphere of rings and segments and a cube, corner by corner.

#include <QVector3D>
#include <cmath>
#include <vector>

// Counter-clockwise about the outside, unless `clockwise`; the outward
// normals of the triangles go to `normals`, if given.
inline std::vector<QVector3D> sphere_corners(int rings, int segments, float radius = 1,
                                             QVector3D centre = {}, bool clockwise = false,
                                             std::vector<QVector3D>* normals = nullptr) {
    const auto at = [&](int ring, int segment) {
        const double polar = M_PI * ring / rings, azimuth = 2 * M_PI * segment / segments;
        return centre + radius * QVector3D(float(std::sin(polar) * std::cos(azimuth)),
                                           float(std::sin(polar) * std::sin(azimuth)),
                                           float(std::cos(polar)));
    };
    std::vector<QVector3D> corners;
    const auto add = [&](QVector3D a, QVector3D b, QVector3D c) {
        if (clockwise) {
            std::swap(b, c);
        }
        corners.insert(corners.end(), {a, b, c});
        if (normals) {
            normals->push_back(((a + b + c) / 3 - centre).normalized());
        }
    };
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment) {
            if (ring > 0) {
                add(at(ring, segment), at(ring + 1, segment), at(ring, segment + 1));
            }
            if (ring + 1 < rings) {
                add(at(ring, segment + 1), at(ring + 1, segment), at(ring + 1, segment + 1));
            }
        }
    }
    return corners;
}

// The cube from (0, 0, 0) to (1, 1, 1): twelve triangles.
inline std::vector<QVector3D> cube_corners() {
    const auto p = [](int x, int y, int z) { return QVector3D(float(x), float(y), float(z)); };
    const QVector3D quads[6][4] = {{p(0, 0, 0), p(1, 0, 0), p(1, 0, 1), p(0, 0, 1)},
                                   {p(1, 1, 0), p(0, 1, 0), p(0, 1, 1), p(1, 1, 1)},
                                   {p(0, 1, 0), p(0, 0, 0), p(0, 0, 1), p(0, 1, 1)},
                                   {p(1, 0, 0), p(1, 1, 0), p(1, 1, 1), p(1, 0, 1)},
                                   {p(0, 0, 1), p(1, 0, 1), p(1, 1, 1), p(0, 1, 1)},
                                   {p(0, 1, 0), p(1, 1, 0), p(1, 0, 0), p(0, 0, 0)}};
    std::vector<QVector3D> corners;
    for (const auto& q : quads) {
        corners.insert(corners.end(), {q[0], q[1], q[2], q[0], q[2], q[3]});
    }
    return corners;
}
