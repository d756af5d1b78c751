#pragma once

// Draws a model view with QPainter, where no OpenGL context can be made:
// flat-shaded triangles back to front, the overlay on top.

#include <QWidget>

class ModelView;

class PainterCanvas : public QWidget {
public:
    explicit PainterCanvas(ModelView& view);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ModelView& view_;
};
