// Files read as the host reads them: by the reader process, in its
// sandbox. Whatever a reader does, the host refuses the file with the
// reason and works on.

#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <assimp/Exporter.hpp>
#include <sys/stat.h>

#include "CadWriter.h"
#include "ExportedScene.h"
#include "HostRun.h"
#include "KeepGlDriver.h"
#include "ModelView.h"
#include "ReaderProcess.h"
#include "Shapes.h"
#include "StlWriter.h"
#include "TestFiles.h"
#include "TestSupport.h"
#include "ZipWriter.h"

namespace {
// A 3MF package of one model part.
QByteArray three_mf(const QByteArray& resources, const QByteArray& build) {
    const QByteArray types =
        R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="model" ContentType="application/vnd.ms-package.3dmanufacturing-3dmodel+xml"/></Types>)";
    const QByteArray relations =
        R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Target="/3D/3dmodel.model" Id="rel0" Type="http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel"/></Relationships>)";
    const QByteArray model =
        R"(<?xml version="1.0" encoding="UTF-8"?><model unit="millimeter" xmlns="http://schemas.microsoft.com/3dmanufacturing/core/2015/02"><resources>)" +
        resources + "</resources><build>" + build + "</build></model>";
    return zip_of(
        {{"[Content_Types].xml", types}, {"_rels/.rels", relations}, {"3D/3dmodel.model", model}});
}

// A tetrahedron of the unit corners as object 1; its last triangle names
// corner `last`.
QByteArray tetrahedron(int last = 3) {
    return QStringLiteral(
               R"(<object id="1" type="model"><mesh><vertices><vertex x="0" y="0" z="0"/><vertex x="1" y="0" z="0"/><vertex x="0" y="1" z="0"/><vertex x="0" y="0" z="1"/></vertices><triangles><triangle v1="0" v2="2" v3="1"/><triangle v1="0" v2="1" v3="3"/><triangle v1="0" v2="3" v3="2"/><triangle v1="1" v2="2" v3="%1"/></triangles></mesh></object>)")
        .arg(last)
        .toUtf8();
}

const QByteArray amf_file = R"(<?xml version="1.0" encoding="UTF-8"?>
<amf unit="millimeter"><object id="0"><mesh><vertices>
<vertex><coordinates><x>0</x><y>0</y><z>0</z></coordinates></vertex>
<vertex><coordinates><x>1</x><y>0</y><z>0</z></coordinates></vertex>
<vertex><coordinates><x>0</x><y>1</y><z>0</z></coordinates></vertex>
<vertex><coordinates><x>0</x><y>0</y><z>1</z></coordinates></vertex>
</vertices><volume><triangle><v1>0</v1><v2>2</v2><v3>1</v3></triangle>
<triangle><v1>0</v1><v2>1</v2><v3>3</v3></triangle></volume></mesh></object></amf>
)";

// A triangle's mesh, used by a node and again by its child, two along x.
const QByteArray gltf_file = R"({"asset": {"version": "2.0"}, "scene": 0,
    "scenes": [{"nodes": [0]}],
    "nodes": [{"mesh": 0, "children": [1]}, {"mesh": 0, "translation": [2, 0, 0]}],
    "meshes": [{"primitives": [{"attributes": {"POSITION": 0}}]}],
    "buffers": [{"byteLength": 36, "uri": "data:application/octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAA"}],
    "bufferViews": [{"buffer": 0, "byteLength": 36}],
    "accessors": [{"bufferView": 0, "componentType": 5126, "count": 3, "type": "VEC3",
                   "min": [0, 0, 0], "max": [1, 1, 0]}]})";

// A triangle and a quad as 3-D faces: three triangles.
QByteArray dxf_file() {
    QByteArray text = "0\nSECTION\n2\nENTITIES\n";
    for (const char* corners : {"0 0 0 1 0 0 0 1 0 0 1 0", "0 0 0 1 0 0 1 1 1 0 1 1"}) {
        text += "0\n3DFACE\n8\n0\n";
        const QList<QByteArray> values = QByteArray(corners).split(' ');
        for (int i = 0; i < 12; ++i) {
            text += QByteArray::number(10 * (i % 3 + 1) + i / 3) + "\n" + values[i] + "\n";
        }
    }
    return text + "0\nENDSEC\n0\nEOF\n";
}
} // namespace

class TestReader : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    // What the reader answers for the file, as the host takes it.
    static ModelReading read(const QString& path) {
        ModelReading outcome;
        bool done = false;
        QEventLoop loop;
        ReaderProcess reader([&](ModelReading& reading) {
            outcome = std::move(reading);
            done = true;
            loop.quit();
        });
        reader.start(path);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        if (!done) {
            loop.exec();
        }
        return outcome;
    }

private slots:
    // The formats people send from CAD and animation tools, written by
    // assimp's exporters or by hand, and two that crashed or hung before.
    void everyFormatIsRead_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("triangles");
        const std::vector<QVector3D> sphere = sphere_corners(6, 8);
        ExportedScene exported(sphere);
        Assimp::Exporter exporter;
        for (const auto& [format, name] :
             {std::pair{"collada", "sphere.dae"}, std::pair{"fbxa", "sphere.fbx"},
              std::pair{"3ds", "sphere.3ds"}, std::pair{"x3d", "sphere.x3d"}}) {
            const QString path = dir_.filePath(QLatin1String(name));
            QCOMPARE(
                exporter.Export(&exported.scene, format, QFile::encodeName(path).toStdString()),
                AI_SUCCESS);
            QTest::newRow(name) << QString::fromLatin1(name) << int(sphere.size() / 3);
        }
        write_file(dir_, QStringLiteral("tetrahedron.amf"), amf_file);
        QTest::newRow("AMF") << QStringLiteral("tetrahedron.amf") << 2;
        write_file(dir_, QStringLiteral("faces.dxf"), dxf_file());
        QTest::newRow("DXF") << QStringLiteral("faces.dxf") << 3;
        // Its material library never comes: it is not a file, and not read.
        QCOMPARE(mkfifo(qPrintable(dir_.filePath(QStringLiteral("fifo.mtl"))), 0600), 0);
        write_file(dir_, QStringLiteral("fifo.obj"),
                   "mtllib fifo.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl a\nf 1 2 3\n");
        QTest::newRow("OBJ, its materials a FIFO") << QStringLiteral("fifo.obj") << 1;
        // An ASCII file whose name is in Latin-1 is no binary file.
        const QByteArray text = ascii_stl(sphere);
        write_file(dir_, QStringLiteral("latin1.stl"),
                   "solid B\xfcro\n" + text.mid(text.indexOf('\n') + 1));
        QTest::newRow("STL, its name in Latin-1")
            << QStringLiteral("latin1.stl") << int(sphere.size() / 3);
        // A link to a file in another folder: the sandbox opens that one.
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("links")));
        QVERIFY(QFile::link(dir_.filePath(QStringLiteral("latin1.stl")),
                            dir_.filePath(QStringLiteral("links/linked.stl"))));
        QTest::newRow("a link elsewhere")
            << QStringLiteral("links/linked.stl") << int(sphere.size() / 3);
    }
    void everyFormatIsRead() {
        QFETCH(QString, name);
        QFETCH(int, triangles);
        const ModelReading reading = read(dir_.filePath(name));
        QVERIFY2(reading.model, qPrintable(reading.error));
        QCOMPARE(int(reading.model->triangle_count()), triangles);
        QCOMPARE(reading.model->name, QFileInfo(name).fileName());
    }

    // A part used several times is drawn at each of its places: a 3MF
    // object built from a component twice and used again by an item, a
    // glTF mesh of a node and of its child.
    void repeatedPartsArePlacedEach_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("triangles");
        QTest::addColumn<QVector3D>("centre");
        QTest::newRow("3MF")
            << "components.3mf"
            << three_mf(
                   tetrahedron() +
                       R"(<object id="2" type="model"><components><component objectid="1"/><component objectid="1" transform="1 0 0 0 1 0 0 0 1 5 0 0"/></components></object>)",
                   R"(<item objectid="2"/><item objectid="1" transform="1 0 0 0 1 0 0 0 1 0 5 0"/>)")
            << 12 << QVector3D(3, 3, 0.5); // from (0, 0, 0) to (6, 6, 1)
        QTest::newRow("glTF") << "nodes.gltf" << gltf_file << 2
                              << QVector3D(1.5, 0.5, 0); // from (0, 0, 0) to (3, 1, 0)
    }
    void repeatedPartsArePlacedEach() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(int, triangles);
        QFETCH(QVector3D, centre);
        const ModelReading reading = read(write_file(dir_, name, content));
        QVERIFY2(reading.model, qPrintable(reading.error));
        QCOMPARE(int(reading.model->triangle_count()), triangles);
        const Model::Point& found = reading.model->centre;
        QCOMPARE(QVector3D(float(found[0]), float(found[1]), float(found[2])), centre);
    }

    // CAD files, written by OpenCASCADE: parts and faces counted as drawn,
    // a part placed twice counting twice, sizes in millimetres whatever the
    // file's unit, which the model names.
    void cadFilesAreRead_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("parts");
        QTest::addColumn<int>("faces");
        QTest::addColumn<int>("triangles");
        QTest::addColumn<QString>("unit");
        const struct {
            const char* name;
            CadShape shape;
            int parts, faces, triangles;
            const char *written, *unit;
        } files[] = {{"box.step", CadShape::box, 1, 6, 12, "MM", "millimetre"},
                     {"box_inch.step", CadShape::box, 1, 6, 12, "INCH", "inch"},
                     {"box.igs", CadShape::box, 1, 6, 12, "MM", "millimetre"},
                     {"box_inch.igs", CadShape::box, 1, 6, 12, "INCH", "inch"},
                     {"cylinder.stp", CadShape::cylinder, 1, 3, -1, "MM", "millimetre"},
                     {"assembly.step", CadShape::assembly, 3, 15, -1, "MM", "millimetre"},
                     {"coloured.step", CadShape::coloured_face, 1, 6, 12, "MM", "millimetre"},
                     // A surface with no solid is shown as it is.
                     {"face.step", CadShape::lone_face, 1, 1, 2, "MM", "millimetre"}};
        for (const auto& file : files) {
            QVERIFY(write_cad(file.shape, dir_.filePath(QLatin1String(file.name)), file.written));
            QTest::newRow(file.name) << QString::fromLatin1(file.name) << file.parts << file.faces
                                     << file.triangles << QString::fromLatin1(file.unit);
        }
    }
    void cadFilesAreRead() {
        QFETCH(QString, name);
        QFETCH(int, parts);
        QFETCH(int, faces);
        QFETCH(int, triangles);
        QFETCH(QString, unit);
        const ModelReading reading = read(dir_.filePath(name));
        QVERIFY2(reading.model, qPrintable(reading.error));
        const Model& model = *reading.model;
        QCOMPARE(model.unit, unit);
        QCOMPARE(model.parts, parts);
        QCOMPARE(int(model.faces), faces);
        if (triangles >= 0) {
            QCOMPARE(int(model.triangle_count()), triangles);
        }
        if (name.startsWith(QLatin1String("box"))) {
            // 10 × 20 × 30, in millimetres: half its diagonal. The STEP
            // writer puts the numbers as they are, in inches; the IGES one
            // converts them.
            const bool inches =
                unit == QLatin1String("inch") && name.endsWith(QLatin1String(".step"));
            const double millimetres = inches ? 25.4 : 1;
            QVERIFY2(std::abs(model.size - millimetres * std::sqrt(1400.0) / 2) < 1e-6,
                     qPrintable(QString::number(model.size)));
        }
        if (name.startsWith(QLatin1String("coloured"))) {
            QVERIFY(std::count(model.colours.begin(), model.colours.end(), qRgb(255, 0, 0)) > 0);
            QVERIFY(std::count(model.colours.begin(), model.colours.end(), Model::default_colour) >
                    0);
        }
    }

    // The face the file colours is drawn in its colour, the other five in
    // the default one: of the six views of the box, one faces red.
    void aColouredFaceIsDrawnInItsColour() {
        const QString path = dir_.filePath(QStringLiteral("red_face.step"));
        QVERIFY(write_cad(CadShape::coloured_face, path));
        ModelReading reading = read(path);
        QVERIFY2(reading.model, qPrintable(reading.error));
        ModelView view;
        view.resize(400, 400);
        view.set_model(std::move(*reading.model));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.uses_opengl());
        int red = 0;
        for (const StandardView side :
             {StandardView::front, StandardView::back, StandardView::left, StandardView::right,
              StandardView::top, StandardView::bottom}) {
            view.show_view(side);
            QTest::qWait(50);
            const QImage picture = view.grab().toImage();
            const QRgb middle = picture.pixel(200, 200);
            if (qRed(middle) > 2 * qGreen(middle) && qRed(middle) > 2 * qBlue(middle)) {
                ++red;
                save_picture(picture, QStringLiteral("cad_red_face.png"));
            } else {
                QVERIFY2(qBlue(middle) > qRed(middle), qPrintable(QString::number(middle, 16)));
            }
        }
        QCOMPARE(red, 1);
    }

    // The reader's own check: what it may do in its sandbox, and what not.
    void theSandboxRefusesWhatItMust() {
        write_file(dir_, QStringLiteral("inside.txt"), "model\n");
        QProcess check;
        check.start(ReaderProcess::program(), {QStringLiteral("--check"), dir_.path()});
        QVERIFY(check.waitForFinished(10000));
        const QString said = QString::fromLocal8Bit(check.readAllStandardOutput());
        qInfo().noquote() << said;
        QVERIFY2(said.contains("attempt read the model's folder: allowed"), qPrintable(said));
        QStringList refused{"open a socket", "run a program"};
        if (said.contains(QLatin1String("Landlock (ABI"))) {
            refused << "read outside it"
                    << "write a file";
        } else {
            qWarning("This kernel has no Landlock: files are not fenced.");
        }
        for (const QString& attempt : refused) {
            QVERIFY2(said.contains(QStringLiteral("attempt %1: refused").arg(attempt)),
                     qPrintable(attempt));
        }
    }

    // A reader that crashes, hangs, runs out of memory or lies: the host
    // says why in the Commands dock, works on, and keeps an unsaved change.
    void failingReadersAreRefusedWithTheirReason_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("liar");
        QTest::addColumn<QString>("reason");
        QTest::newRow("crash") << "crash.stl" << QByteArray("crash") << true
                               << "the reader crashed on it (SIGABRT)";
        QTest::newRow("silence")
            << "silent.stl" << QByteArray("silent") << true
            << "the reader stopped working on it: no progress and no work for 10 s";
        QTest::newRow("an index past the corners")
            << "past.stl" << QByteArray("past") << true << "a triangle names corner 3 of 3";
        QTest::newRow("counts past the mapping")
            << "short.stl" << QByteArray("short") << true << "is not what its counts need";
        QTest::newRow("an unsealed mapping")
            << "unsealed.stl" << QByteArray("unsealed") << true << "its memory file is not sealed";
        if (limits_for(1).address_space > 0) {
            QTest::newRow("a memory bomb")
                << "huge.off" << QByteArray("OFF\n2000000000 1 0\n0 0 0\n") << false
                << "reading it needs more memory than the";
        }
        QTest::newRow("a PLY face past the corners")
            << "past.ply"
            << QByteArray("ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\n"
                          "property float y\nproperty float z\nelement face 1\n"
                          "property list uchar int vertex_indices\nend_header\n"
                          "0 0 0\n1 0 0\n0 1 0\n3 0 1 2000000000\n")
            << false << "a face names a corner or a mesh that is not there";
        QTest::newRow("a 3MF triangle past the corners")
            << "past.3mf" << three_mf(tetrahedron(99), R"(<item objectid="1"/>)") << false
            << "Invalid model node index";
        QTest::newRow("a 3MF component of itself")
            << "itself.3mf"
            << three_mf(
                   tetrahedron() +
                       R"(<object id="2" type="model"><components><component objectid="2"/></components></object>)",
                   R"(<item objectid="2"/>)")
            << false << "Could not find Object associated to Component";
        QVERIFY(write_cad(CadShape::box, dir_.filePath(QStringLiteral("whole.step"))));
        QFile whole(dir_.filePath(QStringLiteral("whole.step")));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray step = whole.readAll();
        QTest::newRow("a STEP file cut short") << "cut.step" << step.left(step.size() / 2) << false
                                               << "it cannot be read as a CAD file";
        QTest::newRow("a STEP header alone")
            << "header.step" << QByteArray("ISO-10303-21;\nHEADER;\nENDSEC;\nEND-ISO-10303-21;\n")
            << false << "it cannot be read as a CAD file";
        QByteArray missing = step;
        // The first face's surface, "ADVANCED_FACE('',(#138),#152,.T.);".
        const qsizetype end = missing.indexOf(");", missing.indexOf("ADVANCED_FACE("));
        const qsizetype surface = missing.lastIndexOf(",#", end);
        missing.replace(surface, missing.indexOf(',', surface + 1) - surface, ",#99999");
        QTest::newRow("a STEP face naming what is not there")
            << "missing.step" << missing << false << "Entity has illegal type";
        // The reason shows whole, however long the path.
        QTest::newRow("a long path")
            << QString(4, QLatin1Char('d')).repeated(60) + "/letter.stl"
            << QByteArray("Dear user,\n") << false << "it is not an STL file";
    }
    void failingReadersAreRefusedWithTheirReason() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, liar);
        QFETCH(QString, reason);
        QVERIFY(QDir(dir_.path()).mkpath(QFileInfo(name).path()));
        const QString path = write_file(dir_, name, content);
        if (liar) {
            qputenv("TARVIK_READER", LIAR_READER);
        }
        const Run run = run_tarvik(
            {"--settings", dir_.filePath(QStringLiteral("failing.ini")), "--model", path,
             "--script",
             write_file(dir_, "failing.txt",
                        "choose x_trans_combo_ 2\nprint command_log\nprint x_trans_combo_\n"
                        "answer Discard\nclose\n")});
        qunsetenv("TARVIK_READER");
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        QVERIFY2(run.output.contains(QStringLiteral("command_log model: error: ")) &&
                     run.output.contains(QStringLiteral(" cannot be shown: ")) &&
                     run.output.contains(reason),
                 qPrintable(run.output));
        QVERIFY2(run.output.contains(QStringLiteral("x_trans_combo_ 2")), qPrintable(run.output));
    }
};

QTEST_MAIN(TestReader)
#include "tst_reader.moc"
