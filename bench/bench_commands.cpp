// Running the longest definition the settings can hold, 64 KiB, the way a
// device button does: through the interpreter onto the view, each command
// shown in the log. Three shapes: one long line, many lines the log shows,
// many turns of the view.

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

#include "CommandLog.h"
#include "HostCommands.h"
#include "Kestrava_spaceWare.h"
#include "ModelView.h"

namespace {
QString definition_of(const QString& line) {
    const long longest = SpaceWarePreferencesManager::longest_definition;
    QString definition;
    while (definition.size() + line.size() <= longest) {
        definition += line;
    }
    return definition;
}

const QString shapes[] = {
    QStringLiteral("echo ") + QString(SpaceWarePreferencesManager::longest_definition - 5, 'x'),
    definition_of(QStringLiteral("echo hello world\n")),
    definition_of(QStringLiteral("view rotate x 0.5\n")),
};

void run_longest_definition(benchmark::State& state) {
    QTemporaryDir dir;
    SpaceWareLib::configure(dir.filePath(QStringLiteral("prefs.ini")), 2);
    ModelView view;
    view.resize(640, 480);
    view.show();
    CommandLog log;
    log.show();
    HostCommands commands(view, log);
    SpaceWarePreferencesManager& manager = *SpaceWareLib::instance()->preferences_manager();
    const QString& definition = shapes[state.range(0)];
    manager.add_or_edit_custom_function("longest", definition.toLatin1().constData());
    for (auto _ : state) {
        commands.run_function(QStringLiteral("bench"), "longest");
        QApplication::processEvents();
    }
    state.counters["lines"] = double(definition.count('\n') + 1);
}
BENCHMARK(run_longest_definition)
    ->DenseRange(0, 2)
    ->ArgNames({"shape"})
    ->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    // The log echoes every entry to standard error, as the host does; to
    // /dev/null here, to keep the figures readable.
    if (!std::freopen("/dev/null", "w", stderr)) {
        return 1;
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
