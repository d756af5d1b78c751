#pragma once

// Draws a scene with QPainter, where no OpenGL context can be made:
// flat-shaded triangles back to front, the overlay on top.

#include <QWidget>

class CanvasScene;

class PainterCanvas : public QWidget {
public:
    PainterCanvas(QWidget& parent, CanvasScene& scene);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CanvasScene& scene_;
};
