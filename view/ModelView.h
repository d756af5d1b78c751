#pragma once

// The host's graphic view: a model drawn flat-shaded with QPainter, back to
// front, with an axis triad and the projection in use. The mouse orbits
// (left drag), pans (middle drag, or Shift and left drag) and zooms about
// the cursor (wheel); a motion controller moves it through set_motion().

#include <QElapsedTimer>
#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "Model.h"
#include "OrbitCamera.h"
#include "ViewCommands.h"
#include "tarvik_view_export.h"

class TARVIK_VIEW_EXPORT ModelView : public QWidget, public ViewCommands {
    Q_OBJECT
public:
    // Shows the built-in model.
    explicit ModelView(QWidget* parent = nullptr);

    const Model& model() const { return model_; }
    // Shows a model whole, from the reset view.
    void set_model(Model model);
    const OrbitCamera& camera() const { return camera_; }
    // Where the view looks from, as a person would say it: "front
    // perspective", or "turned orthographic" off the standard views.
    QString description() const;

    // What the view writes over the model: the model and its size, and
    // the projection in use.
    QStringList captions() const;

    void fit_all() override;
    void show_view(StandardView view) override;
    void reset_view() override;
    void toggle_projection() override;
    void zoom(float factor) override;
    void turn(int view_axis, float degrees) override;
    void pan(const QPointF& pixels) override;

    // The device's deflection as a velocity: the view moves with it once a
    // frame until it is zero, and stops at once then.
    void set_motion(const ViewMotion& motion);
    bool is_moving() const { return frame_timer_.isActive(); }

    QSize sizeHint() const override { return {640, 480}; }
    QSize minimumSizeHint() const override { return {200, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void advance_frame();
    void draw_model(QPainter& painter) const;
    void draw_triad(QPainter& painter) const;
    void draw_captions(QPainter& painter) const;

    Model model_;
    OrbitCamera camera_;
    // A fit waits until the view has its size.
    bool fit_pending_ = true;
    QPoint last_mouse_;
    bool panning_ = false;
    ViewMotion motion_;
    QTimer frame_timer_;
    QElapsedTimer since_frame_;
};
