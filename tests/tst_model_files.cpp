// Model files as people send them: STL from every kind of exporter, read
// right or refused with a reason a person can act on, at a cost bounded by
// the model; and the other mesh formats, through assimp.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <assimp/Exporter.hpp>
#include <assimp/scene.h>
#include <cmath>

#include "ExportedScene.h"
#include "ModelFile.h"
#include "Shapes.h"
#include "StlFile.h"
#include "StlWriter.h"
#include "TestFiles.h"

// gcc tells the address sanitizer by a macro, clang by a feature.
#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER
#endif
#endif

namespace {
// A grid of triangles with coordinates no format rounds away.
std::vector<QVector3D> generated_corners() {
    std::vector<QVector3D> corners;
    for (int i = 0; i < 40; ++i) {
        const float x = float(i) * 0.37f - 3.1f;
        corners.insert(corners.end(), {{x, 0.125f, -1}, {x + 1, 2.5f, 1e-3f}, {x, -7, 1234.5f}});
    }
    return corners;
}

// The corners of a model's triangles, in the file's coordinates.
std::vector<QVector3D> corners_of(const Model& model) {
    std::vector<QVector3D> corners;
    for (size_t t = 0; t < model.triangle_count(); ++t) {
        for (int c = 0; c < 3; ++c) {
            const Model::Point p = model.in_file(model.corner(t, c));
            corners.emplace_back(float(p[0]), float(p[1]), float(p[2]));
        }
    }
    return corners;
}

bool near(const std::vector<QVector3D>& a, const std::vector<QVector3D>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if ((a[i] - b[i]).length() > 1e-4f * (1 + b[i].length())) {
            return false;
        }
    }
    return true;
}

QByteArray upper_case_cube() {
    QByteArray text = ascii_stl(cube_corners(), "CUBE").toUpper();
    return text.replace("FACET NORMAL", "Facet Normal").replace("ENDLOOP", "EndLoop");
}

// The peak of the process's memory, in bytes, since the last reset.
qint64 peak_memory() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
        }
    }
    return 0;
}

void reset_peak_memory() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    QVERIFY(clear.open(QIODevice::WriteOnly));
    clear.write("5");
}

} // namespace

class TestModelFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    ModelReading read(const QString& name, const QByteArray& data) {
        return read_model(write_file(dir_, name, data));
    }

private slots:
    // First, while the process is small: refusing a sparse 2 GB file of
    // zeros, and reading past 50 MB of blank lines, cost little memory.
    void memoryIsBoundedByTheModel() {
#ifdef UNDER_ADDRESS_SANITIZER
        QSKIP("the sanitizers' own memory hides the reader's");
#endif
        const QString sparse = dir_.filePath(QStringLiteral("sparse.stl"));
        QFile file(sparse);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(2) << 30));
        file.close();
        reset_peak_memory();
        const qint64 before = peak_memory();
        const ModelReading zeros = read_model(sparse);
        QVERIFY(!zeros.model);
        QCOMPARE(zeros.error, QStringLiteral("it has no surface"));
        QVERIFY2(peak_memory() - before < 50 << 20, qPrintable(QString::number(peak_memory())));
        QFile::remove(sparse);

        QByteArray blank = "solid x\nfacet normal 0 0 1\n";
        blank += QByteArray(50 << 20, '\n');
        blank += "outer loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\nendloop\nendfacet\n"
                 "endsolid x\n";
        const QString blank_path = write_file(dir_, QStringLiteral("blank.stl"), blank);
        blank.clear();
        reset_peak_memory();
        const qint64 start = peak_memory();
        const ModelReading spaced = read_model(blank_path);
        QVERIFY2(spaced.model, qPrintable(spaced.error));
        QVERIFY2(peak_memory() - start < 20 << 20, qPrintable(QString::number(peak_memory())));
    }

    // Files every mature reader reads: each read whole, with the warnings
    // that tell what was odd in it.
    void stlFilesAreRead_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("triangles");
        QTest::addColumn<int>("solids");
        QTest::addColumn<QString>("warning");
        const std::vector<QVector3D> generated = generated_corners();
        const std::vector<QVector3D> cube = cube_corners();
        const QByteArray cube_text = ascii_stl(cube, "cube");
        const auto row = [](const char* name, const QByteArray& data, int triangles, int solids = 1,
                            const char* warning = "") {
            QTest::newRow(name) << data << triangles << solids << QString::fromUtf8(warning);
        };
        row("binary", binary_stl(generated, 40), 40);
        row("ascii", ascii_stl(generated), 40);
        row("keywords in any case", upper_case_cube(), 12);
        row("two solids", cube_text + ascii_stl(generated, "second"), 52, 2);
        row("line ends CR alone", QByteArray(cube_text).replace('\n', '\r'), 12);
        row("line ends CR LF", QByteArray(cube_text).replace("\n", "\r\n"), 12);
        row("all on one line", QByteArray(cube_text).replace('\n', ' '), 12);
        row("tabs and blank lines", QByteArray(cube_text).replace("  ", "\t\n\n"), 12);
        row("a byte order mark", "\xef\xbb\xbf" + cube_text, 12);
        row("blanks before solid", " \n\n\t  " + cube_text, 12);
        row("a name of 10 KB", ascii_stl(cube, QByteArray(10240, 'n')), 12);
        row("numbers strtod reads",
            "solid t\nfacet normal 0 0 1\nouter loop\nvertex 5.724931e-046 0 0\n"
            "vertex 1 4.9e-324 +0\nvertex 0x1p0 1E0 .5\nendloop\nendfacet\nendsolid t\n",
            1);
        row("a facet without its normal",
            "solid t\nfacet\nouter loop\nvertex 0 0 0\nvertex 1 0 0\nvertex 0 1 0\n"
            "endloop\nendfacet\nendsolid\n",
            1);
        QByteArray solid_facet_header = binary_stl(cube, 12);
        solid_facet_header.replace(6, 11, "facet count");
        row("a header of solid and facet, a byte more", solid_facet_header + 'x', 12, 1,
            "1 bytes after the last triangle are not read");
        row("padding after the last triangle", binary_stl(cube, 12) + QByteArray(7, '\0'), 12, 1,
            "7 bytes after the last triangle are not read");
        row("a count of 0", binary_stl(cube, 0), 12, 1,
            "it announces 0 triangles and holds 12: all 12 are read");
        row("a count below the data", binary_stl(cube, 5), 12, 1,
            "it announces 5 triangles and holds 12: all 12 are read");
    }
    void stlFilesAreRead() {
        QFETCH(QByteArray, data);
        QFETCH(int, triangles);
        QFETCH(int, solids);
        QFETCH(QString, warning);
        const ModelReading reading = read(QStringLiteral("good.stl"), data);
        QVERIFY2(reading.model, qPrintable(reading.error));
        QCOMPARE(reading.model->name, QStringLiteral("good.stl"));
        QCOMPARE(int(reading.model->triangles_read), triangles);
        QCOMPARE(reading.model->solids, solids);
        QCOMPARE(reading.warnings.join('\n'), warning);
    }

    // The corners come back where they were written, binary and ASCII.
    void cornersComeBack() {
        const std::vector<QVector3D> generated = generated_corners();
        for (const QByteArray& data : {binary_stl(generated, 40), ascii_stl(generated)}) {
            const ModelReading reading = read(QStringLiteral("back.stl"), data);
            QVERIFY(reading.model);
            QVERIFY(near(corners_of(*reading.model), generated));
        }
    }

    // What is not a model is refused with a reason, for ASCII its line.
    void badStlFilesAreRefusedWithAReason_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");
        const std::vector<QVector3D> generated = generated_corners();
        const QByteArray binary = binary_stl(generated, 40);
        const auto with_bad = [&](int coordinate, float value) {
            std::vector<QVector3D> corners = generated;
            corners[7][coordinate] = value;
            return binary_stl(corners, 40);
        };
        QByteArray ascii_nan = ascii_stl(generated);
        ascii_nan.replace("vertex -3.0999999", "vertex nan");
        const auto row = [](const char* name, const QByteArray& data, const char* reason) {
            QTest::newRow(name) << data << QString::fromUtf8(reason);
        };
        row("binary cut short", binary.left(binary.size() - 10),
            "it is cut short: it announces 40 triangles, which take 2084 bytes, and has 2074");
        row("binary without triangles", binary_stl({}, 0), "it holds no triangle");
        row("binary announcing too many", binary_stl({}, 0xffffffff),
            "it announces 4294967295 triangles");
        row("binary x not a number", with_bad(0, std::nanf("")),
            "triangle 3 has a coordinate that is not a number");
        row("binary z infinite", with_bad(2, INFINITY),
            "triangle 3 has a coordinate that is not a number");
        row("binary z not a number", with_bad(2, -std::nanf("")),
            "triangle 3 has a coordinate that is not a number");
        row("binary of one point", binary_stl(std::vector<QVector3D>(6, QVector3D(1, 2, 3)), 2),
            "it has no surface");
        row("ascii not a number", ascii_nan,
            "line 4: triangle 1 has a coordinate that is not a number");
        row("ascii without triangles", "solid empty\nendsolid empty\n", "it holds no triangle");
        row("ascii ending in a triangle", "solid x\nfacet normal 0 0 1\nouter loop\nvertex 1 2 3\n",
            "the file ends in the middle of a triangle");
        row("ascii ending before endsolid", ascii_stl(generated).chopped(20),
            "the file ends before \"endsolid\"");
        row("ascii cut in a vertex", ascii_stl(generated).left(100),
            "line 5: \"\" is not a coordinate");
        row("ascii vertex of two", "solid x\nfacet normal 0 0 1\nouter loop\nvertex 1 2\n",
            "line 4: \"\" is not a coordinate");
        row("ascii misspelt", "solid x\n facet normal 0 0 1\n  outer lop\n",
            "line 3: \"lop\" where \"loop\" belongs");
        row("ascii with a comma", "solid x\nfacet normal 0 0 1\nouter loop\nvertex 1,5 2 3\n",
            "line 4: \"1,5\" is not a coordinate");
        row("a letter", "Dear user,\nthis is a letter, not a model.\n", "it is not an STL file");
        row("empty", QByteArray(), "it is not an STL file");
    }
    void badStlFilesAreRefusedWithAReason() {
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);
        const ModelReading reading = read(QStringLiteral("bad.stl"), data);
        QVERIFY(!reading.model);
        QVERIFY2(reading.error.contains(reason), qPrintable(reading.error + " for " + reason));
    }

    // A refusal quotes little of what it refuses, its control characters
    // escaped: a word of 10 MB makes a short message.
    void refusalsQuoteLittle() {
        QByteArray huge = "solid x\nfacet normal 0 0 1\nouter loop\nvertex ";
        huge += QByteArray(10 << 20, '7') + "\x1b[31m 0 0\n";
        const ModelReading long_word = read(QStringLiteral("long.stl"), huge);
        QVERIFY(long_word.error.size() < 200);
        QVERIFY(long_word.error.startsWith(QStringLiteral("line 4: \"7777")));
        const ModelReading control =
            read(QStringLiteral("control.stl"),
                 "solid x\nfacet normal 0 0 1\nouter loop\nvertex 1 \x7f[31mred 3\n");
        QCOMPARE(control.error, QStringLiteral("line 4: \"\\x7f[31mred\" is not a coordinate"));
    }

    // A folder, no file at all, or a FIFO are refused without being opened.
    void whatIsNotAFileIsRefused() {
        QCOMPARE(read_model(dir_.path()).error, QStringLiteral("it is not a file"));
        QCOMPARE(read_model(dir_.filePath(QStringLiteral("missing.stl"))).error,
                 QStringLiteral("it does not exist"));
    }

    // The other formats people send, each with its triangle count.
    void otherFormatsThroughTheirLibraries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("triangles");
        QTest::newRow("OBJ of quads") << QStringLiteral("cube.obj")
                                      << QByteArray("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                                                    "v 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\n"
                                                    "f 1 4 3 2\nf 5 6 7 8\nf 1 2 6 5\n"
                                                    "f 2 3 7 6\nf 3 4 8 7\nf 4 1 5 8\n")
                                      << 12;
        const QByteArray tetra_ply = "ply\nformat ascii 1.0\nelement vertex 4\nproperty float x\n"
                                     "property float y\nproperty float z\nelement face 4\n"
                                     "property list uchar int vertex_indices\nend_header\n"
                                     "0 0 0\n1 0 0\n0 1 0\n0 0 1\n"
                                     "3 0 2 1\n3 0 1 3\n3 1 2 3\n3 0 3 2\n";
        QTest::newRow("PLY, ASCII") << QStringLiteral("tetra.ply") << tetra_ply << 4;
        QByteArray binary_ply =
            "ply\nformat binary_little_endian 1.0\nelement vertex 4\nproperty float x\n"
            "property float y\nproperty float z\nelement face 4\n"
            "property list uchar int vertex_indices\nend_header\n";
        const float points[12] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
        binary_ply.append(reinterpret_cast<const char*>(points), sizeof points);
        const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {1, 2, 3}, {0, 3, 2}};
        for (const auto& face : faces) {
            binary_ply += char(3);
            binary_ply.append(reinterpret_cast<const char*>(face), sizeof face);
        }
        QTest::newRow("PLY, binary") << QStringLiteral("tetra_binary.ply") << binary_ply << 4;
        QTest::newRow("OFF") << QStringLiteral("tetra.off")
                             << QByteArray("OFF\n4 4 6\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n"
                                           "3 0 2 1\n3 0 1 3\n3 1 2 3\n3 0 3 2\n")
                             << 4;
        const QByteArray triangle =
            QByteArray::fromRawData(reinterpret_cast<const char*>(points), 9 * sizeof(float))
                .toBase64();
        QTest::newRow("glTF 2.0") << QStringLiteral("triangle.gltf")
                                  << QByteArray(R"({"asset": {"version": "2.0"}, "scene": 0,
                "scenes": [{"nodes": [0]}], "nodes": [{"mesh": 0}],
                "meshes": [{"primitives": [{"attributes": {"POSITION": 0}}]}],
                "buffers": [{"byteLength": 36,
                             "uri": "data:application/octet-stream;base64,)" +
                                                triangle + R"("}],
                "bufferViews": [{"buffer": 0, "byteLength": 36}],
                "accessors": [{"bufferView": 0, "componentType": 5126, "count": 3,
                               "type": "VEC3", "min": [0, 0, 0], "max": [1, 1, 0]}]})")
                                  << 1;
    }
    void otherFormatsThroughTheirLibraries() {
        QFETCH(QString, name);
        QFETCH(QByteArray, data);
        QFETCH(int, triangles);
        const ModelReading reading = read(name, data);
        QVERIFY2(reading.model, qPrintable(reading.error));
        QCOMPARE(int(reading.model->triangles_read), triangles);
        QCOMPARE(reading.model->name, name);
    }

    // 3MF is a zip of XML: assimp's own exporter writes it, and a binary
    // glTF, for the reader to read back.
    void exportedFormatsComeBack() {
        ExportedScene exported(sphere_corners(6, 8));
        Assimp::Exporter exporter;
        for (const auto& [format, ending] : {std::pair{"3mf", "3mf"}, std::pair{"glb2", "glb"}}) {
            const QString path = dir_.filePath(QStringLiteral("sphere.%1").arg(ending));
            QCOMPARE(
                exporter.Export(&exported.scene, format, QFile::encodeName(path).toStdString()),
                AI_SUCCESS);
            const ModelReading reading = read_model(path);
            QVERIFY2(reading.model, qPrintable(reading.error));
            QCOMPARE(reading.model->triangles_read, sphere_corners(6, 8).size() / 3);
        }
    }

    // A file the library cannot read is refused with its reason.
    void badFilesOfOtherFormatsAreRefused() {
        const ModelReading reading = read(QStringLiteral("broken.ply"), "ply\nformat nonsense\n");
        QVERIFY(!reading.model);
        QVERIFY(!reading.error.isEmpty());
        const ModelReading points =
            read(QStringLiteral("points.obj"), "v 0 0 0\nv 1 1 1\np 1\np 2\n");
        QVERIFY(!points.model);
    }

    // Stopping a reading gives no model and no reason.
    void aReadingCanBeStopped() {
        const QString path =
            write_file(dir_, QStringLiteral("big.stl"), binary_stl(sphere_corners(200, 400), 0));
        int calls = 0;
        const ModelReading reading = read_model(path, [&](double) { return ++calls < 3; });
        QVERIFY(reading.cancelled);
        QVERIFY(!reading.model);
        QVERIFY(reading.error.isEmpty());
    }

    // A wrongly wound file whose normals say which side is out is turned
    // to match them; with no normals the winding stands.
    void normalsTurnTheTriangles() {
        std::vector<QVector3D> normals;
        const std::vector<QVector3D> clockwise = sphere_corners(8, 12, 1, {}, true, &normals);
        for (const bool with_normals : {true, false}) {
            const ModelReading reading =
                read(QStringLiteral("wound.stl"),
                     binary_stl(clockwise, quint32(normals.size()),
                                with_normals ? normals : std::vector<QVector3D>()));
            QVERIFY(reading.model);
            const Model& model = *reading.model;
            int outward = 0;
            for (size_t t = 0; t < model.triangle_count(); ++t) {
                const QVector3D a = model.corner(t, 0), b = model.corner(t, 1),
                                c = model.corner(t, 2);
                outward +=
                    QVector3D::dotProduct(QVector3D::crossProduct(b - a, c - a), a + b + c) > 0;
            }
            QCOMPARE(outward, with_normals ? int(model.triangle_count()) : 0);
        }
    }

    // Far from the origin or huge, a model is kept relative to its box.
    void farAndHugeModelsKeepTheirShape() {
        const std::vector<QVector3D> unit = sphere_corners(10, 16);
        const ModelReading reference = read(QStringLiteral("unit.stl"), ascii_stl(unit));
        QVERIFY(reference.model);
        // Written in full, as an exporter in double precision does.
        QByteArray far = "solid far\n";
        for (size_t t = 0; t < unit.size(); t += 3) {
            far += "facet normal 0 0 0\nouter loop\n";
            for (size_t c = 0; c < 3; ++c) {
                const QVector3D& v = unit[t + c];
                far += QStringLiteral("vertex %1 %2 %3\n")
                           .arg(1e7 + v.x(), 0, 'f', 9)
                           .arg(-1e7 + v.y(), 0, 'f', 9)
                           .arg(3e7 + v.z(), 0, 'f', 9)
                           .toLatin1();
            }
            far += "endloop\nendfacet\n";
        }
        far += "endsolid far\n";
        std::vector<QVector3D> huge;
        for (const QVector3D& v : unit) {
            huge.push_back(v * 1e38f);
        }
        for (const QByteArray& data : {far, binary_stl(huge, quint32(huge.size() / 3))}) {
            const ModelReading reading = read(QStringLiteral("moved.stl"), data);
            QVERIFY2(reading.model, qPrintable(reading.error));
            const Model& model = *reading.model;
            QCOMPARE(model.triangle_count(), reference.model->triangle_count());
            for (size_t t = 0; t < model.triangle_count(); ++t) {
                for (int c = 0; c < 3; ++c) {
                    QVERIFY((model.corner(t, c) - reference.model->corner(t, c)).length() < 1e-3f);
                }
            }
        }
    }
};

QTEST_MAIN(TestModelFiles)
#include "tst_model_files.moc"
