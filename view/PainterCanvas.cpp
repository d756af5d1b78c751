#include "PainterCanvas.h"

#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "CanvasScene.h"
#include "Model.h"
#include "OrbitCamera.h"
#include "Shading.h"
#include "ViewOverlay.h"

namespace {
struct Face {
    bool turned_away;
    float depth; // from the eye: the larger, the farther
    quint32 index;
    float lit;
};

// Each triangle on screen, farthest first, faces turned away before the
// others, so that a closed model's front covers its back.
std::vector<Face> faces_in_order(const Model& model, const OrbitCamera& camera,
                                 const QSizeF& viewport, std::vector<QPointF>& corners) {
    const size_t count = model.triangle_count();
    const bool perspective = camera.projection() == OrbitCamera::Projection::perspective;
    const ViewAxes to_view = camera.view_axes();
    const ScreenProjection to_screen = camera.screen_projection(viewport);
    corners.assign(count * 3, QPointF());
    std::vector<Face> faces;
    faces.reserve(count);
    for (size_t t = 0; t < count; ++t) {
        std::array<QVector3D, 3> view;
        bool on_screen = true;
        for (int c = 0; c < 3 && on_screen; ++c) {
            view[size_t(c)] = to_view(model.corner(t, c));
            const std::optional<QPointF> point = to_screen(view[size_t(c)]);
            on_screen = point.has_value();
            corners[3 * t + size_t(c)] = point.value_or(QPointF());
        }
        if (!on_screen) {
            continue;
        }
        const QVector3D centre = (view[0] + view[1] + view[2]) / 3;
        const QVector3D from_eye =
            perspective ? centre - QVector3D(0, 0, camera.distance()) : QVector3D(0, 0, -1);
        const QVector3D normal =
            QVector3D::crossProduct(view[1] - view[0], view[2] - view[0]).normalized();
        const bool turned_away = QVector3D::dotProduct(normal, from_eye) > 0;
        const float depth = perspective ? from_eye.lengthSquared() : -centre.z();
        faces.push_back({turned_away, depth, quint32(t), shading::light_on(normal, turned_away)});
    }
    std::sort(faces.begin(), faces.end(), [](const Face& a, const Face& b) {
        return a.turned_away != b.turned_away ? a.turned_away : a.depth > b.depth;
    });
    return faces;
}
} // namespace

PainterCanvas::PainterCanvas(QWidget& parent, CanvasScene& scene)
    : QWidget(&parent)
    , scene_(scene) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PainterCanvas::paintEvent(QPaintEvent*) {
    const CanvasScene::Drawn drawn = scene_.begin_frame();
    QElapsedTimer timer;
    timer.start();
    QPainter painter(this);
    ViewOverlay::paint_background(painter, rect());
    std::vector<QPointF> corners;
    painter.setPen(Qt::NoPen);
    for (const Face& face : faces_in_order(*drawn.model, scene_.camera(), size(), corners)) {
        painter.setBrush(QColor::fromRgb(
            shading::shade(drawn.model->colour_of(face.index), face.lit, face.turned_away)));
        painter.drawConvexPolygon(&corners[3 * face.index], 3);
    }
    scene_.paint_overlay(painter);
    scene_.frame_drawn(drawn, double(timer.nsecsElapsed()) / 1e6);
}
