#include "ModelView.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

#include "GlCanvas.h"
#include "PainterCanvas.h"
#include "Picking.h"
#include "Simplify.h"

namespace {
// A late frame moves by no more than a tenth of a second, so that a stall
// does not fling the model away.
const float longest_step = 0.1f;
const float degrees_per_pixel = 0.4f;
// One notch of the wheel zooms by this much.
const float zoom_per_notch = 1.2f;
// The wheel counts as turning until it has been still this long.
const int wheel_settle_ms = 200;

// Platforms on which an OpenGL widget cannot be composed into a window,
// although a context may be made there.
const char* const platforms_without_opengl_widgets[] = {"offscreen", "minimal", "vnc", "linuxfb"};

// Whether an OpenGL context can be made here, and what draws with it.
bool probe_opengl(QString& renderer) {
    const QString platform = QGuiApplication::platformName();
    for (const char* without : platforms_without_opengl_widgets) {
        if (platform == QLatin1String(without)) {
            return false;
        }
    }
    QOpenGLContext context;
    context.setFormat(GlCanvas::wanted_format());
    if (!context.create()) {
        return false;
    }
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.makeCurrent(&surface)) {
        return false;
    }
    QOpenGLFunctions* gl = context.functions();
    const auto text = [gl](GLenum name) {
        return QString::fromLatin1(reinterpret_cast<const char*>(gl->glGetString(name)));
    };
    renderer = QStringLiteral("OpenGL: %1, %2").arg(text(GL_RENDERER), text(GL_VERSION));
    context.doneCurrent();
    return true;
}
} // namespace

ModelView::ModelView(QWidget* parent, Drawing drawing)
    : QWidget(parent)
    , model_(std::make_shared<const Model>(built_in_model()))
    , progress_share_(std::make_shared<std::atomic<double>>(0)) {
    setObjectName(QStringLiteral("model_view"));
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    uses_opengl_ = drawing != Drawing::painter && probe_opengl(renderer_);
    if (uses_opengl_) {
        use_canvas(new GlCanvas(*this));
    } else {
        use_canvas(new PainterCanvas(*this));
        renderer_ = QStringLiteral("QPainter");
    }

    progress_box_ = new QWidget(this);
    progress_box_->setObjectName(QStringLiteral("model_view_progress"));
    progress_box_->setAutoFillBackground(true);
    auto* progress_layout = new QVBoxLayout(progress_box_);
    progress_label_ = new QLabel(progress_box_);
    progress_label_->setTextFormat(Qt::PlainText);
    progress_bar_ = new QProgressBar(progress_box_);
    progress_bar_->setRange(0, 1000);
    progress_bar_->setTextVisible(false);
    progress_layout->addWidget(progress_label_);
    progress_layout->addWidget(progress_bar_);
    progress_box_->hide();
    progress_timer_.setInterval(50);
    connect(&progress_timer_, &QTimer::timeout, this, &ModelView::show_progress);

    frame_timer_.setInterval(int(frame_ms));
    frame_timer_.setTimerType(Qt::PreciseTimer);
    connect(&frame_timer_, &QTimer::timeout, this, &ModelView::advance_frame);
    wheel_settling_.setSingleShot(true);
    wheel_settling_.setInterval(wheel_settle_ms);
    connect(&wheel_settling_, &QTimer::timeout, this, &ModelView::redraw);
    reset_view();
}

void ModelView::use_canvas(QWidget* canvas) {
    delete canvas_;
    canvas_ = canvas;
    // The view takes the mouse; the canvas only draws.
    canvas_->setAttribute(Qt::WA_TransparentForMouseEvents);
    canvas_->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(canvas_);
    canvas_->lower();
}

void ModelView::fall_back_to_painter() {
    if (!uses_opengl_) {
        return;
    }
    uses_opengl_ = false;
    renderer_ = QStringLiteral("QPainter");
    use_canvas(new PainterCanvas(*this));
    canvas_->show();
    emit renderer_changed();
}

// The work under way ends before anything it reaches goes.
ModelView::~ModelView() {
    loader_.stop();
    simplifier_.stop();
}

// ---------------------------------------------------------------- the model

void ModelView::set_model(Model model) {
    use_model(std::make_shared<const Model>(std::move(model)));
}

void ModelView::use_model(std::shared_ptr<const Model> model) {
    simplifier_.stop();
    simplified_.reset();
    model_ = std::move(model);
    ++generation_;
    whole_frame_ms_ = 0;
    notice_.clear();
    reset_view();
    prepare_simplified();
}

// Made once, after the model shows: the view works meanwhile.
void ModelView::prepare_simplified() {
    if (model_->triangle_count() <= simplified_budget) {
        return;
    }
    simplifier_.run(
        [this, model = model_, generation = generation_](const std::atomic<bool>& stopping) {
            auto copy = ::simplified(*model, simplified_budget, stopping);
            if (!copy) {
                return;
            }
            auto shared = std::make_shared<const Model>(std::move(*copy));
            QMetaObject::invokeMethod(
                this,
                [this, shared, generation] {
                    if (generation == generation_) {
                        simplified_ = shared;
                        ++simplified_generation_;
                    }
                },
                Qt::QueuedConnection);
        });
}

void ModelView::open(const QString& path) {
    loader_.stop();
    loading_ = true;
    stop_requested_ = false;
    loading_name_ = QFileInfo(path).fileName();
    progress_share_->store(0);
    show_progress();
    progress_box_->show();
    progress_box_->raise();
    place_progress();
    progress_timer_.start();
    loader_.run([this, path, share = progress_share_](const std::atomic<bool>& stopping) {
        auto reading = std::make_shared<ModelReading>(read_model(path, [&](double done) {
            share->store(done);
            return !stopping;
        }));
        QMetaObject::invokeMethod(
            this, [this, path, reading] { finish_loading(path, *reading); }, Qt::QueuedConnection);
    });
}

void ModelView::cancel_loading() {
    if (loading_) {
        loader_.request_stop();
        stop_requested_ = true;
        show_progress();
    }
}

void ModelView::finish_loading(const QString& path, ModelReading& reading) {
    loader_.stop();
    loading_ = false;
    progress_timer_.stop();
    progress_box_->hide();
    if (reading.model) {
        use_model(std::make_shared<const Model>(std::move(*reading.model)));
        emit model_opened(path, reading.warnings);
    } else if (!reading.cancelled) {
        notice_ = tr("%1 cannot be shown: %2").arg(QFileInfo(path).fileName(), reading.error);
        redraw();
        emit model_refused(path, reading.error);
    }
    emit loading_finished();
}

void ModelView::show_progress() {
    progress_bar_->setValue(int(std::lround(progress_share_->load() * 1000)));
    progress_label_->setText(stop_requested_
                                 ? tr("Stopping the reading of %1\u2026").arg(loading_name_)
                                 : tr("Reading %1\u2026 (Esc stops)").arg(loading_name_));
}

void ModelView::place_progress() {
    const QSize size = progress_box_->sizeHint().expandedTo(QSize(std::min(width() - 40, 360), 0));
    progress_box_->setGeometry(
        QRect(QPoint((width() - size.width()) / 2, height() - size.height() - 40), size));
}

ModelView::Drawn ModelView::drawn() const {
    const bool still = !interacting();
    return draws_simplified() ? Drawn{simplified_.get(), simplified_generation_, still}
                              : Drawn{model_.get(), generation_, still};
}

QString ModelView::renderer() const {
    return renderer_;
}

// ---------------------------------------------------------------- commands

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
    camera_.fit(model_->vertices, size());
    redraw();
}

void ModelView::show_view(StandardView view) {
    camera_.show(view);
    fit_all();
}

void ModelView::reset_view() {
    fixed_pivot_.reset();
    camera_.set_projection(OrbitCamera::Projection::perspective);
    show_view(StandardView::isometric);
}

void ModelView::toggle_projection() {
    camera_.toggle_projection();
    redraw();
}

void ModelView::zoom(float factor) {
    camera_.zoom(factor);
    redraw();
}

void ModelView::turn(int view_axis, float degrees) {
    QVector3D axis;
    axis[std::clamp(view_axis, 0, 2)] = 1;
    camera_.turn_model(axis, degrees);
    redraw();
}

void ModelView::pan(const QPointF& pixels) {
    camera_.pan(pixels, size());
    redraw();
}

// ---------------------------------------------------------------- motion

void ModelView::set_navigation(Centre centre, bool horizon_locked) {
    if (centre != centre_) {
        fixed_pivot_.reset();
    }
    centre_ = centre;
    horizon_locked_ = horizon_locked;
}

QVector3D ModelView::point_under(const QPointF& pointer) const {
    const Model& model = simplified_ ? *simplified_ : *model_;
    if (!rect().contains(pointer.toPoint())) {
        return QVector3D();
    }
    return first_hit(model, camera_.ray_through(pointer, size())).value_or(QVector3D());
}

bool ModelView::centre_on_cursor() {
    const QPointF pointer = mapFromGlobal(QCursor::pos());
    const Model& model = simplified_ ? *simplified_ : *model_;
    const std::optional<QVector3D> hit =
        rect().contains(pointer.toPoint()) ? first_hit(model, camera_.ray_through(pointer, size()))
                                           : std::nullopt;
    fixed_pivot_ = hit.value_or(QVector3D());
    return hit.has_value();
}

// The model lies about the origin: its centre is there.
QVector3D ModelView::choose_pivot(const QPointF& pointer) const {
    if (fixed_pivot_) {
        return *fixed_pivot_;
    }
    switch (centre_) {
    case Centre::model:
        return QVector3D();
    case Centre::view:
        return camera_.target();
    case Centre::cursor:
        return point_under(pointer);
    case Centre::automatic:
        break;
    }
    // The copy, where there is one: the part in sight is found as well, and faster.
    const Model& model = simplified_ ? *simplified_ : *model_;
    return centre_in_sight(model, camera_, size()).value_or(QVector3D());
}

void ModelView::set_motion(const ViewMotion& motion) {
    motion_ = motion;
    if (motion.is_zero()) {
        frame_timer_.stop();
        pivot_.reset();
        // Whole again once still.
        redraw();
    } else if (!frame_timer_.isActive()) {
        pivot_ = choose_pivot(mapFromGlobal(QCursor::pos()));
        since_frame_.start();
        frame_timer_.start();
    }
}

void ModelView::advance_frame() {
    const float seconds = std::min(float(since_frame_.restart()) / 1000, longest_step);
    camera_.move(motion_, seconds, pivot_.value_or(camera_.target()), horizon_locked_);
    redraw();
}

bool ModelView::interacting() const {
    return frame_timer_.isActive() || dragging_ || wheel_settling_.isActive();
}

bool ModelView::draws_simplified() const {
    return simplified_ && (simplified_always_ || (interacting() && whole_frame_ms_ > frame_ms));
}

void ModelView::show_simplified(bool always) {
    simplified_always_ = always;
    redraw();
}

void ModelView::frame_drawn(bool whole, double ms) {
    if (whole) {
        whole_frame_ms_ = ms;
    }
    emit frame_done(whole, ms);
}

void ModelView::redraw() {
    canvas_->update();
}

// ---------------------------------------------------------------- drawing

void ModelView::paint_background(QPainter& painter) const {
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor::fromRgb(background_top));
    background.setColorAt(1, QColor::fromRgb(background_bottom));
    painter.fillRect(rect(), background);
}

void ModelView::paint_overlay(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    draw_triad(painter);
    draw_captions(painter);
    draw_notice(painter);
    draw_marker(painter);
}

// Where the view turns, while it turns: a ring with a dot, light on dark so
// that it shows on any model.
void ModelView::draw_marker(QPainter& painter) const {
    if (!pivot_) {
        return;
    }
    const std::optional<QPointF> at = camera_.to_screen(camera_.to_view(*pivot_), size());
    if (!at) {
        return;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20, 200), 4));
    painter.drawEllipse(*at, 8, 8);
    painter.setPen(QPen(QColor(0xff, 0xd4, 0x40), 2));
    painter.drawEllipse(*at, 8, 8);
    painter.setBrush(QColor(0xff, 0xd4, 0x40));
    painter.drawEllipse(*at, 2, 2);
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
    const QString name = model_->name.isEmpty() ? tr("Built-in model") : model_->name;
    const QString triangles =
        model_->triangles_read == 1
            ? tr("1 triangle")
            : tr("%1 triangles").arg(QLocale().toString(qulonglong(model_->triangles_read)));
    const QString size =
        model_->solids > 1 ? tr("%1 solids, %2").arg(QLocale().toString(model_->solids), triangles)
                           : triangles;
    return {tr("%1 \u2014 %2").arg(name, size),
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

// A refused file's reason, on a band across the view's top, under the captions.
void ModelView::draw_notice(QPainter& painter) const {
    if (notice_.isEmpty()) {
        return;
    }
    const QRect band = rect().adjusted(10, 34, -10, 0);
    QRect text = painter.boundingRect(band.adjusted(8, 6, -8, 0), Qt::TextWordWrap, notice_);
    text.setWidth(band.width() - 16);
    painter.fillRect(text.adjusted(-8, -6, 8, 6), QColor(0x8a, 0x1c, 0x1c, 220));
    painter.setPen(Qt::white);
    painter.drawText(text, Qt::TextWordWrap, notice_);
}

// ---------------------------------------------------------------- events

void ModelView::changeEvent(QEvent* event) {
    // The captions are translated as they are drawn.
    if (event->type() == QEvent::LanguageChange) {
        redraw();
    }
    QWidget::changeEvent(event);
}

void ModelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place_progress();
}

void ModelView::prepare_frame() {
    if (std::exchange(fit_pending_, false)) {
        camera_.fit(model_->vertices, size());
    }
}

void ModelView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && loading_) {
        cancel_loading();
        return;
    }
    QWidget::keyPressEvent(event);
}

namespace {
QString dropped_file(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}
} // namespace

void ModelView::dragEnterEvent(QDragEnterEvent* event) {
    if (!dropped_file(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void ModelView::dropEvent(QDropEvent* event) {
    const QString path = dropped_file(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        open(path);
    }
}

void ModelView::mousePressEvent(QMouseEvent* event) {
    last_mouse_ = event->position().toPoint();
    // The drag is decided as it starts: Shift may be let go during it.
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    panning_ = event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && shift);
    dragging_ = true;
    if (!panning_) {
        pivot_ = choose_pivot(event->position());
    }
    setFocus(Qt::MouseFocusReason);
}

// A horizontal drag turns the model about the screen's vertical axis (the
// model's up axis, when the horizon is locked), a vertical one tips it
// about the screen's horizontal axis.
void ModelView::turn_by_mouse(const QPoint& delta) {
    const QVector3D centre = pivot_.value_or(camera_.target());
    const QVector3D about_vertical = horizon_locked_ ? QVector3D(0, 0, 1) : camera_.up();
    camera_.turn_about(centre, about_vertical, float(delta.x()) * degrees_per_pixel);
    camera_.turn_about(centre, camera_.right(), float(delta.y()) * degrees_per_pixel);
    if (horizon_locked_) {
        camera_.level(centre);
    }
    redraw();
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
        turn_by_mouse(delta);
    }
}

void ModelView::mouseReleaseEvent(QMouseEvent* event) {
    if (!(event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) {
        dragging_ = false;
        if (!frame_timer_.isActive()) {
            pivot_.reset();
        }
        redraw();
    }
}

void ModelView::wheelEvent(QWheelEvent* event) {
    const float notches = float(event->angleDelta().y()) / 120;
    camera_.zoom_about(std::pow(zoom_per_notch, notches), event->position(), size());
    wheel_settling_.start();
    redraw();
    event->accept();
}
