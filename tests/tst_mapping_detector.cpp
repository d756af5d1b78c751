// The setup assistant's detection, fed by a simulated device whose axes are
// permuted and inverted and a simulated person who follows the steps: the
// mapping found undoes the device, whatever it is.

#include <QTest>
#include <cmath>

#include "MappingDetector.h"
#include "MotionTransform.h"

namespace {
// A device that reports the cap's motion along axis perm[i] as its axis i,
// times a sign; its turns are permuted as its pushes are.
struct SimulatedDevice {
    std::array<int, 3> perm;
    std::array<int, 3> translation_sign;
    std::array<int, 3> rotation_sign;

    RawMotion respond(const std::array<float, 3>& move, const std::array<float, 3>& turn) const {
        RawMotion raw;
        for (size_t i = 0; i < 3; ++i) {
            raw.axes[i] = int(std::lround(translation_sign[i] * move[size_t(perm[i])]));
            raw.axes[3 + i] = int(std::lround(rotation_sign[i] * turn[size_t(perm[i])]));
        }
        return raw;
    }
};

// A person doing what a step asks: the cap at rest, then a firm push with a
// little of every other axis, held; events every 16 ms, as a device sends
// them.
struct Person {
    qint64 now = 0;

    void send(MappingDetector& detector, const RawMotion& motion, int ms) {
        for (int t = 0; t < ms; t += 16) {
            now += 16;
            detector.feed(motion, now);
        }
    }
    void do_step(MappingDetector& detector, const SimulatedDevice& device, int step) {
        const MappingDetector::Step& asked = MappingDetector::steps[size_t(step)];
        std::array<float, 3> move{12, -9, 7}, turn{-6, 8, 5};
        (asked.rotation ? turn : move)[size_t(asked.view_axis)] = 250.0f * float(asked.sign);
        send(detector, RawMotion(), 400);
        send(detector, device.respond(move, turn), 700);
    }
};

MotionSettings settings_of(const MappingDetector::Mapping& mapping) {
    MotionSettings settings;
    for (size_t k = 0; k < 3; ++k) {
        settings.axis[k] = mapping.axis[k].value_or(int(k));
        settings.translation_sign[k] = float(mapping.translation_sign[k].value_or(1));
        settings.rotation_sign[k] = float(mapping.rotation_sign[k].value_or(1));
    }
    return settings;
}
} // namespace

class TestMappingDetector : public QObject {
    Q_OBJECT

private slots:
    // Every device of the 48 translation mappings with each of the 8
    // rotation direction triples: the mapping found makes the transform the
    // identity for it.
    void everyDeviceIsUndone_data() {
        QTest::addColumn<QList<int>>("perm");
        QTest::addColumn<int>("translation_signs");
        QTest::addColumn<int>("rotation_signs");
        QList<int> perm{0, 1, 2};
        do {
            for (int t = 0; t < 8; ++t) {
                for (int r = 0; r < 8; ++r) {
                    QTest::addRow("%d%d%d t%d r%d", perm[0], perm[1], perm[2], t, r)
                        << perm << t << r;
                }
            }
        } while (std::next_permutation(perm.begin(), perm.end()));
    }
    void everyDeviceIsUndone() {
        QFETCH(QList<int>, perm);
        QFETCH(int, translation_signs);
        QFETCH(int, rotation_signs);
        SimulatedDevice device{{perm[0], perm[1], perm[2]}, {}, {}};
        for (size_t k = 0; k < 3; ++k) {
            device.translation_sign[k] = (translation_signs >> k) & 1 ? -1 : 1;
            device.rotation_sign[k] = (rotation_signs >> k) & 1 ? -1 : 1;
        }
        MappingDetector detector;
        Person person;
        for (int step = 0; step < 6; ++step) {
            QCOMPARE(detector.step(), step);
            person.do_step(detector, device, step);
        }
        QCOMPARE(detector.state(), MappingDetector::State::done);
        const MotionSettings settings = settings_of(detector.mapping());
        for (int axis = 0; axis < 3; ++axis) {
            std::array<float, 3> move{}, turn{};
            move[size_t(axis)] = 100;
            turn[size_t((axis + 1) % 3)] = -100;
            const ViewVelocity velocity = transform_motion(device.respond(move, turn), settings);
            QCOMPARE(velocity.translation, move);
            QCOMPARE(velocity.rotation, turn);
        }
    }

    // A step that sees nothing says so after its patience, and may be
    // skipped; two pushes found tell the third axis.
    void aStepThatSeesNothing() {
        MappingDetector detector;
        const SimulatedDevice device{{2, 0, 1}, {1, -1, 1}, {1, 1, 1}};
        Person person;
        person.do_step(detector, device, 0);
        person.send(detector, RawMotion(), MappingDetector::patience_ms - 1000);
        QVERIFY(!detector.waited_too_long(person.now));
        person.send(detector, RawMotion(), 1100);
        QVERIFY(detector.waited_too_long(person.now));
        detector.skip();
        QCOMPARE(detector.step(), 2);
        QVERIFY(!detector.waited_too_long(person.now));
        person.do_step(detector, device, 2);
        const MappingDetector::Mapping mapping = detector.mapping();
        QCOMPARE(mapping.axis, (std::array<std::optional<int>, 3>{2, 0, 1}));
        QCOMPARE(mapping.translation_sign[2], std::nullopt);
    }

    // Two steps on the same axis: the second is refused, named, and asked
    // again; so is a turn about another axis than its push's.
    void twoStepsOnOneAxis() {
        MappingDetector detector;
        const SimulatedDevice device{{0, 1, 2}, {1, 1, 1}, {1, 1, 1}};
        Person person;
        person.do_step(detector, device, 0);
        person.do_step(detector, device, 0); // right again, where up is asked
        QCOMPARE(detector.step(), 1);
        QCOMPARE(detector.state(), MappingDetector::State::conflict);
        QCOMPARE(detector.conflicting_step(), 0);
        person.do_step(detector, device, 1);
        QCOMPARE(detector.step(), 2);
        person.do_step(detector, device, 2);
        person.do_step(detector, device, 4); // a tilt forward where a twist is asked
        QCOMPARE(detector.step(), 3);
        QCOMPARE(detector.state(), MappingDetector::State::conflict);
        QCOMPARE(detector.conflicting_step(), 0);
    }

    // A jolt too short, or a push too weak or too mixed, is no answer.
    void onlyAClearLeadHeldCounts() {
        MappingDetector detector;
        const SimulatedDevice device{{0, 1, 2}, {1, 1, 1}, {1, 1, 1}};
        Person person;
        person.send(detector, RawMotion(), 400);
        person.send(detector, device.respond({300, 0, 0}, {}), 200);
        person.send(detector, RawMotion(), 400);
        person.send(detector, device.respond({60, 0, 0}, {}), 800);
        person.send(detector, RawMotion(), 400);
        person.send(detector, device.respond({200, 150, 0}, {}), 800);
        QCOMPARE(detector.step(), 0);
        person.send(detector, RawMotion(), 400);
        person.send(detector, device.respond({200, 60, 0}, {}), 800);
        QCOMPARE(detector.step(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMappingDetector)
#include "tst_mapping_detector.moc"
