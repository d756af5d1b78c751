#include "Picking.h"

#include <algorithm>
#include <limits>

namespace {
// How far along the ray it meets the triangle a b c, if it does (Möller
// and Trumbore's test).
std::optional<float> distance_to(const OrbitCamera::Ray& ray, const QVector3D& a,
                                 const QVector3D& b, const QVector3D& c) {
    const QVector3D ab = b - a, ac = c - a;
    const QVector3D p = QVector3D::crossProduct(ray.direction, ac);
    const float determinant = QVector3D::dotProduct(ab, p);
    if (std::abs(determinant) < 1e-12f) {
        return std::nullopt;
    }
    const QVector3D from_a = ray.origin - a;
    const float u = QVector3D::dotProduct(from_a, p) / determinant;
    if (u < 0 || u > 1) {
        return std::nullopt;
    }
    const QVector3D q = QVector3D::crossProduct(from_a, ab);
    const float v = QVector3D::dotProduct(ray.direction, q) / determinant;
    if (v < 0 || u + v > 1) {
        return std::nullopt;
    }
    const float t = QVector3D::dotProduct(ac, q) / determinant;
    return t > 0 ? std::optional(t) : std::nullopt;
}
} // namespace

std::optional<QVector3D> first_hit(const Model& model, const OrbitCamera::Ray& ray) {
    float nearest = std::numeric_limits<float>::max();
    for (size_t t = 0; t < model.triangle_count(); ++t) {
        const std::optional<float> d =
            distance_to(ray, model.corner(t, 0), model.corner(t, 1), model.corner(t, 2));
        if (d && *d < nearest) {
            nearest = *d;
        }
    }
    if (nearest == std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return ray.origin + ray.direction * nearest;
}

std::optional<QVector3D> centre_in_sight(const Model& model, const OrbitCamera& camera,
                                         const QSizeF& viewport) {
    const ViewAxes to_view = camera.view_axes();
    const ScreenProjection to_screen = camera.screen_projection(viewport);
    const QRectF screen(QPointF(), viewport);
    QVector3D low(std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                  std::numeric_limits<float>::max());
    QVector3D high = -low;
    bool any = false;
    for (const QVector3D& v : model.vertices) {
        const std::optional<QPointF> pixel = to_screen(to_view(v));
        if (pixel && screen.contains(*pixel)) {
            any = true;
            for (int k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], v[k]);
                high[k] = std::max(high[k], v[k]);
            }
        }
    }
    return any ? std::optional((low + high) / 2) : std::nullopt;
}
