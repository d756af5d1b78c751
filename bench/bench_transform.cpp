// The motion transform per event, beside a plain copy of six floats.

#include <benchmark/benchmark.h>

#include "MotionTransform.h"

namespace {
RawMotion varying_motion(int i) {
    return RawMotion{{i % 350, -(i % 211), i % 97, (i * 7) % 350, -(i % 13), i % 300}, 8};
}

void transform_event(benchmark::State& state) {
    MotionSettings settings;
    settings.axis = {1, 0, 2};
    settings.translation_sign = {-1, 1, 1};
    settings.dead_zone = 5;
    settings.dominant_axis = state.range(0) != 0;
    int i = 0;
    for (auto _ : state) {
        RawMotion motion = varying_motion(++i);
        benchmark::DoNotOptimize(motion);
        ViewVelocity velocity = transform_motion(motion, settings);
        benchmark::DoNotOptimize(velocity);
    }
}

void copy_six_floats(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        RawMotion motion = varying_motion(++i);
        benchmark::DoNotOptimize(motion);
        ViewVelocity velocity;
        for (int k = 0; k < 3; ++k) {
            velocity.translation[k] = static_cast<float>(motion.axes[k]);
            velocity.rotation[k] = static_cast<float>(motion.axes[3 + k]);
        }
        benchmark::DoNotOptimize(velocity);
    }
}
} // namespace

BENCHMARK(transform_event)->ArgName("dominant")->Arg(0)->Arg(1);
BENCHMARK(copy_six_floats);

BENCHMARK_MAIN();
