#pragma once

// The host's graphic view: a model drawn with OpenGL, or with QPainter where
// no OpenGL context can be made, with an axis triad and the projection in
// use. The mouse orbits (left drag), pans (middle drag, or Shift and left
// drag) and zooms about the cursor (wheel); a motion controller moves it
// through set_motion(). Model files are read in the background, and a
// large model has a simplified copy that draws while the view moves.

#include <QElapsedTimer>
#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <memory>

#include "BackgroundJob.h"
#include "Model.h"
#include "ModelFile.h"
#include "OrbitCamera.h"
#include "ViewCommands.h"
#include "tarvik_view_export.h"

class QLabel;
class QPainter;
class QProgressBar;

class TARVIK_VIEW_EXPORT ModelView : public QWidget, public ViewCommands {
    Q_OBJECT
public:
    // How the model is drawn: with OpenGL where a context can be made.
    enum class Drawing { automatic, opengl, painter };
    // Larger models get a simplified copy of at most this many triangles:
    // what a software driver draws within a frame of a 60 Hz screen.
    static constexpr size_t simplified_budget = 20000;
    static constexpr double frame_ms = 1000.0 / 60;

    // Shows the built-in model.
    explicit ModelView(QWidget* parent = nullptr, Drawing drawing = Drawing::automatic);
    ~ModelView() override;

    const Model& model() const { return *model_; }
    // Shows a model whole, from the reset view.
    void set_model(Model model);
    // Reads a model file in the background: the model shown stays until
    // the new one is read, and stays when the file is refused or Esc stops
    // the reading.
    void open(const QString& path);
    bool is_loading() const { return loading_; }
    void cancel_loading();
    // What the last refused file left written over the model, until the
    // next model shows.
    const QString& notice() const { return notice_; }

    const OrbitCamera& camera() const { return camera_; }
    // Where the view looks from, as a person would say it: "front
    // perspective", or "turned orthographic" off the standard views.
    QString description() const;
    // What the view writes over the model: the model and its size, and
    // the projection in use.
    QStringList captions() const;
    bool uses_opengl() const { return uses_opengl_; }
    // "OpenGL: RENDERER, VERSION", or "QPainter".
    QString renderer() const;

    void fit_all() override;
    void show_view(StandardView view) override;
    void reset_view() override;
    void toggle_projection() override;
    void zoom(float factor) override;
    void turn(int view_axis, float degrees) override;
    void pan(const QPointF& pixels) override;

    // Where the view turns, for the device and the mouse alike: about the
    // middle of what is in sight (automatic), the model's centre, the view's
    // centre, or the model's point under the pointer as a motion starts. A
    // locked horizon keeps the model's up axis (z) vertical on the screen.
    enum class Centre { automatic, model, view, cursor };
    void set_navigation(Centre centre, bool horizon_locked);
    // The next motions turn about the model's point under the pointer, until
    // the navigation changes or the view is reset; false, and about the
    // model's centre, when the pointer is over no part of the model.
    bool centre_on_cursor() override;
    // What a motion turns about while it lasts.
    std::optional<QVector3D> pivot() const { return pivot_; }

    // The device's deflection as a velocity: the view moves with it once a
    // frame until it is zero, and stops at once then.
    void set_motion(const ViewMotion& motion);
    bool is_moving() const { return frame_timer_.isActive(); }
    // The copy drawn while the view moves, once it is made; none for a model
    // small enough to draw whole.
    const Model* simplified() const { return simplified_.get(); }
    // Whether the next frame draws the copy: the view moves, and the model
    // whole took longer than a frame; or the copy is asked for, to compare.
    bool draws_simplified() const;
    void show_simplified(bool always);

    // What the canvases draw: the model, or its copy, with a number that
    // changes whenever it is another one; and whether the view is still,
    // so that its edges are worth smoothing.
    struct Drawn {
        const Model* model;
        quint64 generation;
        bool still;
    };
    // The background, a gradient from its top colour to its bottom one.
    static constexpr QRgb background_top = qRgb(0x5d, 0x6b, 0x7c);
    static constexpr QRgb background_bottom = qRgb(0x2b, 0x32, 0x3b);
    Drawn drawn() const;
    // Called as a frame begins: a fit waiting for the view's size is made.
    void prepare_frame();
    void paint_background(QPainter& painter) const;
    void paint_overlay(QPainter& painter) const;
    // A canvas tells how long a frame took to draw.
    void frame_drawn(bool whole, double ms);
    // OpenGL turned out not to work here: QPainter draws from now on.
    void fall_back_to_painter();

    QSize sizeHint() const override { return {640, 480}; }
    QSize minimumSizeHint() const override { return {200, 200}; }

signals:
    void model_opened(const QString& path, const QStringList& warnings);
    void model_refused(const QString& path, const QString& reason);
    // After every open(): read, refused or cancelled.
    void loading_finished();
    // The view draws without OpenGL after all.
    void renderer_changed();
    // A frame was drawn, the model whole or its simplified copy.
    void frame_done(bool whole, double ms);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A model file dropped on the view opens.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void use_canvas(QWidget* canvas);
    void use_model(std::shared_ptr<const Model> model);
    void prepare_simplified();
    void finish_loading(const QString& path, ModelReading& reading);
    void show_progress();
    void place_progress();
    void redraw();
    bool interacting() const;
    void draw_triad(QPainter& painter) const;
    void draw_captions(QPainter& painter) const;
    void draw_notice(QPainter& painter) const;
    void draw_marker(QPainter& painter) const;
    // The point a motion that starts now turns about; `pointer` in pixels.
    QVector3D choose_pivot(const QPointF& pointer) const;
    QVector3D point_under(const QPointF& pointer) const;
    void turn_by_mouse(const QPoint& delta);
    void advance_frame();

    std::shared_ptr<const Model> model_;
    std::shared_ptr<const Model> simplified_;
    quint64 generation_ = 0;
    quint64 simplified_generation_ = 0;
    OrbitCamera camera_;
    QWidget* canvas_ = nullptr;
    bool uses_opengl_ = false;
    QString renderer_;
    // A fit waits until the view has its size.
    bool fit_pending_ = true;

    QPoint last_mouse_;
    bool dragging_ = false;
    bool panning_ = false;
    QTimer wheel_settling_;
    ViewMotion motion_;
    Centre centre_ = Centre::automatic;
    bool horizon_locked_ = false;
    std::optional<QVector3D> fixed_pivot_;
    std::optional<QVector3D> pivot_;
    QTimer frame_timer_;
    QElapsedTimer since_frame_;
    double whole_frame_ms_ = 0;
    bool simplified_always_ = false;

    BackgroundJob loader_;
    BackgroundJob simplifier_;
    bool loading_ = false;
    bool stop_requested_ = false;
    std::shared_ptr<std::atomic<double>> progress_share_;
    QString loading_name_;
    QWidget* progress_box_ = nullptr;
    QLabel* progress_label_ = nullptr;
    QProgressBar* progress_bar_ = nullptr;
    QTimer progress_timer_;
    QString notice_;
};
