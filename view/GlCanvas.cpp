#include "GlCanvas.h"

#include <QElapsedTimer>
#include <QOffscreenSurface>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QOpenGLPaintDevice>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "CanvasScene.h"
#include "Model.h"
#include "OrbitCamera.h"
#include "Shading.h"
#include "ViewOverlay.h"

namespace {
const char* const vertex_shader = R"(
attribute highp vec3 position;
attribute lowp vec3 colour;
uniform highp mat4 view_matrix;
uniform highp mat4 projection;
varying highp vec3 eye_position;
varying lowp vec3 face_colour;
void main() {
    highp vec4 eye = view_matrix * vec4(position, 1.0);
    eye_position = eye.xyz;
    face_colour = colour;
    gl_Position = projection * eye;
}
)";

// Flat shading from the derivatives of the position: a corner shared by
// several faces has no normal of its own. The derivatives' normal always
// faces the viewer; which side of the face shows, the rasteriser tells.
const char* const fragment_shader = R"(
varying highp vec3 eye_position;
varying lowp vec3 face_colour;
uniform mediump vec3 light;
uniform mediump float ambient;
uniform mediump float diffuse;
uniform lowp vec3 back_tint;
uniform mediump float back_mix;
void main() {
    mediump vec3 normal = normalize(cross(dFdx(eye_position), dFdy(eye_position)));
    mediump float lit = ambient + diffuse * max(0.0, dot(normal, light));
    lowp vec3 base = gl_FrontFacing ? face_colour : mix(face_colour, back_tint, back_mix);
    gl_FragColor = vec4(base * lit, 1.0);
}
)";

// A gradient from the top of the view to its bottom, on the far plane:
// drawn after the model, it fills only the pixels the model left.
const char* const background_vertex_shader = R"(
attribute highp vec2 position;
uniform lowp vec3 top;
uniform lowp vec3 bottom;
varying lowp vec3 colour;
void main() {
    colour = mix(bottom, top, (position.y + 1.0) / 2.0);
    gl_Position = vec4(position, 1.0, 1.0);
}
)";
const char* const background_fragment_shader = R"(
varying lowp vec3 colour;
void main() {
    gl_FragColor = vec4(colour, 1.0);
}
)";
const int smoothing_samples = 4;

QVector3D rgb_of(QRgb colour) {
    return QVector3D(float(qRed(colour)), float(qGreen(colour)), float(qBlue(colour))) / 255;
}
} // namespace

GlCanvas::GlCanvas(QWidget& view, CanvasScene& scene)
    : view_(view)
    , scene_(scene) {
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(wanted_format());
    setFlags(Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
}

GlCanvas::~GlCanvas() {
    if (!context_ || !make_current()) {
        return;
    }
    for (Buffers& buffers : levels_) {
        destroy(buffers);
    }
    smooth_.reset();
    background_corners_.destroy();
    arrays_.destroy();
    program_.removeAllShaders();
    background_.removeAllShaders();
    context_->doneCurrent();
}

QSurfaceFormat GlCanvas::wanted_format() {
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    return format;
}

bool GlCanvas::make_current() {
    if (!context_) {
        make_context();
    }
    QSurface* surface = isExposed() ? static_cast<QSurface*>(this) : offscreen_.get();
    if (failed_ || !context_->makeCurrent(surface)) {
        return false;
    }
    if (!set_up_) {
        set_up_ = true;
        set_up();
    }
    return true;
}

void GlCanvas::make_context() {
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(requestedFormat());
    offscreen_ = std::make_unique<QOffscreenSurface>();
    offscreen_->setFormat(requestedFormat());
    offscreen_->create();
    failed_ = !context_->create();
    if (failed_) {
        QMetaObject::invokeMethod(
            &view_, [&scene = scene_] { scene.opengl_failed(); }, Qt::QueuedConnection);
    }
}

void GlCanvas::set_up() {
    initializeOpenGLFunctions();
    has_fences_ = context_->format().version() >=
                      (context_->isOpenGLES() ? qMakePair(3, 0) : qMakePair(3, 2)) ||
                  context_->hasExtension("GL_ARB_sync");
    const QByteArray es_prefix = context_->isOpenGLES()
                                     ? "#extension GL_OES_standard_derivatives : enable\n"
                                       "precision mediump float;\n"
                                     : "";
    program_.addShaderFromSourceCode(QOpenGLShader::Vertex, vertex_shader);
    program_.addShaderFromSourceCode(QOpenGLShader::Fragment, es_prefix + fragment_shader);
    program_.bindAttributeLocation("position", 0);
    program_.bindAttributeLocation("colour", 1);
    program_.link();
    background_.addShaderFromSourceCode(QOpenGLShader::Vertex, background_vertex_shader);
    background_.addShaderFromSourceCode(QOpenGLShader::Fragment,
                                        es_prefix + background_fragment_shader);
    background_.bindAttributeLocation("position", 0);
    background_.link();
    static const GLfloat corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
    background_corners_.create();
    background_corners_.bind();
    background_corners_.allocate(corners, sizeof corners);
    background_corners_.release();
    arrays_.create();
}

void GlCanvas::exposeEvent(QExposeEvent*) {
    if (isExposed()) {
        draw_now();
    }
}

bool GlCanvas::event(QEvent* event) {
    if (event->type() == QEvent::UpdateRequest) {
        draw_now();
        return true;
    }
    return QWindow::event(event);
}

void GlCanvas::draw_now() {
    if (!isExposed() || !make_current()) {
        return;
    }
    draw_frame(nullptr, size(), devicePixelRatio());
    context_->swapBuffers(this);
}

QImage GlCanvas::picture(const QSize& size, qreal pixel_ratio) {
    if (!make_current()) {
        return {};
    }
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::Depth);
    QOpenGLFramebufferObject target(size * pixel_ratio, format);
    target.bind();
    draw_frame(&target, size, pixel_ratio);
    QImage image = target.toImage();
    target.release();
    image.setDevicePixelRatio(pixel_ratio);
    return image;
}

QOpenGLFramebufferObject* GlCanvas::smooth_target(const QSize& pixels) {
    if (!QOpenGLFramebufferObject::hasOpenGLFramebufferBlit()) {
        return nullptr;
    }
    if (!smooth_ || smooth_->size() != pixels) {
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::Depth);
        format.setSamples(smoothing_samples);
        smooth_ = std::make_unique<QOpenGLFramebufferObject>(pixels, format);
    }
    return smooth_->isValid() ? smooth_.get() : nullptr;
}

// A still frame is smoothed when that costs little: with a software
// driver the samples make a frame several times slower, and a model of a
// million triangles would take most of a second. The first frame of each
// model is drawn rough, and tells.
void GlCanvas::judge_smoothing(double rough_ms) {
    const double smoothing_cost = 3.5;
    const double longest_smooth_ms = 120;
    smoothing_ =
        rough_ms * smoothing_cost <= longest_smooth_ms ? Smoothing::worth : Smoothing::not_worth;
    if (smoothing_ == Smoothing::worth) {
        update();
    }
}

// The depth test passes where the model drew nothing: its pixels are
// shaded once.
void GlCanvas::draw_background() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    background_.bind();
    background_.setUniformValue("top", rgb_of(ViewOverlay::background_top));
    background_.setUniformValue("bottom", rgb_of(ViewOverlay::background_bottom));
    background_corners_.bind();
    background_.enableAttributeArray(0);
    background_.setAttributeBuffer(0, GL_FLOAT, 0, 2);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    background_.disableAttributeArray(0);
    background_corners_.release();
    background_.release();
    glDepthMask(GL_TRUE);
    glDisable(GL_DEPTH_TEST);
}

void GlCanvas::destroy(Buffers& buffers) {
    buffers.vertices.destroy();
    buffers.colours.destroy();
    buffers.indices.destroy();
    buffers.generation = ~quint64(0);
}

void GlCanvas::upload(Buffers& buffers, const Model& model, quint64 generation) {
    destroy(buffers);
    buffers.vertices.create();
    buffers.vertices.bind();
    buffers.vertices.allocate(model.vertices.data(),
                              int(model.vertices.size() * sizeof(QVector3D)));
    buffers.vertices.release();
    buffers.has_colours = !model.colours.empty();
    buffers.colour = model.colour;
    if (buffers.has_colours) {
        std::vector<quint8> rgb;
        rgb.reserve(model.colours.size() * 3);
        for (const QRgb colour : model.colours) {
            rgb.insert(rgb.end(),
                       {quint8(qRed(colour)), quint8(qGreen(colour)), quint8(qBlue(colour))});
        }
        buffers.colours.create();
        buffers.colours.bind();
        buffers.colours.allocate(rgb.data(), int(rgb.size()));
        buffers.colours.release();
    }
    buffers.indices.create();
    buffers.indices.bind();
    buffers.indices.allocate(model.indices.data(), int(model.indices.size() * sizeof(quint32)));
    buffers.indices.release();
    buffers.index_count = GLsizei(model.indices.size());
    buffers.generation = generation;
}

GlCanvas::Buffers& GlCanvas::buffers_of(size_t level) {
    while (levels_.size() <= level) {
        levels_.emplace_back();
    }
    return levels_[level];
}

void GlCanvas::draw(Buffers& buffers, const QSize& size) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glClear(GL_DEPTH_BUFFER_BIT);
    program_.bind();
    const OrbitCamera& camera = scene_.camera();
    // The model lies within the unit sphere about the origin.
    program_.setUniformValue("view_matrix", camera.view_matrix());
    program_.setUniformValue("projection", camera.projection_matrix(size, QVector3D(), 1));
    program_.setUniformValue("light", shading::light());
    program_.setUniformValue("ambient", shading::ambient);
    program_.setUniformValue("diffuse", shading::diffuse);
    program_.setUniformValue("back_tint", rgb_of(shading::back_tint));
    program_.setUniformValue("back_mix", shading::back_mix);
    buffers.vertices.bind();
    program_.enableAttributeArray(0);
    program_.setAttributeBuffer(0, GL_FLOAT, 0, 3);
    if (buffers.has_colours) {
        buffers.colours.bind();
        program_.enableAttributeArray(1);
        glVertexAttribPointer(1, 3, GL_UNSIGNED_BYTE, GL_TRUE, 0, nullptr);
    } else {
        program_.disableAttributeArray(1);
        program_.setAttributeValue(1, rgb_of(buffers.colour));
    }
    buffers.indices.bind();
    draw_in_batches(buffers.index_count);
    program_.disableAttributeArray(0);
    program_.disableAttributeArray(1);
    buffers.indices.release();
    buffers.vertices.release();
    program_.release();
    glDisable(GL_DEPTH_TEST);
}

// In batches, no more than two of them unfinished: a software driver keeps
// every triangle of the draws it has not finished, a few hundred bytes
// each, and would hold twice the model's own memory for a million. Where
// the driver has fences, a batch is sent while the one before draws.
void GlCanvas::draw_in_batches(GLsizei index_count) {
    const GLsizei batch = 3 * 16384;
    QOpenGLExtraFunctions& fences = *context_->extraFunctions();
    GLsync drawing = nullptr;
    const auto wait_for = [&fences](GLsync& fence) {
        fences.glClientWaitSync(fence, GL_SYNC_FLUSH_COMMANDS_BIT, ~GLuint64(0));
        fences.glDeleteSync(std::exchange(fence, nullptr));
    };
    for (GLsizei first = 0; first < index_count; first += batch) {
        glDrawElements(GL_TRIANGLES, std::min(batch, index_count - first), GL_UNSIGNED_INT,
                       reinterpret_cast<const void*>(first * sizeof(quint32)));
        if (!has_fences_) {
            glFinish();
            continue;
        }
        GLsync sent = fences.glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
        if (drawing) {
            wait_for(drawing);
        }
        drawing = sent;
    }
    if (drawing) {
        wait_for(drawing);
    }
}

void GlCanvas::draw_frame(QOpenGLFramebufferObject* target, const QSize& size, qreal pixel_ratio) {
    const CanvasScene::Drawn drawn = scene_.begin_frame();
    const bool whole = drawn.whole();
    Buffers& buffers = buffers_of(drawn.level);
    if (buffers.generation != drawn.generation) {
        // The levels share a generation: those of the one before go with it.
        for (size_t level = 1; !whole && level < levels_.size(); ++level) {
            if (levels_[level].generation != drawn.generation) {
                destroy(levels_[level]);
            }
        }
        upload(buffers, *drawn.model, drawn.generation);
    }
    if (whole && smoothing_for_ != drawn.generation) {
        smoothing_for_ = drawn.generation;
        smoothing_ = Smoothing::untried;
    }
    QElapsedTimer timer;
    timer.start();
    const QSize pixels = size * pixel_ratio;
    QOpenGLPaintDevice device(pixels);
    device.setDevicePixelRatio(pixel_ratio);
    QPainter painter(&device);
    // The painter is told where its state was changed under it.
    painter.beginNativePainting();
    arrays_.bind();
    QOpenGLFramebufferObject* smooth =
        drawn.still && smoothing_ == Smoothing::worth ? smooth_target(pixels) : nullptr;
    if (smooth) {
        smooth->bind();
    }
    glViewport(0, 0, pixels.width(), pixels.height());
    draw(buffers, size);
    draw_background();
    if (smooth) {
        // Into the frame's own framebuffer, the samples resolved.
        QOpenGLFramebufferObject::blitFramebuffer(target, QRect(QPoint(), pixels), smooth,
                                                  QRect(QPoint(), pixels));
        if (target) {
            target->bind();
        } else {
            QOpenGLFramebufferObject::bindDefault();
        }
    }
    arrays_.release();
    painter.endNativePainting();
    scene_.paint_overlay(painter);
    painter.end();
    // Timed up to the screen, the swap left out: it may wait for the
    // display's refresh.
    glFinish();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (drawn.still && smoothing_ == Smoothing::untried) {
        judge_smoothing(ms);
    }
    scene_.frame_drawn(drawn, ms);
}
