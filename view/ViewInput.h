#pragma once

// The view's mouse, wheel, keys and drops, read as a person means them: a
// left drag turns, a middle drag (or Shift and a left drag) moves, the
// wheel zooms about the pointer, Esc stops what is under way, and a model
// file dropped on the view opens. It watches the view's events and tells
// its target what they ask for.

#include <QObject>
#include <QPoint>
#include <QTimer>

#include "tarvik_view_export.h"

class QWidget;

class TARVIK_VIEW_EXPORT ViewInput : public QObject {
public:
    // What the input acts on.
    class TARVIK_VIEW_EXPORT Target {
    public:
        // A drag begins at `pointer`: it turns the model, or moves it.
        virtual void begin_drag(const QPointF& pointer, bool panning) = 0;
        virtual void drag(const QPoint& delta, bool panning) = 0;
        virtual void end_drag() = 0;
        virtual void wheel_zoom(float factor, const QPointF& pointer) = 0;
        // The wheel has been still for a while.
        virtual void wheel_settled() = 0;
        // Whether Esc stopped something; if not, the key goes on to others.
        virtual bool escape_pressed() = 0;
        virtual void file_dropped(const QString& path) = 0;

    protected:
        ~Target() = default;
    };

    ViewInput(QWidget& view, Target& target);

    // A drag is under way, or the wheel turns.
    bool busy() const { return dragging_ || wheel_settling_.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handle(QEvent* event);

    QWidget& view_;
    Target& target_;
    QPoint last_mouse_;
    bool dragging_ = false;
    bool panning_ = false;
    QTimer wheel_settling_;
};
