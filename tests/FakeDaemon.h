#pragma once

// A spacenavd stand-in for tests: the real libspnav, pointed at its socket
// through SPNAV_SOCKET, talks to it as to the daemon.

#include <QFile>
#include <QString>
#include <QTest>
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

inline namespace fake_daemon {
constexpr int32_t handshake = 0x7faa5501;
constexpr int32_t request_tag = 0x7faa0000;
constexpr int32_t device_name_request = 0x7faa2000;
constexpr int32_t button_count_request = 0x7faa2003;

// What a daemon can do wrong; `none` is a well-behaved daemon.
enum class Misbehaviour {
    none,
    close_after_handshake, // hangs up as soon as it has answered the handshake
    close_on_query,        // hangs up when asked about the device
    deaf_after_handshake,  // answers the handshake, then reads nothing: the
                           // host's requests are written to a closed socket
    garbage_handshake,     // answers the handshake with bytes of no meaning
    half_handshake,        // sends half the handshake's answer, then nothing
    silent_queries,        // never answers a device query
    half_reply,            // sends half of each query's answer, then nothing
};

// A spacenavd stand-in on a Unix socket: answers the handshake and the
// device queries from a thread of its own, and sends the events the test
// asks for.
class FakeDaemon {
public:
    explicit FakeDaemon(const QString& path)
        : path_(QFile::encodeName(path).toStdString()) {}
    ~FakeDaemon() { stop(); }

    // Where a client reaches it, as SPNAV_SOCKET names it.
    QString socket_path() const { return QFile::decodeName(path_.c_str()); }

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

    // Set before start(): how the daemon errs, and what it says the device is.
    void misbehave(Misbehaviour how) { misbehaviour_ = how; }
    void set_device(std::string name, int32_t buttons) {
        device_name_ = std::move(name);
        device_buttons_ = buttons;
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
            // A client gone must not end the test.
            (void)!send(client_, data, size, MSG_NOSIGNAL);
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
            // A deaf daemon keeps its client, never seeing it go.
            const bool hears = client_ >= 0 && misbehaviour_ != Misbehaviour::deaf_after_handshake;
            if (poll(fds, hears ? 2 : 1, 20) <= 0) {
                continue;
            }
            if (fds[0].revents & POLLIN) {
                drop_client();
                client_ = accept(listener_, nullptr, nullptr);
                greet();
            } else if (client_ >= 0 && (fds[1].revents & (POLLIN | POLLHUP))) {
                answer_request();
            }
        }
    }

    void greet() {
        int32_t hello = 0;
        if (read(client_, &hello, sizeof hello) != sizeof hello || hello != handshake) {
            return;
        }
        ++handshakes_;
        if (misbehaviour_ == Misbehaviour::deaf_after_handshake) {
            shutdown(client_, SHUT_RD);
        }
        switch (misbehaviour_) {
        case Misbehaviour::garbage_handshake:
            send_bytes("\x13\x37\xde\xad", 4);
            break;
        case Misbehaviour::half_handshake:
            send_bytes(&hello, sizeof hello / 2);
            break;
        default:
            send_bytes(&hello, sizeof hello);
        }
        if (misbehaviour_ == Misbehaviour::close_after_handshake) {
            drop_client();
        }
    }

    void answer_request() {
        int32_t request[8];
        if (read(client_, request, sizeof request) != sizeof request) {
            drop_client();
            return;
        }
        // Requests without the tag (the client's name) want no answer.
        if (misbehaviour_ == Misbehaviour::close_on_query && request[0] == device_name_request) {
            drop_client();
            return;
        }
        if ((request[0] & 0xffff0000) != request_tag ||
            misbehaviour_ == Misbehaviour::silent_queries) {
            return;
        }
        int32_t answer[8] = {request[0], 0, 0, 0, 0, 0, 0, 0};
        if (request[0] == device_name_request) {
            // One answer holds up to 24 bytes of the name.
            const size_t length = std::min<size_t>(device_name_.size(), 24);
            std::memcpy(&answer[1], device_name_.data(), length);
            answer[7] = static_cast<int32_t>(length);
        } else if (request[0] == button_count_request) {
            answer[1] = device_buttons_;
        }
        send_bytes(answer,
                   misbehaviour_ == Misbehaviour::half_reply ? sizeof answer / 2 : sizeof answer);
    }

    std::string path_;
    Misbehaviour misbehaviour_ = Misbehaviour::none;
    std::string device_name_ = "Fake Spaceball";
    int32_t device_buttons_ = 12;
    int listener_ = -1;
    std::atomic<int> client_{-1};
    std::atomic<int> handshakes_{0};
    std::atomic<bool> running_{false};
    std::thread thread_;
    std::mutex writing_;
};
} // namespace fake_daemon
