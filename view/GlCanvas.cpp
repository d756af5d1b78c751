#include "GlCanvas.h"

#include <QElapsedTimer>
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

GlCanvas::GlCanvas(QWidget& parent, CanvasScene& scene)
    : QOpenGLWidget(&parent)
    , scene_(scene) {
    setFormat(wanted_format());
}

GlCanvas::~GlCanvas() {
    if (!initialized_) {
        return;
    }
    makeCurrent();
    for (Buffers& buffers : levels_) {
        destroy(buffers);
    }
    smooth_.reset();
    background_corners_.destroy();
    arrays_.destroy();
    program_.removeAllShaders();
    background_.removeAllShaders();
    doneCurrent();
}

QSurfaceFormat GlCanvas::wanted_format() {
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    return format;
}

void GlCanvas::initializeGL() {
    initialized_ = true;
    initializeOpenGLFunctions();
    const QByteArray es_prefix = context()->isOpenGLES()
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

QOpenGLFramebufferObject* GlCanvas::smooth_target() {
    if (!QOpenGLFramebufferObject::hasOpenGLFramebufferBlit()) {
        return nullptr;
    }
    const QSize pixels = size() * devicePixelRatio();
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

double GlCanvas::draw(Buffers& buffers) {
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
    program_.setUniformValue("projection", camera.projection_matrix(size(), QVector3D(), 1));
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
    QElapsedTimer timer;
    timer.start();
    // In batches, each finished before the next: a software driver keeps
    // every triangle of the draws it has not finished, a few hundred bytes
    // each, and would hold twice the model's own memory for a million.
    const GLsizei batch = 3 * 65536;
    for (GLsizei first = 0; first < buffers.index_count; first += batch) {
        glDrawElements(GL_TRIANGLES, std::min(batch, buffers.index_count - first), GL_UNSIGNED_INT,
                       reinterpret_cast<const void*>(first * sizeof(quint32)));
        glFinish();
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    program_.disableAttributeArray(0);
    program_.disableAttributeArray(1);
    buffers.indices.release();
    buffers.vertices.release();
    program_.release();
    glDisable(GL_DEPTH_TEST);
    return ms;
}

void GlCanvas::paintEvent(QPaintEvent* event) {
    QOpenGLWidget::paintEvent(event);
    if (!initialized_) {
        // Told from the parent, since the scene replaces this canvas.
        QMetaObject::invokeMethod(
            parentWidget(), [&scene = scene_] { scene.opengl_failed(); }, Qt::QueuedConnection);
    }
}

void GlCanvas::paintGL() {
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
    // Painted through a device of its own: a painter on the widget itself
    // is redirected while the widget is grabbed, and the picture goes.
    const QSize pixels = size() * devicePixelRatio();
    QOpenGLPaintDevice device(pixels);
    device.setDevicePixelRatio(devicePixelRatioF());
    QPainter painter(&device);
    // The painter is told where its state was changed under it.
    painter.beginNativePainting();
    arrays_.bind();
    QOpenGLFramebufferObject* smooth =
        drawn.still && smoothing_ == Smoothing::worth ? smooth_target() : nullptr;
    QElapsedTimer timer;
    timer.start();
    if (smooth) {
        smooth->bind();
    }
    glViewport(0, 0, pixels.width(), pixels.height());
    const double model_ms = draw(buffers);
    draw_background();
    if (smooth) {
        // Into the widget's own framebuffer, the samples resolved.
        QOpenGLFramebufferObject::blitFramebuffer(nullptr, QRect(QPoint(), pixels), smooth,
                                                  QRect(QPoint(), pixels));
        glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (drawn.still && smoothing_ == Smoothing::untried) {
        judge_smoothing(ms);
    }
    scene_.frame_drawn(drawn, model_ms);
    arrays_.release();
    painter.endNativePainting();
    scene_.paint_overlay(painter);
}
