#pragma once

// What a canvas draws, and whom it tells how the frame went: the canvases
// draw a scene without knowing the view that holds them.

#include <QtGlobal>

#include "tarvik_view_export.h"

class OrbitCamera;
class QPainter;
struct Model;

class TARVIK_VIEW_EXPORT CanvasScene {
public:
    // The model to draw, or one of its levels of detail (0 the model
    // whole), with a number that changes whenever it is another one; and
    // whether the view is still, so that its edges are worth smoothing.
    struct Drawn {
        const Model* model;
        quint64 generation;
        size_t level;
        bool still;
        bool whole() const { return level == 0; }
    };

    // Called as a frame begins: what to draw, once the view is ready for it.
    virtual Drawn begin_frame() = 0;
    virtual const OrbitCamera& camera() const = 0;
    // Drawn over the model, with the canvas's painter.
    virtual void paint_overlay(QPainter& painter) const = 0;
    // How long the frame took to draw, up to the screen.
    virtual void frame_drawn(const Drawn& drawn, double ms) = 0;
    // OpenGL turned out not to work here: QPainter should draw instead.
    virtual void opengl_failed() = 0;

protected:
    ~CanvasScene() = default;
};
