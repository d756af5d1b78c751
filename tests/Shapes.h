#pragma once

// Test models: a sphere of rings and segments, a cube and a thin-walled
// tube, corner by corner; and any of them made finer.

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

// A tube along z from -1 to 1, its walls a tenth of its radius thick:
// outside, inside and its two rims, of `segments` about and `rings` along.
inline std::vector<QVector3D> tube_corners(int segments, int rings) {
    const auto at = [&](double radius, int segment, double z) {
        const double azimuth = 2 * M_PI * segment / segments;
        return QVector3D(float(radius * std::cos(azimuth)), float(radius * std::sin(azimuth)),
                         float(z));
    };
    std::vector<QVector3D> corners;
    // A quad from a to b along one side and on to c, d on the other.
    const auto quad = [&](QVector3D a, QVector3D b, QVector3D c, QVector3D d) {
        corners.insert(corners.end(), {a, b, c, a, c, d});
    };
    for (int s = 0; s < segments; ++s) {
        for (int r = 0; r < rings; ++r) {
            const double z0 = -1 + 2.0 * r / rings, z1 = -1 + 2.0 * (r + 1) / rings;
            quad(at(1, s, z0), at(1, s + 1, z0), at(1, s + 1, z1), at(1, s, z1));
            quad(at(0.9, s + 1, z0), at(0.9, s, z0), at(0.9, s, z1), at(0.9, s + 1, z1));
        }
        quad(at(0.9, s, 1), at(1, s, 1), at(1, s + 1, 1), at(0.9, s + 1, 1));
        quad(at(1, s, -1), at(0.9, s, -1), at(0.9, s + 1, -1), at(1, s + 1, -1));
    }
    return corners;
}

// Each triangle split in four at the middles of its edges, `times` over:
// the same surface of sixteen times the triangles for two.
inline std::vector<QVector3D> finer(std::vector<QVector3D> corners, int times) {
    for (int time = 0; time < times; ++time) {
        std::vector<QVector3D> split;
        for (size_t t = 0; t < corners.size(); t += 3) {
            const QVector3D a = corners[t], b = corners[t + 1], c = corners[t + 2];
            const QVector3D ab = (a + b) / 2, bc = (b + c) / 2, ca = (c + a) / 2;
            split.insert(split.end(), {a, ab, ca, ab, b, bc, ca, bc, c, ab, bc, ca});
        }
        corners = std::move(split);
    }
    return corners;
}
