#pragma once

// Draws a scene with OpenGL in a window of its own, which the view holds
// in a window container: the model's triangles from buffers uploaded once
// per model, with a depth buffer and lighting, then the background where
// the model left pixels; the overlay with QPainter on top. A window of its own is swapped to the
// screen as it is; an OpenGL widget would be drawn into a framebuffer and
// composed with the rest of the window, which a software driver takes
// longer to do than the frame itself. The window takes no input: the
// mouse and the keys go to the view under it.
//
// A still view is drawn into a multisampled framebuffer, which smooths its
// edges; a moving one is drawn straight, since a software driver takes
// longer to resolve the samples than a frame lasts. It asks no more than
// OpenGL 2.1 or OpenGL ES 2.0 give, with common extensions: 32-bit indices
// and the derivatives that light a face flat (on ES), multisampled
// framebuffers and their blit (without them, edges stay rough).

#include <QOpenGLBuffer>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QWindow>
#include <memory>

class QOffscreenSurface;
class QOpenGLFramebufferObject;

class CanvasScene;
struct Model;

class GlCanvas : public QWindow, protected QOpenGLFunctions {
public:
    // `view` holds the canvas; the scene is told through it, later, that
    // OpenGL failed, since the scene then replaces the canvas.
    GlCanvas(QWidget& view, CanvasScene& scene);
    ~GlCanvas() override;

    // Depth, and the oldest version that will do.
    static QSurfaceFormat wanted_format();

    // A frame, drawn as soon as the platform lets.
    void update() { requestUpdate(); }
    // A frame, drawn now, where the window shows.
    void draw_now();
    // The frame as it would show at `size`, drawn afresh: shown or not, the
    // window is on the screen only, where no grab of the widgets finds it.
    QImage picture(const QSize& size, qreal pixel_ratio);

protected:
    void exposeEvent(QExposeEvent* event) override;
    bool event(QEvent* event) override;

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

    // The context current, made and set up the first time; false, and the
    // scene told, where it cannot be made.
    bool make_current();
    void make_context();
    void set_up();
    // A frame of `size` into `target`, the window's own framebuffer if none.
    void draw_frame(QOpenGLFramebufferObject* target, const QSize& size, qreal pixel_ratio);
    void upload(Buffers& buffers, const Model& model, quint64 generation);
    // The framebuffer a still frame is drawn into, of the frame's size;
    // none where multisampling cannot be had.
    QOpenGLFramebufferObject* smooth_target(const QSize& pixels);
    void judge_smoothing(double rough_ms);
    void draw_background();
    void draw(Buffers& buffers, const QSize& size);
    void draw_in_batches(GLsizei index_count);
    static void destroy(Buffers& buffers);
    Buffers& buffers_of(size_t level);

    QWidget& view_;
    CanvasScene& scene_;
    std::unique_ptr<QOpenGLContext> context_;
    // What the context is made current on while the window cannot be drawn.
    std::unique_ptr<QOffscreenSurface> offscreen_;
    bool failed_ = false;
    bool set_up_ = false;
    bool has_fences_ = false;
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
