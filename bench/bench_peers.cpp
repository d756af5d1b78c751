// The host against peer programs on the same files, run in turn, each a
// process of its own, its time taken, and the peak of its memory and its
// children's together (the host's reader), sampled every 20 ms as the sum
// of their proportional set sizes:
//   first_picture: `tarvik --model F --screenshot P` against Debian's f3d
//   (`f3d F --output P`), on a sphere of a million triangles as binary
//   STL, ASCII STL, OBJ and binary PLY ($BENCH_TARVIK names another host
//   to measure, an earlier build say);
//   first_picture_cad: the same, on STEP files of about 1 MB and 5 MB
//   (300 and 1,500 parts of curved faces);
//   reader_start: a reader process started, reading a file of one
//   triangle, and its answer taken;
//   read: our model reader (this program run with --read F) against
//   `assimp info F`, on the same sphere as binary and ASCII STL, OBJ and
//   binary PLY.
// Run under an X server (make bench starts Xvfb), so that both draw with
// OpenGL.

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <numbers>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CadWriter.h"
#include "ModelFile.h"
#include "ProcessMemory.h"
#include "ReaderProcess.h"

extern char** environ;

namespace {
const int rings = 707, segments = 707; // 999,698 triangles

struct Triangle {
    std::array<float, 3> corner[3];
};

std::vector<Triangle> sphere() {
    const auto at = [](int ring, int segment) {
        const double theta = std::numbers::pi * ring / rings;
        const double phi = 2 * std::numbers::pi * segment / segments;
        return std::array<float, 3>{float(std::sin(theta) * std::cos(phi)),
                                    float(std::sin(theta) * std::sin(phi)), float(std::cos(theta))};
    };
    std::vector<Triangle> triangles;
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment) {
            if (ring > 0) {
                triangles.push_back(
                    {{at(ring, segment), at(ring + 1, segment), at(ring, segment + 1)}});
            }
            if (ring + 1 < rings) {
                triangles.push_back(
                    {{at(ring, segment + 1), at(ring + 1, segment), at(ring + 1, segment + 1)}});
            }
        }
    }
    return triangles;
}

void write_binary_stl(const QString& path, const std::vector<Triangle>& triangles) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(80, ' '));
    const quint32 count = quint32(triangles.size());
    file.write(reinterpret_cast<const char*>(&count), 4);
    for (const Triangle& t : triangles) {
        const float normal[3] = {0, 0, 0};
        file.write(reinterpret_cast<const char*>(normal), 12);
        for (const auto& c : t.corner) {
            file.write(reinterpret_cast<const char*>(c.data()), 12);
        }
        file.write("\0\0", 2);
    }
}

void write_ascii_stl(const QString& path, const std::vector<Triangle>& triangles) {
    FILE* out = std::fopen(QFile::encodeName(path).constData(), "w");
    std::fprintf(out, "solid sphere\n");
    for (const Triangle& t : triangles) {
        std::fprintf(out, "facet normal 0 0 0\nouter loop\n");
        for (const auto& c : t.corner) {
            std::fprintf(out, "vertex %.9g %.9g %.9g\n", c[0], c[1], c[2]);
        }
        std::fprintf(out, "endloop\nendfacet\n");
    }
    std::fprintf(out, "endsolid sphere\n");
    std::fclose(out);
}

// The shared corners, once, and the triangles by their numbers.
void shared(const std::vector<Triangle>& triangles, std::vector<std::array<float, 3>>& corners,
            std::vector<std::array<int, 3>>& faces) {
    std::map<std::array<float, 3>, int> numbers;
    for (const Triangle& t : triangles) {
        std::array<int, 3> face;
        for (int c = 0; c < 3; ++c) {
            const auto [it, added] = numbers.try_emplace(t.corner[c], int(corners.size()));
            if (added) {
                corners.push_back(t.corner[c]);
            }
            face[size_t(c)] = it->second;
        }
        faces.push_back(face);
    }
}

void write_obj(const QString& path, const std::vector<std::array<float, 3>>& corners,
               const std::vector<std::array<int, 3>>& faces) {
    FILE* out = std::fopen(QFile::encodeName(path).constData(), "w");
    for (const auto& c : corners) {
        std::fprintf(out, "v %.9g %.9g %.9g\n", c[0], c[1], c[2]);
    }
    for (const auto& f : faces) {
        std::fprintf(out, "f %d %d %d\n", f[0] + 1, f[1] + 1, f[2] + 1);
    }
    std::fclose(out);
}

void write_binary_ply(const QString& path, const std::vector<std::array<float, 3>>& corners,
                      const std::vector<std::array<int, 3>>& faces) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QStringLiteral("ply\nformat binary_little_endian 1.0\nelement vertex %1\n"
                              "property float x\nproperty float y\nproperty float z\n"
                              "element face %2\nproperty list uchar int vertex_indices\n"
                              "end_header\n")
                   .arg(corners.size())
                   .arg(faces.size())
                   .toLatin1());
    for (const auto& c : corners) {
        file.write(reinterpret_cast<const char*>(c.data()), 12);
    }
    for (const auto& f : faces) {
        file.write("\3", 1);
        file.write(reinterpret_cast<const char*>(f.data()), 12);
    }
}

// The files, written once.
struct Files {
    QTemporaryDir folder;
    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }
    Files() {
        const std::vector<Triangle> triangles = sphere();
        write_binary_stl(path("sphere.stl"), triangles);
        write_ascii_stl(path("sphere_ascii.stl"), triangles);
        std::vector<std::array<float, 3>> corners;
        std::vector<std::array<int, 3>> faces;
        shared(triangles, corners, faces);
        write_obj(path("sphere.obj"), corners, faces);
        write_binary_ply(path("sphere.ply"), corners, faces);
    }
};

Files& files() {
    static Files made;
    return made;
}

struct Outcome {
    bool ran = false;
    double seconds = 0;
    double peak_mb = 0;
};

// The memory of a process and of all its children, in kB: their
// proportional set sizes, so that a page they share counts once.
long tree_memory_kb(pid_t pid) {
    long kb = pss_kb(QString::number(pid));
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (children.open(QIODevice::ReadOnly)) {
        for (const QByteArray& child : children.readAll().split(' ')) {
            if (!child.trimmed().isEmpty()) {
                kb += tree_memory_kb(pid_t(child.trimmed().toInt()));
            }
        }
    }
    return kb;
}

// Runs a program to its end, its output dropped.
Outcome run(const QStringList& command) {
    std::vector<QByteArray> words;
    for (const QString& word : command) {
        words.push_back(QFile::encodeName(word));
    }
    std::vector<char*> argv;
    for (QByteArray& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        return {};
    }
    int status = 0;
    long peak_kb = 0;
    while (waitpid(pid, &status, WNOHANG) != pid) {
        peak_kb = std::max(peak_kb, tree_memory_kb(pid));
        usleep(20000);
    }
    return {WIFEXITED(status) && WEXITSTATUS(status) == 0,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            double(peak_kb) / 1024};
}

void measure(benchmark::State& state, const QStringList& command) {
    double peak = 0;
    for (auto _ : state) {
        const Outcome outcome = run(command);
        if (!outcome.ran) {
            state.SkipWithError(qPrintable(command.join(' ') + " did not run"));
            return;
        }
        state.SetIterationTime(outcome.seconds);
        peak = std::max(peak, outcome.peak_mb);
    }
    state.counters["peak_MB"] = peak;
}

const char* const formats[] = {"sphere.stl", "sphere_ascii.stl", "sphere.obj", "sphere.ply"};

void first_picture_tarvik(benchmark::State& state) {
    const QString host = qEnvironmentVariable("BENCH_TARVIK", QStringLiteral(TARVIK_PROGRAM));
    measure(state,
            {host, "--settings", files().path("prefs.ini"), "--model",
             files().path(formats[state.range(0)]), "--screenshot", files().path("tarvik.png")});
    state.SetLabel(formats[state.range(0)]);
}
void first_picture_f3d(benchmark::State& state) {
    measure(state, {"f3d", files().path("sphere.stl"), "--output", files().path("f3d.png")});
}
BENCHMARK(first_picture_tarvik)
    ->DenseRange(0, 3)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(first_picture_f3d)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// The STEP files, written once, on first use.
const int cad_parts[] = {300, 1500};
QString cad_file(int which) {
    static const bool written = [] {
        for (const int parts : cad_parts) {
            write_cad_parts(parts,
                            files().path(qPrintable(QStringLiteral("parts_%1.step").arg(parts))));
        }
        return true;
    }();
    Q_UNUSED(written);
    return files().path(qPrintable(QStringLiteral("parts_%1.step").arg(cad_parts[which])));
}
void first_picture_cad_tarvik(benchmark::State& state) {
    const QString file = cad_file(int(state.range(0)));
    measure(state, {QStringLiteral(TARVIK_PROGRAM), "--settings", files().path("prefs.ini"),
                    "--model", file, "--screenshot", files().path("tarvik.png")});
    state.SetLabel(qPrintable(QStringLiteral("%1 kB").arg(QFileInfo(file).size() / 1024)));
}
void first_picture_cad_f3d(benchmark::State& state) {
    const QString file = cad_file(int(state.range(0)));
    measure(state, {"f3d", file, "--output", files().path("f3d.png")});
    state.SetLabel(qPrintable(QStringLiteral("%1 kB").arg(QFileInfo(file).size() / 1024)));
}
BENCHMARK(first_picture_cad_tarvik)
    ->DenseRange(0, 1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
// f3d takes minutes on the larger file: once.
BENCHMARK(first_picture_cad_f3d)
    ->DenseRange(0, 1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void reader_start(benchmark::State& state) {
    const QString path = files().path("triangle.stl");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("solid t\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\n"
               "vertex 0 1 0\nendloop\nendfacet\nendsolid t\n");
    file.close();
    for (auto _ : state) {
        QEventLoop loop;
        bool answered = false;
        ReaderProcess reader([&](ModelReading& reading) {
            if (!reading.model) {
                state.SkipWithError(qPrintable(reading.error));
            }
            answered = true;
            loop.quit();
        });
        reader.start(path);
        if (!answered) {
            loop.exec();
        }
    }
}
BENCHMARK(reader_start)->Iterations(20)->Unit(benchmark::kMillisecond);

void read_ours(benchmark::State& state) {
    const QString self = QCoreApplication::applicationFilePath();
    measure(state, {self, "--read", files().path(formats[state.range(0)])});
    state.SetLabel(formats[state.range(0)]);
}
void read_assimp(benchmark::State& state) {
    measure(state, {"assimp", "info", files().path(formats[state.range(0)])});
    state.SetLabel(formats[state.range(0)]);
}
BENCHMARK(read_ours)->DenseRange(0, 3)->Iterations(3)->UseManualTime()->Unit(
    benchmark::kMillisecond);
BENCHMARK(read_assimp)
    ->DenseRange(0, 3)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--read") {
        const ModelReading reading = read_model(QFile::decodeName(argv[2]));
        return reading.model ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
