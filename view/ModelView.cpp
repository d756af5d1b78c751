#include "ModelView.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

namespace {
// A frame a screen shows at 60 Hz; a late frame moves by no more than a
// tenth of a second, so that a stall does not fling the model away.
const int frame_ms = 16;
const float longest_step = 0.1f;
const float degrees_per_pixel = 0.4f;
// One notch of the wheel zooms by this much.
const float zoom_per_notch = 1.2f;

// Light from the viewer's upper right; a face lit from behind is lit too,
// since STL files do not agree on which side a face shows.
QRgb shade(QRgb colour, const QVector3D& normal) {
    static const QVector3D light = QVector3D(0.3f, 0.5f, 1).normalized();
    const float lit = 0.35f + 0.65f * std::abs(QVector3D::dotProduct(normal, light));
    return qRgb(int(float(qRed(colour)) * lit), int(float(qGreen(colour)) * lit),
                int(float(qBlue(colour)) * lit));
}

struct Face {
    bool turned_away;
    float depth; // from the eye: the larger, the farther
    quint32 index;
    QVector3D normal; // in view axes
};
} // namespace

ModelView::ModelView(QWidget* parent)
    : QWidget(parent)
    , model_(built_in_model()) {
    setObjectName(QStringLiteral("model_view"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    frame_timer_.setInterval(frame_ms);
    frame_timer_.setTimerType(Qt::PreciseTimer);
    connect(&frame_timer_, &QTimer::timeout, this, &ModelView::advance_frame);
    reset_view();
}

void ModelView::set_model(Model model) {
    model_ = std::move(model);
    reset_view();
}

QString ModelView::description() const {
    const std::optional<StandardView> view = camera_.standard_view();
    const QString from =
        view ? QCoreApplication::translate(standard_view_context, standard_view_entry(*view).word)
             : tr("turned");
    return camera_.projection() == OrbitCamera::Projection::perspective
               ? tr("%1 perspective").arg(from)
               : tr("%1 orthographic").arg(from);
}

void ModelView::fit_all() {
    // Hidden, the view may not have its size yet: it fits again when shown.
    fit_pending_ = !isVisible();
    camera_.fit(model_.vertices, size());
    update();
}

void ModelView::show_view(StandardView view) {
    camera_.show(view);
    fit_all();
}

void ModelView::reset_view() {
    camera_.set_projection(OrbitCamera::Projection::perspective);
    show_view(StandardView::isometric);
}

void ModelView::toggle_projection() {
    camera_.toggle_projection();
    update();
}

void ModelView::zoom(float factor) {
    camera_.zoom(factor);
    update();
}

void ModelView::turn(int view_axis, float degrees) {
    QVector3D axis;
    axis[std::clamp(view_axis, 0, 2)] = 1;
    camera_.turn_model(axis, degrees);
    update();
}

void ModelView::pan(const QPointF& pixels) {
    camera_.pan(pixels, size());
    update();
}

void ModelView::set_motion(const ViewMotion& motion) {
    motion_ = motion;
    if (motion.is_zero()) {
        frame_timer_.stop();
    } else if (!frame_timer_.isActive()) {
        since_frame_.start();
        frame_timer_.start();
    }
}

void ModelView::advance_frame() {
    const float seconds = std::min(float(since_frame_.restart()) / 1000, longest_step);
    camera_.move(motion_, seconds);
    update();
}

void ModelView::paintEvent(QPaintEvent*) {
    if (std::exchange(fit_pending_, false)) {
        camera_.fit(model_.vertices, size());
    }
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(0x5d, 0x6b, 0x7c));
    background.setColorAt(1, QColor(0x2b, 0x32, 0x3b));
    painter.fillRect(rect(), background);
    draw_model(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    draw_triad(painter);
    draw_captions(painter);
}

void ModelView::draw_model(QPainter& painter) const {
    const size_t count = model_.triangle_count();
    const QSizeF viewport = size();
    const bool perspective = camera_.projection() == OrbitCamera::Projection::perspective;
    const ViewAxes to_view = camera_.view_axes();
    const ScreenProjection to_screen = camera_.screen_projection(viewport);
    std::vector<QPointF> corners(count * 3);
    std::vector<Face> faces;
    faces.reserve(count);
    for (size_t t = 0; t < count; ++t) {
        std::array<QVector3D, 3> view;
        bool on_screen = true;
        for (size_t c = 0; c < 3 && on_screen; ++c) {
            view[c] = to_view(model_.vertices[3 * t + c]);
            const std::optional<QPointF> point = to_screen(view[c]);
            on_screen = point.has_value();
            corners[3 * t + c] = point.value_or(QPointF());
        }
        if (on_screen) {
            // Faces turned away go first, so that a closed model's front
            // covers them, and a face an STL file turned the wrong way
            // still shows.
            const QVector3D centre = (view[0] + view[1] + view[2]) / 3;
            const QVector3D from_eye =
                perspective ? centre - QVector3D(0, 0, camera_.distance()) : QVector3D(0, 0, -1);
            const QVector3D normal = QVector3D::crossProduct(view[1] - view[0], view[2] - view[0]);
            const bool turned_away = QVector3D::dotProduct(normal, from_eye) >= 0;
            const float depth = perspective ? from_eye.lengthSquared() : -centre.z();
            faces.push_back({turned_away, depth, quint32(t), normal.normalized()});
        }
    }
    std::sort(faces.begin(), faces.end(), [](const Face& a, const Face& b) {
        return a.turned_away != b.turned_away ? a.turned_away : a.depth > b.depth;
    });
    painter.setPen(Qt::NoPen);
    for (const Face& face : faces) {
        const QColor colour = QColor::fromRgb(shade(model_.colours[face.index], face.normal));
        painter.setBrush(colour);
        painter.drawConvexPolygon(&corners[3 * face.index], 3);
    }
}

void ModelView::draw_triad(QPainter& painter) const {
    const QPointF origin(48, height() - 48);
    const float length = 32;
    struct Axis {
        QVector3D direction;
        QColor colour;
        const char* name;
    };
    std::array<Axis, 3> axes{Axis{{1, 0, 0}, QColor(0xe0, 0x4a, 0x3f), "X"},
                             Axis{{0, 1, 0}, QColor(0x5c, 0xc4, 0x5a), "Y"},
                             Axis{{0, 0, 1}, QColor(0x4f, 0x8f, 0xe8), "Z"}};
    const QQuaternion to_view = camera_.orientation().inverted();
    // The axis pointing away first, so that the near ones cover it.
    std::sort(axes.begin(), axes.end(), [&](const Axis& a, const Axis& b) {
        return to_view.rotatedVector(a.direction).z() < to_view.rotatedVector(b.direction).z();
    });
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    for (const Axis& axis : axes) {
        const QVector3D view = to_view.rotatedVector(axis.direction);
        const QPointF tip = origin + QPointF(view.x(), -view.y()) * length;
        painter.setPen(QPen(axis.colour, 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(origin, tip);
        const QPointF label = origin + QPointF(view.x(), -view.y()) * (length + 9);
        painter.drawText(QRectF(label - QPointF(8, 8), QSizeF(16, 16)), Qt::AlignCenter,
                         QLatin1String(axis.name));
    }
}

QStringList ModelView::captions() const {
    return {tr("%1 \u2014 %2 triangles")
                .arg(model_.name.isEmpty() ? tr("Built-in model") : model_.name,
                     QLocale().toString(qulonglong(model_.triangle_count()))),
            camera_.projection() == OrbitCamera::Projection::perspective ? tr("Perspective")
                                                                         : tr("Orthographic")};
}

void ModelView::draw_captions(QPainter& painter) const {
    painter.setPen(QColor(0xe4, 0xe9, 0xef));
    QFont font = painter.font();
    font.setBold(false);
    painter.setFont(font);
    const QRect inside = rect().adjusted(10, 8, -10, -8);
    const QStringList texts = captions();
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignTop, texts[0]);
    painter.drawText(inside, Qt::AlignRight | Qt::AlignTop, texts[1]);
}

void ModelView::changeEvent(QEvent* event) {
    // The captions are translated as they are drawn.
    if (event->type() == QEvent::LanguageChange) {
        update();
    }
    QWidget::changeEvent(event);
}

void ModelView::mousePressEvent(QMouseEvent* event) {
    last_mouse_ = event->position().toPoint();
    // The drag is decided as it starts: Shift may be let go during it.
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    panning_ = event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && shift);
    setFocus(Qt::MouseFocusReason);
}

void ModelView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint now = event->position().toPoint();
    const QPoint delta = now - last_mouse_;
    last_mouse_ = now;
    if (!(event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) {
        return;
    }
    if (panning_) {
        pan(delta);
    } else {
        camera_.turn_model(QVector3D(0, 1, 0), float(delta.x()) * degrees_per_pixel);
        camera_.turn_model(QVector3D(1, 0, 0), float(delta.y()) * degrees_per_pixel);
        update();
    }
}

void ModelView::wheelEvent(QWheelEvent* event) {
    const float notches = float(event->angleDelta().y()) / 120;
    camera_.zoom_about(std::pow(zoom_per_notch, notches), event->position(), size());
    update();
    event->accept();
}
