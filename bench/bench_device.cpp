// From a motion written into the daemon's socket to the Device panel
// showing it: the latency of one event at a time (median and 99th
// percentile), and the GUI thread's CPU time at 1,000 events a second.

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <thread>
#include <vector>

#include "DevicePanel.h"
#include "DeviceSource.h"
#include "FakeDaemon.h"
#include "Kestrava_spaceWare.h"

namespace {
struct Rig {
    QTemporaryDir folder;
    std::unique_ptr<FakeDaemon> daemon;
    std::unique_ptr<SpaceWarePreferencesManager> manager;
    std::unique_ptr<DeviceSource> device;
    std::unique_ptr<DevicePanel> panel;
    QLabel* tx = nullptr;

    Rig() {
        const QString socket = folder.filePath(QStringLiteral("spnav.sock"));
        qputenv("SPNAV_SOCKET", QFile::encodeName(socket));
        daemon = std::make_unique<FakeDaemon>(socket);
        daemon->start();
        manager = std::make_unique<SpaceWarePreferencesManager>(folder.filePath("p.ini"), 2);
        device = std::make_unique<DeviceSource>();
        panel = std::make_unique<DevicePanel>(manager.get());
        QObject::connect(device.get(), &DeviceSource::motion, panel.get(),
                         &DevicePanel::show_motion);
        device->start();
        device->wait_for_answer(10000);
        panel->show();
        tx = panel->findChild<QLabel*>(QStringLiteral("device_tx_"));
    }
};

double thread_cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void motion_to_panel(benchmark::State& state) {
    Rig rig;
    std::vector<double> latencies;
    int value = 0;
    for (auto _ : state) {
        value = value % 300 + 1;
        const QString expected = QString::number(value);
        const auto sent = std::chrono::steady_clock::now();
        rig.daemon->send_motion({value, 0, 0, 0, 0, 0}, 8);
        while (rig.tx->text() != expected) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        QCoreApplication::processEvents(); // the repaint it asked for
        latencies.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent)
                .count());
        // Wait out the frame, so every event meets an idle panel.
        std::this_thread::sleep_for(std::chrono::milliseconds(17));
        QCoreApplication::processEvents();
    }
    std::sort(latencies.begin(), latencies.end());
    state.counters["median_ms"] = latencies[latencies.size() / 2];
    state.counters["p99_ms"] = latencies[latencies.size() * 99 / 100];
}

void cpu_at_a_thousand_events_a_second(benchmark::State& state) {
    Rig rig;
    for (auto _ : state) {
        std::atomic<bool> sending{true};
        std::thread sender([&] {
            auto next = std::chrono::steady_clock::now();
            for (int i = 1; sending; ++i) {
                rig.daemon->send_motion({i % 300, 0, 0, 0, 0, 0}, 1);
                next += std::chrono::milliseconds(1);
                std::this_thread::sleep_until(next);
            }
        });
        const double cpu_before = thread_cpu_seconds();
        const auto start = std::chrono::steady_clock::now();
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["gui_cpu_percent"] = 100.0 * (thread_cpu_seconds() - cpu_before) / seconds;
        sending = false;
        sender.join();
    }
}
} // namespace

BENCHMARK(motion_to_panel)->Iterations(300)->Unit(benchmark::kMillisecond);
BENCHMARK(cpu_at_a_thousand_events_a_second)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
