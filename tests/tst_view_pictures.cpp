// What the view shows, in pixels, drawn with OpenGL (Mesa's software
// driver under Xvfb) and with QPainter alike: shapes, light, the turn of
// triangles, far and huge models, the levels of detail; and models read in
// the background.

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "KeepGlDriver.h"
#include "ModelFile.h"
#include "ModelView.h"
#include "Shapes.h"
#include "StlWriter.h"
#include "TestFiles.h"
#include "TestSupport.h"

namespace {
using Drawing = ModelView::Drawing;

// A yellow one stands out from the background even where it is darkest.
const QRgb yellow = qRgb(0xf0, 0xd0, 0x20);

Model model_of(const std::vector<QVector3D>& corners, const std::vector<QVector3D>& normals = {},
               QRgb colour = Model::default_colour) {
    ModelBuilder builder(corners.size() / 3);
    for (size_t t = 0; t < corners.size(); t += 3) {
        const QVector3D n = normals.empty() ? QVector3D() : normals[t / 3];
        const auto point = [](const QVector3D& v) { return Model::Point{v.x(), v.y(), v.z()}; };
        builder.add_triangle(point(corners[t]), point(corners[t + 1]), point(corners[t + 2]),
                             point(n), colour);
    }
    return builder.finish(QStringLiteral("test"));
}

// What a view of 400 × 400 shows of a model, from a standard view,
// orthographic unless told; and how many pixels a unit of the model's file
// takes on it.
struct Picture {
    QImage image;
    double pixels_per_unit = 0;
};

Picture shown(Drawing drawing, Model model, StandardView from = StandardView::front,
              bool perspective = false) {
    ModelView view(nullptr, drawing);
    view.resize(400, 400);
    view.set_model(std::move(model));
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        return {};
    }
    view.show_view(from);
    if (!perspective) {
        view.toggle_projection();
    }
    QTest::qWait(50);
    return {view.grab().toImage().convertToFormat(QImage::Format_RGB32),
            view.camera().pixels_per_unit(view.size()) / view.model().size};
}

QImage picture_of(Drawing drawing, Model model, StandardView from = StandardView::front,
                  bool perspective = false) {
    return shown(drawing, std::move(model), from, perspective).image;
}

int luminance(QRgb colour) {
    return (qRed(colour) * 30 + qGreen(colour) * 59 + qBlue(colour) * 11) / 100;
}

// Whether a pixel shows the model: the background is a grey blue gradient
// from top to bottom, the model lighter or differently hued.
bool is_model(const QImage& image, int x, int y) {
    const double t = double(y) / (image.height() - 1);
    const auto mix = [t](int top, int bottom) { return top + (bottom - top) * t; };
    const QRgb top = ModelView::background_top, bottom = ModelView::background_bottom;
    const QRgb pixel = image.pixel(x, y);
    return std::abs(qRed(pixel) - mix(qRed(top), qRed(bottom))) +
               std::abs(qGreen(pixel) - mix(qGreen(top), qGreen(bottom))) +
               std::abs(qBlue(pixel) - mix(qBlue(top), qBlue(bottom))) >
           40;
}

// The model's pixels, row by row: the leftmost and rightmost of each row
// away from the captions and the triad, or -1 for a row without any.
std::vector<std::pair<int, int>> outline(const QImage& image) {
    std::vector<std::pair<int, int>> rows(size_t(image.height()), {-1, -1});
    for (int y = 40; y < image.height() - 100; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (is_model(image, x, y)) {
                rows[size_t(y)].first = rows[size_t(y)].first < 0 ? x : rows[size_t(y)].first;
                rows[size_t(y)].second = x;
            }
        }
    }
    return rows;
}

// How far two outlines stand apart at most, in pixels.
int outline_gap(const QImage& a, const QImage& b) {
    const auto first = outline(a), second = outline(b);
    int gap = 0;
    for (size_t y = 0; y < first.size(); ++y) {
        if ((first[y].first < 0) != (second[y].first < 0)) {
            gap = std::max(gap, 1000);
        } else if (first[y].first >= 0) {
            gap = std::max({gap, std::abs(first[y].first - second[y].first),
                            std::abs(first[y].second - second[y].second)});
        }
    }
    return gap;
}

double mean_difference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            sum += std::abs(luminance(a.pixel(x, y)) - luminance(b.pixel(x, y)));
        }
    }
    return sum / (a.width() * a.height());
}

void add_drawing_rows() {
    QTest::addColumn<Drawing>("drawing");
    QTest::newRow("OpenGL") << Drawing::automatic;
    QTest::newRow("QPainter") << Drawing::painter;
}
} // namespace

Q_DECLARE_METATYPE(ModelView::Drawing)

class TestViewPictures : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    // The tests run the OpenGL path for real: a run that fell back to
    // QPainter without a word would test nothing of it.
    void theViewDrawsWithOpenGL() {
        ModelView view;
        QVERIFY2(view.uses_opengl(),
                 "no OpenGL here: run the tests under Xvfb with Mesa (make test does)");
        qInfo("drawn with %s", qPrintable(view.renderer()));
        QVERIFY(view.renderer().startsWith(QLatin1String("OpenGL: ")));
    }

    // OpenGL draws in a window of its own, which no grab of the widgets
    // finds: a grab of the window that holds the view still shows the
    // model, where the view is.
    void aGrabOfTheWindowShowsTheModel() {
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(new QLabel(QStringLiteral("beside the view")));
        auto* view = new ModelView;
        layout->addWidget(view);
        window.resize(700, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);
        const QImage grabbed = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage shown = grabbed.copy(QRect(view->mapTo(&window, QPoint()), view->size()));
        QCOMPARE(shown, view->picture().convertToFormat(QImage::Format_RGB32));
        QVERIFY(is_model(shown, shown.width() / 2, shown.height() / 2));
    }

    // A sphere's outline is a circle of the radius the camera gives it.
    void aSphereIsARoundDisc_data() { add_drawing_rows(); }
    void aSphereIsARoundDisc() {
        QFETCH(Drawing, drawing);
        const Picture picture = shown(drawing, model_of(sphere_corners(48, 96), {}, yellow));
        const QImage& image = picture.image;
        save_picture(image, QStringLiteral("sphere_%1.png").arg(QTest::currentDataTag()));
        // Every row spans the chord of a circle about the view's centre of
        // the radius a unit of the file takes: the sphere's radius.
        const double radius = picture.pixels_per_unit;
        const std::vector<std::pair<int, int>> rows = outline(image);
        int measured = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto [left, right] = rows[size_t(y)];
            if (left < 0 || right - left < 10) {
                continue;
            }
            ++measured;
            const double half = (right - left + 1) / 2.0, middle = (left + right + 1) / 2.0;
            const double from_centre = std::hypot(half, y + 0.5 - 200);
            QVERIFY2(std::abs(from_centre - radius) < 1.5 && std::abs(middle - 200) < 1,
                     qPrintable(QStringLiteral("row %1: %2 from the centre, not %3")
                                    .arg(y)
                                    .arg(from_centre)
                                    .arg(radius)));
        }
        QVERIFY(measured > 150);
    }

    // Lit from the viewer's upper right: that side is brighter than the
    // other, and a face toward the viewer has the shade the light gives.
    void theLightComesFromTheUpperRight_data() { add_drawing_rows(); }
    void theLightComesFromTheUpperRight() {
        QFETCH(Drawing, drawing);
        const QImage sphere = picture_of(drawing, model_of(sphere_corners(48, 96)));
        QVERIFY(luminance(sphere.pixel(250, 150)) > luminance(sphere.pixel(150, 250)) + 40);
        // A square facing the viewer of the front view: its normal is the
        // view's z; the light's share on it is its z over its length.
        const std::vector<QVector3D> square{{-1, 0, -1}, {1, 0, -1}, {1, 0, 1},
                                            {-1, 0, -1}, {1, 0, 1},  {-1, 0, 1}};
        const QImage face = picture_of(drawing, model_of(square));
        const float lit = 0.35f + 0.65f / QVector3D(0.3f, 0.5f, 1).length();
        const QRgb expected = Model::default_colour;
        const QRgb seen = face.pixel(200, 200);
        QVERIFY2(
            std::abs(qRed(seen) - qRed(expected) * lit) < 4 &&
                std::abs(qGreen(seen) - qGreen(expected) * lit) < 4 &&
                std::abs(qBlue(seen) - qBlue(expected) * lit) < 4,
            qPrintable(
                QStringLiteral("%1 %2 %3").arg(qRed(seen)).arg(qGreen(seen)).arg(qBlue(seen))));
    }

    // A file wound the wrong way whose normals say which side is out looks
    // like the right one; a face seen from behind is tinted.
    void aWronglyWoundFileLooksRight_data() { add_drawing_rows(); }
    void aWronglyWoundFileLooksRight() {
        QFETCH(Drawing, drawing);
        std::vector<QVector3D> normals;
        const std::vector<QVector3D> clockwise = sphere_corners(24, 48, 1, {}, true, &normals);
        const QImage right = picture_of(drawing, model_of(sphere_corners(24, 48)));
        const QImage turned = picture_of(drawing, model_of(clockwise, normals));
        const QImage inside_out = picture_of(drawing, model_of(clockwise));
        save_picture(turned, QStringLiteral("wound_%1.png").arg(QTest::currentDataTag()));
        save_picture(inside_out, QStringLiteral("inside_out_%1.png").arg(QTest::currentDataTag()));
        QVERIFY(mean_difference(right, turned) < 1);
        QVERIFY(mean_difference(right, inside_out) > 5);
        // With a depth buffer, the near side shows, from behind; QPainter
        // draws the faces turned away first, and shows the far side's inside.
        if (drawing == Drawing::automatic) {
            QVERIFY(qRed(inside_out.pixel(200, 200)) > qBlue(inside_out.pixel(200, 200)));
        }
    }

    // Far off and huge models show as the unit one does.
    void farAndHugeModelsLookLikeTheUnitOne_data() { add_drawing_rows(); }
    void farAndHugeModelsLookLikeTheUnitOne() {
        QFETCH(Drawing, drawing);
        const std::vector<QVector3D> unit = sphere_corners(24, 48);
        const QImage reference = picture_of(drawing, model_of(unit));
        std::vector<QVector3D> far, huge;
        for (const QVector3D& v : unit) {
            far.push_back(v + QVector3D(1e7f, -1e7f, 3e7f));
            huge.push_back(v * 1e38f);
        }
        // Far: in double, as a file in full precision holds it.
        ModelBuilder far_builder;
        for (size_t t = 0; t < unit.size(); t += 3) {
            const auto moved = [](const QVector3D& v) {
                return Model::Point{1e7 + v.x(), -1e7 + v.y(), 3e7 + v.z()};
            };
            far_builder.add_triangle(moved(unit[t]), moved(unit[t + 1]), moved(unit[t + 2]));
        }
        const QImage far_picture = picture_of(drawing, far_builder.finish({}));
        const QImage huge_picture = picture_of(drawing, model_of(huge));
        save_picture(huge_picture, QStringLiteral("huge_%1.png").arg(QTest::currentDataTag()));
        QVERIFY(mean_difference(reference, far_picture) < 1);
        QVERIFY(mean_difference(reference, huge_picture) < 1);
    }

    // Each level of detail keeps the outline of the model within a few
    // pixels from every side, and has at most a third of the triangles of
    // the one before: a sphere, the built-in house made finer, a tube.
    void everyLevelKeepsTheOutline_data() {
        QTest::addColumn<Drawing>("drawing");
        QTest::addColumn<QString>("shape");
        QTest::newRow("sphere, OpenGL") << Drawing::automatic << QStringLiteral("sphere");
        QTest::newRow("sphere, QPainter") << Drawing::painter << QStringLiteral("sphere");
        QTest::newRow("house") << Drawing::automatic << QStringLiteral("house");
        QTest::newRow("tube") << Drawing::automatic << QStringLiteral("tube");
    }
    void everyLevelKeepsTheOutline() {
        QFETCH(Drawing, drawing);
        QFETCH(QString, shape);
        std::vector<QVector3D> corners;
        if (shape == QLatin1String("sphere")) {
            corners = sphere_corners(180, 360);
        } else if (shape == QLatin1String("tube")) {
            corners = tube_corners(720, 24);
        } else {
            const Model house = built_in_model();
            for (size_t t = 0; t < house.triangle_count(); ++t) {
                corners.insert(corners.end(),
                               {house.corner(t, 0), house.corner(t, 1), house.corner(t, 2)});
            }
            corners = finer(corners, 2);
        }
        ModelView view(nullptr, drawing);
        view.resize(400, 400);
        view.set_model(model_of(corners, {}, yellow));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_VERIFY_WITH_TIMEOUT(view.levels_are_fine(), 20000);
        size_t before = view.model().triangle_count();
        for (const auto& level : view.levels()) {
            QVERIFY(level->triangle_count() * 3 <= before);
            before = level->triangle_count();
        }
        QVERIFY(before <= DetailLevels::coarsest);
        for (const StandardView from :
             {StandardView::front, StandardView::top, StandardView::isometric}) {
            view.show_view(from);
            view.show_level(0);
            const QImage whole = view.grab().toImage();
            for (size_t level = 1; level <= view.levels().size(); ++level) {
                view.show_level(level);
                const QImage copy = view.grab().toImage();
                save_picture(
                    copy,
                    QStringLiteral("level_%1_%2.png").arg(QTest::currentDataTag()).arg(level));
                QVERIFY2(outline_gap(whole, copy) <= 3,
                         qPrintable(QStringLiteral("level %1: %2 pixels")
                                        .arg(level)
                                        .arg(outline_gap(whole, copy))));
            }
        }
        view.show_level(0);
    }

    // A sphere of a million triangles, seen on its pole where they are
    // thinnest, shows no hole: no pixel inside it is tinted as a back face
    // or dark.
    void aMillionTrianglesShowNoHole() {
        ModelView view;
        view.set_model(model_of(sphere_corners(707, 707)));
        const QImage image = picture_of(Drawing::automatic, view.model(), StandardView::top);
        save_picture(image, QStringLiteral("sphere_million.png"));
        int wrong = 0;
        for (int y = 120; y < 280; ++y) {
            for (int x = 120; x < 280; ++x) {
                const QRgb pixel = image.pixel(x, y);
                wrong += qRed(pixel) > qBlue(pixel) || luminance(pixel) < 40;
            }
        }
        QCOMPARE(wrong, 0);
    }

    // The window's view reads a file in the background, showing how far it
    // has come; Esc stops it, and the model shown stays, as it does when a
    // file is refused.
    void filesLoadInTheBackground() {
        ModelView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy finished(&view, &ModelView::loading_finished);
        QSignalSpy opened(&view, &ModelView::model_opened);
        QSignalSpy refused(&view, &ModelView::model_refused);
        const QString big =
            write_file(dir_, QStringLiteral("big.stl"), binary_stl(sphere_corners(400, 800), 0));
        view.open(big);
        QVERIFY(view.is_loading());
        QVERIFY(view.findChild<QWidget*>(QStringLiteral("model_view_progress"))->isVisible());
        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(finished.wait(10000));
        QVERIFY(!view.is_loading());
        QCOMPARE(opened.count(), 0);
        QCOMPARE(refused.count(), 0);
        QVERIFY(view.model().name.isEmpty()); // the built-in model stays

        view.open(big);
        QVERIFY(finished.wait(20000));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(view.model().name, QStringLiteral("big.stl"));
        QVERIFY(!view.findChild<QWidget*>(QStringLiteral("model_view_progress"))->isVisible());

        view.open(write_file(dir_, QStringLiteral("letter.stl"), "Dear user,\nno model.\n"));
        QVERIFY(finished.wait(10000));
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.first().at(1).toString(), QStringLiteral("it is not an STL file"));
        QCOMPARE(view.model().name, QStringLiteral("big.stl"));
        QCOMPARE(view.notice(),
                 QStringLiteral("letter.stl cannot be shown: it is not an STL file"));
    }
};

QTEST_MAIN(TestViewPictures)
#include "tst_view_pictures.moc"
