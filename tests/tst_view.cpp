// The host's graphic view: its camera, the STL files it reads, and the
// widget a user drags, wheels and moves with the device.

#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cmath>

#include "DetailLevels.h"
#include "KeepGlDriver.h"
#include "ModelView.h"
#include "MotionTransform.h"
#include "OrbitCamera.h"
#include "Picking.h"
#include "Shapes.h"
#include "TestSupport.h"

namespace {
using Projection = OrbitCamera::Projection;
using Axes = std::array<int, 6>;

// The eight corners of a box.
std::vector<QVector3D> box_corners(const QVector3D& low, const QVector3D& high) {
    std::vector<QVector3D> corners;
    for (int i = 0; i < 8; ++i) {
        corners.emplace_back(i & 1 ? high.x() : low.x(), i & 2 ? high.y() : low.y(),
                             i & 4 ? high.z() : low.z());
    }
    return corners;
}

bool same_direction(const QVector3D& a, const QVector3D& b) {
    return (a - b).length() < 1e-4f;
}

bool same_orientation(const QQuaternion& a, const QQuaternion& b) {
    return std::abs(QQuaternion::dotProduct(a, b)) > 1 - 1e-5f;
}

// How far the points reach toward the viewport's edges: 1 at an edge; a
// point off screen counts as beyond it.
float reach(const OrbitCamera& camera, const std::vector<QVector3D>& points,
            const QSizeF& viewport) {
    float most = 0;
    for (const QVector3D& point : points) {
        const std::optional<QPointF> pixel = camera.to_screen(camera.to_view(point), viewport);
        if (!pixel) {
            return 1e9f;
        }
        most = std::max(
            {most, float(std::abs(pixel->x() - viewport.width() / 2) / (viewport.width() / 2)),
             float(std::abs(pixel->y() - viewport.height() / 2) / (viewport.height() / 2))});
    }
    return most;
}

// The view's motion for a raw deflection of the device under the default
// settings, as the host hands it on.
ViewMotion motion_of(const std::array<int, 6>& axes) {
    const ViewVelocity speeds = view_speeds(transform_motion({axes, 8}, MotionSettings()));
    const auto& t = speeds.translation;
    const auto& r = speeds.rotation;
    return {QVector3D(t[0], t[1], t[2]), QVector3D(r[0], r[1], r[2])};
}

// The middle of the built-in model's roof: its strongly red pixels.
QPointF roof_centre(const QImage& picture) {
    QPointF sum;
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor colour = picture.pixelColor(x, y);
            if (colour.red() - std::max(colour.green(), colour.blue()) > 60) {
                sum += QPointF(x, y);
                ++count;
            }
        }
    }
    return count ? sum / count : QPointF();
}

// A grid of triangles, far from the origin along z.
Model generated_model() {
    ModelBuilder builder;
    for (int i = 0; i < 40; ++i) {
        const float x = float(i) * 0.37f - 3.1f;
        builder.add_triangle({x, 0.125f, -1}, {x + 1, 2.5f, 1e-3f}, {x, -7, 1234.5f}, 0);
    }
    return builder.finish(QStringLiteral("generated"));
}

// A sphere of 129,600 triangles: more than a view draws whole while it moves.
Model fine_sphere() {
    ModelBuilder builder;
    const std::vector<QVector3D> corners = sphere_corners(180, 360);
    for (size_t t = 0; t < corners.size(); t += 3) {
        builder.add_triangle(corners[t], corners[t + 1], corners[t + 2], Model::default_colour);
    }
    return builder.finish({});
}
} // namespace

class TestView : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    // After a fit, every point is on screen inside the margin and the
    // farthest one near it, whatever the model's size and place, the
    // orientation, the projection and the viewport's shape.
    void fitShowsEveryPointWithASmallMargin() {
        const std::vector<std::pair<QVector3D, QVector3D>> boxes{
            {{-1, -1, -1}, {1, 1, 1}},
            {{1000, 2000, -500}, {1000.02f, 2000.01f, -499.99f}},
            {{-5e4f, 3, 3}, {5e4f, 4, 4}},
            {{0, 0, 0}, {0.01f, 40, 0.01f}}};
        for (const auto& [low, high] : boxes) {
            for (const Projection projection :
                 {Projection::perspective, Projection::orthographic}) {
                for (const StandardView view : {StandardView::front, StandardView::top,
                                                StandardView::left, StandardView::isometric}) {
                    for (const QSizeF viewport : {QSizeF(800, 600), QSizeF(300, 900)}) {
                        OrbitCamera camera;
                        camera.set_projection(projection);
                        camera.show(view);
                        camera.turn_model({0.3f, 1, 0.2f}, 17);
                        const std::vector<QVector3D> corners = box_corners(low, high);
                        camera.fit(corners, viewport);
                        const float most = reach(camera, corners, viewport);
                        QVERIFY2(most <= 1 - OrbitCamera::fit_margin + 1e-3f &&
                                     most > 1 - OrbitCamera::fit_margin - 0.1f,
                                 qPrintable(QStringLiteral("%1 for %2 %3 %4")
                                                .arg(most)
                                                .arg(int(view))
                                                .arg(int(projection))
                                                .arg(low.x())));
                    }
                }
            }
        }
    }

    // A single point, or a model with no size, is shown without NaN.
    void aPointHasASizeOfItsOwn() {
        for (const std::vector<QVector3D>& points :
             {std::vector<QVector3D>{{3, 4, 5}}, std::vector<QVector3D>(3, QVector3D(0, 0, 0))}) {
            OrbitCamera camera;
            camera.fit(points, QSizeF(640, 480));
            QVERIFY(std::isfinite(camera.distance()) && camera.distance() > 0);
            QVERIFY((camera.target() - points[0]).length() < 1e-5f);
            const std::optional<QPointF> pixel =
                camera.to_screen(camera.to_view(points[0]), QSizeF(640, 480));
            QVERIFY(pixel && std::isfinite(pixel->x()) && std::isfinite(pixel->y()));
        }
        OrbitCamera untouched;
        const float distance = untouched.distance();
        untouched.fit({}, QSizeF(640, 480));
        QCOMPARE(untouched.distance(), distance);
    }

    // Each standard view looks along its axis with the model's up on top:
    // world z, but for the top and bottom views, whose up is the back and
    // the front.
    void standardViewsLookAlongTheirAxes() {
        const QVector3D x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
        const struct {
            StandardView view;
            QVector3D toward_viewer, up;
        } expected[] = {{StandardView::front, -y, z}, {StandardView::back, y, z},
                        {StandardView::left, -x, z},  {StandardView::right, x, z},
                        {StandardView::top, z, y},    {StandardView::bottom, -z, -y}};
        for (const auto& [view, toward_viewer, up] : expected) {
            OrbitCamera camera;
            camera.show(view);
            QVERIFY(same_direction(camera.backward(), toward_viewer));
            QVERIFY(same_direction(camera.up(), up));
            QCOMPARE(camera.standard_view(), std::optional<StandardView>(view));
        }
        OrbitCamera camera;
        camera.show(StandardView::isometric);
        QVERIFY(same_direction(camera.backward(), QVector3D(1, -1, 1).normalized()));
        QVERIFY(camera.up().z() > 0.8f && std::abs(camera.right().z()) < 1e-5f);
        camera.turn_model({0, 1, 0}, 5);
        QCOMPARE(camera.standard_view(), std::nullopt);
    }

    // Turning the model a full turn about any axis, in steps, comes back.
    void aFullTurnComesBack() {
        for (const QVector3D& axis : {QVector3D(1, 0, 0), QVector3D(0, 1, 0), QVector3D(1, 2, 3)}) {
            OrbitCamera camera;
            const QQuaternion start = camera.orientation();
            for (int step = 0; step < 36; ++step) {
                camera.turn_model(axis, 10);
            }
            QVERIFY(same_orientation(camera.orientation(), start));
            camera.turn_model(axis, 180);
            QVERIFY(!same_orientation(camera.orientation(), start));
        }
    }

    // Toggling the projection keeps what lies at the target's depth where
    // it is, and the size it shows at.
    void projectionToggleKeepsTheSize() {
        OrbitCamera camera;
        camera.fit(box_corners({-2, -1, 0}, {2, 1, 3}), QSizeF(800, 600));
        const QVector3D at_target_depth(1.5f, -0.75f, 0);
        const QPointF before = *camera.to_screen(at_target_depth, QSizeF(800, 600));
        const float scale = camera.pixels_per_unit(QSizeF(800, 600));
        camera.toggle_projection();
        QCOMPARE(camera.projection(), Projection::orthographic);
        QCOMPARE(*camera.to_screen(at_target_depth, QSizeF(800, 600)), before);
        QCOMPARE(camera.pixels_per_unit(QSizeF(800, 600)), scale);
        // Nearer points grow only in perspective.
        const QVector3D nearer(1.5f, -0.75f, 1);
        const QPointF flat = *camera.to_screen(nearer, QSizeF(800, 600));
        camera.toggle_projection();
        QVERIFY(camera.to_screen(nearer, QSizeF(800, 600))->x() > flat.x());
    }

    // Zooming about a pixel keeps the model point under it there; a pan
    // moves the target's projection by exactly the pixels asked.
    void zoomAboutTheCursorAndPan() {
        OrbitCamera camera;
        camera.fit(box_corners({-1, -1, -1}, {1, 1, 1}), QSizeF(800, 600));
        const QSizeF viewport(800, 600);
        const QPointF cursor(620, 150);
        const float units = 1 / camera.pixels_per_unit(viewport);
        const QVector3D under = camera.target() + camera.right() * float(220 * units) +
                                camera.up() * float(150 * units);
        camera.zoom_about(3, cursor, viewport);
        const QPointF now = *camera.to_screen(camera.to_view(under), viewport);
        QVERIFY2((now - cursor).manhattanLength() < 0.01, qPrintable(QString::number(now.x())));
        const QVector3D point = camera.target();
        camera.pan(QPointF(40, -25), viewport);
        const QPointF moved = *camera.to_screen(camera.to_view(point), viewport);
        QVERIFY((moved - QPointF(440, 275)).manhattanLength() < 1e-3);
    }

    // Turning about a point keeps that point where it is on the screen,
    // whatever the axes, the angles and the projection.
    void aCentreStaysPutWhileTheViewTurns_data() {
        QTest::addColumn<bool>("perspective");
        QTest::newRow("perspective") << true;
        QTest::newRow("orthographic") << false;
    }
    void aCentreStaysPutWhileTheViewTurns() {
        QFETCH(bool, perspective);
        QRandomGenerator random(7);
        const QSizeF viewport(800, 600);
        const auto any = [&](float size) {
            return QVector3D(float(random.bounded(2.0) - 1), float(random.bounded(2.0) - 1),
                             float(random.bounded(2.0) - 1)) *
                   size;
        };
        for (int trial = 0; trial < 50; ++trial) {
            OrbitCamera camera;
            camera.set_projection(perspective ? Projection::perspective : Projection::orthographic);
            camera.fit(box_corners({-1, -1, -1}, {1, 1, 1}), viewport);
            camera.pan(QPointF(random.bounded(200) - 100, random.bounded(200) - 100), viewport);
            const QVector3D centre = any(0.8f);
            const QPointF before = *camera.to_screen(camera.to_view(centre), viewport);
            for (int turn = 0; turn < 10; ++turn) {
                camera.move({QVector3D(), any(60)}, 0.1f, centre, trial % 2 == 1);
            }
            const std::optional<QPointF> after = camera.to_screen(camera.to_view(centre), viewport);
            QVERIFY(after);
            QVERIFY2((*after - before).manhattanLength() < 1,
                     qPrintable(QStringLiteral("%1,%2 became %3,%4")
                                    .arg(before.x())
                                    .arg(before.y())
                                    .arg(after->x())
                                    .arg(after->y())));
        }
    }

    // With the horizon locked, the model's up axis stays vertical on the
    // screen whatever the device does: no roll gets through.
    void aLockedHorizonStaysLevel() {
        QRandomGenerator random(11);
        OrbitCamera camera;
        camera.show(StandardView::isometric);
        for (int step = 0; step < 1000; ++step) {
            const QVector3D turn(float(random.bounded(180.0) - 90),
                                 float(random.bounded(180.0) - 90),
                                 float(random.bounded(180.0) - 90));
            const QVector3D shift(float(random.bounded(2.0) - 1), float(random.bounded(2.0) - 1),
                                  0);
            camera.move({shift, turn}, 0.05f, QVector3D(0.3f, -0.2f, 0.1f), true);
            // World z has no share of the screen's horizontal axis.
            QVERIFY2(std::abs(camera.right().z()) < 1e-4f,
                     qPrintable(QString::number(camera.right().z())));
        }
    }

    // The same through the view, with the cap held for a second and more:
    // twists and tilts at several speeds let no roll creep in.
    void aLockedHorizonStaysLevelWhileTheCapIsHeld_data() {
        QTest::addColumn<Axes>("axes");
        QTest::newRow("slow twist") << Axes{0, 0, 0, 0, 0, 60};
        QTest::newRow("tilt and twist") << Axes{0, 0, 0, 250, 0, 250};
        QTest::newRow("every axis at full") << Axes{350, 350, 350, 350, 350, 350};
    }
    void aLockedHorizonStaysLevelWhileTheCapIsHeld() {
        QFETCH(Axes, axes);
        ModelView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.set_navigation(ModelView::Centre::automatic, true);
        view.set_motion(motion_of(axes));
        for (int held = 0; held < 12; ++held) {
            QTest::qWait(100);
            QVERIFY2(std::abs(view.camera().right().z()) < 1e-4f,
                     qPrintable(QString::number(view.camera().right().z())));
        }
        view.set_motion({});
    }

    // Zoomed in on the edge of a model, the automatic centre is the middle
    // of the part in sight, for the device and the mouse alike: after a
    // turn, that part is still in view.
    void theAutomaticCentreKeepsThePartInSight_data() {
        QTest::addColumn<bool>("by_device");
        QTest::newRow("device") << true;
        QTest::newRow("mouse") << false;
    }
    void theAutomaticCentreKeepsThePartInSight() {
        QFETCH(bool, by_device);
        ModelBuilder builder;
        const std::vector<QVector3D> corners = sphere_corners(24, 48);
        for (size_t i = 0; i < corners.size(); i += 3) {
            builder.add_triangle(corners[i], corners[i + 1], corners[i + 2], 0);
        }
        ModelView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.set_model(builder.finish({}));
        view.set_navigation(ModelView::Centre::automatic, false);
        // Toward the point of its outline farthest from the middle.
        const QPointF middle(200, 150);
        QPointF corner = middle;
        for (const QVector3D& vertex : view.model().vertices) {
            const QPointF at = *view.camera().to_screen(view.camera().to_view(vertex), view.size());
            corner =
                (at - middle).manhattanLength() > (corner - middle).manhattanLength() ? at : corner;
        }
        const QPointF zoomed = middle + (corner - middle) * 0.9;
        QWheelEvent wheel(zoomed, view.mapToGlobal(zoomed), QPoint(), QPoint(0, 120 * 12),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        if (by_device) {
            view.set_motion({QVector3D(), QVector3D(0, 60, 0)});
            QTest::qWait(500);
        } else {
            QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(200, 150));
            QTest::mouseMove(&view, QPoint(300, 150));
        }
        QVERIFY(view.pivot() && view.pivot()->length() > 0.1f);
        const std::optional<QPointF> pivot =
            view.camera().to_screen(view.camera().to_view(*view.pivot()), view.size());
        QVERIFY(pivot && QRectF(QPointF(), QSizeF(view.size())).contains(*pivot));
        by_device ? view.set_motion({})
                  : QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(300, 150));
    }

    // The centre of what is in sight is the model's when all of it is, and
    // another when the view is zoomed into a corner; nothing in sight, none.
    void theCentreOfWhatIsInSight() {
        ModelBuilder builder;
        const std::vector<QVector3D> corners = box_corners({-1, -2, -3}, {5, 2, 3});
        for (size_t i = 0; i + 2 < corners.size(); ++i) {
            builder.add_triangle(corners[i], corners[i + 1], corners[i + 2], 0);
        }
        const Model model = builder.finish({});
        OrbitCamera camera;
        const QSizeF viewport(800, 600);
        camera.fit(model.vertices, viewport);
        QVERIFY(centre_in_sight(model, camera, viewport)->length() < 1e-5f);
        camera.zoom_about(8, QPointF(790, 10), viewport);
        QVERIFY(centre_in_sight(model, camera, viewport)->length() > 0.1f);
        camera.pan(QPointF(5000, 0), viewport);
        QVERIFY(!centre_in_sight(model, camera, viewport));
    }

    // With the centre under the pointer, a drag that starts over the model
    // turns about the point under it, one that starts beside it about the
    // model's centre; the marker shows while it turns.
    void theCentreUnderThePointer() {
        ModelView view;
        view.resize(400, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.set_navigation(ModelView::Centre::cursor, false);
        view.show_view(StandardView::front);
        QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(5, 395));
        QCOMPARE(view.pivot(), std::optional(QVector3D()));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(5, 395));
        QCOMPARE(view.pivot(), std::nullopt);
        QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(250, 250));
        QVERIFY(view.pivot() && view.pivot()->length() > 0.05f);
        const auto pivot_on_screen = [&] {
            return *view.camera().to_screen(view.camera().to_view(*view.pivot()), view.size());
        };
        const QPointF at_start = pivot_on_screen();
        QVERIFY((at_start - QPointF(250, 250)).manhattanLength() < 2);
        QTest::mouseMove(&view, QPoint(280, 240));
        QVERIFY((pivot_on_screen() - at_start).manhattanLength() < 1);
        save_screenshot(&view, QStringLiteral("view_marker.png"));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(280, 240));
    }

    // The device's velocity: a push toward the viewer brings the model
    // nearer, a turn about view y turns it as the mouse does, and nothing
    // runs the model through the eye.
    void motionMovesTheCamera() {
        OrbitCamera camera;
        const float distance = camera.distance();
        camera.move({QVector3D(0, 0, 1), QVector3D()}, 1);
        QCOMPARE(camera.distance(), distance / std::exp(1.0f));
        camera.move({QVector3D(0, 0, 500), QVector3D()}, 10);
        QVERIFY(camera.distance() > 0);
        OrbitCamera turned, by_hand;
        turned.move({QVector3D(), QVector3D(0, 90, 0)}, 0.5f);
        by_hand.turn_model({0, 1, 0}, 45);
        QVERIFY(same_orientation(turned.orientation(), by_hand.orientation()));
    }

    // The widget: its picture changes as the model turns; a left drag
    // orbits, a Shift drag pans and the wheel zooms, as the user does them.
    void theMouseMovesTheView() {
        ModelView view;
        view.resize(640, 480);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.show_view(StandardView::front);
        const QImage front = view.grab().toImage();
        save_screenshot(&view, QStringLiteral("view_front.png"));
        QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(300, 200));
        QTest::mouseMove(&view, QPoint(350, 200));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(350, 200));
        QCOMPARE(view.camera().standard_view(), std::nullopt);
        QVERIFY(view.grab().toImage() != front);
        save_screenshot(&view, QStringLiteral("view_dragged.png"));

        view.show_view(StandardView::front);
        const QVector3D target = view.camera().target();
        QTest::mousePress(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(300, 200));
        QTest::mouseMove(&view, QPoint(330, 200));
        QTest::mouseRelease(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(330, 200));
        QCOMPARE(view.camera().standard_view(), std::optional(StandardView::front));
        QVERIFY(view.camera().target().x() < target.x());

        const float distance = view.camera().distance();
        QWheelEvent wheel(QPointF(320, 240), view.mapToGlobal(QPointF(320, 240)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        QCOMPARE(view.camera().distance(), distance / 1.2f);
        QCOMPARE(view.description(), QStringLiteral("front perspective"));
    }

    // A horizontal drag turns the model about the screen's vertical axis, a
    // vertical one tips it about the screen's horizontal axis; either way
    // its near side follows the pointer.
    void aDragTurnsAboutTheScreensAxes_data() {
        QTest::addColumn<QPoint>("drag");
        QTest::newRow("right") << QPoint(60, 0);
        QTest::newRow("left") << QPoint(-60, 0);
        QTest::newRow("down") << QPoint(0, 60);
        QTest::newRow("up") << QPoint(0, -60);
    }
    void aDragTurnsAboutTheScreensAxes() {
        QFETCH(QPoint, drag);
        ModelView view;
        view.resize(640, 480);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.show_view(StandardView::front);
        const OrbitCamera before = view.camera();
        const QPoint from(320, 240);
        QTest::mousePress(&view, Qt::LeftButton, {}, from);
        QTest::mouseMove(&view, from + drag);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, from + drag);
        const OrbitCamera& after = view.camera();
        // Where the side nearest the viewer went, in the screen's axes.
        const QVector3D near_side = before.backward();
        const float went_right = QVector3D::dotProduct(near_side, after.right());
        const float went_up = QVector3D::dotProduct(near_side, after.up());
        if (drag.y() == 0) {
            QVERIFY(same_direction(after.up(), before.up()));
            QVERIFY(went_right * float(drag.x()) > 0.1f);
        } else {
            QVERIFY(same_direction(after.right(), before.right()));
            QVERIFY(-went_up * float(drag.y()) > 0.1f);
        }
    }

    // The cap pushed right moves the model right on the screen, pulled up
    // moves it up: in the camera and in the picture.
    void theCapMovesTheModelAsPushed_data() {
        QTest::addColumn<int>("axis");
        QTest::addColumn<QPointF>("direction");
        QTest::newRow("right") << 0 << QPointF(1, 0);
        QTest::newRow("up") << 1 << QPointF(0, -1);
    }
    void theCapMovesTheModelAsPushed() {
        QFETCH(int, axis);
        QFETCH(QPointF, direction);
        ModelView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.show_view(StandardView::front);
        const QVector3D centre = view.camera().target();
        const QPointF picture_before = roof_centre(view.grab().toImage());
        QVERIFY(!picture_before.isNull());
        std::array<int, 6> axes{};
        axes[size_t(axis)] = 350;
        view.set_motion(motion_of(axes));
        QTest::qWait(300);
        view.set_motion({});
        const OrbitCamera& camera = view.camera();
        const QPointF on_screen = *camera.to_screen(camera.to_view(centre), view.size());
        const QPointF moved = on_screen - QPointF(200, 150);
        QVERIFY2(QPointF::dotProduct(moved, direction) > 20,
                 qPrintable(QString::number(moved.x())));
        QVERIFY(std::abs(QPointF::dotProduct(moved, QPointF(direction.y(), direction.x()))) < 1);
        const QPointF picture_moved = roof_centre(view.grab().toImage()) - picture_before;
        QVERIFY(QPointF::dotProduct(picture_moved, direction) > 20);
    }

    // At full deflection the model crosses half the view's height in a
    // second; a frame that comes late takes a short step, not a long one.
    void aLateFrameTakesAShortStep() {
        ModelView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.show_view(StandardView::front);
        const auto half_heights_moved = [&view](const QVector3D& from) {
            const OrbitCamera& camera = view.camera();
            return (camera.target() - from).length() * camera.pixels_per_unit(view.size()) / 150;
        };
        QSignalSpy frames(&view, &ModelView::frame_done);
        view.set_motion(motion_of({350, 0, 0, 0, 0, 0}));
        QVERIFY(frames.wait());
        QVector3D from = view.camera().target();
        QTest::qWait(1000);
        const float in_a_second = half_heights_moved(from);
        QVERIFY2(in_a_second > 0.6f && in_a_second < 1.1f,
                 qPrintable(QString::number(in_a_second)));
        from = view.camera().target();
        frames.clear();
        QThread::msleep(1000);
        QVERIFY(frames.wait());
        view.set_motion({});
        QVERIFY2(half_heights_moved(from) < 0.15f,
                 qPrintable(QString::number(half_heights_moved(from))));
    }

    // The device's deflection moves the view frame by frame, and letting go
    // stops it at once.
    void theDeviceMovesTheViewUntilLetGo() {
        ModelView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QQuaternion start = view.camera().orientation();
        view.set_motion({QVector3D(), QVector3D(0, 60, 0)});
        QVERIFY(view.is_moving());
        QTRY_VERIFY(!same_orientation(view.camera().orientation(), start));
        view.set_motion({});
        QVERIFY(!view.is_moving());
        const QQuaternion stopped = view.camera().orientation();
        QTest::qWait(100);
        QCOMPARE(view.camera().orientation(), stopped);
    }

    // A motion's first frame is drawn as the motion arrives, and of a
    // model's level of detail, as every frame while it moves.
    void theFirstFrameOfAMotionIsDrawnAtOnceAndMoving() {
        ModelView view;
        view.resize(400, 300);
        view.set_model(fine_sphere());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_VERIFY_WITH_TIMEOUT(view.levels_are_fine(), 20000);
        QTest::qWait(50);
        QSignalSpy frames(&view, &ModelView::frame_done);
        view.set_motion({QVector3D(), QVector3D(0, 60, 0)});
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0][0].toBool(), false);
        view.set_motion({});
    }

    // A model is shown whole, and the reset view is isometric perspective.
    void aNewModelIsShownWhole() {
        ModelView view;
        view.resize(500, 400);
        view.toggle_projection();
        Model model = generated_model();
        view.set_model(model);
        QCOMPARE(view.description(), QStringLiteral("isometric perspective"));
        QVERIFY(reach(view.camera(), model.vertices, view.size()) <= 1);
        QVERIFY(built_in_model().triangle_count() > 100);
    }

    // While the view moves, it draws the finest level whose measured cost
    // fits a frame: coarser as a triangle's cost grows, finer as it falls,
    // whatever the fixed cost of a frame's pixels; a still view, and a model
    // under the budget whatever its cost, draw whole. The frames' times are
    // told as the canvas tells them, from a driver of known costs.
    void theLevelFollowsTheMeasuredCost() {
        DetailLevels levels(nullptr);
        const auto model = std::make_shared<const Model>(fine_sphere());
        levels.prepare(model);
        QTRY_VERIFY_WITH_TIMEOUT(levels.are_fine(), 20000);
        QVERIFY(levels.levels().size() >= 3);
        const double budget = DetailLevels::frame_ms * DetailLevels::drawing_share;
        const auto triangles = [&](size_t level) {
            return double(level == 0 ? model->triangle_count()
                                     : levels.levels()[level - 1]->triangle_count());
        };
        const double fixed = 4;
        // The cost a triangle has where `level` just fits the frame.
        const auto fitting = [&](size_t level) {
            return (budget - fixed) * 0.9 / triangles(level);
        };
        for (const size_t level : {size_t(0), size_t(2), size_t(3), size_t(1), size_t(0)}) {
            for (int frame = 0; frame < 20; ++frame) {
                const size_t drawn = levels.chosen(true);
                levels.frame_drawn(drawn, fixed + fitting(level) * triangles(drawn));
            }
            QCOMPARE(levels.chosen(true), level);
            QCOMPARE(levels.chosen(false), size_t(0));
        }

        levels.prepare(std::make_shared<const Model>(built_in_model()));
        QTest::qWait(100);
        QVERIFY(levels.levels().empty());
        levels.frame_drawn(0, 1000);
        QCOMPARE(levels.chosen(true), size_t(0));
    }
};

QTEST_MAIN(TestView)
#include "tst_view.moc"
