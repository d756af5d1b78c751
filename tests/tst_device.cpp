// The device reader against a daemon of the test's own: the real libspnav
// connects to it through SPNAV_SOCKET, and what it sends arrives as the
// device source's signals.

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "DeviceSource.h"

Q_DECLARE_METATYPE(RawMotion)

namespace {
constexpr int32_t handshake = 0x7faa5501;
constexpr int32_t request_tag = 0x7faa0000;
constexpr int32_t device_name_request = 0x7faa2000;
constexpr int32_t button_count_request = 0x7faa2003;

// A spacenavd stand-in on a Unix socket: answers the handshake and the
// device queries from a thread of its own, and sends the events the test
// asks for.
class FakeDaemon {
public:
    explicit FakeDaemon(const QString& path)
        : path_(QFile::encodeName(path).toStdString()) {}
    ~FakeDaemon() { stop(); }

    void start() {
        listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
        unlink(path_.c_str());
        QVERIFY(bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        QVERIFY(listen(listener_, 4) == 0);
        running_ = true;
        thread_ = std::thread([this] { serve(); });
    }
    // The daemon goes away: its client sees the socket close.
    void stop() {
        running_ = false;
        if (thread_.joinable()) {
            thread_.join();
        }
        drop_client();
        if (listener_ >= 0) {
            close(listener_);
            listener_ = -1;
        }
        unlink(path_.c_str());
    }

    bool has_client() const { return client_ >= 0; }
    int handshakes() const { return handshakes_; }

    void send_event(std::array<int32_t, 8> event) { send_bytes(event.data(), sizeof event); }
    void send_motion(std::array<int32_t, 6> axes, int32_t period) {
        send_event({0, axes[0], axes[1], axes[2], axes[3], axes[4], axes[5], period});
    }
    void send_button(int32_t number, bool pressed) {
        send_event({pressed ? 1 : 2, number, 0, 0, 0, 0, 0, 0});
    }
    void send_bytes(const void* data, size_t size) {
        std::lock_guard<std::mutex> lock(writing_);
        if (client_ >= 0) {
            (void)!write(client_, data, size);
        }
    }

private:
    void drop_client() {
        std::lock_guard<std::mutex> lock(writing_);
        if (client_ >= 0) {
            close(client_);
            client_ = -1;
        }
    }

    void serve() {
        while (running_) {
            pollfd fds[2] = {{listener_, POLLIN, 0}, {client_, POLLIN, 0}};
            if (poll(fds, client_ >= 0 ? 2 : 1, 20) <= 0) {
                continue;
            }
            if (fds[0].revents & POLLIN) {
                drop_client();
                client_ = accept(listener_, nullptr, nullptr);
                int32_t hello = 0;
                if (read(client_, &hello, sizeof hello) == sizeof hello && hello == handshake) {
                    ++handshakes_;
                    send_bytes(&hello, sizeof hello);
                }
            } else if (client_ >= 0 && (fds[1].revents & (POLLIN | POLLHUP))) {
                answer_request();
            }
        }
    }

    void answer_request() {
        int32_t request[8];
        if (read(client_, request, sizeof request) != sizeof request) {
            drop_client();
            return;
        }
        // Requests without the tag (the client's name) want no answer.
        if ((request[0] & 0xffff0000) != request_tag) {
            return;
        }
        int32_t answer[8] = {request[0], 0, 0, 0, 0, 0, 0, 0};
        if (request[0] == device_name_request) {
            const char name[] = "Fake Spaceball";
            std::memcpy(&answer[1], name, sizeof name);
            answer[7] = static_cast<int32_t>(std::strlen(name));
        } else if (request[0] == button_count_request) {
            answer[1] = 12;
        }
        send_bytes(answer, sizeof answer);
    }

    std::string path_;
    int listener_ = -1;
    std::atomic<int> client_{-1};
    std::atomic<int> handshakes_{0};
    std::atomic<bool> running_{false};
    std::thread thread_;
    std::mutex writing_;
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
        FakeDaemon daemon(socket_);
        daemon.start();
        DeviceSource source;
        QSignalSpy connections(&source, &DeviceSource::connection);
        QSignalSpy motions(&source, &DeviceSource::motion);
        QSignalSpy buttons(&source, &DeviceSource::button);
        source.start();
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
        FakeDaemon daemon(socket_);
        daemon.start();
        DeviceSource source;
        QSignalSpy connections(&source, &DeviceSource::connection);
        source.start();
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
        FakeDaemon daemon(socket_);
        daemon.start();
        DeviceSource source;
        QSignalSpy motions(&source, &DeviceSource::motion);
        source.start();
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
        FakeDaemon daemon(socket_);
        daemon.start();
        DeviceSource source;
        QSignalSpy motions(&source, &DeviceSource::motion);
        source.start();
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
