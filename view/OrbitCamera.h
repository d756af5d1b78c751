#pragma once

// The camera of a model view: it looks at a target from a distance, turned
// by an orientation. World z is up; the front of a model faces -y.

#include <QMatrix4x4>
#include <QPointF>
#include <QQuaternion>
#include <QSizeF>
#include <QVector3D>
#include <optional>
#include <span>

#include "StandardViews.h"
#include "tarvik_view_export.h"

// A velocity in view axes (x right, y up, z toward the viewer): how fast
// the model moves and turns about the view's target.
struct ViewMotion {
    QVector3D translation; // half the view's height per second
    QVector3D rotation;    // degrees per second about each view axis
    bool is_zero() const { return translation.isNull() && rotation.isNull(); }
};

// Turns world points into view coordinates from an origin: made once, it
// turns many points at the cost of three dot products each.
struct ViewAxes {
    QVector3D origin, right, up, backward;
    QVector3D operator()(const QVector3D& world) const {
        const QVector3D d = world - origin;
        return {QVector3D::dotProduct(d, right), QVector3D::dotProduct(d, up),
                QVector3D::dotProduct(d, backward)};
    }
};

// Puts view points on a viewport, in pixels with y down: made once, it
// projects many without working the camera's scale out again.
struct ScreenProjection {
    QPointF centre;
    float scale;    // pixels per unit at the target's depth
    float distance; // from the eye to the target
    float nearest;  // depth from the eye below which a point is at the eye
    bool perspective;
    // Nothing for a point at or behind the eye.
    std::optional<QPointF> operator()(const QVector3D& view) const {
        float at = scale;
        if (perspective) {
            const float depth = distance - view.z();
            if (depth <= nearest) {
                return std::nullopt;
            }
            at *= distance / depth;
        }
        return QPointF(centre.x() + view.x() * at, centre.y() - view.y() * at);
    }
};

class TARVIK_VIEW_EXPORT OrbitCamera {
public:
    enum class Projection { perspective, orthographic };

    // Looks at the origin from the isometric direction, in perspective.
    OrbitCamera();

    QVector3D target() const { return target_; }
    void set_target(const QVector3D& target) { target_ = target; }
    float distance() const { return distance_; }
    // Kept above a tiny positive distance.
    void set_distance(float distance);
    // Turns the view's axes into world axes.
    QQuaternion orientation() const { return orientation_; }
    void set_orientation(const QQuaternion& orientation);
    Projection projection() const { return projection_; }
    void set_projection(Projection projection) { projection_ = projection; }
    // Perspective and orthographic show the target at one size.
    void toggle_projection();
    // The vertical field of view, in degrees; the orthographic view shows
    // as much at the target as the perspective one.
    float field_of_view() const { return field_of_view_; }
    void set_field_of_view(float degrees);

    // The view's axes in world coordinates: right, up, toward the viewer.
    QVector3D right() const;
    QVector3D up() const;
    QVector3D backward() const;
    QVector3D eye() const { return target_ + backward() * distance_; }

    // A world point in view coordinates, from the target.
    QVector3D to_view(const QVector3D& world) const { return view_axes()(world); }
    // The view's axes from a point, by default the target.
    ViewAxes view_axes() const { return view_axes(target_); }
    ViewAxes view_axes(const QVector3D& origin) const;
    // A view point on a viewport, in pixels with y down; nothing for a
    // point at or behind the eye.
    std::optional<QPointF> to_screen(const QVector3D& view, const QSizeF& viewport) const {
        return screen_projection(viewport)(view);
    }
    ScreenProjection screen_projection(const QSizeF& viewport) const;
    // Pixels per model unit at the target's depth.
    float pixels_per_unit(const QSizeF& viewport) const;

    // What a graphics card needs: the world in the eye's axes, and their
    // projection on a viewport, drawing the depths from the eye between
    // which the sphere about `centre` of `radius` lies. The same picture as
    // screen_projection() gives.
    QMatrix4x4 view_matrix() const;
    QMatrix4x4 projection_matrix(const QSizeF& viewport, const QVector3D& centre,
                                 float radius) const;

    // Looks along a standard direction, the model's up where a user expects
    // it; the target and distance stay.
    void show(StandardView view);
    // The standard view the camera looks along, if any.
    std::optional<StandardView> standard_view() const;
    // Turns the model about a view axis through the target.
    void turn_model(const QVector3D& view_axis, float degrees);
    // Turns the model about a world axis through a point, which stays where
    // it is on the screen.
    void turn_about(const QVector3D& centre, const QVector3D& world_axis, float degrees);
    // Turns the view about its own axis, about a point, until the world's up
    // axis (z) shows vertical, up; nothing when the view looks along it.
    void level(const QVector3D& centre);
    // Moves the model across the view by a number of pixels.
    void pan(const QPointF& pixels, const QSizeF& viewport);
    // Shows the model `factor` times larger.
    void zoom(float factor);
    // Zooms keeping the model point under a pixel where it is.
    void zoom_about(float factor, const QPointF& pixel, const QSizeF& viewport);
    // Moves by a velocity for a time, turning about the target.
    void move(const ViewMotion& motion, float seconds);
    // The same, turning about `centre`; with the horizon locked, the turn
    // about the view's vertical axis turns about the world's up axis, the
    // roll is dropped, and the view stays level.
    void move(const ViewMotion& motion, float seconds, const QVector3D& centre,
              bool horizon_locked);

    // The line of sight through a pixel: from the eye (or, orthographic,
    // from behind the model), toward the scene.
    struct Ray {
        QVector3D origin;
        QVector3D direction; // of unit length
    };
    Ray ray_through(const QPointF& pixel, const QSizeF& viewport) const;
    // Shows every point inside the viewport with a small margin, keeping
    // the orientation and the projection. No points: nothing changes.
    void fit(std::span<const QVector3D> points, const QSizeF& viewport);

    // The share of each half of the viewport a fit leaves empty.
    static constexpr float fit_margin = 0.05f;

private:
    // Half the viewport's height, in view units at distance 1.
    float half_height_at_unit_distance() const;
    // The point of the target's plane under a pixel.
    QVector3D on_target_plane(const QPointF& pixel, const QSizeF& viewport) const;
    // The camera turned with the world about a point: what the model does
    // is the opposite.
    void turn_camera(const QVector3D& centre, const QQuaternion& rotation);

    QVector3D target_;
    float distance_ = 10;
    QQuaternion orientation_;
    Projection projection_ = Projection::perspective;
    float field_of_view_ = 30;
};
