#pragma once

// A spacenavd stand-in for tests: the real libspnav, pointed at its socket
// through SPNAV_SOCKET, talks to it as to the daemon.

#include <QFile>
#include <QString>
#include <QTest>
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
} // namespace fake_daemon
