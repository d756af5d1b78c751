#include "ModelView.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPaintEngine>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "GlCanvas.h"
#include "PainterCanvas.h"
#include "Picking.h"

namespace {
// A late frame moves by no more than a tenth of a second, so that a stall
// does not fling the model away.
const float longest_step = 0.1f;
const float degrees_per_pixel = 0.4f;

// Platforms on which an OpenGL window cannot show inside another, although
// a context may be made there.
const char* const platforms_without_opengl_windows[] = {"offscreen", "minimal", "vnc", "linuxfb"};

// Whether an OpenGL context can be made here, and what draws with it.
bool probe_opengl(QString& renderer) {
    const QString platform = QGuiApplication::platformName();
    for (const char* without : platforms_without_opengl_windows) {
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
    , levels_(this)
    , input_(*this, *this)
    , loader_(*this,
              [this](const QString& path, ModelReading& reading) { take_reading(path, reading); }) {
    setObjectName(QStringLiteral("model_view"));
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (drawing != Drawing::painter && probe_opengl(renderer_)) {
        gl_canvas_ = new GlCanvas(*this, *this);
        use_canvas(QWidget::createWindowContainer(gl_canvas_, this));
    } else {
        use_canvas(new PainterCanvas(*this, *this));
        renderer_ = QStringLiteral("QPainter");
    }
    frame_timer_.setInterval(int(DetailLevels::frame_ms));
    frame_timer_.setTimerType(Qt::PreciseTimer);
    connect(&frame_timer_, &QTimer::timeout, this, &ModelView::advance_frame);
    connect(&note_timer_, &QTimer::timeout, this, &ModelView::fade_note);
    reset_view();
}

ModelView::~ModelView() = default;

void ModelView::use_canvas(QWidget* canvas) {
    delete canvas_;
    canvas_ = canvas;
    // The view takes the mouse; the canvas only draws.
    canvas_->setAttribute(Qt::WA_TransparentForMouseEvents);
    canvas_->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(canvas_);
    canvas_->lower();
}

void ModelView::opengl_failed() {
    if (!gl_canvas_) {
        return;
    }
    renderer_ = QStringLiteral("QPainter");
    gl_canvas_ = nullptr; // the container it is in goes with it
    use_canvas(new PainterCanvas(*this, *this));
    canvas_->show();
    emit renderer_changed();
}

QString ModelView::renderer() const {
    return renderer_;
}

// ---------------------------------------------------------------- the model

void ModelView::set_model(Model model) {
    use_model(std::make_shared<const Model>(std::move(model)));
}

void ModelView::use_model(std::shared_ptr<const Model> model) {
    model_ = std::move(model);
    ++generation_;
    overlay_.set_notice(QString());
    reset_view();
    levels_.prepare(model_);
}

void ModelView::open(const QString& path) {
    loader_.open(path);
}

void ModelView::file_dropped(const QString& path) {
    if (!drop_taker_ || !drop_taker_(path)) {
        open(path);
    }
}

// ---------------------------------------------------------------- the note

namespace {
// Whole for most of a second, then gone in a third of one.
const int note_whole_ms = 800, note_fade_ms = 350, note_step_ms = 40;
} // namespace

void ModelView::show_note(const QString& note) {
    note_ = note;
    since_note_.start();
    note_timer_.start(note_step_ms);
    fade_note();
}

void ModelView::fade_note() {
    const qint64 fading = since_note_.elapsed() - note_whole_ms;
    const double opacity = fading <= 0 ? 1.0 : 1.0 - double(fading) / note_fade_ms;
    if (opacity <= 0) {
        note_timer_.stop();
    }
    overlay_.set_note(note_, std::max(opacity, 0.0));
    redraw();
}

void ModelView::take_reading(const QString& path, ModelReading& reading) {
    if (reading.model) {
        use_model(std::make_shared<const Model>(std::move(*reading.model)));
        emit model_opened(path, reading.warnings);
    } else if (!reading.cancelled) {
        overlay_.set_notice(
            tr("%1 cannot be shown: %2").arg(QFileInfo(path).fileName(), reading.error));
        redraw();
        emit model_refused(path, reading.error);
    }
    emit loading_finished();
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

// The finest level small enough to search at once, else the model whole.
const Model& ModelView::model_to_search() const {
    for (const auto& level : levels_.levels()) {
        if (level->triangle_count() <= simplified_budget) {
            return *level;
        }
    }
    return *model_;
}

std::optional<QVector3D> ModelView::point_under(const QPointF& pointer) const {
    if (!rect().contains(pointer.toPoint())) {
        return std::nullopt;
    }
    return first_hit(model_to_search(), camera_.ray_through(pointer, size()));
}

bool ModelView::centre_on_cursor() {
    const std::optional<QVector3D> hit = point_under(mapFromGlobal(QCursor::pos()));
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
        return point_under(pointer).value_or(QVector3D());
    case Centre::automatic:
        break;
    }
    return centre_in_sight(model_to_search(), camera_, size()).value_or(QVector3D());
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
        // The motion's first picture is drawn as it arrives, a frame's step
        // on, not a frame later; a moving one, the timer running.
        frame_timer_.start();
        since_frame_.start();
        step(float(DetailLevels::frame_ms / 1000));
    }
}

void ModelView::advance_frame() {
    step(std::min(float(since_frame_.restart()) / 1000, longest_step));
}

void ModelView::step(float seconds) {
    camera_.move(motion_, seconds, pivot_.value_or(camera_.target()), horizon_locked_);
    // Drawn at once: the platform's wait for the next update would make the
    // motion's frames later, and fewer.
    if (gl_canvas_) {
        gl_canvas_->draw_now();
    } else {
        canvas_->repaint();
    }
}

bool ModelView::interacting() const {
    return frame_timer_.isActive() || input_.busy();
}

void ModelView::show_level(size_t level) {
    levels_.show_level(level);
    redraw();
}

void ModelView::redraw() {
    if (gl_canvas_) {
        gl_canvas_->update();
    } else {
        canvas_->update();
    }
}

QImage ModelView::picture() {
    return gl_canvas_ ? gl_canvas_->picture(size(), devicePixelRatioF())
                      : canvas_->grab().toImage();
}

// The OpenGL canvas is a window of its own, which a grab of the widgets
// leaves out: painted anywhere but into the window's own backing store, the
// view paints its picture itself.
void ModelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QBackingStore* store = backingStore();
    if (gl_canvas_ && (!store || painter.paintEngine()->paintDevice() != store->paintDevice())) {
        painter.drawImage(rect(), picture());
    }
}

// ---------------------------------------------------------------- drawing

ModelView::Drawn ModelView::begin_frame() {
    if (std::exchange(fit_pending_, false)) {
        camera_.fit(model_->vertices, size());
    }
    const bool still = !interacting();
    const size_t level = drawn_level();
    return level == 0
               ? Drawn{model_.get(), generation_, 0, still}
               : Drawn{levels_.levels()[level - 1].get(), levels_.generation(), level, still};
}

void ModelView::frame_drawn(const Drawn& drawn, double ms) {
    levels_.frame_drawn(drawn.level, ms);
    emit frame_done(drawn.whole(), ms);
}

void ModelView::paint_overlay(QPainter& painter) const {
    overlay_.paint(painter, rect(), camera_, captions(), pivot_);
}

QStringList ModelView::captions() const {
    const QString name = model_->name.isEmpty() ? tr("Built-in model") : model_->name;
    const QString triangles =
        model_->triangles_read == 1
            ? tr("1 triangle")
            : tr("%1 triangles").arg(QLocale().toString(qulonglong(model_->triangles_read)));
    QString size = model_->solids > 1
                       ? tr("%1 solids, %2").arg(QLocale().toString(model_->solids), triangles)
                       : triangles;
    const QString faces = QLocale().toString(qulonglong(model_->faces));
    if (model_->parts == 1) {
        size = tr("1 part, %1 faces, %2").arg(faces, triangles);
    } else if (model_->parts > 1) {
        size =
            tr("%1 parts, %2 faces, %3").arg(QLocale().toString(model_->parts), faces, triangles);
    }
    if (!model_->unit.isEmpty()) {
        size = tr("%1 (its unit: %2)").arg(size, model_->unit);
    }
    return {tr("%1 \u2014 %2").arg(name, size),
            camera_.projection() == OrbitCamera::Projection::perspective ? tr("Perspective")
                                                                         : tr("Orthographic")};
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
    loader_.place_progress();
}

void ModelView::begin_drag(const QPointF& pointer, bool panning) {
    if (!panning) {
        pivot_ = choose_pivot(pointer);
    }
}

void ModelView::drag(const QPoint& delta, bool panning) {
    if (panning) {
        pan(delta);
    } else {
        turn_by_mouse(delta);
    }
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

void ModelView::end_drag() {
    if (!frame_timer_.isActive()) {
        pivot_.reset();
    }
    redraw();
}

void ModelView::wheel_zoom(float factor, const QPointF& pointer) {
    camera_.zoom_about(factor, pointer, size());
    redraw();
}

bool ModelView::escape_pressed() {
    if (!loader_.is_loading()) {
        return false;
    }
    loader_.cancel();
    return true;
}
