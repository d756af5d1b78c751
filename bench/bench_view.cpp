// The model view's costs: one frame for models of growing size, and a fit
// of every vertex.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>

#include "ModelView.h"

namespace {
// A sphere of about `triangles` triangles, as a fine STL model would be.
Model sphere(int triangles) {
    const int rings = std::max(2, int(std::sqrt(triangles / 2.0)));
    const int segments = std::max(3, triangles / (2 * rings));
    const auto at = [&](int ring, int segment) {
        const double theta = std::numbers::pi * ring / rings;
        const double phi = 2 * std::numbers::pi * segment / segments;
        return QVector3D(float(std::sin(theta) * std::cos(phi)),
                         float(std::sin(theta) * std::sin(phi)), float(std::cos(theta)));
    };
    Model model;
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment) {
            model.add_triangle(at(ring, segment), at(ring + 1, segment), at(ring + 1, segment + 1),
                               qRgb(0x8f, 0xa8, 0xc8));
            model.add_triangle(at(ring, segment), at(ring + 1, segment + 1), at(ring, segment + 1),
                               qRgb(0x8f, 0xa8, 0xc8));
        }
    }
    return model;
}

void frame(benchmark::State& state) {
    ModelView view;
    view.resize(800, 600);
    view.set_model(sphere(int(state.range(0))));
    view.fit_all();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.turn(1, 1);
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["triangles"] = double(view.model().triangle_count());
}
BENCHMARK(frame)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void fit_all(benchmark::State& state) {
    const Model model = sphere(int(state.range(0)));
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
