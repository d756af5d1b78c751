// The model view's costs: one frame of spheres of growing size, whole and
// while the view moves (a level of detail), with OpenGL where it can be
// made (run under Xvfb for Mesa's software driver) and with QPainter; the
// levels' making; the memory a triangle takes, the levels and the driver's
// copies included; a minimal OpenGL program drawing the same sphere, the
// floor a whole frame could reach; and a fit of every corner.

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>

#include <malloc.h>

#include "DeviceSource.h"
#include "FakeDaemon.h"
#include "ModelView.h"
#include "MotionTransform.h"
#include "ProcessMemory.h"
#include "Simplify.h"

namespace {
// A sphere of about `triangles` triangles, as a fine STL model would be.
Model sphere(long triangles) {
    const int rings = std::max(2, int(std::sqrt(double(triangles) / 2)));
    const int segments = std::max(3, int(triangles / (2 * rings)));
    const auto at = [&](int ring, int segment) {
        const double theta = std::numbers::pi * ring / rings;
        const double phi = 2 * std::numbers::pi * segment / segments;
        return Model::Point{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi),
                            std::cos(theta)};
    };
    ModelBuilder builder(size_t(2 * rings * segments));
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment) {
            builder.add_triangle(at(ring, segment), at(ring + 1, segment),
                                 at(ring + 1, segment + 1));
            builder.add_triangle(at(ring, segment), at(ring + 1, segment + 1),
                                 at(ring, segment + 1));
        }
    }
    return builder.finish(QStringLiteral("sphere"));
}

// A view of 800 × 600 showing the sphere, its levels of detail made.
std::unique_ptr<ModelView> view_of(long triangles, ModelView::Drawing drawing) {
    auto view = std::make_unique<ModelView>(nullptr, drawing);
    view->resize(800, 600);
    view->set_model(sphere(triangles));
    view->show();
    QElapsedTimer waited;
    waited.start();
    while (view->model().triangle_count() > ModelView::simplified_budget &&
           !view->levels_are_fine() && waited.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return view;
}

// Frames as the user sees them: while the view turns, as many as the
// event loop, the drawing and the screen let through in a second, each
// iteration reporting their average length.
void frame(benchmark::State& state, ModelView::Drawing drawing, bool moving) {
    const std::unique_ptr<ModelView> view = view_of(state.range(0), drawing);
    int frames = 0;
    size_t level = 0;
    QObject::connect(view.get(), &ModelView::frame_done, [&](bool, double) {
        ++frames;
        level = view->drawn_level();
    });
    // A still view draws when asked: a timer asks once a frame of 60 Hz.
    QTimer turning;
    turning.setInterval(1000 / 60);
    QObject::connect(&turning, &QTimer::timeout, [&] { view->turn(1, 0.5f); });
    if (moving) {
        view->set_motion({QVector3D(), QVector3D(0, 30, 0)});
    } else {
        turning.start();
    }
    for (auto _ : state) {
        frames = 0;
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < 1000 || frames == 0) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        state.SetIterationTime(double(elapsed.nsecsElapsed()) / 1e9 / frames);
    }
    view->set_motion({});
    state.counters["triangles"] = double(level == 0 ? view->model().triangle_count()
                                                    : view->levels()[level - 1]->triangle_count());
    state.SetLabel(view->renderer().toStdString());
}

void opengl_whole(benchmark::State& state) {
    frame(state, ModelView::Drawing::automatic, false);
}
void opengl_moving(benchmark::State& state) {
    frame(state, ModelView::Drawing::automatic, true);
}
void painter_whole(benchmark::State& state) {
    frame(state, ModelView::Drawing::painter, false);
}
void painter_moving(benchmark::State& state) {
    frame(state, ModelView::Drawing::painter, true);
}
BENCHMARK(opengl_whole)
    ->Arg(2000)
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(4000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(opengl_moving)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(4000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(painter_whole)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(painter_moving)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond);

// From a motion written into the daemon's socket to the first frame that
// shows the view moved by it, the view holding a million triangles: each
// motion starts from rest, as a push of the cap does.
void motion_to_frame(benchmark::State& state) {
    QTemporaryDir folder;
    const QString socket = folder.filePath(QStringLiteral("spnav.sock"));
    qputenv("SPNAV_SOCKET", QFile::encodeName(socket));
    FakeDaemon daemon(socket);
    daemon.start();
    DeviceSource device;
    device.start();
    device.wait_for_answer(10000);
    const std::unique_ptr<ModelView> view = view_of(state.range(0), ModelView::Drawing::automatic);
    QObject::connect(&device, &DeviceSource::motion, view.get(), [&](const RawMotion& raw) {
        const ViewVelocity speeds = view_speeds(transform_motion(raw, MotionSettings()));
        view->set_motion(
            {QVector3D(speeds.translation[0], speeds.translation[1], speeds.translation[2]),
             QVector3D(speeds.rotation[0], speeds.rotation[1], speeds.rotation[2])});
    });
    bool moved = false;
    QQuaternion before;
    QObject::connect(view.get(), &ModelView::frame_done, [&](bool, double) {
        moved = moved || view->camera().orientation() != before;
    });
    const auto until = [](const std::function<bool()>& done) {
        while (!done()) {
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    };
    std::vector<double> latencies;
    for (auto _ : state) {
        before = view->camera().orientation();
        moved = false;
        const auto sent = std::chrono::steady_clock::now();
        daemon.send_motion({0, 0, 0, 0, 200, 0}, 8);
        until([&] { return moved; });
        latencies.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent)
                .count());
        daemon.send_motion({0, 0, 0, 0, 0, 0}, 8);
        until([&] { return !view->is_moving(); });
        QTest::qWait(40);
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_ms"] = latencies[latencies.size() / 2];
    state.counters["p99_ms"] = latencies[latencies.size() * 99 / 100];
}
BENCHMARK(motion_to_frame)->Arg(1000000)->Iterations(100)->Unit(benchmark::kMillisecond);

// Every level of a sphere, as the view makes them after it shows: quick
// ones (0), then fine ones (1).
void levels_made(benchmark::State& state) {
    const Model model = sphere(state.range(0));
    const std::atomic<bool> never(false);
    const auto quality = state.range(1) ? LevelQuality::fine : LevelQuality::quick;
    size_t levels = 0;
    for (auto _ : state) {
        levels = detail_levels(model, DetailLevels::coarsest, quality, never).size();
    }
    state.counters["levels"] = double(levels);
}
BENCHMARK(levels_made)
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

// The process's memory, in bytes, what it has freed handed back first.
double memory_now() {
    malloc_trim(0);
    return double(pss_kb(QStringLiteral("self"))) * 1024;
}

// What a triangle of the model costs once it shows, its levels made and
// drawn: the view's memory with the sphere, less with the built-in model.
void memory_per_triangle(benchmark::State& state) {
    for (auto _ : state) {
        ModelView view;
        view.resize(800, 600);
        view.show();
        const auto draw_every_level = [&] {
            for (size_t level = 0; level <= view.levels().size(); ++level) {
                view.show_level(level);
                view.grab();
            }
            view.show_level(0);
        };
        draw_every_level();
        const double before = memory_now();
        { view.set_model(sphere(state.range(0))); }
        QElapsedTimer waited;
        waited.start();
        while (!view.levels_are_fine() && waited.elapsed() < 60000) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        draw_every_level();
        state.counters["bytes_per_triangle"] =
            (memory_now() - before) / double(view.model().triangle_count());
        state.counters["levels"] = double(view.levels().size());
    }
}
BENCHMARK(memory_per_triangle)
    ->Arg(1000000)
    ->Arg(4000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The least a program can do to draw the sphere: a window of its own, no
// widget to compose, one buffer of corners and one of indices, a shader
// that only places the corners and paints one colour, no background, no
// overlay, no smoothing.
class MinimalWindow : public QOpenGLWindow, protected QOpenGLFunctions {
public:
    explicit MinimalWindow(const Model& model)
        : model_(model) {}
    int frames = 0;

protected:
    void initializeGL() override {
        initializeOpenGLFunctions();
        program_.addShaderFromSourceCode(
            QOpenGLShader::Vertex, "attribute highp vec3 position;\n"
                                   "uniform highp mat4 matrix;\n"
                                   "void main() { gl_Position = matrix * vec4(position, 1.0); }\n");
        program_.addShaderFromSourceCode(
            QOpenGLShader::Fragment, "void main() { gl_FragColor = vec4(0.6, 0.7, 0.8, 1.0); }\n");
        program_.bindAttributeLocation("position", 0);
        program_.link();
        vertices_.create();
        vertices_.bind();
        vertices_.allocate(model_.vertices.data(), int(model_.vertices.size() * sizeof(QVector3D)));
        indices_.create();
        indices_.bind();
        indices_.allocate(model_.indices.data(), int(model_.indices.size() * sizeof(quint32)));
    }
    void paintGL() override {
        glEnable(GL_DEPTH_TEST);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        program_.bind();
        QMatrix4x4 matrix;
        matrix.ortho(-1.4f, 1.4f, -1.05f, 1.05f, -2, 2);
        matrix.rotate(float(++frames), 0, 1, 0);
        program_.setUniformValue("matrix", matrix);
        vertices_.bind();
        program_.enableAttributeArray(0);
        program_.setAttributeBuffer(0, GL_FLOAT, 0, 3);
        indices_.bind();
        glDrawElements(GL_TRIANGLES, GLsizei(model_.indices.size()), GL_UNSIGNED_INT, nullptr);
        update();
    }

private:
    const Model& model_;
    QOpenGLShaderProgram program_;
    QOpenGLBuffer vertices_{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer indices_{QOpenGLBuffer::IndexBuffer};
};

void minimal_opengl(benchmark::State& state) {
    const Model model = sphere(state.range(0));
    MinimalWindow window(model);
    window.resize(800, 600);
    window.show();
    for (auto _ : state) {
        window.frames = 0;
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < 1000 || window.frames == 0) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        state.SetIterationTime(double(elapsed.nsecsElapsed()) / 1e9 / window.frames);
    }
}
BENCHMARK(minimal_opengl)->Arg(4000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond);

void fit_all(benchmark::State& state) {
    const Model model = sphere(state.range(0));
    OrbitCamera camera;
    for (auto _ : state) {
        camera.turn_model({0, 1, 0}, 1);
        camera.fit(model.vertices, QSizeF(800, 600));
        benchmark::DoNotOptimize(camera.distance());
    }
}
BENCHMARK(fit_all)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
