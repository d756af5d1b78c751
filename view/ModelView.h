#pragma once

// The host's graphic view: a model drawn with OpenGL, or with QPainter where
// no OpenGL context can be made, with an axis triad and the projection in
// use. The mouse orbits (left drag), pans (middle drag, or Shift and left
// drag) and zooms about the cursor (wheel); a motion controller moves it
// through set_motion(). Model files are read in the background, and a
// large model has levels of detail, one of which draws while the view moves
// when the model whole would not fit a frame.

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "CanvasScene.h"
#include "DetailLevels.h"
#include "Model.h"
#include "ModelLoader.h"
#include "OrbitCamera.h"
#include "ViewCommands.h"
#include "ViewInput.h"
#include "ViewOverlay.h"
#include "tarvik_view_export.h"

class GlCanvas;

class TARVIK_VIEW_EXPORT ModelView : public QWidget,
                                     public ViewCommands,
                                     private CanvasScene,
                                     private ViewInput::Target {
    Q_OBJECT
    // For scripts, which know widgets by their properties alone.
    Q_PROPERTY(QString description READ description)
    Q_PROPERTY(QStringList captions READ captions)
    Q_PROPERTY(QString notice READ notice)
    Q_PROPERTY(QString note READ note)
public:
    // How the model is drawn: with OpenGL where a context can be made.
    enum class Drawing { automatic, opengl, painter };
    static constexpr size_t simplified_budget = DetailLevels::simplified_budget;

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
    bool is_loading() const { return loader_.is_loading(); }
    void cancel_loading() { loader_.cancel(); }
    // What the last refused file left written over the model, until the
    // next model shows.
    const QString& notice() const { return overlay_.notice(); }
    // Shows a short note over the model that fades after about a second;
    // note() is it while it shows.
    void show_note(const QString& note);
    QString note() const { return note_timer_.isActive() ? note_ : QString(); }
    // A dropped file that `take` takes is its own, not a model to open.
    void set_drop_taker(std::function<bool(const QString& path)> take) {
        drop_taker_ = std::move(take);
    }

    const OrbitCamera& camera() const override { return camera_; }
    // Where the view looks from, as a person would say it: "front
    // perspective", or "turned orthographic" off the standard views.
    QString description() const;
    // What the view writes over the model: the model and its size, and
    // the projection in use.
    QStringList captions() const;
    bool uses_opengl() const { return gl_canvas_ != nullptr; }
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
    // The levels of detail, finest first, once they are made; none for a
    // model small enough to draw whole.
    const std::vector<std::shared_ptr<const Model>>& levels() const { return levels_.levels(); }
    bool levels_are_fine() const { return levels_.are_fine(); }
    // The level the next frame draws, 0 the model whole: while the view
    // moves, the finest whose measured cost fits a frame.
    size_t drawn_level() const { return levels_.chosen(interacting()); }
    // Always draws that level, to compare; 0 chooses as usual again.
    void show_level(size_t level);

    static constexpr QRgb background_top = ViewOverlay::background_top;
    static constexpr QRgb background_bottom = ViewOverlay::background_bottom;

    // What the view shows, drawn afresh.
    QImage picture();

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
    void paintEvent(QPaintEvent* event) override;

private:
    Drawn begin_frame() override;
    void paint_overlay(QPainter& painter) const override;
    void frame_drawn(const Drawn& drawn, double ms) override;
    void opengl_failed() override;

    void begin_drag(const QPointF& pointer, bool panning) override;
    void drag(const QPoint& delta, bool panning) override;
    void end_drag() override;
    void wheel_zoom(float factor, const QPointF& pointer) override;
    void wheel_settled() override { redraw(); }
    bool escape_pressed() override;
    void file_dropped(const QString& path) override;
    void fade_note();

    void use_canvas(QWidget* canvas);
    void use_model(std::shared_ptr<const Model> model);
    void take_reading(const QString& path, ModelReading& reading);
    void redraw();
    bool interacting() const;
    // The copy, where there is one: points are found on it as well, and faster.
    const Model& model_to_search() const;
    // The point a motion that starts now turns about; `pointer` in pixels.
    QVector3D choose_pivot(const QPointF& pointer) const;
    std::optional<QVector3D> point_under(const QPointF& pointer) const;
    void turn_by_mouse(const QPoint& delta);
    void advance_frame();
    // The motion's move over so many seconds, drawn.
    void step(float seconds);

    std::shared_ptr<const Model> model_;
    quint64 generation_ = 0;
    OrbitCamera camera_;
    DetailLevels levels_;
    ViewOverlay overlay_;
    ViewInput input_;
    QWidget* canvas_ = nullptr;
    // The canvas's window, while OpenGL draws.
    GlCanvas* gl_canvas_ = nullptr;
    QString renderer_;
    // A fit waits until the view has its size.
    bool fit_pending_ = true;

    ViewMotion motion_;
    Centre centre_ = Centre::automatic;
    bool horizon_locked_ = false;
    std::optional<QVector3D> fixed_pivot_;
    std::optional<QVector3D> pivot_;
    QTimer frame_timer_;
    QElapsedTimer since_frame_;
    QString note_;
    QTimer note_timer_;
    QElapsedTimer since_note_;
    std::function<bool(const QString& path)> drop_taker_;
    // Last, so that a reading under way ends before the rest goes.
    ModelLoader loader_;
};
