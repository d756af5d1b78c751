#pragma once

// The device as the spacenavd daemon reports it, read through libspnav:
// motion and button events as signals, and whether the daemon is there.
// libspnav keeps one connection per process: make one DeviceSource.

#include <QObject>
#include <QString>
#include <QTimer>

#include "MotionTransform.h"
#include "kestrava_device_export.h"

class QSocketNotifier;

class KESTRAVA_DEVICE_EXPORT DeviceSource : public QObject {
    Q_OBJECT
public:
    explicit DeviceSource(QObject* parent = nullptr);
    ~DeviceSource() override;

    // Connects now; from then on a daemon that goes away is looked for again
    // on its own, after 1 s, then longer, up to 10 s.
    void start();
    bool is_connected() const { return notifier_ != nullptr; }
    // What the user is told: the device's name, or why there is none.
    const QString& status() const { return status_; }
    // The buttons the daemon says the device has; 0 without a device.
    int button_count() const { return button_count_; }
    // How long until the next attempt to reach the daemon, in ms.
    int retry_delay() const { return retry_delay_; }

    static constexpr int first_retry_ms = 1000;
    static constexpr int last_retry_ms = 10000;

signals:
    // The latest deflection; events that queued up are merged into the last.
    void motion(const RawMotion& motion);
    // Device button `number`, from 1.
    void button(int number, bool pressed);
    void connection(bool connected, const QString& device_name, int button_count);

private:
    void try_connect();
    void read_events();
    void lose_connection();
    void retry_later();

    QSocketNotifier* notifier_ = nullptr;
    QTimer retry_;
    int retry_delay_ = first_retry_ms;
    QString status_;
    int button_count_ = 0;
};
