#include "DeviceSource.h"

#include <QFile>
#include <QSocketNotifier>
#include <algorithm>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <mutex>
#include <spnav.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>

namespace {
// How many events one wake-up handles before the GUI gets its turn again.
constexpr int events_per_turn = 256;
// Where libspnav looks when SPNAV_SOCKET names nothing that answers.
const char* const system_socket = "/var/run/spnav.sock";
// libspnav offers this protocol; a daemon answering with a later one
// answered with garbage.
constexpr int newest_protocol = 1;

// A closed socket reads as "no event" to libspnav: ask the socket itself.
bool has_hung_up(int fd) {
    char byte;
    return recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

RawMotion raw_motion_of(const spnav_event_motion& event) {
    return RawMotion{{event.x, event.y, event.z, event.rx, event.ry, event.rz},
                     static_cast<int>(event.period)};
}

QByteArray socket_path() {
    const QByteArray named = qgetenv("SPNAV_SOCKET");
    return named.isEmpty() ? QByteArray(system_socket) : named;
}

// libspnav reads for as long as its socket is readable, an end of file or
// an error included. An idle event counter is never readable, and a read
// of it, should one begin, does not wait.
void silence(int fd) {
    const int silent = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    const int real = dup(fd);
    if (silent >= 0) {
        dup2(silent, fd);
        close(silent);
    }
    shutdown(real, SHUT_RDWR);
    close(real);
}

bool is_connected_to(int fd, const QByteArray& path) {
    sockaddr_un peer{};
    socklen_t size = sizeof peer;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) != 0 ||
        peer.sun_family != AF_UNIX) {
        return false;
    }
    return QByteArray(peer.sun_path, int(strnlen(peer.sun_path, sizeof peer.sun_path))) == path;
}

// libspnav waits for good on half an answer, and spins on a socket that hung
// up. While it opens the socket, it has not told which it is: find it by
// whom it talks to. Put a silent descriptor in its place, on which libspnav's own
// timeouts end its waits, and shut the real one, which ends a read under way.
void silence_daemon_sockets() {
    DIR* descriptors = opendir("/proc/self/fd");
    if (!descriptors) {
        return;
    }
    const int listing = dirfd(descriptors);
    const QByteArray named = socket_path();
    while (const dirent* entry = readdir(descriptors)) {
        const int fd = std::atoi(entry->d_name);
        if (fd != listing &&
            (is_connected_to(fd, named) || is_connected_to(fd, QByteArray(system_socket)))) {
            silence(fd);
        }
    }
    closedir(descriptors);
}

int plausible_button_count(int told) {
    return told < 0 || told > DeviceSource::most_buttons ? DeviceSource::default_buttons : told;
}
} // namespace

// What the daemon said when asked, in the daemon's own words.
struct DeviceSource::Answer {
    bool opened = false;
    bool garbled = false; // its handshake was not one
    QByteArray name;      // empty when it would not say
    int buttons = 0;
};

// One attempt to reach the daemon, run on a thread of its own: libspnav
// waits on the daemon's answers, for good if one comes half.
struct DeviceSource::Attempt {
    std::mutex mutex;
    std::condition_variable ended_change;
    bool ended = false;
    Answer answer;
    DeviceSource* owner; // null once the source is gone
    int fd = -1;         // libspnav's socket, once it is open
    std::thread thread;

    Answer ask_daemon() {
        Answer answer;
        if (spnav_open() == -1) {
            return answer;
        }
        answer.opened = true;
        {
            std::lock_guard<std::mutex> lock(mutex);
            fd = spnav_fd();
        }
        answer.garbled = spnav_protocol() > newest_protocol;
        // libspnav's requests would spin on a socket that hung up.
        if (answer.garbled || has_hung_up(spnav_fd())) {
            return answer;
        }
        spnav_client_name("tarvik");
        // The default mask: no raw-axis events, which the daemon would send too.
        spnav_evmask(SPNAV_EVMASK_DEFAULT);
        // Device queries belong right after connecting: libspnav drops
        // pending input before each request.
        char name[128] = "";
        if (spnav_dev_name(name, sizeof name) >= 0) {
            answer.name = QByteArray(name, int(strnlen(name, sizeof name)));
        }
        answer.buttons = spnav_dev_buttons();
        return answer;
    }

    bool daemon_hung_up() {
        std::lock_guard<std::mutex> lock(mutex);
        return fd >= 0 && has_hung_up(fd);
    }

    // Ends the attempt's waits on the daemon, whichever it is in.
    void silence_daemon() {
        std::lock_guard<std::mutex> lock(mutex);
        if (fd >= 0) {
            silence(fd);
        } else {
            silence_daemon_sockets();
        }
    }

    bool wait_to_end(int ms) {
        std::unique_lock<std::mutex> lock(mutex);
        return ended_change.wait_for(lock, std::chrono::milliseconds(ms), [this] { return ended; });
    }

    void run() {
        const Answer asked = ask_daemon();
        std::lock_guard<std::mutex> lock(mutex);
        answer = asked;
        ended = true;
        ended_change.notify_all();
        if (owner) {
            DeviceSource* source = owner;
            QMetaObject::invokeMethod(
                source, [source] { source->take_answer(); }, Qt::QueuedConnection);
        }
    }
};

DeviceSource::DeviceSource(QObject* parent)
    : QObject(parent)
    , reason_(QT_TR_NOOP("No device: spacenavd is not running")) {
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &DeviceSource::try_connect);
    connect(&watch_, &QTimer::timeout, this, &DeviceSource::watch_attempt);
}

DeviceSource::~DeviceSource() {
    if (attempt_) {
        end_attempt();
    } else if (is_connected()) {
        spnav_close();
    }
}

void DeviceSource::end_attempt() {
    {
        std::lock_guard<std::mutex> lock(attempt_->mutex);
        attempt_->owner = nullptr;
    }
    attempt_->silence_daemon();
    if (!attempt_->wait_to_end(stall_limit_ms)) {
        // Stuck where no silencing reaches (a connect the daemon never takes):
        // left to end with the process.
        attempt_->thread.detach();
        return;
    }
    attempt_->thread.join();
    if (attempt_->answer.opened) {
        spnav_close();
    }
}

void DeviceSource::start() {
    // libspnav writes to the socket unguarded: a daemon gone in between
    // must not end the process.
    std::signal(SIGPIPE, SIG_IGN);
    try_connect();
}

bool DeviceSource::wait_for_answer(int ms) {
    if (attempt_ && !attempt_->wait_to_end(ms)) {
        return false;
    }
    take_answer();
    return true;
}

void DeviceSource::try_connect() {
    if (attempt_) {
        return;
    }
    const QByteArray path = socket_path();
    if (size_t(path.size()) >= sizeof(sockaddr_un::sun_path)) {
        // libspnav would cut it short and reach whatever listens there.
        set_reason(QT_TR_NOOP("No device: the socket path %1 is too long"),
                   QFile::decodeName(path));
        return;
    }
    attempt_ = std::make_shared<Attempt>();
    attempt_->owner = this;
    attempt_->thread = std::thread([attempt = attempt_] { attempt->run(); });
    attempt_clock_.start();
    watch_.start(watch_interval_ms);
}

// Runs once the attempt has ended, whichever way comes first: the queued
// call from its thread or a wait for it.
void DeviceSource::take_answer() {
    if (!attempt_) {
        return;
    }
    Answer answer;
    {
        std::lock_guard<std::mutex> lock(attempt_->mutex);
        if (!attempt_->ended) {
            return;
        }
        answer = attempt_->answer;
    }
    attempt_->thread.join();
    attempt_.reset();
    watch_.stop();
    if (!given_up_ && answer.opened && !answer.garbled && !has_hung_up(spnav_fd())) {
        accept(answer);
        return;
    }
    if (answer.opened) {
        spnav_close();
    }
    if (!given_up_) {
        set_reason(!answer.opened ? QT_TR_NOOP("No device: spacenavd is not running")
                   : answer.garbled
                       ? QT_TR_NOOP("No device: spacenavd answers in a way it never does")
                       : QT_TR_NOOP("No device: spacenavd closed the connection"));
    }
    given_up_ = false;
    retry_later();
}

void DeviceSource::accept(const Answer& answer) {
    notifier_ = new QSocketNotifier(spnav_fd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &DeviceSource::read_events);
    next_delay_ = first_retry_ms;
    device_name_ = QString::fromUtf8(answer.name);
    button_count_ = plausible_button_count(answer.buttons);
    emit connection(true, status(), button_count_);
    emit status_changed();
    // Events may have come with the answers.
    read_events();
}

// A daemon that hung up, or stopped in the middle of an answer, is given up
// on: silencing the connection ends the attempt, whose answer then
// schedules the next one.
void DeviceSource::watch_attempt() {
    if (!attempt_ || given_up_) {
        return;
    }
    if (attempt_->daemon_hung_up()) {
        give_up(QT_TR_NOOP("No device: spacenavd closed the connection"));
    } else if (attempt_clock_.elapsed() >= stall_limit_ms) {
        give_up(QT_TR_NOOP("No device: spacenavd does not answer"));
    }
}

void DeviceSource::give_up(const char* why) {
    given_up_ = true;
    set_reason(why);
    attempt_->silence_daemon();
}

void DeviceSource::read_events() {
    if (!is_connected()) {
        return;
    }
    spnav_event event;
    bool has_motion = false;
    spnav_event_motion latest{};
    for (int handled = 0; handled < events_per_turn && spnav_poll_event(&event); ++handled) {
        if (event.type == SPNAV_EVENT_MOTION) {
            latest = event.motion;
            has_motion = true;
        } else if (event.type == SPNAV_EVENT_BUTTON) {
            // A motion before a button is told before it.
            if (has_motion) {
                emit motion(raw_motion_of(latest));
                has_motion = false;
            }
            emit_button(event.button.bnum, event.button.press != 0);
        }
    }
    if (has_motion) {
        emit motion(raw_motion_of(latest));
    }
    if (is_connected() && has_hung_up(spnav_fd())) {
        lose_connection();
    }
}

// The daemon numbers buttons from 0; numbers the device cannot have are
// told apart, once per press.
void DeviceSource::emit_button(int daemon_number, bool pressed) {
    if (daemon_number < 0 || daemon_number >= button_count_) {
        if (pressed) {
            emit button_ignored(qint64(daemon_number) + 1);
        }
        return;
    }
    emit button(daemon_number + 1, pressed);
}

void DeviceSource::lose_connection() {
    delete notifier_;
    notifier_ = nullptr;
    spnav_close();
    button_count_ = 0;
    emit connection(false, QString(), 0);
    set_reason(QT_TR_NOOP("No device: spacenavd is not running"));
    retry_later();
}

QString DeviceSource::status() const {
    if (is_connected()) {
        return device_name_.isEmpty() ? tr("Unknown device") : device_name_;
    }
    const QString reason = tr(reason_);
    return reason_argument_.isEmpty() ? reason : reason.arg(reason_argument_);
}

// Told every time, though the reason may be the same: the connection changed.
void DeviceSource::set_reason(const char* reason, const QString& argument) {
    reason_ = reason;
    reason_argument_ = argument;
    emit status_changed();
}

void DeviceSource::retry_later() {
    retry_.start(next_delay_);
    next_delay_ = std::min(next_delay_ * 2, last_retry_ms);
}
