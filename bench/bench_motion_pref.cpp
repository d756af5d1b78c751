// Building the settings dialog and refreshing its function lists, each beside
// building a plain widget tree of the same widget count.

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

#include "Kestrava_spaceWare.h"
#include "images/MimeSourceFactory_Kestrava.h"
#include "motionctrl/VQMotionCtrlPref.h"

namespace {
QTemporaryDir* folder;

std::unique_ptr<SpaceWarePreferencesManager> manager_with(long buttons, long functions) {
    static int made = 0;
    auto manager = std::make_unique<SpaceWarePreferencesManager>(
        folder->filePath(QStringLiteral("bench%1.ini").arg(++made)), buttons);
    for (long f = 0; f < functions; ++f) {
        manager->add_or_edit_custom_function(qPrintable(QStringLiteral("fn%1").arg(f)), "echo");
    }
    return manager;
}

int widget_count(long buttons, long functions) {
    auto manager = manager_with(buttons, functions);
    VQMotionCtrlPref dialog(manager.get());
    return static_cast<int>(dialog.findChildren<QWidget*>().size()) + 1;
}

void construct_dialog(benchmark::State& state) {
    auto manager = manager_with(state.range(0), state.range(1));
    for (auto _ : state) {
        VQMotionCtrlPref dialog(manager.get());
        benchmark::DoNotOptimize(&dialog);
    }
    state.counters["widgets"] = widget_count(state.range(0), state.range(1));
}

void construct_plain_tree(benchmark::State& state) {
    const int widgets = widget_count(state.range(0), state.range(1));
    for (auto _ : state) {
        QWidget root;
        for (int i = 1; i < widgets; ++i) {
            new QWidget(&root);
        }
        benchmark::DoNotOptimize(&root);
    }
    state.counters["widgets"] = widgets;
}

void refresh_function_names(benchmark::State& state) {
    auto manager = manager_with(state.range(0), state.range(1));
    VQMotionCtrlPref dialog(manager.get());
    for (auto _ : state) {
        manager->custom_function_names()->notify(nullptr);
    }
}

void dialog_arguments(benchmark::internal::Benchmark* benchmark) {
    for (const long buttons : {2L, 15L, 31L}) {
        for (const long functions : {10L, 200L}) {
            benchmark->Args({buttons, functions});
        }
    }
    benchmark->ArgNames({"buttons", "functions"})->Unit(benchmark::kMicrosecond);
}
} // namespace

BENCHMARK(construct_dialog)->Apply(dialog_arguments);
BENCHMARK(construct_plain_tree)->Apply(dialog_arguments);
BENCHMARK(refresh_function_names)->Apply(dialog_arguments);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    folder = &dir;
    installImageCollection();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    removeImageCollection();
    return 0;
}
