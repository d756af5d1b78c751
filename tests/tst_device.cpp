// The device reader against a daemon of the test's own: the real libspnav
// connects to it through SPNAV_SOCKET, and what it sends arrives as the
// device source's signals.

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <thread>

#include "DeviceSource.h"
#include "FakeDaemon.h"

Q_DECLARE_METATYPE(RawMotion)

enum class Outcome { connected, given_up, either };
Q_DECLARE_METATYPE(Misbehaviour)
Q_DECLARE_METATYPE(Outcome)

namespace {
// The longest the event loop went without turning, while it lives.
class LoopWatch {
public:
    LoopWatch() {
        QObject::connect(&tick_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, since_.restart()); });
        since_.start();
        tick_.start(10);
    }
    qint64 longest_gap() const { return std::max(longest_, since_.elapsed()); }

private:
    QTimer tick_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

// A daemon of the test's own and a source connected to it, its signals spied on.
struct Connected {
    explicit Connected(const QString& socket)
        : daemon(socket) {
        daemon.start();
        source.start();
        source.wait_for_answer(10000);
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
        source.start();
        QVERIFY(source.wait_for_answer(1000));
        QVERIFY(!source.is_connected());
        QCOMPARE(source.status(), QStringLiteral("No device: spacenavd is not running"));
        QCOMPARE(connections.count(), 0);
        QCOMPARE(source.retry_delay(), DeviceSource::first_retry_ms);
        QTRY_COMPARE(source.retry_delay(), 2 * DeviceSource::first_retry_ms);
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
    // connects again on its own. Found again, it starts over: a later loss
    // is retried after the shortest wait, not the longest of the last outage.
    void reconnects() {
        Connected rig(socket_);
        auto& [daemon, source, connections, motions, buttons] = rig;
        QVERIFY(source.is_connected());
        daemon.stop();
        QTRY_VERIFY(!source.is_connected());
        QCOMPARE(connections.last()[0].toBool(), false);
        QCOMPARE(source.status(), QStringLiteral("No device: spacenavd is not running"));
        QTRY_COMPARE_WITH_TIMEOUT(source.retry_delay(), 4 * DeviceSource::first_retry_ms, 10000);
        daemon.start();
        QTRY_VERIFY_WITH_TIMEOUT(source.is_connected(), 15000);
        QCOMPARE(connections.last()[0].toBool(), true);
        QCOMPARE(daemon.handshakes(), 2); // once per connection
        daemon.stop();
        QTRY_VERIFY(!source.is_connected());
        QCOMPARE(source.retry_delay(), DeviceSource::first_retry_ms);
    }

    // Ten thousand events at once: handled in turns, the event loop keeps
    // running meanwhile, and the last deflection is the one told last.
    void burstKeepsTheLoopResponsive() {
        Connected rig(socket_);
        auto& [daemon, source, connections, motions, buttons] = rig;
        QVERIFY(source.is_connected());
        // A name of its own: clang 14 captures no structured binding.
        FakeDaemon& sending = daemon;
        std::thread sender([&sending] {
            for (int i = 1; i <= 10000; ++i) {
                sending.send_motion({i, 0, 0, 0, 0, 0}, 1);
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

    // However the daemon errs, the event loop keeps running, and a daemon
    // that stalls or hangs up is given up on and tried again later.
    void hostileDaemons_data() {
        QTest::addColumn<Misbehaviour>("misbehaviour");
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("closes after the handshake")
            << Misbehaviour::close_after_handshake << Outcome::given_up;
        QTest::newRow("closes when asked") << Misbehaviour::close_on_query << Outcome::given_up;
        QTest::newRow("garbage for a handshake")
            << Misbehaviour::garbage_handshake << Outcome::given_up;
        // libspnav may make sense of the half it had, or wait for the rest.
        QTest::newRow("half a handshake") << Misbehaviour::half_handshake << Outcome::either;
        QTest::newRow("half a reply") << Misbehaviour::half_reply << Outcome::given_up;
        QTest::newRow("queries unanswered") << Misbehaviour::silent_queries << Outcome::connected;
    }
    void hostileDaemons() {
        QFETCH(Misbehaviour, misbehaviour);
        QFETCH(Outcome, outcome);
        FakeDaemon daemon(socket_);
        daemon.misbehave(misbehaviour);
        daemon.start();
        DeviceSource source;
        LoopWatch watch;
        source.start();
        QTRY_VERIFY_WITH_TIMEOUT(source.is_connected() || source.retry_delay() > 0,
                                 DeviceSource::stall_limit_ms + 5000);
        QVERIFY2(watch.longest_gap() < 500, qPrintable(QString::number(watch.longest_gap())));
        if (outcome != Outcome::either) {
            QCOMPARE(source.is_connected(), outcome == Outcome::connected);
        }
        if (outcome == Outcome::connected) {
            QCOMPARE(source.status(), QStringLiteral("Unknown device"));
            QCOMPARE(source.button_count(), DeviceSource::default_buttons);
        }
    }

    // Button counts no device has give the default; buttons beyond the
    // count, however numbered, are told apart and not passed on.
    void hostileButtons_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        QTest::newRow("negative") << -3 << DeviceSource::default_buttons;
        QTest::newRow("a million") << 1000000 << DeviceSource::default_buttons;
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("the most") << DeviceSource::most_buttons << DeviceSource::most_buttons;
    }
    void hostileButtons() {
        QFETCH(int, count);
        QFETCH(int, expected);
        FakeDaemon daemon(socket_);
        daemon.set_device("Fake Spaceball", count);
        daemon.start();
        DeviceSource source;
        QSignalSpy buttons(&source, &DeviceSource::button);
        QSignalSpy ignored(&source, &DeviceSource::button_ignored);
        source.start();
        QVERIFY(source.wait_for_answer(10000));
        QCOMPARE(source.button_count(), expected);
        for (int32_t number : {-1, std::numeric_limits<int32_t>::max(),
                               std::numeric_limits<int32_t>::min(), int32_t(expected)}) {
            daemon.send_button(number, true);
            daemon.send_button(number, false);
        }
        QTRY_COMPARE(ignored.count(), 4);
        QCOMPARE(ignored[1][0].toLongLong(), qint64(std::numeric_limits<int32_t>::max()) + 1);
        QCOMPARE(ignored[3][0].toLongLong(), qint64(expected) + 1);
        QCOMPARE(buttons.count(), 0);
        if (expected > 0) {
            daemon.send_button(expected - 1, true); // the last one is a button
            QTRY_COMPARE(buttons.count(), 1);
            QCOMPARE(buttons[0][0].toInt(), expected);
        }
    }

    // A socket path longer than a Unix address holds is refused by name,
    // not cut short to reach whatever listens at the shorter path.
    void socketPathTooLong() {
        const QByteArray saved = qgetenv("SPNAV_SOCKET");
        const QString path = dir_.filePath(QString(120, QLatin1Char('s')));
        qputenv("SPNAV_SOCKET", QFile::encodeName(path));
        FakeDaemon daemon(path.left(107));
        daemon.start();
        DeviceSource source;
        source.start();
        QVERIFY(source.wait_for_answer(1000));
        qputenv("SPNAV_SOCKET", saved);
        QVERIFY(!source.is_connected());
        QCOMPARE(daemon.handshakes(), 0);
        QVERIFY(source.status().contains(path));
        QVERIFY(source.status().contains(QStringLiteral("too long")));
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
