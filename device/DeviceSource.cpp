#include "DeviceSource.h"

#include <QSocketNotifier>
#include <algorithm>
#include <spnav.h>
#include <sys/socket.h>

namespace {
// How many events one wake-up handles before the GUI gets its turn again.
constexpr int events_per_turn = 256;

// A closed socket reads as "no event" to libspnav: ask the socket itself.
bool has_hung_up(int fd) {
    char byte;
    return recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

RawMotion raw_motion_of(const spnav_event_motion& event) {
    return RawMotion{{event.x, event.y, event.z, event.rx, event.ry, event.rz},
                     static_cast<int>(event.period)};
}
} // namespace

DeviceSource::DeviceSource(QObject* parent)
    : QObject(parent)
    , status_(tr("No device: spacenavd is not running")) {
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &DeviceSource::try_connect);
}

DeviceSource::~DeviceSource() {
    if (is_connected()) {
        spnav_close();
    }
}

void DeviceSource::start() {
    try_connect();
}

void DeviceSource::try_connect() {
    if (spnav_open() == -1) {
        status_ = tr("No device: spacenavd is not running");
        retry_later();
        return;
    }
    spnav_client_name("tarvik");
    // The default mask: no raw-axis events, which the daemon would send too.
    spnav_evmask(SPNAV_EVMASK_DEFAULT);
    // Device queries belong right after connecting: libspnav drops pending
    // input before each request.
    char name[128] = "";
    const QString device =
        spnav_dev_name(name, sizeof name) >= 0 ? QString::fromUtf8(name) : tr("Unknown device");
    button_count_ = std::max(0, spnav_dev_buttons());
    notifier_ = new QSocketNotifier(spnav_fd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &DeviceSource::read_events);
    retry_delay_ = first_retry_ms;
    status_ = device;
    emit connection(true, device, button_count_);
    // Events may have come with the answers.
    read_events();
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
            emit button(event.button.bnum + 1, event.button.press != 0);
        }
    }
    if (has_motion) {
        emit motion(raw_motion_of(latest));
    }
    if (is_connected() && has_hung_up(spnav_fd())) {
        lose_connection();
    }
}

void DeviceSource::lose_connection() {
    delete notifier_;
    notifier_ = nullptr;
    spnav_close();
    status_ = tr("No device: spacenavd is not running");
    button_count_ = 0;
    emit connection(false, QString(), 0);
    retry_later();
}

void DeviceSource::retry_later() {
    retry_.start(retry_delay_);
    retry_delay_ = std::min(retry_delay_ * 2, last_retry_ms);
}
