#pragma once

// Draws a scene with OpenGL: the background, then the model's
// triangles from buffers uploaded once per model, with a depth buffer and
// lighting; the overlay with QPainter on top. A still view is drawn into a
// multisampled framebuffer, which smooths its edges; a moving one is drawn
// straight, since a software driver takes longer to resolve the samples
// than a frame lasts. It asks no more than OpenGL 2.1 or OpenGL ES 2.0
// give, with common extensions: 32-bit indices and the derivatives that
// light a face flat (on ES), multisampled framebuffers and their blit
// (without them, edges stay rough).

#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QOpenGLWidget>
#include <memory>

class QOpenGLFramebufferObject;

class CanvasScene;
struct Model;

class GlCanvas : public QOpenGLWidget, protected QOpenGLFunctions {
public:
    GlCanvas(QWidget& parent, CanvasScene& scene);
    ~GlCanvas() override;

    // Depth, and the oldest version that will do.
    static QSurfaceFormat wanted_format();

protected:
    void initializeGL() override;
    void paintGL() override;
    // A platform that cannot compose OpenGL into a window never initialises
    // the canvas: the scene is told, and QPainter draws instead.
    void paintEvent(QPaintEvent* event) override;

private:
    // A model's triangles on the card, and which model they are.
    struct Buffers {
        QOpenGLBuffer vertices{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer colours{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer indices{QOpenGLBuffer::IndexBuffer};
        GLsizei index_count = 0;
        bool has_colours = false;
        QRgb colour = 0;
        quint64 generation = ~quint64(0);
    };

    void upload(Buffers& buffers, const Model& model, quint64 generation);
    // The framebuffer a still frame is drawn into, of the widget's size;
    // none where multisampling cannot be had.
    QOpenGLFramebufferObject* smooth_target();
    void judge_smoothing(double rough_ms);
    void draw_background();
    // How long the triangles took, in ms.
    double draw(Buffers& buffers);
    static void destroy(Buffers& buffers);
    Buffers& buffers_of(size_t level);

    CanvasScene& scene_;
    bool initialized_ = false;
    QOpenGLShaderProgram program_;
    QOpenGLShaderProgram background_;
    QOpenGLBuffer background_corners_{QOpenGLBuffer::VertexBuffer};
    // Ours, so that the painter's own arrays are left as they are; none
    // where the driver has no vertex array objects.
    QOpenGLVertexArrayObject arrays_;
    std::unique_ptr<QOpenGLFramebufferObject> smooth_;
    enum class Smoothing { untried, worth, not_worth };
    Smoothing smoothing_ = Smoothing::untried;
    quint64 smoothing_for_ = ~quint64(0);
    // The model whole, then its levels of detail.
    std::vector<Buffers> levels_;
};
