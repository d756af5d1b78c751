#include "OrbitCamera.h"

#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {
// Nearer than this share of the distance, a point counts as at the eye.
const float near_share = 1e-3f;
const float smallest_distance = 1e-6f;

struct Axes {
    QVector3D right, up, backward;
};

Axes axes_of(StandardView view) {
    const QVector3D x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    switch (view) {
    case StandardView::front:
        return {x, z, -y};
    case StandardView::back:
        return {-x, z, y};
    case StandardView::left:
        return {-y, z, -x};
    case StandardView::right:
        return {y, z, x};
    case StandardView::top:
        return {x, y, z};
    case StandardView::bottom:
        return {x, -y, -z};
    case StandardView::isometric:
        break;
    }
    // From the front, the right and above, the world's up still up.
    const QVector3D backward = QVector3D(1, -1, 1).normalized();
    const QVector3D up = (z - backward * QVector3D::dotProduct(z, backward)).normalized();
    return {QVector3D::crossProduct(up, backward), up, backward};
}

struct Extent {
    float low = std::numeric_limits<float>::max();
    float high = std::numeric_limits<float>::lowest();
    void take(float value) {
        low = std::min(low, value);
        high = std::max(high, value);
    }
    float middle() const { return (low + high) / 2; }
};
} // namespace

OrbitCamera::OrbitCamera() {
    show(StandardView::isometric);
}

void OrbitCamera::set_distance(float distance) {
    distance_ = std::isfinite(distance) ? std::max(distance, smallest_distance) : distance_;
}

void OrbitCamera::set_orientation(const QQuaternion& orientation) {
    orientation_ = orientation.normalized();
}

void OrbitCamera::toggle_projection() {
    projection_ =
        projection_ == Projection::perspective ? Projection::orthographic : Projection::perspective;
}

void OrbitCamera::set_field_of_view(float degrees) {
    field_of_view_ = std::clamp(degrees, 1.0f, 150.0f);
}

QVector3D OrbitCamera::right() const {
    return orientation_.rotatedVector(QVector3D(1, 0, 0));
}

QVector3D OrbitCamera::up() const {
    return orientation_.rotatedVector(QVector3D(0, 1, 0));
}

QVector3D OrbitCamera::backward() const {
    return orientation_.rotatedVector(QVector3D(0, 0, 1));
}

ViewAxes OrbitCamera::view_axes(const QVector3D& origin) const {
    return {origin, right(), up(), backward()};
}

float OrbitCamera::half_height_at_unit_distance() const {
    return std::tan(qDegreesToRadians(field_of_view_) / 2);
}

float OrbitCamera::pixels_per_unit(const QSizeF& viewport) const {
    return float(viewport.height() / 2) / (half_height_at_unit_distance() * distance_);
}

ScreenProjection OrbitCamera::screen_projection(const QSizeF& viewport) const {
    return {QPointF(viewport.width() / 2, viewport.height() / 2), pixels_per_unit(viewport),
            distance_, distance_ * near_share, projection_ == Projection::perspective};
}

QMatrix4x4 OrbitCamera::view_matrix() const {
    QMatrix4x4 matrix;
    matrix.lookAt(eye(), target_, up());
    return matrix;
}

QMatrix4x4 OrbitCamera::projection_matrix(const QSizeF& viewport, const QVector3D& centre,
                                          float radius) const {
    const float depth = QVector3D::dotProduct(eye() - centre, backward());
    // A little beyond the sphere, so that its own faces are never clipped.
    const float margin = radius * 0.01f + 1e-6f;
    const float farthest = std::max(depth + radius + margin, distance_ * 2);
    const float aspect = float(viewport.width() / std::max(1.0, viewport.height()));
    QMatrix4x4 matrix;
    if (projection_ == Projection::perspective) {
        const float nearest = std::max(depth - radius - margin, distance_ * near_share);
        matrix.perspective(field_of_view_, aspect, nearest, farthest);
    } else {
        const float half = half_height_at_unit_distance() * distance_;
        matrix.ortho(-half * aspect, half * aspect, -half, half, depth - radius - margin, farthest);
    }
    return matrix;
}

void OrbitCamera::show(StandardView view) {
    const Axes axes = axes_of(view);
    set_orientation(QQuaternion::fromAxes(axes.right, axes.up, axes.backward));
}

std::optional<StandardView> OrbitCamera::standard_view() const {
    for (const StandardViewEntry& entry : standard_views) {
        OrbitCamera other;
        other.show(entry.view);
        if (std::abs(QQuaternion::dotProduct(other.orientation_, orientation_)) > 1 - 1e-5f) {
            return entry.view;
        }
    }
    return std::nullopt;
}

void OrbitCamera::turn_model(const QVector3D& view_axis, float degrees) {
    if (view_axis.isNull() || !std::isfinite(degrees)) {
        return;
    }
    // The model turning one way is the camera turning the other about it.
    set_orientation(orientation_ * QQuaternion::fromAxisAndAngle(view_axis, -degrees));
}

void OrbitCamera::turn_camera(const QVector3D& centre, const QQuaternion& rotation) {
    target_ = centre + rotation.rotatedVector(target_ - centre);
    set_orientation(rotation * orientation_);
}

void OrbitCamera::turn_about(const QVector3D& centre, const QVector3D& world_axis, float degrees) {
    if (world_axis.isNull() || !std::isfinite(degrees)) {
        return;
    }
    turn_camera(centre, QQuaternion::fromAxisAndAngle(world_axis, -degrees));
}

void OrbitCamera::level(const QVector3D& centre) {
    const QVector3D z(0, 0, 1);
    const QVector3D level_right = QVector3D::crossProduct(-backward(), z);
    if (level_right.length() < 1e-4f) {
        return;
    }
    const QVector3D right_axis = level_right.normalized();
    const QVector3D up_axis = QVector3D::crossProduct(backward(), right_axis);
    const QQuaternion levelled = QQuaternion::fromAxes(right_axis, up_axis, backward());
    turn_camera(centre, levelled * orientation_.conjugated());
}

void OrbitCamera::pan(const QPointF& pixels, const QSizeF& viewport) {
    const float units = 1 / pixels_per_unit(viewport);
    target_ -= (right() * float(pixels.x()) - up() * float(pixels.y())) * units;
}

void OrbitCamera::zoom(float factor) {
    if (factor > 0 && std::isfinite(factor)) {
        set_distance(distance_ / factor);
    }
}

QVector3D OrbitCamera::on_target_plane(const QPointF& pixel, const QSizeF& viewport) const {
    const QPointF from_centre = pixel - QPointF(viewport.width() / 2, viewport.height() / 2);
    return target_ + (right() * float(from_centre.x()) - up() * float(from_centre.y())) /
                         pixels_per_unit(viewport);
}

void OrbitCamera::zoom_about(float factor, const QPointF& pixel, const QSizeF& viewport) {
    if (!(factor > 0) || !std::isfinite(factor)) {
        return;
    }
    // The point under the pixel on the target's plane stays under it.
    const QVector3D under = on_target_plane(pixel, viewport);
    target_ = under + (target_ - under) / factor;
    zoom(factor);
}

OrbitCamera::Ray OrbitCamera::ray_through(const QPointF& pixel, const QSizeF& viewport) const {
    const QVector3D on_plane = on_target_plane(pixel, viewport);
    if (projection_ == Projection::perspective) {
        return {eye(), (on_plane - eye()).normalized()};
    }
    // Far enough behind to start before any model the view can show.
    return {on_plane + backward() * (distance_ * 1e3f + 1e3f), -backward()};
}

void OrbitCamera::move(const ViewMotion& motion, float seconds) {
    move(motion, seconds, target_, false);
}

void OrbitCamera::move(const ViewMotion& motion, float seconds, const QVector3D& centre,
                       bool horizon_locked) {
    const float half_height = half_height_at_unit_distance() * distance_;
    const QVector3D step = motion.translation * seconds;
    target_ -= (right() * step.x() + up() * step.y()) * half_height;
    // Toward the viewer is closer, by a share of the distance: never through.
    zoom(std::exp(step.z()));
    const QVector3D turn = motion.rotation * seconds;
    if (!horizon_locked) {
        turn_about(centre, orientation_.rotatedVector(turn.normalized()), turn.length());
        return;
    }
    turn_about(centre, QVector3D(0, 0, 1), turn.y());
    turn_about(centre, right(), turn.x());
    level(centre);
}

void OrbitCamera::fit(std::span<const QVector3D> points, const QSizeF& viewport) {
    if (points.empty() || viewport.isEmpty()) {
        return;
    }
    // In view axes from the first point, near enough to the others for
    // their differences to keep their precision far from the origin.
    const QVector3D origin = points.front();
    const ViewAxes to_view_axes = view_axes(origin);
    Extent x, y, z;
    for (const QVector3D& point : points) {
        const QVector3D view = to_view_axes(point);
        x.take(view.x());
        y.take(view.y());
        z.take(view.z());
    }
    const QVector3D centre(x.middle(), y.middle(), z.middle());
    const float tan_y = half_height_at_unit_distance() * (1 - fit_margin);
    const float tan_x = tan_y * float(viewport.width() / viewport.height());
    // A point, or a model too small to see, gets a size of its own.
    const float least = 1e-6f * (1 + origin.length());
    const float half_x = std::max((x.high - x.low) / 2, least);
    const float half_y = std::max((y.high - y.low) / 2, least);
    float distance = std::max(half_x / tan_x, half_y / tan_y);
    if (projection_ == Projection::perspective) {
        // Each point must be in the cone: its depth from the eye times the
        // tangent covers its distance from the axis.
        for (const QVector3D& point : points) {
            const QVector3D view = to_view_axes(point) - centre;
            distance = std::max(distance, view.z() + std::max(std::abs(view.x()) / tan_x,
                                                              std::abs(view.y()) / tan_y));
        }
        distance = std::max(distance, (z.high - z.low) / 2 * (1 + 2 * near_share) + least);
    }
    target_ = origin + orientation_.rotatedVector(centre);
    set_distance(distance);
}
