// The device reader against a daemon of the test's own: the real libspnav
// connects to it through SPNAV_SOCKET, and what it sends arrives as the
// device source's signals.

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

#include "DeviceSource.h"
#include "FakeDaemon.h"

Q_DECLARE_METATYPE(RawMotion)

namespace {
// A daemon of the test's own and a source connected to it, its signals spied on.
struct Connected {
    explicit Connected(const QString& socket)
        : daemon(socket) {
        daemon.start();
        source.start();
    }
    FakeDaemon daemon;
    DeviceSource source;
    QSignalSpy connections{&source, &DeviceSource::connection};
    QSignalSpy motions{&source, &DeviceSource::motion};
    QSignalSpy buttons{&source, &DeviceSource::button};
};
} // namespace

class TestDevice : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString socket_;

private slots:
    void initTestCase() {
        qRegisterMetaType<RawMotion>();
        socket_ = dir_.filePath(QStringLiteral("spnav.sock"));
        qputenv("SPNAV_SOCKET", QFile::encodeName(socket_));
    }

    // With no daemon the source says so plainly at once, and tries again
    // later, ever less often.
    void noDaemon() {
        // libspnav falls through to the system's daemon when ours is absent.
        if (QFileInfo::exists(QStringLiteral("/var/run/spnav.sock"))) {
            QSKIP("a system spacenavd runs here");
        }
        DeviceSource source;
        QSignalSpy connections(&source, &DeviceSource::connection);
        QElapsedTimer clock;
        clock.start();
        source.start();
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(!source.is_connected());
        QCOMPARE(source.status(), QStringLiteral("No device: spacenavd is not running"));
        QCOMPARE(connections.count(), 0);
        QCOMPARE(source.retry_delay(), 2 * DeviceSource::first_retry_ms);
    }

    // Connected to our daemon (its handshake arrived, so no system daemon
    // answered): the device's name and buttons, then motion and buttons as
    // sent, numbered from 1.
    void eventsArrive() {
        Connected rig(socket_);
        auto& [daemon, source, connections, motions, buttons] = rig;
        QVERIFY(source.is_connected());
        QCOMPARE(daemon.handshakes(), 1);
        QCOMPARE(connections.count(), 1);
        QCOMPARE(connections[0][1].toString(), QStringLiteral("Fake Spaceball"));
        QCOMPARE(connections[0][2].toInt(), 12);
        QCOMPARE(source.status(), QStringLiteral("Fake Spaceball"));

        daemon.send_motion({10, -20, 30, -40, 50, -60}, 16);
        QTRY_COMPARE(motions.count(), 1);
        const auto motion = motions[0][0].value<RawMotion>();
        QCOMPARE(motion.axes, (std::array<int, 6>{10, -20, 30, -40, 50, -60}));
        QCOMPARE(motion.period, 16);
        daemon.send_button(2, true);
        daemon.send_button(2, false);
        QTRY_COMPARE(buttons.count(), 2);
        QCOMPARE(buttons[0][0].toInt(), 3);
        QCOMPARE(buttons[0][1].toBool(), true);
        QCOMPARE(buttons[1][1].toBool(), false);
    }

    // The daemon goes and comes back: the source notices the hang-up and
    // connects again on its own.
    void reconnects() {
        Connected rig(socket_);
        auto& [daemon, source, connections, motions, buttons] = rig;
        QVERIFY(source.is_connected());
        daemon.stop();
        QTRY_VERIFY(!source.is_connected());
        QCOMPARE(connections.last()[0].toBool(), false);
        QCOMPARE(source.status(), QStringLiteral("No device: spacenavd is not running"));
        daemon.start();
        QTRY_VERIFY_WITH_TIMEOUT(source.is_connected(), 15000);
        QCOMPARE(connections.last()[0].toBool(), true);
        QCOMPARE(daemon.handshakes(), 2); // once per connection
    }

    // Ten thousand events at once: handled in turns, the event loop keeps
    // running meanwhile, and the last deflection is the one told last.
    void burstKeepsTheLoopResponsive() {
        Connected rig(socket_);
        auto& [daemon, source, connections, motions, buttons] = rig;
        QVERIFY(source.is_connected());
        std::thread sender([&daemon] {
            for (int i = 1; i <= 10000; ++i) {
                daemon.send_motion({i, 0, 0, 0, 0, 0}, 1);
            }
        });
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
        tick.start(1);
        // The sender blocks whenever the socket is full: the loop must run.
        QTRY_VERIFY_WITH_TIMEOUT(
            !motions.isEmpty() && motions.last()[0].value<RawMotion>().axes[0] == 10000, 30000);
        sender.join();
        QVERIFY(ticks > 0);
        QVERIFY(motions.count() < 10000); // merged, not one signal per event
    }

    // Garbage and a short frame from the daemon break nothing.
    void garbageIsSurvived() {
        Connected rig(socket_);
        auto& [daemon, source, connections, motions, buttons] = rig;
        QVERIFY(source.is_connected());
        daemon.send_event({77, 1, 2, 3, 4, 5, 6, 7});
        daemon.send_event({1, -5, 0, 0, 0, 0, 0, 0}); // a button numbered -5
        const char short_frame[] = "short";
        daemon.send_bytes(short_frame, sizeof short_frame);
        QTest::qWait(100);
        daemon.stop();
        QTRY_VERIFY(!source.is_connected());
    }
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
