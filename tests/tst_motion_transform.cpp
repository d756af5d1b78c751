// The motion transform: every mapping the settings can hold, the
// sensitivities, the dead zone and the dominant axis, and a snapshot that
// follows the settings.

#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "Kestrava_spaceWare.h"
#include "MotionTransform.h"

namespace {
using Manager = SpaceWarePreferencesManager;

RawMotion motion(std::array<int, 6> axes, int period = 8) {
    return RawMotion{axes, period};
}

bool same(const ViewVelocity& a, const ViewVelocity& b) {
    return a.translation == b.translation && a.rotation == b.rotation;
}
} // namespace

class TestMotionTransform : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    // All 48 mappings (6 permutations x 8 direction triples), through a
    // real manager: a unit push along device axis k moves view axis
    // axis[k] by its sign, and the rotation about k follows the same view
    // axis with the rotation's own sign.
    void everyMapping_data() {
        QTest::addColumn<QList<int>>("permutation");
        QTest::addColumn<int>("directions");
        QList<int> permutation{0, 1, 2};
        do {
            for (int directions = 0; directions < 8; ++directions) {
                QTest::addRow("axes %d%d%d, negative %d", permutation[0], permutation[1],
                              permutation[2], directions)
                    << permutation << directions;
            }
        } while (std::next_permutation(permutation.begin(), permutation.end()));
    }
    void everyMapping() {
        QFETCH(QList<int>, permutation);
        QFETCH(int, directions);
        Manager manager(dir_.filePath(QStringLiteral("mappings.ini")), 2);
        const auto negative = [directions](int k) { return ((directions >> k) & 1) != 0; };
        for (int k = 0; k < 3; ++k) {
            manager.navig_string(translation_axis(k))
                ->assign(Manager::index_to_string(axis_group, permutation[k]));
            manager.navig_string(translation_direction(k))
                ->assign(Manager::index_to_string(direction_group, negative(k)));
            // The rotation turns the other way from the translation.
            manager.navig_string(rotation_direction(k))
                ->assign(Manager::index_to_string(rotation_group, !negative(k)));
        }
        MotionSettings settings = MotionSettings::of(manager);
        for (int k = 0; k < 3; ++k) {
            const float sign = negative(k) ? -1.0f : 1.0f;
            std::array<int, 6> push{};
            push[k] = 1;
            push[3 + k] = 1;
            ViewVelocity expected;
            expected.translation[permutation[k]] = sign;
            expected.rotation[permutation[k]] = -sign;
            QVERIFY2(same(transform_motion(motion(push), settings), expected),
                     qPrintable(QStringLiteral("device axis %1").arg(k)));
            // The eye moving mirrors the model moving, on every axis.
            settings.camera_mode = true;
            ViewVelocity mirrored;
            mirrored.translation[permutation[k]] = -sign;
            mirrored.rotation[permutation[k]] = sign;
            QVERIFY(same(transform_motion(motion(push), settings), mirrored));
            settings.camera_mode = false;
        }
        // An axis that is off does nothing, whatever the mapping.
        for (int off = 0; off < 6; ++off) {
            settings.enabled.fill(true);
            settings.enabled[off] = false;
            std::array<int, 6> push{};
            push[off] = 300;
            QVERIFY(same(transform_motion(motion(push), settings), ViewVelocity()));
            push[(off + 1) % 6] = 5;
            QVERIFY(!same(transform_motion(motion(push), settings), ViewVelocity()));
        }
    }

    // An axis that is off counts as still before the dominant axis is
    // chosen: the largest of those on wins.
    void anAxisOffIsNotDominant() {
        MotionSettings settings;
        settings.dominant_axis = true;
        settings.enabled[1] = false;
        const ViewVelocity velocity = transform_motion(motion({5, -30, 7, 29, 0, -2}), settings);
        QCOMPARE(velocity.translation, (std::array<float, 3>{0, 0, 0}));
        QCOMPARE(velocity.rotation, (std::array<float, 3>{29, 0, 0}));
    }

    // The response curve: exponent 1 is the straight transform exactly; at
    // 3, half a deflection gives an eighth, its sign kept, and a full push
    // is unchanged; past the dead zone it starts from zero, without a jump.
    void responseCurves() {
        MotionSettings straight, cubic;
        cubic.translation_curve = 3;
        cubic.rotation_curve = 3;
        const float full = DeviceScale::full_deflection;
        for (const int value : {1, -7, 100, 175, -350, 500}) {
            const RawMotion push = motion({value, 0, 0, 0, 0, value});
            QCOMPARE(transform_motion(push, straight).translation[0], float(value));
        }
        const auto tx = [&](const MotionSettings& s, float value) {
            return transform_motion(motion({int(value), 0, 0, 0, 0, 0}), s).translation[0];
        };
        QCOMPARE(tx(cubic, full / 2), full / 8);
        QCOMPARE(tx(cubic, -full / 2), -full / 8);
        QCOMPARE(tx(cubic, full), full);
        QCOMPARE(transform_motion(motion({0, 0, 0, 0, 0, -175}), cubic).rotation[2], -full / 8);
        cubic.dead_zone = 50;
        QCOMPARE(tx(cubic, 50), 0.0f);
        QVERIFY(tx(cubic, 51) > 0 && tx(cubic, 51) < 1e-3f);
        QCOMPARE(tx(cubic, full), full - 50);
        float previous = 0;
        for (int value = 50; value <= 450; ++value) {
            const float now = tx(cubic, float(value));
            QVERIFY2(now >= previous && now - previous < 4, qPrintable(QString::number(value)));
            previous = now;
        }
    }

    // Every stage of the chain, for a known motion and settings.
    void theStagesOfTheChain() {
        MotionSettings settings;
        settings.axis = {1, 0, 2};
        settings.translation_sign = {-1, 1, 1};
        settings.dead_zone = 10;
        settings.translation_sensitivity = 2;
        settings.enabled[2] = false;
        const MotionStages stages = motion_stages(motion({110, -30, 80, 0, 0, 20}), settings);
        QCOMPARE(stages.raw, (std::array<float, 6>{110, -30, 80, 0, 0, 20}));
        QCOMPARE(stages.beyond_dead_zone, (std::array<float, 6>{100, -20, 0, 0, 0, 10}));
        QCOMPARE(stages.shaped, (std::array<float, 6>{200, -40, 0, 0, 0, 10}));
        QCOMPARE(stages.mapped, (std::array<float, 6>{-40, -200, 0, 0, 0, 10}));
    }

    // The factory defaults give the identity, whatever the period.
    void defaultsAreTheIdentity() {
        const Manager manager(dir_.filePath(QStringLiteral("defaults.ini")), 2);
        const MotionSettings settings = MotionSettings::of(manager);
        for (const int period : {0, 8, 1 << 30}) {
            const ViewVelocity velocity =
                transform_motion(motion({1, -2, 3, -4, 5, -6}, period), settings);
            QCOMPARE(velocity.translation, (std::array<float, 3>{1, -2, 3}));
            QCOMPARE(velocity.rotation, (std::array<float, 3>{-4, 5, -6}));
        }
    }

    // Translations scale by the translation sensitivity, rotations by the
    // rotation sensitivity, each alone.
    void sensitivities() {
        for (const float sensitivity : {0.1f, 1.0f, 10.0f}) {
            MotionSettings settings;
            settings.translation_sensitivity = sensitivity;
            settings.rotation_sensitivity = 2.0f;
            const ViewVelocity velocity = transform_motion(motion({100, 0, 0, 0, 0, 50}), settings);
            QCOMPARE(velocity.translation[0], 100 * sensitivity);
            QCOMPARE(velocity.rotation[2], 100.0f);
        }
    }

    // Within the dead zone nothing moves; beyond it the motion starts from
    // zero, without a jump at the edge.
    void deadZone() {
        MotionSettings settings;
        settings.dead_zone = 10;
        const auto tx = [&](int value) {
            return transform_motion(motion({value, 0, 0, 0, 0, 0}), settings).translation[0];
        };
        QCOMPARE(tx(9), 0.0f);
        QCOMPARE(tx(10), 0.0f);
        QCOMPARE(tx(11), 1.0f);
        QCOMPARE(tx(-11), -1.0f);
        QCOMPARE(tx(-10), 0.0f);
        QCOMPARE(tx(350), 340.0f);
    }

    // Only the largest of the six survives; of equal ones, the first.
    void dominantAxis() {
        MotionSettings settings;
        settings.dominant_axis = true;
        ViewVelocity velocity = transform_motion(motion({5, -30, 7, 29, 0, -2}), settings);
        QCOMPARE(velocity.translation, (std::array<float, 3>{0, -30, 0}));
        QCOMPARE(velocity.rotation, (std::array<float, 3>{0, 0, 0}));
        velocity = transform_motion(motion({0, 0, -9, 9, 0, 9}), settings);
        QCOMPARE(velocity.translation, (std::array<float, 3>{0, 0, -9}));
        QCOMPARE(velocity.rotation, (std::array<float, 3>{0, 0, 0}));
        // Letting go: all zero stays all zero.
        velocity = transform_motion(motion({0, 0, 0, 0, 0, 0}), settings);
        QCOMPARE(velocity.translation, (std::array<float, 3>{0, 0, 0}));
    }

    // A change of a setting reaches the follower's snapshot at once.
    void snapshotFollowsTheSettings() {
        Manager manager(dir_.filePath(QStringLiteral("follow.ini")), 2);
        const MotionSettingsFollower follower(manager);
        QCOMPARE(follower.settings().axis, (std::array<int, 3>{0, 1, 2}));
        manager.navig_string(x_trans_axis)->set("y");
        manager.navig_string(y_trans_axis)->set("x");
        manager.navig_float(dead_zone)->set(4.0f);
        manager.navig_string(dominant_axis)->set("on");
        QCOMPARE(follower.settings().axis, (std::array<int, 3>{1, 0, 2}));
        QCOMPARE(follower.settings().dead_zone, 4.0f);
        QVERIFY(follower.settings().dominant_axis);
        const ViewVelocity velocity =
            transform_motion(motion({10, 0, 0, 0, 0, 0}), follower.settings());
        QCOMPARE(velocity.translation, (std::array<float, 3>{0, 6, 0}));
    }
};

QTEST_GUILESS_MAIN(TestMotionTransform)
#include "tst_motion_transform.moc"
